# The direction of the build: each folder includes only from the folders below it, and
# the plain C++ folders include no Qt. Run as a test: cmake -DROOT=<tree> -P this file.
# A line per folder: the folders it may include from (itself always), and whether it is
# plain C++.
cmake_minimum_required(VERSION 3.22)
set(layers
    "output|output|plain"
    "cycles|output|plain"
    "gcode||plain"
    "workpiece|gcode,output|plain"
    "common|output|qt"
    "output_box||qt"
    "windows|output,cycles,output_box|qt"
    "viewer|gcode,workpiece,output,common|qt"
    "app|output,cycles,windows,common|qt"
)
set(faults "")
# Folders whose public headers live under include/zivek/<folder>/.
set(libraries gcode workpiece)
foreach(layer IN LISTS layers)
    string(REPLACE "|" ";" fields "${layer}")
    list(GET fields 0 folder)
    list(GET fields 1 below)
    list(GET fields 2 kind)
    string(REPLACE "," ";" below "${below}")
    file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^#include ")
        foreach(line IN LISTS includes)
            # A library's public header, zivek/gcode/toolpath.h, belongs to its folder.
            set(target "")
            if(line MATCHES "^#include \"zivek/([a-z_]+)/")
                set(target "${CMAKE_MATCH_1}")
            elseif(line MATCHES "^#include \"([a-z_]+)/")
                set(target "${CMAKE_MATCH_1}")
                # The libraries are reached through their public headers only.
                if(target IN_LIST libraries AND NOT target STREQUAL folder)
                    list(APPEND faults "${source}: ${line} (an internal header of ${target}/)")
                endif()
            endif()
            if(target)
                if(NOT target STREQUAL folder AND NOT target IN_LIST below)
                    list(APPEND faults "${source}: ${line} (${folder} may not include ${target}/)")
                endif()
            elseif(kind STREQUAL "plain" AND line MATCHES "^#include <Q")
                list(APPEND faults "${source}: ${line} (${folder} is plain C++)")
            endif()
        endforeach()
    endforeach()
endforeach()
# Inside a library the files form layers too: a file (its header and its source) includes
# only files of lower layers, never one that comes back to it.
foreach(library IN LISTS libraries)
    file(GLOB_RECURSE sources "${ROOT}/${library}/*.h" "${ROOT}/${library}/*.cpp")
    set(modules "")
    foreach(source IN LISTS sources)
        get_filename_component(module "${source}" NAME_WE)
        list(APPEND modules ${module})
        file(STRINGS "${source}" includes REGEX "^#include \"(zivek/)?${library}/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"(zivek/)?${library}/([a-z_]+)\\.h\".*" "\\2" used "${line}")
            if(NOT used STREQUAL module)
                list(APPEND uses_${module} ${used})
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES modules)
    # Peel off, round by round, the files that include nothing left and the files nothing
    # left includes: whatever stays includes itself through the others, a circle.
    set(left ${modules})
    set(peeled TRUE)
    while(peeled)
        set(peeled FALSE)
        set(used_by_left "")
        foreach(module IN LISTS left)
            list(APPEND used_by_left ${uses_${module}})
        endforeach()
        set(next "")
        foreach(module IN LISTS left)
            set(uses_left FALSE)
            foreach(used IN LISTS uses_${module})
                if(used IN_LIST left)
                    set(uses_left TRUE)
                endif()
            endforeach()
            if(uses_left AND module IN_LIST used_by_left)
                list(APPEND next ${module})
            else()
                set(peeled TRUE)
            endif()
        endforeach()
        set(left ${next})
    endwhile()
    if(left)
        list(JOIN left ", " cycle)
        list(APPEND faults "${library}/: these files include each other in a circle: ${cycle}")
    endif()
    foreach(module IN LISTS modules)
        unset(uses_${module})
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "Includes against the build's direction:\n${text}")
endif()
