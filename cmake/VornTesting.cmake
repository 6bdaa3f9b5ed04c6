# Tests run under Wine: CTest starts each test program through wine-run.sh, which
# uses the private prefix of this build folder. One CTest entry per test program.
enable_testing()

set(VORN_TEST_BIN "${CMAKE_BINARY_DIR}/tests")
# GoogleTest programs write their reports here; scripts/test.sh empties it before a run.
set(VORN_TEST_REPORTS "${CMAKE_BINARY_DIR}/test-reports")
set(VORN_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
# Each architecture runs under its own Wine loader and a prefix of its own kind.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VORN_ARCH x64)
  set(VORN_WINEARCH win64)
  set(VORN_WINE_LOADER /usr/lib/wine/wine64)
  set(VORN_WINE_SERVER /usr/lib/wine/wineserver64)
else()
  set(VORN_ARCH i686)
  set(VORN_WINEARCH win32)
  set(VORN_WINE_LOADER /usr/lib/wine/wine)
  if(EXISTS /usr/lib/wine/wineserver32 AND NOT EXISTS /usr/lib/wine/wineserver64)
    set(VORN_WINE_SERVER /usr/lib/wine/wineserver32)
  else()
    set(VORN_WINE_SERVER /usr/lib/wine/wineserver64)
  endif()
endif()
configure_file("${CMAKE_SOURCE_DIR}/scripts/wine-run.sh.in" "${CMAKE_BINARY_DIR}/wine-run.sh"
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run.sh" CACHE STRING "" FORCE)

# vorn_add_test(<name> SOURCES ... [LIBS ...] [TIMEOUT s] [RESOURCE_LOCK lock ...]
#               [ARGS ...] [LABELS ...] [NO_GTEST] [OWN_MAIN])
#   NO_GTEST: a plain program whose exit code is the verdict.
#   OWN_MAIN: links GoogleTest but not a main(); the program's own returns
#             TestProgramExitCode(RUN_ALL_TESTS()) (platform/testing/TestExitCode.h).
function(vorn_add_test name)
  cmake_parse_arguments(T "NO_GTEST;OWN_MAIN" "TIMEOUT"
                        "SOURCES;LIBS;RESOURCE_LOCK;ARGS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  if(NOT T_NO_GTEST)
    if(T_OWN_MAIN)
      target_link_libraries(${name} PRIVATE vorn_test_exit GTest::gtest GTest::gmock)
    else()
      target_link_libraries(${name} PRIVATE vorn_test_main GTest::gtest GTest::gmock)
    endif()
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${VORN_TEST_BIN}")
  add_test(NAME ${name} COMMAND ${name} ${T_ARGS} WORKING_DIRECTORY "${VORN_TEST_BIN}")
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(NOT T_NO_GTEST)
    # Each program's report of its cases (passed, skipped, failed) for scripts/test.sh,
    # and CTest shows a program whose every case was skipped as skipped.
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "GTEST_OUTPUT=xml:Z:${VORN_TEST_REPORTS}/${name}.xml")
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
  if(T_RESOURCE_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_RESOURCE_LOCK}")
    # The debug ports belong to the machine, not to this build folder: wine-run.sh also
    # takes a machine-wide file lock for them, so suites of other build folders never bind
    # them at the same time. Every other lock guards what lives in this build's own Wine
    # prefix (its IDE instance, its registry), which CTest's lock covers alone.
    if(VORN_DEBUG_PORTS_LOCK IN_LIST T_RESOURCE_LOCK)
      set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "VORN_MACHINE_LOCK=${VORN_DEBUG_PORTS_LOCK}")
    endif()
  endif()
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# Tests that bind the fixed debug ports 7550/7551 pass this lock.
set(VORN_DEBUG_PORTS_LOCK vorn-debug-ports)
# Tests that use the display's real keyboard, mouse or activation (SendInput, the cursor,
# the foreground window) pass this lock: the suite's programs share one display, and two
# of them typing or dragging at once take each other's input. Programs that only show
# activated windows (modal dialogs) pass it too: keys typed by another program would
# land in their dialogs, and their dialogs would take the other program's keys.
set(VORN_INPUT_LOCK vorn-input)
