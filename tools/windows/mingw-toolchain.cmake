# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which
# std::thread and Qt need). Used both for building Qt itself and for the trainer.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TYPING_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TYPING_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TYPING_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TYPING_MINGW_PREFIX}-windres)

# Libraries and headers come from the mingw sysroot and from the Qt for Windows named in
# CMAKE_PREFIX_PATH; programs (moc, rcc, uic) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TYPING_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
