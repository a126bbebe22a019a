# Compiler flags of the fuzz build (KIVPRISM_FUZZ=ON). Every object gets the fuzzer's coverage
# instrumentation and both sanitizers; only the fuzz targets link the fuzzer's main.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "KIVPRISM_FUZZ needs clang with its fuzzer runtime "
                      "(configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=all)
add_link_options(-fsanitize=address,undefined)
