# Test helpers shared by every folder under tests/.
#
# On the Windows build each test program runs under Wine (CMAKE_CROSSCOMPILING_EMULATOR) in the
# project's own prefix; the `wine` fixture creates that prefix, starts Xvfb and keeps one
# wineserver alive for the run.

set(ORVANE_WINE_HOME ${CMAKE_BINARY_DIR}/wine CACHE INTERNAL "Wine prefix, display and server of the test run")
# Python tests import the bench as the package `support` (tests/support) and the release tool's
# package `orvane_release` (tools/); neither edits sys.path.
set(ORVANE_PYTHONPATH "PYTHONPATH=${PROJECT_SOURCE_DIR}/tests:${PROJECT_SOURCE_DIR}/tools")

# orvane_test_environment(<test>...): what every test of the Windows build needs to find the bench.
function(orvane_wine_test_properties)
  set_tests_properties(${ARGN} PROPERTIES
    FIXTURES_REQUIRED wine
    ENVIRONMENT "ORVANE_WINE_HOME=${ORVANE_WINE_HOME};ORVANE_BUILD_DIR=${CMAKE_BINARY_DIR};ORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR};${ORVANE_PYTHONPATH}")
endfunction()

# orvane_add_gtest(<name> SOURCES <files>... LIBS <targets>...)
# One GoogleTest program, run by CTest as one test (under Wine on the Windows build).
function(orvane_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  orvane_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(WIN32)
    orvane_wine_test_properties(${name})
  endif()
endfunction()

# orvane_add_script_test(<name> <script> [args...])
# A Python test script that drives real programs (under Wine on the Windows build).
function(orvane_add_script_test name script)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME ${name} COMMAND ${Python3_EXECUTABLE} ${script} ${ARGN})
  if(WIN32)
    orvane_wine_test_properties(${name})
  else()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ORVANE_PYTHONPATH}")
  endif()
endfunction()

# orvane_embed_rules(<target> <file in tests/rules> <symbol>)
# Compiles a shared table of cases into a test as the text `<symbol>`, in the header
# `<symbol>.h`: the release tool's tests read the same file.
function(orvane_embed_rules target file symbol)
  set(path ${PROJECT_SOURCE_DIR}/tests/rules/${file})
  file(READ ${path} ORVANE_RULES_TEXT)
  set(ORVANE_RULES_FILE ${file})
  set(ORVANE_RULES_SYMBOL ${symbol})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
  configure_file(${PROJECT_SOURCE_DIR}/tests/rules/embedded_rules.h.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.h @ONLY)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
