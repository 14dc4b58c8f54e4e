# The browser edition (make web): one folder that any static web server can serve,
#   build/web/site/index.html        the page: loads the program, fits it on the screen,
#                                    keeps the browser's own keys away from it
#   build/web/site/kunpu-typing.*    the program (.wasm) and its JavaScript
#   build/web/site/qtloader.js       Qt's loader
#   build/web/site/manifest.webmanifest, icons/   what installs the page as an app
#   build/web/site/service-worker.js keeps the folder for visits without the network
#   build/web/site/licenses/         the licence texts of all that the folder holds
#   build/web/site/**.br, **.gz      the files compressed, for servers that send them so
include(${CMAKE_CURRENT_LIST_DIR}/EditionInputs.cmake)
typing_edition_inputs("browser edition" web TYPING_QT_WEB)

include(${CMAKE_CURRENT_LIST_DIR}/CutFace.cmake)
qt_add_resources(kunpu-typing bundled_fonts
    PREFIX /fonts/bundled
    BASE ${PROJECT_BINARY_DIR}/fonts
    FILES ${cut_face})

# No asyncify: no handler waits inside itself (a box runs what follows it once answered), so
# the program needs no way to pause and resume its stack, which would cost half its code.
target_link_options(kunpu-typing PRIVATE -Oz)
# Safari on an iPad refuses a program whose memory may grow to emscripten's default of 2 GB
# ("Out of memory" before it starts). Lesson after lesson, the program stays within the
# 50 MB that Qt starts with (make bench); 256 MB leaves room five times over.
target_link_options(kunpu-typing PRIVATE -sMAXIMUM_MEMORY=268435456)
# For hunting a crash (make web-assertions): emscripten checks what the program asks of it at
# run time, and a trap's stack names the program's and Qt's functions.
option(TYPING_WEB_ASSERTIONS "Build the browser edition with run-time checks and function names"
       OFF)
if(TYPING_WEB_ASSERTIONS)
    target_link_options(kunpu-typing PRIVATE -sASSERTIONS=2 -sSTACK_OVERFLOW_CHECK=2
                        --profiling-funcs)
endif()
# The program reads no image files: Qt's GIF, ICO and JPEG readers stay out.
qt_import_plugins(kunpu-typing EXCLUDE_BY_TYPE imageformats)

set(site ${PROJECT_BINARY_DIR}/site)
set(TYPING_PAGE_TITLE "タイピングソフト")
configure_file(packaging/web/index.html.in ${PROJECT_BINARY_DIR}/index.html @ONLY)
configure_file(packaging/web/manifest.webmanifest.in ${PROJECT_BINARY_DIR}/manifest.webmanifest
               @ONLY)
# The folder is finished by naming its build, for the service worker, and compressing it.
find_program(BROTLI_PROGRAM brotli REQUIRED)
find_program(ZOPFLI_PROGRAM zopfli REQUIRED)
set(icons ${TYPING_HOST_ICONS})
add_custom_target(web-site ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${site}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}/licenses ${site}/icons
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/index.html
            ${PROJECT_BINARY_DIR}/manifest.webmanifest
            ${PROJECT_SOURCE_DIR}/packaging/web/service-worker.js
            $<TARGET_FILE_DIR:kunpu-typing>/kunpu-typing.js
            $<TARGET_FILE_DIR:kunpu-typing>/kunpu-typing.wasm
            ${TYPING_QT_WEB}/plugins/platforms/qtloader.js ${site}
    COMMAND ${CMAKE_COMMAND} -E copy ${icons}/32x32/kunpu-typing.png ${site}/kunpu-typing.png
    COMMAND ${CMAKE_COMMAND} -E copy ${icons}/180x180/kunpu-typing.png
            ${site}/icons/apple-touch-icon.png
    COMMAND ${CMAKE_COMMAND} -E copy ${icons}/192x192/kunpu-typing.png
            ${site}/icons/kunpu-typing-192.png
    COMMAND ${CMAKE_COMMAND} -E copy ${icons}/512x512/kunpu-typing.png
            ${site}/icons/kunpu-typing-512.png
    COMMAND ${CMAKE_COMMAND} -E copy ${icons}/512x512-maskable/kunpu-typing.png
            ${site}/icons/kunpu-typing-512-maskable.png
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${site}/licenses/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/libqt6core6/copyright
            ${site}/licenses/Qt.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/LGPL-3
            ${site}/licenses/LGPL-3.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/GPL-3 ${site}/licenses/GPL-3.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-ipafont-gothic/copyright
            ${site}/licenses/IPAfont.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/web/KunpuPGothic.txt
            ${site}/licenses/KunpuPGothic.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/emscripten/copyright
            ${site}/licenses/emscripten.txt
    COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tools/web/finish-site.py ${site}
    DEPENDS kunpu-typing ${PROJECT_BINARY_DIR}/index.html
            ${PROJECT_BINARY_DIR}/manifest.webmanifest
    COMMENT "Putting the page, the program and Qt's loader into ${site}, and compressing them"
    VERBATIM)
