# The trainer for Windows: Debian's mingw-w64 and the Qt for Windows that
# tools/build-qt-windows built (TYPING_QT_WINDOWS, from the cache or the environment).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)

find_program(TYPING_MINGW_CXX ${CMAKE_CXX_COMPILER})
if(NOT TYPING_MINGW_CXX)
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} is missing: install the Debian package "
                        "g++-mingw-w64-x86-64-posix (tools/install-deps windows)")
endif()

if(NOT TYPING_QT_WINDOWS AND DEFINED ENV{TYPING_QT_WINDOWS})
    set(TYPING_QT_WINDOWS $ENV{TYPING_QT_WINDOWS})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TYPING_QT_WINDOWS)
if(TYPING_QT_WINDOWS)
    list(APPEND CMAKE_FIND_ROOT_PATH ${TYPING_QT_WINDOWS})
    list(APPEND CMAKE_PREFIX_PATH ${TYPING_QT_WINDOWS})
endif()
# moc, rcc and uic come from Debian's Qt, the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
