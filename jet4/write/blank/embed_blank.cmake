# Turns a binary file into a C++ initializer list (comma-separated byte literals), so the jet4
# library carries the Jet-made blank database without reading any file at run time.
#   cmake -DINPUT=file.mdb -DOUTPUT=file.inc -P embed_blank.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR remainder "${length} % 8192")
if(length EQUAL 0 OR NOT remainder EQUAL 0)
  message(FATAL_ERROR "${INPUT}: not a whole number of 4096-byte pages")
endif()
# Sixteen bytes a line keeps the generated file readable (CMake's regex has no {n} repeat).
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line_of_bytes)
string(REGEX REPLACE "(${line_of_bytes})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT} by embed_blank.cmake; do not edit.\n${bytes}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
