# Fails when the link graph LINKED of the target ROOT (the targets it links, directly or
# through others; LinkGraph.cmake) holds Qt Widgets or Qt PrintSupport (which brings Widgets),
# or, when PROGRAM is given, when that program loads them: tavlen-cli-full prints through Qt
# Gui alone and must run where no widget library is, and the timetable model and publishing
# sit below every dialog. With NO_QT ON no Qt library at all may be linked or loaded: the
# command-line front arranges without Qt, so that it starts in the time a plain program takes.
#   cmake -DROOT=target "-DLINKED=target …" [-DPROGRAM=path/to/program] [-DNO_QT=ON]
#         -P LinksNoWidgets.cmake
if(NOT ROOT OR NOT LINKED MATCHES "(^| )${ROOT}( |$)")
    message(FATAL_ERROR "the link graph given does not hold ${ROOT}: '${LINKED}'")
endif()
if(NO_QT)
    set(targets "Qt[0-9]*::[A-Za-z]+")
    set(libraries_loaded "libQt6[^\n]*")
    set(witness "libodbc")
    set(kept "no Qt")
else()
    set(targets "Qt[0-9]*::(Widgets|PrintSupport)")
    set(libraries_loaded "libQt6(Widgets|PrintSupport)[^\n]*")
    set(witness "libQt6Gui")
    set(kept "Qt Gui without Widgets or PrintSupport")
endif()
string(REGEX MATCHALL "${targets}" offending "${LINKED}")
if(offending)
    message(FATAL_ERROR "${ROOT} links ${offending} through: ${LINKED}")
endif()
if(NOT PROGRAM)
    message(STATUS "${ROOT}: ${kept} in ${LINKED}")
    return()
endif()

execute_process(COMMAND ldd ${PROGRAM}
    OUTPUT_VARIABLE libraries ERROR_VARIABLE problem RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "ldd ${PROGRAM} failed (${status}): ${problem}")
endif()
if(NOT libraries MATCHES "${witness}")
    message(FATAL_ERROR "ldd ${PROGRAM} does not list ${witness}, so it says nothing:\n${libraries}")
endif()
string(REGEX MATCHALL "${libraries_loaded}" offending "${libraries}")
if(offending)
    list(JOIN offending "\n  " lines)
    message(FATAL_ERROR "${PROGRAM} loads libraries it must not:\n  ${lines}")
endif()
message(STATUS "${PROGRAM}: ${kept}")
