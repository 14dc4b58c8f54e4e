# The browser edition the page draws itself (make page): one folder that any static web
# server can serve,
#   build/page/site/index.html          the page: its windows' look, loads the program
#   build/page/site/kunpu-typing.*      the program (.wasm) and its JavaScript
#   build/page/site/kunpu-pgothic.ttf   the lessons' face, cut to the characters shown
#   build/page/site/manifest.webmanifest, icons/   what installs the page as an app
#   build/page/site/service-worker.js   keeps the folder for visits without the network
#   build/page/site/licenses/           the licence texts of all that the folder holds
#   build/page/site/**.br, **.gz        the files compressed, for servers that send them so
set(TYPING_HOST_ICONS "" CACHE PATH
    "The icons the Linux build rendered (build/release/icons), one folder a size")
if(NOT IS_DIRECTORY "${TYPING_HOST_ICONS}")
    message(FATAL_ERROR "TYPING_HOST_ICONS does not name a folder: build with `make page`")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/CutFace.cmake)
add_custom_target(page-face DEPENDS ${cut_face})

# embind reaches the page's elements; the program reads no files, and its memory starts
# small and grows as it needs to, within what an iPad's Safari accepts.
target_link_options(kunpu-typing PRIVATE --bind -Oz -sENVIRONMENT=web -sFILESYSTEM=0
    -sMALLOC=emmalloc -sTOTAL_STACK=1048576 -sINITIAL_MEMORY=4194304 -sALLOW_MEMORY_GROWTH=1
    -sMAXIMUM_MEMORY=268435456
    --pre-js ${PROJECT_SOURCE_DIR}/services/PageEvents.js)
set_property(TARGET kunpu-typing APPEND PROPERTY LINK_DEPENDS
             ${PROJECT_SOURCE_DIR}/services/PageEvents.js)

set(site ${PROJECT_BINARY_DIR}/site)
set(TYPING_PAGE_TITLE "タイピングソフト")
configure_file(packaging/page/index.html.in ${PROJECT_BINARY_DIR}/index.html @ONLY)
configure_file(packaging/web/manifest.webmanifest.in ${PROJECT_BINARY_DIR}/manifest.webmanifest
               @ONLY)
find_program(BROTLI_PROGRAM brotli REQUIRED)
find_program(ZOPFLI_PROGRAM zopfli REQUIRED)
set(icons ${TYPING_HOST_ICONS})
add_custom_target(page-site ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${site}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}/licenses ${site}/icons
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/index.html
            ${PROJECT_BINARY_DIR}/manifest.webmanifest
            ${PROJECT_SOURCE_DIR}/packaging/web/service-worker.js
            $<TARGET_FILE_DIR:kunpu-typing>/kunpu-typing.js
            $<TARGET_FILE_DIR:kunpu-typing>/kunpu-typing.wasm ${cut_face} ${site}
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
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-ipafont-gothic/copyright
            ${site}/licenses/IPAfont.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/web/KunpuPGothic.txt
            ${site}/licenses/KunpuPGothic.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/emscripten/copyright
            ${site}/licenses/emscripten.txt
    COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tools/web/finish-site.py ${site}
    DEPENDS kunpu-typing page-face ${PROJECT_BINARY_DIR}/index.html
            ${PROJECT_BINARY_DIR}/manifest.webmanifest
    COMMENT "Putting the page, the program and its face into ${site}, and compressing them"
    VERBATIM)
