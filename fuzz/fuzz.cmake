# libFuzzer targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer
# from the preset's flags). ctest runs each for FUZZ_SECONDS, starting from the
# seeds in fuzz/corpus and keeping what it finds in build/fuzz/corpus.

set(FUZZ_SECONDS 60 CACHE STRING "How long ctest runs each fuzz target")

enable_testing()
foreach(name link command_line)
  add_executable(${name}_fuzz fuzz/${name}_fuzz.cpp)
  target_link_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
  set(corpus ${PROJECT_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}_fuzz
    COMMAND ${name}_fuzz -max_total_time=${FUZZ_SECONDS} -timeout=10
            -print_final_stats=1 -dict=${PROJECT_SOURCE_DIR}/fuzz/link.dict
            -artifact_prefix=${PROJECT_BINARY_DIR}/${name}-
            ${corpus} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
endforeach()
target_link_libraries(link_fuzz PRIVATE smblink recorded_shell)
target_link_libraries(command_line_fuzz PRIVATE command_line)
