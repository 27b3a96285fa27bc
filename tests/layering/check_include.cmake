# Compiles one file that includes one header, with one layer's include path, and checks the
# outcome for the one reason the test is about:
#
#   cmake -DCOMPILER=c++ -DINCLUDES="dir|dir|..." -DSOURCE=file.cc -DHEADER=layer/name.h
#         -DEXPECT=compiles|not-found -P check_include.cmake
#
# EXPECT=compiles passes only when the file compiles. EXPECT=not-found passes only when the
# compiler stops because it cannot find HEADER; any other error (a typo, a broken header, a
# missing compiler) fails the test and shows the compiler's output, and so does a file that
# compiles.
string(REPLACE "|" ";" include_dirs "${INCLUDES}")
set(flags)
foreach(dir IN LISTS include_dirs)
  list(APPEND flags "-I${dir}")
endforeach()
execute_process(COMMAND ${COMPILER} -std=c++20 -fsyntax-only ${flags} ${SOURCE}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(EXPECT STREQUAL "compiles")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${HEADER} should compile here but does not:\n${output}")
  endif()
  return()
endif()
if(status EQUAL 0)
  message(FATAL_ERROR "${HEADER} compiled, but this layer must not see it")
endif()
# GCC: "fatal error: x/y.h: No such file or directory"; Clang: "fatal error: 'x/y.h' file
# not found". Either must name HEADER and be the only error.
string(REGEX MATCHALL "error:" errors "${output}")
list(LENGTH errors error_count)
if(error_count EQUAL 1 AND (output MATCHES "error: ${HEADER}: No such file or directory"
                            OR output MATCHES "error: '${HEADER}' file not found"))
  return()
endif()
message(FATAL_ERROR "${HEADER} failed for another reason than not being found:\n${output}")
