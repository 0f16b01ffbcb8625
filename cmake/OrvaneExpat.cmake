# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# expat, as EXPAT::EXPAT: Debian's on this machine; for Windows the static one that
# packaging/windows/build-libarchive.sh builds beside libarchive, in ORVANE_LIBARCHIVE_FOR_WINDOWS.
if(TARGET EXPAT::EXPAT)
    return()
endif()
if(WIN32)
    add_library(EXPAT::EXPAT STATIC IMPORTED GLOBAL)
    set_target_properties(EXPAT::EXPAT PROPERTIES
        IMPORTED_LOCATION ${ORVANE_LIBARCHIVE_FOR_WINDOWS}/lib/libexpat.a
        INTERFACE_INCLUDE_DIRECTORIES ${ORVANE_LIBARCHIVE_FOR_WINDOWS}/include
        INTERFACE_COMPILE_DEFINITIONS XML_STATIC)
else()
    find_package(EXPAT REQUIRED)
endif()
