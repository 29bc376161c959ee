#include "Gbk.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <mutex>
#include <stdexcept>

namespace gbk {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// RAII holder for one iconv conversion descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; false when any character cannot be converted.
    bool convert(std::string_view in, std::string& out) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.clear();
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::array<char, 256> buf{};
        while (srcLeft > 0) {
            char* dst = buf.data();
            std::size_t dstLeft = buf.size();
            const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf.data(), buf.size() - dstLeft);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_cd;
};

// Width of every Basic Multilingual Plane scalar, each found the first time it is asked for
// (a school's data holds a few hundred distinct characters; converting all 65,536 would cost
// every program start a few milliseconds); GBK encodes nothing outside the BMP. Safe across
// threads: each thread converts with its own descriptor, and a width is stored once, the same
// by whichever thread.
class WidthTable {
public:
    WidthTable() {
        for (auto& width : m_widths) {
            width.store(kUnknown, std::memory_order_relaxed);
        }
        for (std::size_t cp = 0; cp < 0x80; ++cp) {
            m_widths[cp].store(1, std::memory_order_relaxed);
        }
        for (std::size_t cp = 0xD800; cp <= 0xDFFF; ++cp) {
            m_widths[cp].store(0, std::memory_order_relaxed);
        }
    }
    int at(char32_t ch) const {
        if (ch >= m_widths.size()) {
            return 0;
        }
        const unsigned char known = m_widths[ch].load(std::memory_order_relaxed);
        if (known != kUnknown) {
            return known;
        }
        thread_local Converter conv("GBK", "UTF-32LE");
        thread_local std::string out;
        const std::array<char, 4> in{static_cast<char>(ch & 0xFF),
                                     static_cast<char>((ch >> 8) & 0xFF), 0, 0};
        const unsigned char width = conv.convert(std::string_view(in.data(), in.size()), out) &&
                                            !out.empty() && out.size() <= 2
                                        ? static_cast<unsigned char>(out.size())
                                        : 0;
        m_widths[ch].store(width, std::memory_order_relaxed);
        return width;
    }

private:
    static constexpr unsigned char kUnknown = 0xFF;
    mutable std::array<std::atomic<unsigned char>, 0x10000> m_widths;
};

const WidthTable& widthTable() {
    static const WidthTable table;
    return table;
}

} // namespace

std::size_t decodeUtf8(std::string_view text, char32_t& out) {
    const auto b0 = static_cast<unsigned char>(text[0]);
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1Fu;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0Fu;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07u;
        minimum = 0x10000;
    } else {
        out = kReplacement;
        return 1;
    }
    if (text.size() < len) {
        out = kReplacement;
        return 1;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) != 0x80) {
            out = kReplacement;
            return 1;
        }
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        out = kReplacement;
        return 1;
    }
    out = cp;
    return len;
}

void appendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

int charWidth(char32_t ch) {
    return widthTable().at(ch);
}

namespace {

// Width of one decoded scalar as width() and cut() count it. An invalid UTF-8 byte
// decodes to U+FFFD, which GBK lacks, and so counts as 2 like any unencodable scalar.
std::size_t countedWidth(char32_t ch) {
    const int w = charWidth(ch);
    return w == 0 ? 2u : static_cast<std::size_t>(w);
}

} // namespace

std::size_t width(std::string_view utf8) {
    std::size_t total = 0;
    while (!utf8.empty()) {
        char32_t ch = 0;
        const std::size_t len = decodeUtf8(utf8, ch);
        total += countedWidth(ch);
        utf8.remove_prefix(len);
    }
    return total;
}

std::string firstUnencodable(std::string_view utf8) {
    while (!utf8.empty()) {
        char32_t ch = 0;
        const std::size_t len = decodeUtf8(utf8, ch);
        if (charWidth(ch) == 0 || (ch == kReplacement && len == 1)) {
            return std::string(utf8.substr(0, len));
        }
        utf8.remove_prefix(len);
    }
    return {};
}

bool encodable(std::string_view utf8) {
    while (!utf8.empty()) {
        char32_t ch = 0;
        const std::size_t len = decodeUtf8(utf8, ch);
        if (charWidth(ch) == 0) {
            return false;
        }
        utf8.remove_prefix(len);
    }
    return true;
}

std::string cut(std::string_view utf8, std::size_t maxBytes) {
    std::size_t used = 0;
    std::size_t end = 0;
    std::string_view rest = utf8;
    while (!rest.empty()) {
        char32_t ch = 0;
        const std::size_t len = decodeUtf8(rest, ch);
        const std::size_t w = countedWidth(ch);
        if (used + w > maxBytes) {
            break;
        }
        used += w;
        end += len;
        rest.remove_prefix(len);
    }
    return std::string(utf8.substr(0, end));
}

std::optional<std::string> toGbk(std::string_view utf8) {
    if (!encodable(utf8)) {
        return std::nullopt;
    }
    static std::mutex mutex;
    static Converter conv("GBK", "UTF-8");
    const std::lock_guard lock(mutex);
    std::string out;
    if (!conv.convert(utf8, out)) {
        return std::nullopt;
    }
    return out;
}

std::string fromGbk(std::string_view gbkBytes) {
    static std::mutex mutex;
    static Converter conv("UTF-8", "GBK");
    const std::lock_guard lock(mutex);
    std::string out;
    std::string piece;
    std::size_t i = 0;
    while (i < gbkBytes.size()) {
        const auto b = static_cast<unsigned char>(gbkBytes[i]);
        const std::size_t len = (b >= 0x81 && b <= 0xFE && i + 1 < gbkBytes.size()) ? 2 : 1;
        if (conv.convert(gbkBytes.substr(i, len), piece)) {
            out += piece;
        } else {
            appendUtf8(out, kReplacement);
            i += 1;
            continue;
        }
        i += len;
    }
    return out;
}

} // namespace gbk
