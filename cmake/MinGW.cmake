# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds for 64-bit Windows with Debian's mingw-w64 (the "posix" thread model, which
# std::thread and std::mutex need) and runs what it built under wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALVEX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TALVEX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALVEX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TALVEX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALVEX_MINGW_TRIPLET})
# Build tools (msgfmt, xgettext) come from the host; libraries and headers only from the target.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in, so a program runs without DLLs travelling beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# A prefix of our own inside the build folder: the tests never see (or change) the user's ~/.wine,
# and a fresh build folder starts from a fresh Windows. wine64 is enough: everything is 64-bit.
find_program(TALVEX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TALVEX_WINE64)
    set(TALVEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env;WINEPREFIX=${TALVEX_WINEPREFIX};WINEDEBUG=-all;${TALVEX_WINE64})
endif()
