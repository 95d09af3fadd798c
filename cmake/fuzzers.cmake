# libFuzzer targets for the platform-free logic. Only the fuzz preset (clang, QUINDLET_FUZZ=ON)
# builds them; the host preset (g++) includes this file and gets nothing from it.
if(NOT QUINDLET_FUZZ)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUINDLET_FUZZ needs clang (libFuzzer); use the fuzz preset")
endif()

# The code under test needs the coverage instrumentation too, or libFuzzer fuzzes blind.
target_compile_options(quindlet_pure PRIVATE -fsanitize=fuzzer-no-link)

foreach(target fuzz_parse_decimal fuzz_program_paths fuzz_language_path fuzz_wrap_decision)
    add_executable(${target} tests/fuzz/${target}.cpp)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${target} PRIVATE quindlet_pure)
endforeach()
