#include "exchange/XlsxXml.h"

#include "exchange/WorkbookReader.h"

#include "core/Gbk.h"

#include <QByteArray>

#include <vector>

namespace exchange {

namespace {

int hexValue(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

// Office writes characters XML cannot hold (and a literal "_x" before four hex digits) as
// _xHHHH_.
std::string decodeEscapes(std::string text) {
    if (text.find("_x") == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
            int value = 0;
            bool hex = true;
            for (std::size_t k = 2; k < 6 && hex; ++k) {
                const int digit = hexValue(text[i + k]);
                hex = digit >= 0;
                value = value * 16 + digit;
            }
            if (hex) {
                const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
                gbk::appendUtf8(out, surrogate ? U'\uFFFD' : static_cast<char32_t>(value));
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace

XlsxXml::XlsxXml(const std::string& bytes, std::string partName)
    : m_reader(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))),
      m_partName(std::move(partName)) {}

bool XlsxXml::next() {
    m_reader.readNext();
    if (m_reader.hasError())
        fail("第 " + std::to_string(m_reader.lineNumber()) + " 行的 XML 有误");
    return !m_reader.atEnd();
}

bool XlsxXml::isStart(QStringView localName) const {
    return m_reader.isStartElement() && m_reader.name() == localName;
}

bool XlsxXml::isEnd(QStringView localName) const {
    return m_reader.isEndElement() && m_reader.name() == localName;
}

std::optional<std::string> XlsxXml::findAttribute(QStringView name) const {
    // attributes() is a copy: the value is taken while it lives.
    for (const QXmlStreamAttribute& a : m_reader.attributes()) {
        if (a.qualifiedName() == name)
            return a.value().toString().toStdString();
    }
    return std::nullopt;
}

std::string XlsxXml::attribute(QStringView name) const {
    return findAttribute(name).value_or(std::string());
}

bool XlsxXml::hasAttribute(QStringView name) const {
    return findAttribute(name).has_value();
}

std::string XlsxXml::relationshipId() const {
    for (const QXmlStreamAttribute& a : m_reader.attributes()) {
        if (a.name() == u"id" && !a.namespaceUri().isEmpty())
            return a.value().toString().toStdString();
    }
    return {};
}

std::string XlsxXml::richText() {
    std::string text;
    int phonetic = 0;
    int depth = 1;
    while (depth > 0 && next()) {
        if (m_reader.isStartElement()) {
            if (m_reader.name() == u"rPh") {
                ++phonetic;
                ++depth;
            } else if (m_reader.name() == u"t" && phonetic == 0) {
                text += elementText();
            } else {
                ++depth;
            }
        } else if (m_reader.isEndElement()) {
            if (m_reader.name() == u"rPh")
                --phonetic;
            --depth;
        }
    }
    if (depth > 0)
        fail("的 XML 不完整");
    return decodeEscapes(std::move(text));
}

std::string XlsxXml::elementText() {
    const QString text = m_reader.readElementText(QXmlStreamReader::SkipChildElements);
    if (m_reader.hasError())
        fail("第 " + std::to_string(m_reader.lineNumber()) + " 行的 XML 有误");
    return text.toStdString();
}

void XlsxXml::fail(const std::string& what) const {
    throw ReadError("工作簿已损坏：" + m_partName + " " + what);
}

std::string resolvePartName(const std::string& sourcePart, const std::string& target) {
    std::string path;
    if (target.starts_with('/')) {
        path = target.substr(1);
    } else {
        const std::size_t slash = sourcePart.rfind('/');
        path =
            (slash == std::string::npos ? std::string() : sourcePart.substr(0, slash + 1)) + target;
    }
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& segment : segments)
        out += (out.empty() ? "" : "/") + segment;
    return out;
}

} // namespace exchange
