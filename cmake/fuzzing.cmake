# libFuzzer targets. With IVARSCAN_FUZZERS=ON (clang only) every library is compiled with
# the fuzzer's coverage instrumentation and the address and undefined-behaviour
# sanitizers; only the fuzzer programs link the fuzzer's main. scripts/fuzz.sh configures
# such a build in build/fuzz and runs the targets; docs/fuzzing.md says how.

option(IVARSCAN_FUZZERS "Build the libFuzzer targets (needs clang)" OFF)

if(IVARSCAN_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "IVARSCAN_FUZZERS needs clang: configure with CMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  add_custom_target(fuzzers)
endif()

# ivarscan_add_fuzzer(<target> SOURCES <files...> LIBS <libraries...>)
# Builds one libFuzzer program; the `fuzzers` target builds them all. Its seed corpus is
# fuzz/corpus/<target>/ and its dictionary, when it has one, fuzz/<target>.dict.
function(ivarscan_add_fuzzer target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  ivarscan_layer(${target} fuzz)  # fuzz/fuzz_check.h
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzzers ${target})
endfunction()
