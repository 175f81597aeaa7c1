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
            if(line MATCHES "^#include \"([a-z_]+)/")
                set(target "${CMAKE_MATCH_1}")
                if(NOT target STREQUAL folder AND NOT target IN_LIST below)
                    list(APPEND faults "${source}: ${line} (${folder} may not include ${target}/)")
                endif()
            elseif(kind STREQUAL "plain" AND line MATCHES "^#include <Q")
                list(APPEND faults "${source}: ${line} (${folder} is plain C++)")
            endif()
        endforeach()
    endforeach()
endforeach()
if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "Includes against the build's direction:\n${text}")
endif()
