# tarvolyn_warnings(target): the project's warning level for code we own.
function(tarvolyn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(TARVOLYN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
