# clang-tidy on every C++ file the build compiles (the ci preset), with the project's .clang-tidy,
# whose WarningsAsErrors makes any finding fail the build.
if(TARVOLYN_CLANG_TIDY)
  find_program(TARVOLYN_CLANG_TIDY_EXE NAMES clang-tidy clang-tidy-14 REQUIRED)
  set(CMAKE_CXX_CLANG_TIDY ${TARVOLYN_CLANG_TIDY_EXE})
  # The sources moc and rcc generate lie in the build tree; clang-tidy takes its configuration
  # from the nearest .clang-tidy above a file, so one here that enables only a check for code
  # we do not have keeps them out (clang-tidy refuses to run with no check at all).
  file(WRITE ${CMAKE_BINARY_DIR}/.clang-tidy "Checks: '-*,llvm-twine-local'\n")
endif()
