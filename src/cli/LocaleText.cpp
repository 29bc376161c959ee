#include "cli/LocaleText.h"

#include "core/Gbk.h"

#include <cerrno>
#include <clocale>
#include <iconv.h>
#include <langinfo.h>

namespace cli {

std::string localeCharset() {
    if (std::setlocale(LC_ALL, "") == nullptr) {
        return {};
    }
    const std::string charset = nl_langinfo(CODESET);
    if (charset == "UTF-8" || charset == "utf8" || charset == "ANSI_X3.4-1968" ||
        charset == "ASCII" || charset.empty()) {
        return {};
    }
    return charset;
}

std::string convertText(const std::string& text, const std::string& from, const std::string& to) {
    const iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    std::string result;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
        result.append(buffer, static_cast<std::size_t>(out - buffer));
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) {
            continue;
        }
        if (errno == EILSEQ && from == "UTF-8") {
            // A character the target lacks, or a byte that is no UTF-8: one '?' or the byte.
            char32_t ch = 0;
            const std::size_t length = gbk::decodeUtf8(std::string_view(in, inLeft), ch);
            const bool whole = ch != U'\uFFFD' || length > 1;
            result += whole ? '?' : *in;
            in += length;
            inLeft -= length;
        } else {
            result += *in++;
            --inLeft;
        }
    }
    iconv_close(cd);
    return result;
}

} // namespace cli
