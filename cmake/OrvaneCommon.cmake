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

# Each test's time limit is at least four times its time alone in a plain build; a sanitized build runs the same test
# up to twice as slowly, so its limits are scaled with it. Called at the end of each folder that adds tests.
function(orvane_scale_test_limits)
    if(NOT ORVANE_SANITIZE)
        return()
    endif()
    get_property(tests DIRECTORY PROPERTY TESTS)
    foreach(test IN LISTS tests)
        get_test_property(${test} TIMEOUT limit)
        if(limit)
            math(EXPR limit "${limit} * 2")
            set_tests_properties(${test} PROPERTIES TIMEOUT ${limit})
        endif()
    endforeach()
endfunction()
