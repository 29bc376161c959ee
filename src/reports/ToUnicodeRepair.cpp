#include "reports/ToUnicodeRepair.h"

#include <QChar>
#include <QString>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <functional>

namespace reports {
namespace {

constexpr unsigned kRadicalsFirst = 0x2E80;
constexpr unsigned kRadicalsLast = 0x2FDF;

// The simplified forms of the radicals supplement, which have no compatibility decomposition:
// the ideograph each stands for (Unicode's equivalent unified ideographs). Common surnames and
// words are among them (黄 马 龙 门 长 贝 车 风 飞 鱼 鸟 页).
struct Equivalent {
    unsigned radical;
    unsigned ideograph;
};
constexpr Equivalent kSupplement[] = {
    {0x2EC5, 0x89C1}, {0x2EC6, 0x89D2}, {0x2EC8, 0x8BA0}, {0x2EC9, 0x8D1D}, {0x2ECB, 0x8F66},
    {0x2ED3, 0x957F}, {0x2ED4, 0x95E8}, {0x2ED6, 0x961D}, {0x2EDA, 0x9875}, {0x2EDB, 0x98CE},
    {0x2EDC, 0x98DE}, {0x2EDD, 0x98DF}, {0x2EDF, 0x98E0}, {0x2EE0, 0x9963}, {0x2EE2, 0x9A6C},
    {0x2EE4, 0x9B3C}, {0x2EE5, 0x9C7C}, {0x2EE6, 0x9E1F}, {0x2EE7, 0x5364}, {0x2EE8, 0x9EA6},
    {0x2EE9, 0x9EC4}, {0x2EEA, 0x9EFE}, {0x2EEC, 0x9F50}, {0x2EEE, 0x9F7F}, {0x2EF0, 0x9F99},
    {0x2EF3, 0x9F9F},
};

// The ideograph a radical stands for, or the code as it is.
unsigned ideographOf(unsigned code) {
    if (code < kRadicalsFirst || code > kRadicalsLast) {
        return code;
    }
    for (const Equivalent& e : kSupplement) {
        if (e.radical == code) {
            return e.ideograph;
        }
    }
    const QString folded = QString(QChar(char16_t(code))).normalized(QString::NormalizationForm_KC);
    // one UTF-16 unit: a single code point of the Basic Multilingual Plane
    return folded.size() == 1 ? folded.at(0).unicode() : code;
}

std::string hexUnit(unsigned code) {
    char text[8];
    std::snprintf(text, sizeof text, "<%04X>", code);
    return text;
}

bool isWhite(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDelimiter(char c) {
    return std::strchr("()<>[]{}/%", c) != nullptr;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The tokens of a CMap, as far as its bf sections need them: hex strings, array brackets,
// and everything else (names, numbers, keywords, strings, dictionary brackets) as words.
class Scanner {
public:
    enum class Kind { End, Hex, Open, Close, Word, Bad };
    struct Token {
        Kind kind = Kind::End;
        std::size_t begin = 0;
        std::size_t end = 0;
    };

    explicit Scanner(std::string_view text) : m_text(text) {}

    Token next() {
        skipSpace();
        const std::size_t begin = m_at;
        if (m_at >= m_text.size()) {
            return {Kind::End, begin, begin};
        }
        const char c = m_text[m_at];
        if (c == '<' || c == '>') {
            if (peek(1) == c) {
                m_at += 2;
                return {Kind::Word, begin, m_at};
            }
            return c == '<' ? hex(begin) : Token{Kind::Bad, begin, begin};
        }
        if (c == '[' || c == ']') {
            ++m_at;
            return {c == '[' ? Kind::Open : Kind::Close, begin, m_at};
        }
        if (c == '(') {
            return string(begin);
        }
        if (c == ')') {
            return {Kind::Bad, begin, begin};
        }
        ++m_at;
        if (c != '{' && c != '}') {
            while (m_at < m_text.size() && !isWhite(m_text[m_at]) && !isDelimiter(m_text[m_at])) {
                ++m_at;
            }
        }
        return {Kind::Word, begin, m_at};
    }

    bool isWord(const Token& token, std::string_view word) const {
        return token.kind == Kind::Word && text(token) == word;
    }

    std::string_view text(const Token& token) const {
        return m_text.substr(token.begin, token.end - token.begin);
    }

    // The hex string's digits as a number, and how many digits it has.
    struct Value {
        unsigned long long number = 0;
        std::size_t digits = 0;
    };
    Value value(const Token& token) const {
        Value v;
        for (const char c : text(token)) {
            if (const int d = hexDigit(c); d >= 0 && v.digits < 16) {
                v.number = v.number * 16 + unsigned(d);
                ++v.digits;
            }
        }
        return v;
    }

private:
    char peek(std::size_t ahead) const {
        return m_at + ahead < m_text.size() ? m_text[m_at + ahead] : '\0';
    }

    void skipSpace() {
        while (m_at < m_text.size()) {
            if (isWhite(m_text[m_at])) {
                ++m_at;
            } else if (m_text[m_at] == '%') {
                while (m_at < m_text.size() && m_text[m_at] != '\n' && m_text[m_at] != '\r') {
                    ++m_at;
                }
            } else {
                return;
            }
        }
    }

    Token hex(std::size_t begin) {
        for (++m_at; m_at < m_text.size(); ++m_at) {
            const char c = m_text[m_at];
            if (c == '>') {
                ++m_at;
                return {Kind::Hex, begin, m_at};
            }
            if (hexDigit(c) < 0 && !isWhite(c)) {
                break;
            }
        }
        return {Kind::Bad, begin, begin};
    }

    Token string(std::size_t begin) {
        int depth = 0;
        for (; m_at < m_text.size(); ++m_at) {
            const char c = m_text[m_at];
            if (c == '\\') {
                ++m_at;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                ++m_at;
                return {Kind::Word, begin, m_at};
            }
        }
        return {Kind::Bad, begin, begin};
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

using Token = Scanner::Token;
using Kind = Scanner::Kind;
using Replace = std::function<void(const Token& token, const std::string& with)>;

// A destination of one UTF-16 unit, mapped back; others stay.
void repairDestination(const Scanner& scanner, const Token& destination, const Replace& replace) {
    const Scanner::Value v = scanner.value(destination);
    if (v.digits == 4) {
        if (const unsigned code = ideographOf(unsigned(v.number)); code != v.number) {
            replace(destination, hexUnit(code));
        }
    }
}

bool repairChars(Scanner& scanner, const Replace& replace) {
    for (Token source = scanner.next(); !scanner.isWord(source, "endbfchar");
         source = scanner.next()) {
        const Token destination = scanner.next();
        if (source.kind != Kind::Hex || destination.kind != Kind::Hex) {
            return false;
        }
        repairDestination(scanner, destination, replace);
    }
    return true;
}

// "<lo> <hi> <dst>": the destinations count up from dst.
void repairCountingRange(const Scanner& scanner, std::size_t count, const Token& first,
                         const Replace& replace) {
    const Scanner::Value v = scanner.value(first);
    if (v.digits != 4 || v.number + count > 0x10000) {
        return;
    }
    std::string array = "[";
    bool changed = false;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned code = unsigned(v.number + i);
        const unsigned mapped = ideographOf(code);
        changed = changed || mapped != code;
        array += (i ? " " : "") + hexUnit(mapped);
    }
    if (changed) {
        replace(first, array + "]");
    }
}

bool repairRanges(Scanner& scanner, const Replace& replace) {
    for (Token low = scanner.next(); !scanner.isWord(low, "endbfrange"); low = scanner.next()) {
        const Token high = scanner.next();
        if (low.kind != Kind::Hex || high.kind != Kind::Hex) {
            return false;
        }
        const Scanner::Value lo = scanner.value(low);
        const Scanner::Value hi = scanner.value(high);
        if (lo.digits != hi.digits || hi.number < lo.number || hi.number - lo.number > 0xFFFF) {
            return false;
        }
        const Token destination = scanner.next();
        if (destination.kind == Kind::Hex) {
            repairCountingRange(scanner, std::size_t(hi.number - lo.number + 1), destination,
                                replace);
        } else if (destination.kind == Kind::Open) {
            Token each = scanner.next();
            for (; each.kind == Kind::Hex; each = scanner.next()) {
                repairDestination(scanner, each, replace);
            }
            if (each.kind != Kind::Close) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::string> repairedToUnicode(std::string_view cmap) {
    Scanner scanner(cmap);
    std::string result;
    std::size_t copied = 0;
    const Replace replace = [&](const Token& token, const std::string& with) {
        result.append(cmap.substr(copied, token.begin - copied));
        result += with;
        copied = token.end;
    };
    for (Token token = scanner.next(); token.kind != Kind::End; token = scanner.next()) {
        if (token.kind == Kind::Bad) {
            return std::nullopt;
        }
        if ((scanner.isWord(token, "beginbfchar") && !repairChars(scanner, replace)) ||
            (scanner.isWord(token, "beginbfrange") && !repairRanges(scanner, replace))) {
            return std::nullopt;
        }
    }
    result.append(cmap.substr(copied));
    return result;
}

} // namespace reports
