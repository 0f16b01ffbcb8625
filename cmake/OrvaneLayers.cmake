# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# The layers, written once: each folder, then the folders it may use (include and link), lower layers first.
# When the build is described, each library and program declared in one of these folders is checked to link only
# libraries of the folders it may use; tests/check_layers.sh reads these same lines and checks every include.
set(ORVANE_LAYERS
    "platform:"
    "core: platform"
    "launch: core platform"
    "settings: core platform"
    "catalogue: core launch platform"
    "gui: catalogue settings core launch platform"
    "app: gui catalogue settings core launch platform"
    "bridge: platform"
    "tools: platform"
    "bench: app gui catalogue settings core launch platform")

# The layer folder a target of ours was declared in, or "" for one declared elsewhere (the shared settings of
# cmake/, the tests).
function(orvane_layer_of target result)
    get_target_property(imported ${target} IMPORTED)
    get_target_property(declared_in ${target} SOURCE_DIR)
    set(${result} "" PARENT_SCOPE)
    if(imported OR NOT declared_in)
        return()
    endif()
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${declared_in})
    string(REGEX REPLACE "/.*" "" folder "${relative}")
    if(DEFINED ORVANE_LAYER_${folder})
        set(${result} ${folder} PARENT_SCOPE)
    endif()
endfunction()

# Every layer target a target links, through the interface libraries that only gather others.
function(orvane_layers_linked target result)
    set(found "")
    get_target_property(type ${target} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(links ${target} LINK_LIBRARIES)
    endif()
    get_target_property(interface_links ${target} INTERFACE_LINK_LIBRARIES)
    foreach(linked IN LISTS links interface_links)
        if(NOT TARGET "${linked}")
            continue()
        endif()
        orvane_layer_of(${linked} folder)
        if(folder)
            list(APPEND found "${linked}:${folder}")
        else()
            get_target_property(linked_imported ${linked} IMPORTED)
            if(NOT linked_imported)
                orvane_layers_linked(${linked} gathered)
                list(APPEND found ${gathered})
            endif()
        endif()
    endforeach()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

foreach(entry IN LISTS ORVANE_LAYERS)
    string(REGEX MATCH "^([a-z]+):(.*)$" matched "${entry}")
    string(REPLACE " " ";" may_use "${CMAKE_MATCH_2}")
    list(FILTER may_use EXCLUDE REGEX "^$")
    set(ORVANE_LAYER_${CMAKE_MATCH_1} ${CMAKE_MATCH_1} ${may_use})
endforeach()

# Each target declared in a layer folder, in every directory the build described.
function(orvane_check_layers_under directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        orvane_layer_of(${target} folder)
        if(NOT folder)
            continue()
        endif()
        orvane_layers_linked(${target} linked)
        foreach(link IN LISTS linked)
            string(REGEX MATCH "^(.*):(.*)$" matched "${link}")
            if(NOT CMAKE_MATCH_2 IN_LIST ORVANE_LAYER_${folder})
                list(JOIN ORVANE_LAYER_${folder} "/, " may_use)
                message(FATAL_ERROR "${target} (${folder}/) links ${CMAKE_MATCH_1} of ${CMAKE_MATCH_2}/: "
                                    "${folder}/ may use ${may_use}/ (cmake/OrvaneLayers.cmake)")
            endif()
        endforeach()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        orvane_check_layers_under(${subdirectory})
    endforeach()
endfunction()

# At the end of the top directory, whichever of the build's kinds returned early.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL orvane_check_layers_under ${PROJECT_SOURCE_DIR})
