// One XML part of an .xlsx workbook read through QXmlStreamReader, with what every part's
// reader needs: the next token (XML that is not well formed throws ReadError naming the part
// and line), attributes as UTF-8, the relationship id whatever its prefix, and the text of a
// shared or inline string (its runs joined, phonetic guides left out, _xHHHH_ escapes
// decoded). Elements are matched by local name, so a prefixed "x:row" is a row. The bytes
// must outlive the reader.
#pragma once

#include <QXmlStreamReader>

#include <optional>
#include <string>

namespace exchange {

class XlsxXml {
public:
    XlsxXml(const std::string& bytes, std::string partName);

    // False at the end of the document.
    bool next();
    bool isStart(QStringView localName) const;
    bool isEnd(QStringView localName) const;

    // "" when the current element has no such attribute.
    std::string attribute(QStringView name) const;
    bool hasAttribute(QStringView name) const;
    // The r:id of the current element, whichever prefix names the relationships namespace.
    std::string relationshipId() const;

    // At <si> or <is>: its text; leaves the reader at the element's end.
    std::string richText();
    // At any element: its own text (child elements are skipped); leaves the reader at its end.
    std::string elementText();

    [[noreturn]] void fail(const std::string& what) const;
    const std::string& partName() const { return m_partName; }

private:
    std::optional<std::string> findAttribute(QStringView name) const;

    QXmlStreamReader m_reader;
    std::string m_partName;
};

// Target of a relationship as a part name: relative to the folder of the part holding the
// relationship ("xl/" for xl/workbook.xml), or absolute ("/xl/worksheets/sheet1.xml").
std::string resolvePartName(const std::string& sourcePart, const std::string& target);

} // namespace exchange
