// One .csv file as one sheet: the bytes decoded (a UTF-8 BOM dropped; UTF-8 when every byte
// sequence is valid UTF-8, GBK otherwise, as Excel and WPS save "CSV" on a Chinese Windows),
// then split as RFC 4180 says: fields separated by commas, records by CRLF, LF or a lone CR;
// a quoted field may hold commas, line breaks and doubled quotes. A line break inside a
// quoted field comes back as LF, as an .xlsx cell holds it.
#include "exchange/SheetBuilder.h"
#include "exchange/WorkbookReader.h"

#include "core/Gbk.h"

#include <string_view>

namespace exchange {

namespace {

bool isValidUtf8(std::string_view bytes) {
    char32_t ch = 0;
    while (!bytes.empty()) {
        const std::size_t n = gbk::decodeUtf8(bytes, ch);
        if (ch == U'\uFFFD' && n == 1)
            return false;
        bytes.remove_prefix(n);
    }
    return true;
}

std::string decodeText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw ReadError("CSV 文件是 UTF-16 编码，请另存为 UTF-8 或 GBK 编码的 CSV");
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return gbk::fromGbk(bytes);
}

} // namespace

Sheet readCsv(const std::string& bytes, const std::string& sheetName) {
    const std::string text = decodeText(bytes);
    SheetBuilder sheet(sheetName);
    int row = 1;
    int column = 1;
    std::string field;
    const std::size_t n = text.size();
    std::size_t i = 0;
    // A record ends at a line break outside quotes or at the end of the text.
    while (i < n) {
        const char ch = text[i];
        if (ch == '"' && field.empty()) {
            const int openedAt = row;
            ++i;
            for (;;) {
                if (i >= n)
                    throw ReadError("CSV 文件第 " + std::to_string(openedAt) + " 行的引号没有结束");
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\r') {
                    field += '\n';
                    i += (i + 1 < n && text[i + 1] == '\n') ? 2U : 1U;
                    continue;
                }
                field += text[i++];
            }
            continue;
        }
        if (ch == ',') {
            sheet.put(row, column++, std::move(field));
            field.clear();
            ++i;
            continue;
        }
        if (ch == '\r' || ch == '\n') {
            sheet.put(row, column, std::move(field));
            field.clear();
            i += (ch == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2U : 1U;
            ++row;
            column = 1;
            continue;
        }
        field += ch;
        ++i;
    }
    sheet.put(row, column, std::move(field));
    return sheet.take();
}

} // namespace exchange
