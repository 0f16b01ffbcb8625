# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# libarchive, as LibArchive::LibArchive: Debian's on this machine; for Windows the static one that
# packaging/windows/build-libarchive.sh builds (with the zlib and liblzma it needs), named by
# ORVANE_LIBARCHIVE_FOR_WINDOWS.
if(TARGET LibArchive::LibArchive)
    return()
endif()
set(ORVANE_LIBARCHIVE_FOR_WINDOWS "" CACHE PATH "libarchive built for Windows (packaging/windows/build-libarchive.sh)")
if(WIN32)
    if(NOT ORVANE_LIBARCHIVE_FOR_WINDOWS)
        message(FATAL_ERROR "The Windows bridge reads archives: build libarchive with "
                            "packaging/windows/build-libarchive.sh and name it in ORVANE_LIBARCHIVE_FOR_WINDOWS")
    endif()
    set(prefix ${ORVANE_LIBARCHIVE_FOR_WINDOWS})
    add_library(LibArchive::LibArchive STATIC IMPORTED GLOBAL)
    set_target_properties(LibArchive::LibArchive PROPERTIES
        IMPORTED_LOCATION ${prefix}/lib/libarchive.a
        INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include
        INTERFACE_COMPILE_DEFINITIONS LIBARCHIVE_STATIC
        INTERFACE_LINK_LIBRARIES "${prefix}/lib/liblzma.a;${prefix}/lib/libz.a;bcrypt")
else()
    find_package(LibArchive REQUIRED)
endif()
