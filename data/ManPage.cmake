# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a manual page from a program's own usage text, so that the page and "--help" never disagree.
# Called as: cmake -DPROGRAM=... -DTEMPLATE=... -DOUTPUT=... -DVERSION=... -P ManPage.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE usage RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
# roff: a backslash is written \e; a line that starts with "." or "'" would be a request.
string(REPLACE "\\" "\\e" usage "${usage}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" usage "${usage}")
string(REGEX REPLACE "\n+$" "" usage "${usage}")
file(READ ${TEMPLATE} page)
string(REPLACE "@USAGE@" "${usage}" page "${page}")
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
