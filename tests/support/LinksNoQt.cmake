# Fails when the link graph LINKED of the target ROOT (LinkGraph.cmake) holds any Qt library,
# or when PROGRAM loads one: the command-line front arranges without Qt, so that it starts in
# the time a plain program takes.
#   cmake -DROOT=target "-DLINKED=target …" -DPROGRAM=path/to/program -P LinksNoQt.cmake
if(NOT ROOT OR NOT LINKED MATCHES "(^| )${ROOT}( |$)")
    message(FATAL_ERROR "the link graph given does not hold ${ROOT}: '${LINKED}'")
endif()
string(REGEX MATCHALL "Qt[0-9]*::[A-Za-z]+" offending "${LINKED}")
if(offending)
    message(FATAL_ERROR "${ROOT} links ${offending} through: ${LINKED}")
endif()
execute_process(COMMAND ldd ${PROGRAM}
    OUTPUT_VARIABLE libraries ERROR_VARIABLE problem RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "ldd ${PROGRAM} failed (${status}): ${problem}")
endif()
if(NOT libraries MATCHES "libodbc")
    message(FATAL_ERROR "ldd ${PROGRAM} does not list unixODBC, so it says nothing:\n${libraries}")
endif()
string(REGEX MATCHALL "libQt[^\n]*" offending "${libraries}")
if(offending)
    list(JOIN offending "\n  " lines)
    message(FATAL_ERROR "${PROGRAM} loads Qt libraries:\n  ${lines}")
endif()
message(STATUS "${PROGRAM}: no Qt")
