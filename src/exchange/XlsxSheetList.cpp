#include "exchange/XlsxSheetList.h"

#include "exchange/WorkbookReader.h"
#include "exchange/XlsxXml.h"

#include <map>

namespace exchange {

namespace {

struct Relationship {
    std::string type; // the last segment of the type URI: "worksheet", "sharedStrings"…
    std::string part;
};

std::string relationshipsPart(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
    return folder + "_rels/" + file + ".rels";
}

// The relationships of a part, by id; external targets (links to other files) left out.
std::map<std::string, Relationship>
readRelationships(XlsxArchive& archive, const std::string& sourcePart, bool required) {
    const std::string name = relationshipsPart(sourcePart);
    const auto bytes = archive.part(name);
    std::map<std::string, Relationship> out;
    if (!bytes) {
        if (required)
            throw ReadError("工作簿已损坏：缺少 " + name);
        return out;
    }
    XlsxXml xml(*bytes, name);
    while (xml.next()) {
        if (!xml.isStart(u"Relationship") || xml.attribute(u"TargetMode") == "External")
            continue;
        std::string type = xml.attribute(u"Type");
        type = type.substr(type.rfind('/') + 1);
        out[xml.attribute(u"Id")] = {type, resolvePartName(sourcePart, xml.attribute(u"Target"))};
    }
    return out;
}

std::string workbookPart(XlsxArchive& archive) {
    for (const auto& [id, relationship] : readRelationships(archive, "", false)) {
        if (relationship.type == "officeDocument")
            return relationship.part;
    }
    return "xl/workbook.xml";
}

} // namespace

XlsxSheetList XlsxSheetList::read(XlsxArchive& archive) {
    const std::string workbook = workbookPart(archive);
    const auto bytes = archive.part(workbook);
    if (!bytes)
        throw ReadError(kNotXlsxRefusal);
    const auto relationships = readRelationships(archive, workbook, true);

    XlsxSheetList list;
    XlsxXml xml(*bytes, workbook);
    while (xml.next()) {
        if (!xml.isStart(u"sheet"))
            continue;
        const std::string name = xml.attribute(u"name");
        const auto found = relationships.find(xml.relationshipId());
        if (found == relationships.end())
            throw ReadError("工作簿已损坏：找不到工作表“" + name + "”");
        const std::string state = xml.attribute(u"state");
        list.sheets.push_back(
            {name, state == "hidden" || state == "veryHidden", found->second.part});
    }
    for (const auto& [id, relationship] : relationships) {
        if (relationship.type == "sharedStrings")
            list.sharedStringsPart = relationship.part;
    }
    return list;
}

} // namespace exchange
