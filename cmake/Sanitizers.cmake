# Address and undefined-behaviour sanitizers for the whole build (the asan preset).
if(TARVOLYN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The thread sanitizer (the tsan preset): speech synthesizes on a worker thread.
if(TARVOLYN_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
