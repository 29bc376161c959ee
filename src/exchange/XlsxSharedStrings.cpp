#include "exchange/XlsxSharedStrings.h"

#include "exchange/XlsxXml.h"

#include <charconv>

namespace exchange {

XlsxSharedStrings::XlsxSharedStrings(const std::string& bytes, const std::string& partName) {
    XlsxXml xml(bytes, partName);
    while (xml.next()) {
        if (xml.isStart(u"si"))
            m_strings.push_back(xml.richText());
    }
}

const std::string& XlsxSharedStrings::at(const std::string& value, const XlsxXml& cellPart) const {
    std::size_t index = 0;
    const char* end = value.data() + value.size();
    const auto parsed = std::from_chars(value.data(), end, index);
    if (parsed.ec != std::errc() || parsed.ptr != end || index >= m_strings.size())
        cellPart.fail("引用了不存在的共享字符串“" + value + "”");
    return m_strings[index];
}

} // namespace exchange
