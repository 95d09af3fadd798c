# The per-tick cost test: the real wrap tick built with its platform calls counted and the
# C runtime's allocators wrapped, run under Wine on the real cursor.
add_executable(tick_cost_test tests/bench/tick_cost_test.cpp wrap/wrap_tick.cpp
    wrap/monitor_layout.cpp
    ${QUINDLET_PURE_SOURCES})
target_include_directories(tick_cost_test PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(tick_cost_test PRIVATE QUINDLET_COUNT_TICK_CALLS WIN32_LEAN_AND_MEAN
    _WIN32_WINNT=0x0601 WINVER=0x0601)
target_compile_options(tick_cost_test PRIVATE -Wall -Wextra -Os)
target_link_libraries(tick_cost_test PRIVATE GTest::gtest)
target_link_options(tick_cost_test PRIVATE ${WIN_TEST_LINK}
    -Wl,--wrap=malloc,--wrap=calloc,--wrap=realloc,--wrap=free)
gtest_discover_tests(tick_cost_test DISCOVERY_MODE PRE_TEST PROPERTIES RUN_SERIAL TRUE)

# Memory per action: the program's modules in-process, Options cycles and toggles repeated with
# the process heap walked before and after; its check mode is a regression test (no block
# left behind). Its host mode is the bare dialog program the memory bench compares with.
add_executable(memory_cycles tests/bench/memory_cycles.cpp res/quindlet.rc)
target_compile_options(memory_cycles PRIVATE -Wall -Wextra)
target_link_libraries(memory_cycles PRIVATE quindlet_core)
target_link_options(memory_cycles PRIVATE ${WIN_TEST_LINK})
add_test(NAME memory_cycles.NoBlockLeftBehind COMMAND memory_cycles check)
set_tests_properties(memory_cycles.NoBlockLeftBehind PROPERTIES RUN_SERIAL TRUE)
