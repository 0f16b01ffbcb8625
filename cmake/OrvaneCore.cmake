# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# The core: the rules and their files on Qt Core alone (catalogue, launch command, settings), one library whose
# folders each add their sources. It stands on the platform layer and on nothing above it.
add_library(orvane_core STATIC)
target_include_directories(orvane_core PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(orvane_core PUBLIC orvane_common orvane_platform Qt6::Core)
# What every core folder shares: how a reader or writer says it failed.
target_sources(orvane_core PRIVATE ${PROJECT_SOURCE_DIR}/core/Result.h)
add_subdirectory(${PROJECT_SOURCE_DIR}/launch ${CMAKE_BINARY_DIR}/launch)
add_subdirectory(${PROJECT_SOURCE_DIR}/catalogue ${CMAKE_BINARY_DIR}/catalogue)
add_subdirectory(${PROJECT_SOURCE_DIR}/settings ${CMAKE_BINARY_DIR}/settings)
