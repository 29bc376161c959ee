# Fails when the link graph LINKED of the target ROOT (the targets it links, directly or
# through others; LinkGraph.cmake) holds Qt Widgets or Qt PrintSupport (which brings Widgets),
# or, when PROGRAM is given, when that program loads them: tavlen-cli prints through Qt Gui
# alone and must run where no widget library is, and the timetable model and publishing sit
# below every dialog.
#   cmake -DROOT=target "-DLINKED=target …" [-DPROGRAM=path/to/program] -P LinksNoWidgets.cmake
if(NOT ROOT OR NOT LINKED MATCHES "(^| )${ROOT}( |$)")
    message(FATAL_ERROR "the link graph given does not hold ${ROOT}: '${LINKED}'")
endif()
string(REGEX MATCHALL "Qt[0-9]*::(Widgets|PrintSupport)" offending "${LINKED}")
if(offending)
    message(FATAL_ERROR "${ROOT} links ${offending} through: ${LINKED}")
endif()
if(NOT PROGRAM)
    message(STATUS "${ROOT}: no Widgets or PrintSupport in ${LINKED}")
    return()
endif()

execute_process(COMMAND ldd ${PROGRAM}
    OUTPUT_VARIABLE libraries ERROR_VARIABLE problem RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "ldd ${PROGRAM} failed (${status}): ${problem}")
endif()
if(NOT libraries MATCHES "libQt6Gui")
    message(FATAL_ERROR "ldd ${PROGRAM} does not list Qt Gui, so it says nothing:\n${libraries}")
endif()
string(REGEX MATCHALL "libQt6(Widgets|PrintSupport)[^\n]*" offending "${libraries}")
if(offending)
    list(JOIN offending "\n  " lines)
    message(FATAL_ERROR "${PROGRAM} loads widget libraries:\n  ${lines}")
endif()
message(STATUS "${PROGRAM}: Qt Gui without Widgets or PrintSupport")
