# In-process tests: the program's real modules linked into GoogleTest executables, run under
# Wine by CTest. Each test runs in its own process, so globals start fresh every time.

set(WIN_TEST_LINK -static -static-libgcc -static-libstdc++)

# The pure tests again, built by the cross compiler: the same logic, the Windows ABI.
add_executable(pure_tests_win ${QUINDLET_PURE_TEST_SOURCES})
target_link_libraries(pure_tests_win PRIVATE quindlet_core GTest::gtest_main)
target_link_options(pure_tests_win PRIVATE ${WIN_TEST_LINK})
gtest_discover_tests(pure_tests_win DISCOVERY_MODE PRE_TEST)

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*_test.cpp)
add_executable(win_tests ${WIN_TEST_SOURCES} tests/win/test_support.cpp res/quindlet.rc)
target_include_directories(win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win)
target_compile_options(win_tests PRIVATE -Wall -Wextra)
target_link_libraries(win_tests PRIVATE quindlet_core GTest::gtest_main psapi)
target_link_options(win_tests PRIVATE ${WIN_TEST_LINK})
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST PROPERTIES RUN_SERIAL TRUE)

# The probe: a small helper exe the end-to-end tests run inside the same Wine prefix to do
# what only a Windows process can (park the cursor through the Wine server, SendInput, hold a
# hotkey, broadcast TaskbarCreated).
add_executable(probe tests/e2e/probe.cpp)
target_compile_options(probe PRIVATE -Wall -Wextra)
target_link_options(probe PRIVATE ${WIN_TEST_LINK})

# End-to-end: the real Quindlet.exe under Wine on the harness's X display, checked from outside.
# One CTest test per test method of CLASS in tests/e2e/FILE.py, named PREFIX.<method>.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
function(add_e2e_tests file class prefix)
    file(STRINGS ${CMAKE_SOURCE_DIR}/tests/e2e/${file}.py lines REGEX "^    def test_")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^    def (test_[A-Za-z0-9_]+).*" "\\1" name "${line}")
        add_test(NAME ${prefix}.${name}
            COMMAND ${Python3_EXECUTABLE} -m unittest -v ${file}.${class}.${name}
            WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/e2e)
        set_tests_properties(${prefix}.${name} PROPERTIES RUN_SERIAL TRUE
            ENVIRONMENT "QUINDLET_BUILD=${CMAKE_BINARY_DIR}" ${ARGN})
    endforeach()
endfunction()
add_e2e_tests(test_e2e EndToEnd e2e)
# These need the several-monitor Xorg display of tools/test's monitors section: the windows
# test preset leaves them out, the monitors preset runs only them.
add_e2e_tests(test_monitors SeveralMonitors monitors LABELS monitors)

include(tests/bench/bench.cmake)
