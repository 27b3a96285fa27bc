# Compiler settings shared by every target, and the helper that declares a test program.

add_compile_options(-Wall -Wextra -Wshadow -Wnon-virtual-dtor)
if(IVARSCAN_WERROR)
  add_compile_options(-Werror)
endif()

if(IVARSCAN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # The desktop programs run on their own: no MinGW runtime DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # No link time in the PE header, so the same sources give the same program bytes.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# The release files' programs carry no path of the source folder, so that two clones in
# different folders build the same bytes (scripts/package.sh).
if(IVARSCAN_REPRODUCIBLE)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=)
endif()

# ivarscan_layer(<target> <folder>)
# Makes the headers of <folder> (a layer: platform, errors, repo, store, engine, app)
# visible, as #include "<folder>/name.h", to <target> and to whatever links it. There is no
# include path to the repository root: the build tree holds one folder per layer with a link
# to that layer alone, so a file sees only the layers its target links, and an include that
# reaches past them (an upward include, or a sideways one between store and engine) fails
# to compile.
function(ivarscan_layer target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# ivarscan_add_tests(<target> SOURCES <files...> LIBS <libraries...> [LABELS <labels...>])
# Builds one GoogleTest program from the given test files and registers its tests with
# CTest. Each folder keeps one such program for the tests that sit beside its code. The
# label `slow` marks tests with absolute time or memory budgets: scripts/test.sh runs them
# on their own, after the others, so that no parallel test competes with them.
function(ivarscan_add_tests target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "IVARSCAN_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                                  LABELS "${ARG_LABELS}")
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/fuzzing.cmake)

# nlohmann/json, header-only, from Debian's nlohmann-json3-dev. A cross build must not put
# the build machine's /usr/include on its include path, so the one folder is linked into
# the build tree and only that is added.
find_path(IVARSCAN_NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(ivarscan_json_include ${CMAKE_BINARY_DIR}/nlohmann-json-include)
file(MAKE_DIRECTORY ${ivarscan_json_include})
file(CREATE_LINK ${IVARSCAN_NLOHMANN_JSON_DIR}/nlohmann ${ivarscan_json_include}/nlohmann SYMBOLIC)
add_library(ivarscan_json INTERFACE)
target_include_directories(ivarscan_json SYSTEM INTERFACE ${ivarscan_json_include})
