# Helpers shared by every folder's CMakeLists.txt.

set(RELIEF_WARNINGS -Wall -Wextra -Werror)

# relief_library(<name> [DEPS <targets>...])
# Builds relief_<name> (alias relief::<name>) from the folder's *.cpp files. Headers are
# included by their path from the repository root ("scene/transform.h").
function(relief_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target relief_${name})
  add_library(${target} STATIC ${sources})
  add_library(relief::${name} ALIAS ${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${RELIEF_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# The project's warnings, and the source and test output folders that tests and their support
# know.
function(relief_test_settings target)
  target_compile_options(${target} PRIVATE ${RELIEF_WARNINGS})
  target_compile_definitions(${target} PRIVATE RELIEF_TEST_OUTPUT_DIR="${PROJECT_BINARY_DIR}/test-output"
                                               RELIEF_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endfunction()

# relief_testing_library(<name> SOURCES <files>... [DEPS <targets>...] [OBJECT])
# Test support that the tests of a folder and of the folders above it share: relief_<name>
# (alias relief::<name>), built with the project's warnings. Knows the source and test output
# folders, as the tests do.
function(relief_testing_library name)
  cmake_parse_arguments(ARG "OBJECT" "" "SOURCES;DEPS" ${ARGN})
  set(target relief_${name})
  if(ARG_OBJECT)
    add_library(${target} OBJECT ${ARG_SOURCES})
  else()
    add_library(${target} STATIC ${ARG_SOURCES})
  endif()
  add_library(relief::${name} ALIAS ${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  relief_test_settings(${target})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# relief_tests(<label> [DEPS <targets>...])
# Builds one GoogleTest executable from tests/*_test.cpp (plain unit tests, label <label>) and,
# when present, a second one from tests/*_gl_test.cpp (tests that need an OpenGL context,
# label <label>_gl). Any other tests/*.cpp file is shared test support linked into both.
function(relief_tests label)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  string(REPLACE "/" "_" stem ${label})
  file(GLOB all_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
  file(GLOB gl_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_gl_test.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  set(plain_tests ${all_tests})
  if(gl_tests)
    list(REMOVE_ITEM plain_tests ${gl_tests})
  endif()
  if(all_tests)
    list(REMOVE_ITEM support ${all_tests})
  endif()
  foreach(kind plain gl)
    if(kind STREQUAL "plain")
      set(files ${plain_tests})
      set(exe relief_${stem}_tests)
      set(labels ${label})
    else()
      set(files ${gl_tests})
      set(exe relief_${stem}_gl_tests)
      # One label: a list would not survive test discovery. "ctest -L <folder>" still selects
      # these (the label is a regular expression), and "ctest -L gl" selects every GL test.
      set(labels ${label}_gl)
    endif()
    if(files)
      add_executable(${exe} ${files} ${support})
      relief_test_settings(${exe})
      target_link_libraries(${exe} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
      gtest_discover_tests(${exe}
        DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
        PROPERTIES LABELS ${labels} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
  endforeach()
endfunction()
