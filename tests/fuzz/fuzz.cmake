# Builds the settings fuzzer with clang as part of the main build and runs
# it for a bounded time with the tests (label fuzz). A sanitizer build skips
# it: the fuzzer carries its own sanitizers.
find_program(TAVIK_CLANGXX NAMES clang++ clang++-14)
if(TAVIK_CLANGXX AND NOT TAVIK_SANITIZE)
  include(ExternalProject)
  ExternalProject_Add(settings_fuzzer
    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/fuzz
    BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/fuzz
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${TAVIK_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
               -DCMAKE_PREFIX_PATH=${CMAKE_PREFIX_PATH}
    INSTALL_COMMAND ""
    BUILD_ALWAYS TRUE)
  set(TAVIK_FUZZ_SECONDS 30 CACHE STRING "How long each test run fuzzes the settings readers")
  add_test(NAME fuzz.settings
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/run-bounded.sh
            ${CMAKE_CURRENT_BINARY_DIR}/fuzz/settings_fuzzer ${TAVIK_FUZZ_SECONDS}
            ${CMAKE_CURRENT_BINARY_DIR}/fuzz-artifacts)
  set_tests_properties(fuzz.settings PROPERTIES LABELS fuzz TIMEOUT 300)
endif()
