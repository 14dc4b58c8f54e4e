# The trainer for the browser: the Qt for WebAssembly that tools/build-qt-web built
# (TYPING_QT_WEB, from the cache or the environment), and through it Debian's emscripten.
if(NOT TYPING_QT_WEB AND DEFINED ENV{TYPING_QT_WEB})
    set(TYPING_QT_WEB $ENV{TYPING_QT_WEB})
endif()
if(NOT EXISTS "${TYPING_QT_WEB}/lib/cmake/Qt6/qt.toolchain.cmake")
    message(FATAL_ERROR "TYPING_QT_WEB does not name a Qt for WebAssembly: build the browser "
                        "edition with `make web`")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TYPING_QT_WEB)
include(${TYPING_QT_WEB}/lib/cmake/Qt6/qt.toolchain.cmake)
