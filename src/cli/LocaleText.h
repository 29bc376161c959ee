// The command line in the locale's character set. tavlen-cli works in UTF-8; under a locale of
// another character set (LC_ALL=zh_CN.GBK) its arguments are decoded from that set and what it
// prints is encoded into it, at this boundary only. UTF-8 locales and the C/POSIX locale pass
// the bytes through unchanged.
#pragma once

#include <string>

namespace cli {

// The locale's character set as iconv names it (after setlocale(LC_ALL, "")), or empty when
// no conversion is needed: UTF-8, or the C/POSIX locale's ASCII.
std::string localeCharset();

// text converted between two character sets; a byte that cannot be converted is kept as it
// is and a character the target lacks becomes '?', so nothing is lost silently mid-text.
std::string convertText(const std::string& text, const std::string& from, const std::string& to);

} // namespace cli
