# Fails when the program PROGRAM loads Qt Widgets or Qt PrintSupport (which brings Widgets),
# or when its link graph LINKED (the targets it links, directly or through others) holds
# them: tavlen-cli prints through Qt Gui alone and must run where no widget library is.
#   cmake -DPROGRAM=path/to/tavlen-cli "-DLINKED=target …" -P LinksNoWidgets.cmake
if(NOT LINKED MATCHES "tavlen_cli_lib")
    message(FATAL_ERROR "the link graph given does not hold tavlen_cli_lib: '${LINKED}'")
endif()
string(REGEX MATCHALL "Qt[0-9]*::(Widgets|PrintSupport)" offending "${LINKED}")
if(offending)
    message(FATAL_ERROR "${PROGRAM} links ${offending} through: ${LINKED}")
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
