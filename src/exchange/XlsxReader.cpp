// readXlsx: the refusals told apart by the first bytes (an OLE compound file is an .xls
// workbook, or an encrypted .xlsx when it holds an "EncryptedPackage" stream; a zip minizip
// cannot open is damage; anything else is no workbook), then the sheets in the workbook's
// order, read through the archive, the sheet list and the shared strings.
#include "exchange/WorkbookReader.h"
#include "exchange/XlsxArchive.h"
#include "exchange/XlsxSharedStrings.h"
#include "exchange/XlsxSheetList.h"
#include "exchange/XlsxSheetReader.h"

#include <string_view>

namespace exchange {

namespace {

constexpr std::string_view kOleSignature{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};

// The stream name as a compound file's directory stores it: UTF-16LE.
bool holdsEncryptedPackage(std::string_view bytes) {
    std::string name;
    for (const char ch : std::string_view("EncryptedPackage")) {
        name += ch;
        name += '\0';
    }
    return bytes.find(name) != std::string_view::npos;
}

} // namespace

Workbook readXlsx(const std::string& bytes) {
    const std::string_view view(bytes);
    if (view.starts_with(kOleSignature))
        throw ReadError(holdsEncryptedPackage(view) ? kEncryptedRefusal : kXlsRefusal);
    auto archive = XlsxArchive::open(bytes);
    if (!archive) {
        if (view.starts_with("PK"))
            throw ReadError("工作簿已损坏：压缩包无法打开");
        throw ReadError(kNotXlsxRefusal);
    }
    const XlsxSheetList list = XlsxSheetList::read(*archive);
    XlsxSharedStrings strings;
    if (!list.sharedStringsPart.empty()) {
        if (const auto part = archive->part(list.sharedStringsPart))
            strings = XlsxSharedStrings(*part, list.sharedStringsPart);
    }
    Workbook workbook;
    for (const XlsxSheetList::Entry& entry : list.sheets) {
        const auto part = archive->part(entry.part);
        if (!part)
            throw ReadError("工作簿已损坏：缺少工作表“" + entry.name + "”（" + entry.part + "）");
        workbook.sheets.push_back(
            XlsxSheetReader::read(*part, entry.part, entry.name, entry.hidden, strings));
    }
    return workbook;
}

} // namespace exchange
