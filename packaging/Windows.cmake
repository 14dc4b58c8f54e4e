# The Windows edition (make windows): the program with its icon and version information,
# and what a school gets, both made from one program folder:
#   KunpuTyping-<version>-windows.zip     runs from any folder, nothing to install
#   KunpuTyping-<version>-setup.exe       installs for all users; /S installs silently
enable_language(RC)
set_target_properties(kunpu-typing PROPERTIES WIN32_EXECUTABLE ON)
target_link_options(kunpu-typing PRIVATE -s)

include(${CMAKE_CURRENT_LIST_DIR}/EditionInputs.cmake)
typing_edition_inputs("Windows edition" windows TYPING_QT_WINDOWS)

# The .ico holds the icon the Linux build rendered from the drawing the windows use.
find_program(CONVERT_PROGRAM convert)
if(NOT CONVERT_PROGRAM)
    message(FATAL_ERROR "convert is missing: install the Debian package imagemagick "
                        "(tools/install-deps windows)")
endif()
set(TYPING_ICO_FILE ${PROJECT_BINARY_DIR}/kunpu-typing.ico)
set(icon_pngs)
foreach(size IN ITEMS 16 32 48 64 128)
    list(APPEND icon_pngs ${TYPING_HOST_ICONS}/${size}x${size}/kunpu-typing.png)
endforeach()
add_custom_command(OUTPUT ${TYPING_ICO_FILE}
                   COMMAND ${CONVERT_PROGRAM} ${icon_pngs} ${TYPING_ICO_FILE}
                   DEPENDS ${icon_pngs}
                   COMMENT "Making the program's .ico"
                   VERBATIM)
configure_file(packaging/windows/kunpu-typing.rc.in ${PROJECT_BINARY_DIR}/kunpu-typing.rc @ONLY)
target_sources(kunpu-typing PRIVATE ${PROJECT_BINARY_DIR}/kunpu-typing.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/kunpu-typing.rc PROPERTIES
                            OBJECT_DEPENDS ${TYPING_ICO_FILE})

# The program folder: the program, Qt's libraries, the two plugins it loads and its Japanese
# translation, the compiler's runtime libraries, and the licence texts of all of them.
install(TARGETS kunpu-typing RUNTIME DESTINATION .)
install(FILES ${TYPING_ICO_FILE} DESTINATION .)
foreach(module IN ITEMS Core Gui Widgets)
    install(FILES ${TYPING_QT_WINDOWS}/bin/Qt6${module}.dll DESTINATION .)
endforeach()
install(FILES ${TYPING_QT_WINDOWS}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${TYPING_QT_WINDOWS}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
# Qt's Japanese translation, for the boxes' buttons: Debian's, of the same Qt version; Qt
# finds it in the folder `translations` beside the program.
set(qt_japanese /usr/share/qt6/translations/qtbase_ja.qm)
if(NOT EXISTS ${qt_japanese})
    message(FATAL_ERROR "${qt_japanese} is missing: install the Debian package "
                        "qt6-translations-l10n (tools/install-deps)")
endif()
install(FILES ${qt_japanese} DESTINATION translations)
foreach(runtime IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
        message(FATAL_ERROR "The compiler does not know where ${runtime} is")
    endif()
    install(FILES ${runtime_path} DESTINATION .)
endforeach()
# Debian's own records of the licences: Qt's (with those of the libraries built into it),
# the compiler runtime's (GCC's runtime library exception) and the thread library's.
install(FILES LICENSE DESTINATION licenses RENAME LICENSE.txt)
install(FILES /usr/share/doc/libqt6core6/copyright DESTINATION licenses RENAME Qt.txt)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME LGPL-3.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses RENAME GPL-3.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses
        RENAME GCC-runtime.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses
        RENAME mingw-w64.txt)

# The libraries as they come carry their debugging symbols (libstdc++ alone 23 MB): the
# program folder gets them stripped.
install(CODE "
    file(GLOB_RECURSE libraries \"\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(library IN LISTS libraries)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${library}\"
                        RESULT_VARIABLE stripped)
        if(NOT stripped EQUAL 0)
            message(FATAL_ERROR \"cannot strip \${library}\")
        endif()
    endforeach()
")

find_program(MAKENSIS_PROGRAM makensis)
if(NOT MAKENSIS_PROGRAM)
    message(FATAL_ERROR "makensis is missing: install the Debian package nsis "
                        "(tools/install-deps windows)")
endif()
set(stage_root ${PROJECT_BINARY_DIR}/stage)
set(stage ${stage_root}/KunpuTyping)
set(windows_zip ${PROJECT_BINARY_DIR}/KunpuTyping-${PROJECT_VERSION}-windows.zip)
set(windows_setup ${PROJECT_BINARY_DIR}/KunpuTyping-${PROJECT_VERSION}-setup.exe)
add_custom_target(windows-packages
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage_root} ${windows_zip} ${windows_setup}
    COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${stage}
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage_root}
            ${CMAKE_COMMAND} -E tar cf ${windows_zip} --format=zip KunpuTyping
    COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DOUTPUT=${stage_root}/files.nsh
            -P ${PROJECT_SOURCE_DIR}/packaging/windows/ListStagedFiles.cmake
    COMMAND ${MAKENSIS_PROGRAM} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
            -DSTAGE=${stage} -DFILELIST=${stage_root}/files.nsh -DOUTFILE=${windows_setup}
            ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi
    DEPENDS kunpu-typing
    COMMENT "Making the Windows zip and installer"
    VERBATIM)

# The benchmarks' floor, built the same way (make bench): a program folder holding both the
# trainer and the bare Qt program, so that both start under Wine beside the same libraries.
add_executable(bare-two-windows WIN32 EXCLUDE_FROM_ALL bench/bare/BareTwoWindows.cpp)
target_link_libraries(bare-two-windows PRIVATE Qt6::Widgets project_options)
set(bench_folder ${PROJECT_BINARY_DIR}/bench-folder)
add_custom_target(windows-bench-folder
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${bench_folder}
    COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${bench_folder}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:bare-two-windows> ${bench_folder}
    DEPENDS kunpu-typing bare-two-windows
    COMMENT "Putting the trainer and the bare program into one folder for the benchmarks"
    VERBATIM)
