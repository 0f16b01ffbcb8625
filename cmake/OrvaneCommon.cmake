# Flags shared by every target of the project.
add_library(orvane_common INTERFACE)
target_compile_features(orvane_common INTERFACE cxx_std_20)
target_compile_options(orvane_common INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(orvane_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_DISABLE_DEPRECATED_UP_TO=0x060400)
