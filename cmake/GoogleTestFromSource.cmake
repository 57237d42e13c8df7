# SPDX-License-Identifier: GPL-3.0-or-later
# GoogleTest for a cross build: Debian ships the sources in /usr/src/googletest, built here with the
# target's compiler, where the installed libraries are for the build machine only.
set(TALVEX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
# The Win32 threads of GoogleTest itself; its pthread support is for POSIX systems.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${TALVEX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
