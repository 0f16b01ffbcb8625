# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# The core: the rules and their files on Qt Core alone, one library per folder, each linking only what it may use:
#   orvane_core       core/       results, file names and text columns    on the platform layer
#   orvane_launch     launch/     the launch command and recordings       on orvane_core
#   orvane_settings   settings/   the option store and its texts          on orvane_core
#   orvane_catalogue  catalogue/  the catalogue, image lists, favourites  on orvane_core, orvane_launch
# orvane_below_gui gathers all of them for what is built on them (the window, the benchmarks, the fuzz targets). The
# order itself is written once, in cmake/OrvaneLayers.cmake.
add_subdirectory(${PROJECT_SOURCE_DIR}/core ${CMAKE_BINARY_DIR}/core)
add_subdirectory(${PROJECT_SOURCE_DIR}/launch ${CMAKE_BINARY_DIR}/launch)
add_subdirectory(${PROJECT_SOURCE_DIR}/settings ${CMAKE_BINARY_DIR}/settings)
add_subdirectory(${PROJECT_SOURCE_DIR}/catalogue ${CMAKE_BINARY_DIR}/catalogue)
add_library(orvane_below_gui INTERFACE)
target_link_libraries(orvane_below_gui INTERFACE orvane_catalogue orvane_settings orvane_launch orvane_core)
