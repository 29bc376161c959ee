# One place for the project's warning flags: every target of ours links
# tavlen_warnings; core and the arrangement engine also link tavlen_strict.
add_library(tavlen_warnings INTERFACE)
target_compile_options(tavlen_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Werror)

add_library(tavlen_strict INTERFACE)
target_compile_options(tavlen_strict INTERFACE -Wconversion -Wsign-conversion)
target_link_libraries(tavlen_strict INTERFACE tavlen_warnings)

# Qt code: no silent byte-buffer/QString crossings.
add_library(tavlen_qt_rules INTERFACE)
target_compile_definitions(tavlen_qt_rules INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                                     QT_NO_CAST_FROM_BYTEARRAY)
