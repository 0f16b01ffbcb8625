# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Installing Orvane: a program folder that its user can write to (Orvane keeps its catalogue and favourites
# there), a command in bin, a desktop entry and the icon. Meant for a per-user prefix such as ~/.local.
option(ORVANE_INSTALL_STANDIN "Install the stand-in emulator as MESS.EXE in the program folder" OFF)
set(ORVANE_PROGRAM_FOLDER "lib/orvane" CACHE STRING "The program folder, relative to the install prefix")

install(TARGETS orvane RUNTIME DESTINATION ${ORVANE_PROGRAM_FOLDER})
install(FILES ${CMAKE_SOURCE_DIR}/demo/Orvane.htm DESTINATION ${ORVANE_PROGRAM_FOLDER})
install(DIRECTORY DESTINATION ${ORVANE_PROGRAM_FOLDER}/INP)
install(DIRECTORY DESTINATION ${ORVANE_PROGRAM_FOLDER}/ROMS)
if(ORVANE_INSTALL_STANDIN)
    install(PROGRAMS $<TARGET_FILE:mess-standin> DESTINATION ${ORVANE_PROGRAM_FOLDER} RENAME MESS.EXE)
    install(FILES ${CMAKE_SOURCE_DIR}/demo/listfull.txt DESTINATION ${ORVANE_PROGRAM_FOLDER})
else()
    # The bridge to today's emulator becomes MESS.EXE when the folder has none yet, or when the one there is the
    # bridge installed before (an update); a MESS.EXE the user put there, in any letter case, is never replaced.
    install(CODE "
        set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ORVANE_PROGRAM_FOLDER}\")
        set(orvane_emulator \"\")
        file(GLOB entries \"\${folder}/*\")
        foreach(entry IN LISTS entries)
            get_filename_component(name \"\${entry}\" NAME)
            string(TOUPPER \"\${name}\" name)
            if(name STREQUAL \"MESS.EXE\")
                set(orvane_emulator \"\${entry}\")
            endif()
        endforeach()
        set(orvane_bridge_wanted TRUE)
        if(orvane_emulator)
            set(orvane_bridge_wanted FALSE)
            if(EXISTS \"\${folder}/orvane-bridge\")
                file(SHA256 \"\${orvane_emulator}\" present)
                file(SHA256 \"\${folder}/orvane-bridge\" previous)
                if(present STREQUAL previous)
                    set(orvane_bridge_wanted TRUE)
                endif()
            endif()
        endif()
    ")
    install(TARGETS orvane-bridge RUNTIME DESTINATION ${ORVANE_PROGRAM_FOLDER})
    install(CODE "
        if(orvane_bridge_wanted)
            if(orvane_emulator)
                file(REMOVE \"\${orvane_emulator}\")
            endif()
            file(COPY_FILE \"\${folder}/orvane-bridge\" \"\${folder}/MESS.EXE\")
            message(STATUS \"Installing: \${folder}/MESS.EXE (the bridge to the emulator)\")
            list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/${ORVANE_PROGRAM_FOLDER}/MESS.EXE\")
        else()
            message(STATUS \"Kept: \${orvane_emulator}, the emulator already in the program folder\")
        endif()
    ")
endif()

foreach(size IN LISTS ORVANE_ICON_SIZES)
    install(FILES ${CMAKE_BINARY_DIR}/icons/orvane-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME orvane.png)
endforeach()

# The prefix is only known when installing (cmake --install --prefix), so the paths that name it are written then;
# they go into install_manifest.txt like every other installed file, so the manifest removes the whole install.
install(CODE "
    set(folder \"\${CMAKE_INSTALL_PREFIX}/${ORVANE_PROGRAM_FOLDER}\")
    set(program \"\${folder}/orvane\")
    configure_file(\"${CMAKE_SOURCE_DIR}/app/orvane.desktop.in\"
                   \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/orvane.desktop\" @ONLY)
    message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/orvane.desktop\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/share/applications/orvane.desktop\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(CREATE_LINK \"../${ORVANE_PROGRAM_FOLDER}/orvane\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/orvane\" SYMBOLIC)
    message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/orvane\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/bin/orvane\")
")
