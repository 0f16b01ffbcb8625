# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# The core: the rules and their files on Qt Core alone, one library per folder, each linking only what it may use:
#   orvane_base       core/       results, file names and text columns    on the platform layer
#   orvane_launch     launch/     the launch command and recordings       on orvane_base
#   orvane_settings   settings/   the option store and its texts          on orvane_base
#   orvane_catalogue  catalogue/  the catalogue, image lists, favourites  on orvane_base, orvane_launch
# orvane_core stands for all of them, for what is built on the core. tests/check_layers.sh checks every include
# against the same order.
add_subdirectory(${PROJECT_SOURCE_DIR}/core ${CMAKE_BINARY_DIR}/core)
add_subdirectory(${PROJECT_SOURCE_DIR}/launch ${CMAKE_BINARY_DIR}/launch)
add_subdirectory(${PROJECT_SOURCE_DIR}/settings ${CMAKE_BINARY_DIR}/settings)
add_subdirectory(${PROJECT_SOURCE_DIR}/catalogue ${CMAKE_BINARY_DIR}/catalogue)
add_library(orvane_core INTERFACE)
target_link_libraries(orvane_core INTERFACE orvane_catalogue orvane_settings orvane_launch orvane_base)
