# Cross-builds the terminal program for 64-bit Windows with Debian's mingw-w64
# (package g++-mingw-w64-x86-64-posix); tests run under wine. Used by
# `scripts/dev windows`, together with -DQM_CORE_ONLY=ON.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QM_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QM_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QM_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QM_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QM_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Debian's wine64 package keeps its loader out of PATH.
find_program(QM_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(QM_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QM_WINE})
endif()
