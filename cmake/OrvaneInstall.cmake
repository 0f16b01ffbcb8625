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
