# Installation as a desktop program and the Debian package.
#   cmake --install <build> --prefix <prefix>   bin/, the menu entry, the icon theme, the
#                                               AppStream record, the manual page and the
#                                               copyright file and changelog
#   cpack --config <build>/CPackConfig.cmake    kunpu-typing_<version>_<arch>.deb
include(GNUInstallDirs)

# The icon is drawn in code (ui::DrawProgramIcon); a small tool renders it at build time,
# so the desktop's icon theme shows the same kana as the windows.
set(TYPING_ICON_SIZES 16 32 48 64 128)
# The browser edition's home-screen icons: Apple's touch icon (180), a web app's two sizes
# and its maskable icon. They are rendered here and not installed.
set(TYPING_WEB_ICON_SIZES 180 192 512 512m)
add_executable(render-icon tools/render-icon.cpp services/AppIcon.cpp services/Fonts.cpp)
target_include_directories(render-icon PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(render-icon PRIVATE Qt6::Gui project_options)

set(icon_folder ${PROJECT_BINARY_DIR}/icons)
set(icon_files)
foreach(size IN LISTS TYPING_ICON_SIZES TYPING_WEB_ICON_SIZES)
    string(REGEX REPLACE "m$" "" pixels ${size})
    set(suffix "")
    if(NOT size STREQUAL pixels)
        set(suffix "-maskable")
    endif()
    list(APPEND icon_files ${icon_folder}/${pixels}x${pixels}${suffix}/kunpu-typing.png)
endforeach()
add_custom_command(
    OUTPUT ${icon_files}
    # Fonts are not freed at exit; a sanitizer build must still be able to render.
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:render-icon> ${icon_folder} ${TYPING_ICON_SIZES}
            ${TYPING_WEB_ICON_SIZES}
    DEPENDS render-icon
    COMMENT "Rendering the program icon"
    VERBATIM)
add_custom_target(program-icons ALL DEPENDS ${icon_files})

# The documents Debian asks of every package: the licence terms (DEP-5), the history of
# changes and a manual page, the last two compressed with gzip -9n (no name, no time stamp),
# as lintian wants; and the AppStream record that software centres show.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(doc_folder ${PROJECT_BINARY_DIR}/doc)
configure_file(packaging/changelog ${doc_folder}/changelog COPYONLY)
configure_file(packaging/kunpu-typing.1.in ${doc_folder}/kunpu-typing.1 @ONLY)
set(compressed_docs)
foreach(doc IN ITEMS changelog kunpu-typing.1)
    add_custom_command(
        OUTPUT ${doc_folder}/${doc}.gz
        COMMAND ${GZIP_PROGRAM} -9nkf ${doc_folder}/${doc}
        DEPENDS ${doc_folder}/${doc}
        COMMENT "Compressing ${doc}"
        VERBATIM)
    list(APPEND compressed_docs ${doc_folder}/${doc}.gz)
endforeach()
add_custom_target(package-docs ALL DEPENDS ${compressed_docs})

# The newest entry of the changelog names the version the package is built as.
file(STRINGS packaging/changelog changelog_head LIMIT_COUNT 1)
string(REGEX REPLACE "^kunpu-typing \\(([^)]*)\\) .*" "\\1" changelog_version "${changelog_head}")
if(NOT changelog_version STREQUAL PROJECT_VERSION)
    message(WARNING "packaging/changelog does not start with an entry for version "
                    "${PROJECT_VERSION}: add one (the package test fails until then)")
endif()

install(TARGETS kunpu-typing RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/kunpu-typing.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN LISTS TYPING_ICON_SIZES)
    install(FILES ${icon_folder}/${size}x${size}/kunpu-typing.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES packaging/example.kunpu_high.kunpu_typing.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${doc_folder}/kunpu-typing.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Named after the package (the project's own name differs), so not CMAKE_INSTALL_DOCDIR.
install(FILES packaging/copyright ${doc_folder}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kunpu-typing)

# A school installs the package offline with `apt install ./kunpu-typing_1.0.0_amd64.deb`;
# apt then brings in Debian 12's Qt 6 runtime and the Japanese font from its own media.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kunpu-typing)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kunpu High School (薫風高校)")
set(CPACK_PACKAGE_CONTACT "Kunpu High School (薫風高校) <typing@kunpu-high.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Touch-typing trainer for Japanese kana typed as romaji (タイピングソフト)")
# The summary above is the first line; these lines follow it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Twenty lessons of kana phrases, typed as romaji against an indicator that
runs at the chosen target speed. Made for the classrooms of Kunpu High School.
薫風高校のタイピング練習ソフトです。ひらがなの文をローマ字で打ち、目標の速さで
進むインジケーターと競います。20ページの練習があります。")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (dpkg-dev) reads the executable's libraries: libc6, libstdc++6, libgcc-s1,
# libqt6core6, libqt6gui6 and libqt6widgets6 with the versions the build needs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library link shows them: the X11 platform plugin, without which
# no window opens, the Japanese proportional gothic face of the lesson text, and Qt's Japanese
# translation, from which the boxes' buttons take their words (「はい(Y)」, 「いいえ(N)」).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)

# The package test: builds the package from this build and checks what it holds. On by
# default in release builds, the ones the package is made from.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
    set(package_test_default ON)
else()
    set(package_test_default OFF)
endif()
option(TYPING_PACKAGE_TEST "Register the test that builds and checks the Debian package"
       ${package_test_default})
if(TYPING_PACKAGE_TEST)
    find_program(BASH_PROGRAM bash)
    find_program(DPKG_DEB_PROGRAM dpkg-deb)
    find_program(DPKG_SHLIBDEPS_PROGRAM dpkg-shlibdeps)
    find_program(DESKTOP_FILE_VALIDATE_PROGRAM desktop-file-validate)
    find_program(LINTIAN_PROGRAM lintian)
    find_program(APPSTREAMCLI_PROGRAM appstreamcli)
    if(BASH_PROGRAM AND DPKG_DEB_PROGRAM AND DPKG_SHLIBDEPS_PROGRAM
       AND DESKTOP_FILE_VALIDATE_PROGRAM AND LINTIAN_PROGRAM AND APPSTREAMCLI_PROGRAM)
        enable_testing()
        add_test(NAME package
                 COMMAND ${BASH_PROGRAM} ${PROJECT_SOURCE_DIR}/tests/package/check-package.sh
                         ${CMAKE_CPACK_COMMAND} ${PROJECT_BINARY_DIR}/CPackConfig.cmake
                         ${PROJECT_VERSION})
        set_tests_properties(package PROPERTIES LABELS package TIMEOUT 300)
    else()
        message(WARNING "The package test needs bash, dpkg-deb, dpkg-shlibdeps (dpkg-dev), "
                        "desktop-file-validate (desktop-file-utils), lintian and appstreamcli "
                        "(appstream); run tools/install-deps")
    endif()
endif()
