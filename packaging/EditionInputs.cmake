# What a cross-built edition (Windows, browser) is handed by its make target: the Qt that
# tools/build-qt-<name> installed, in QT_VARIABLE, and the icons the Linux build rendered.
# Both must name folders, or the edition cannot be built.
function(typing_edition_inputs edition make_target qt_variable)
    set(${qt_variable} "" CACHE PATH
        "Qt for the ${edition}, as tools/build-qt-${make_target} installed it")
    set(TYPING_HOST_ICONS "" CACHE PATH
        "The icons the Linux build rendered (build/release/icons), one folder a size")
    foreach(needed IN ITEMS ${qt_variable} TYPING_HOST_ICONS)
        if(NOT IS_DIRECTORY "${${needed}}")
            message(FATAL_ERROR "${needed} does not name a folder: build the ${edition} with "
                                "`make ${make_target}`")
        endif()
    endforeach()
endfunction()
