# Writes a help2man include file with the --help of every mqxtool verb, so that the
# manual page carries each verb's own options. Run with TOOL (the mqxtool program) and
# OUTPUT set.
execute_process(COMMAND ${TOOL} --help OUTPUT_VARIABLE usage RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "${TOOL} --help failed")
endif()
string(REGEX REPLACE ".*\nVerbs:\n" "" verbs_text "${usage}")
string(REGEX MATCHALL "(^|\n)  [a-z]+ " verbs "${verbs_text}")
set(page "[VERBS]\n")
foreach(verb ${verbs})
    string(STRIP "${verb}" verb)
    execute_process(COMMAND ${TOOL} ${verb} --help OUTPUT_VARIABLE help RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${TOOL} ${verb} --help failed")
    endif()
    # roff: backslashes doubled; a line starting with . or ' is protected.
    string(REPLACE "\\" "\\\\" help "${help}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
    string(APPEND page ".SS ${verb}\n.nf\n${help}.fi\n")
endforeach()
file(WRITE ${OUTPUT} "${page}")
