# cmake -DHELP2MAN=… -DGZIP=… -DPROGRAM=… -DNAME=… -DOUTPUT=….1.gz -P ManPage.cmake
# Writes PROGRAM's manual page from its --help and --version with help2man, reading them as
# UTF-8, sets it flush left (Chinese lines have no spaces to stretch, so justified lines draw
# groff's "cannot adjust line" warnings), and compresses it with gzip -9n (no timestamp).
string(REGEX REPLACE "\\.gz$" "" page "${OUTPUT}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
            ${HELP2MAN} --no-info --locale=C.UTF-8 "--name=${NAME}" --output=${page} ${PROGRAM}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man failed on ${PROGRAM}: ${status}")
endif()
file(READ ${page} text)
string(REPLACE "\n.SH NAME\n" "\n.ad l\n.SH NAME\n" text "${text}")
file(WRITE ${page} "${text}")
execute_process(COMMAND ${GZIP} -9nf ${page} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${page}: ${status}")
endif()
