# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Flags shared by every target of the project.
add_library(orvane_common INTERFACE)
target_compile_features(orvane_common INTERFACE cxx_std_20)
target_compile_options(orvane_common INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(orvane_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_DISABLE_DEPRECATED_UP_TO=0x060400)

# A build for the sanitizers: every target, the tools and the tests included, checked for memory errors and
# undefined behaviour; any finding ends the process.
option(ORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(ORVANE_SANITIZE)
    target_compile_options(orvane_common INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(orvane_common INTERFACE -fsanitize=address,undefined)
endif()

# Called at the end of each folder that adds tests. Each test's time limit is at least four times its time alone in a
# plain build; a sanitized build runs the same test up to twice as slowly, so its limits are scaled with it. Every
# test runs with the suite's own home (tests/home_check.sh plants it and checks that nothing changed its emulator
# folders): nothing a test runs ever reads or writes the user's.
set(ORVANE_SUITE_HOME ${CMAKE_BINARY_DIR}/suite-home)
function(orvane_finish_tests)
    get_property(tests DIRECTORY PROPERTY TESTS)
    foreach(test IN LISTS tests)
        if(test MATCHES "^home_")
            continue()
        endif()
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "HOME=${ORVANE_SUITE_HOME}")
        set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED suite_home)
        get_test_property(${test} TIMEOUT limit)
        if(limit AND ORVANE_SANITIZE)
            math(EXPR limit "${limit} * 2")
            set_tests_properties(${test} PROPERTIES TIMEOUT ${limit})
        endif()
    endforeach()
endfunction()
