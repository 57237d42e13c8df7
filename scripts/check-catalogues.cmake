# SPDX-License-Identifier: GPL-3.0-or-later
# Checks po/*.po against the messages the sources use today (POT): each catalogue translates every
# message, keeps the printf placeholders of its message in order, and names its language, its
# translator and the UTF-8 character set. The flags that say which messages carry placeholders
# come from the template, so the catalogue is first merged with it.
# cmake -DPOT=<talvex.pot> -DPO_DIR=<po> -DWORK_DIR=<scratch folder> -P check-catalogues.cmake
find_program(MSGMERGE msgmerge REQUIRED)
find_program(MSGATTRIB msgattrib REQUIRED)
find_program(MSGFMT msgfmt REQUIRED)
file(MAKE_DIRECTORY ${WORK_DIR})
file(GLOB catalogues ${PO_DIR}/*.po)
if(NOT catalogues)
    message(FATAL_ERROR "no catalogues in ${PO_DIR}")
endif()

set(failed FALSE)
foreach(catalogue IN LISTS catalogues)
    get_filename_component(code ${catalogue} NAME_WE)
    set(merged ${WORK_DIR}/${code}.po)
    execute_process(COMMAND ${MSGMERGE} --quiet --no-fuzzy-matching --no-wrap -o ${merged} ${catalogue} ${POT}
                    RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(SEND_ERROR "${code}.po cannot be merged with the messages:\n${error}")
        set(failed TRUE)
        continue()
    endif()
    foreach(kind untranslated only-fuzzy)
        execute_process(COMMAND ${MSGATTRIB} --no-obsolete --no-wrap --${kind} ${merged}
                        OUTPUT_VARIABLE missing)
        string(REGEX MATCHALL "\nmsgid \"[^\n]*" ids "${missing}")
        list(FILTER ids EXCLUDE REGEX "^\nmsgid \"\"$")
        if(ids)
            string(REPLACE ";" "" ids "${ids}")
            message(SEND_ERROR "${code}.po lacks a translation (${kind}) of:${ids}\n"
                               "Run the target update-po, then translate these in po/${code}.po.")
            set(failed TRUE)
        endif()
    endforeach()
    execute_process(COMMAND ${MSGFMT} -c -o ${WORK_DIR}/${code}.mo ${merged} RESULT_VARIABLE result
                    ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(SEND_ERROR "${code}.po fails msgfmt -c (placeholders or header):\n${error}")
        set(failed TRUE)
    endif()
    file(READ ${catalogue} text)
    foreach(field "X-Poedit-Language: [^\\]" "Last-Translator: " "Content-Type: text/plain; charset=UTF-8")
        if(NOT text MATCHES "\"${field}")
            message(SEND_ERROR "${code}.po: the header lacks \"${field}\"")
            set(failed TRUE)
        endif()
    endforeach()
endforeach()
if(failed)
    message(FATAL_ERROR "catalogues incomplete")
endif()
