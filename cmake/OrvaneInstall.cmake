# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Installing Orvane: a program folder that its user can write to (Orvane keeps its catalogue and favourites
# there), a command in bin, a desktop entry and the icon. Meant for a per-user prefix such as ~/.local.
option(ORVANE_INSTALL_STANDIN "Install the stand-in emulator as MESS.EXE in the program folder" OFF)
set(ORVANE_PROGRAM_FOLDER "lib/orvane" CACHE STRING "The program folder, relative to the install prefix")

# What the install makes is recorded in the program folder, for its uninstall.sh: the folders not there before, first.
configure_file(cmake/install/record-folders.cmake.in install/record-folders.cmake @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/install/record-folders.cmake)

install(TARGETS orvane RUNTIME DESTINATION ${ORVANE_PROGRAM_FOLDER})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/cmake/install/uninstall.sh DESTINATION ${ORVANE_PROGRAM_FOLDER})
install(FILES ${CMAKE_SOURCE_DIR}/demo/Orvane.htm DESTINATION ${ORVANE_PROGRAM_FOLDER})
install(DIRECTORY DESTINATION ${ORVANE_PROGRAM_FOLDER}/INP)
install(DIRECTORY DESTINATION ${ORVANE_PROGRAM_FOLDER}/ROMS)
if(ORVANE_INSTALL_STANDIN)
    install(PROGRAMS $<TARGET_FILE:mess-standin> DESTINATION ${ORVANE_PROGRAM_FOLDER} RENAME MESS.EXE)
    install(FILES ${CMAKE_SOURCE_DIR}/demo/listfull.txt ${CMAKE_SOURCE_DIR}/demo/identify.txt
            DESTINATION ${ORVANE_PROGRAM_FOLDER})
else()
    # The bridge to today's emulator becomes MESS.EXE unless the user's own emulator is there (see the scripts).
    configure_file(cmake/install/choose-emulator.cmake.in install/choose-emulator.cmake @ONLY)
    configure_file(cmake/install/bridge-as-emulator.cmake.in install/bridge-as-emulator.cmake @ONLY)
    install(SCRIPT ${CMAKE_BINARY_DIR}/install/choose-emulator.cmake)
    install(TARGETS orvane-bridge RUNTIME DESTINATION ${ORVANE_PROGRAM_FOLDER})
    install(SCRIPT ${CMAKE_BINARY_DIR}/install/bridge-as-emulator.cmake)
endif()

foreach(size IN LISTS ORVANE_ICON_SIZES)
    install(FILES ${CMAKE_BINARY_DIR}/icons/orvane-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME orvane.png)
endforeach()

# The desktop entry and the command in bin name the prefix, known only when installing.
configure_file(cmake/install/desktop-entry.cmake.in install/desktop-entry.cmake @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/install/desktop-entry.cmake)

# Last: every file installed, with what it holds.
configure_file(cmake/install/uninstall-record.cmake.in install/uninstall-record.cmake @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/install/uninstall-record.cmake)
