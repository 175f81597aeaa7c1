# zivek_windows_resource(target description): gives a Windows program the application
# icon and its version information. The icon is rendered from icon.svg on the build host
# at the sizes Windows shows (16 to 256 pixels) and packed into an .ico.
function(zivek_windows_resource target description)
    if(NOT WIN32)
        return()
    endif()
    find_program(ZIVEK_RSVG_CONVERT rsvg-convert REQUIRED)
    find_program(ZIVEK_ICOTOOL icotool REQUIRED)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}-resource)
    set(svg ${PROJECT_SOURCE_DIR}/resources/icon.svg)
    set(pngs)
    set(commands)
    foreach(size IN ITEMS 16 24 32 48 64 256)
        list(APPEND commands COMMAND ${ZIVEK_RSVG_CONVERT} -w ${size} -h ${size}
             -o ${folder}/icon-${size}.png ${svg})
        if(NOT size EQUAL 256)
            list(APPEND pngs ${folder}/icon-${size}.png)
        endif()
    endforeach()
    set(ZIVEK_ICON ${folder}/icon.ico)
    add_custom_command(OUTPUT ${ZIVEK_ICON}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        ${commands}
        # The largest as PNG inside the .ico, as Windows' own icons do.
        COMMAND ${ZIVEK_ICOTOOL} -c -o ${ZIVEK_ICON} ${pngs} -r ${folder}/icon-256.png
        DEPENDS ${svg}
        VERBATIM)
    set(ZIVEK_NAME ${target})
    set(ZIVEK_DESCRIPTION ${description})
    configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in ${folder}/program.rc @ONLY)
    set_source_files_properties(${folder}/program.rc PROPERTIES OBJECT_DEPENDS ${ZIVEK_ICON})
    target_sources(${target} PRIVATE ${folder}/program.rc ${ZIVEK_ICON})
endfunction()
