// Reading a school's workbook from a file: an .xlsx workbook (Office Open XML as Excel, WPS
// and LibreOffice save it; the zip through minizip, the XML through QXmlStreamReader) or a
// .csv file (one sheet, named by the file without its suffix; UTF-8 with or without a BOM,
// or GBK, told apart by whether the bytes are valid UTF-8; RFC 4180 quoting).
//
// Refusals, as ReadError with the text the user sees, never a crash, a hang or a partial
// result: a file that cannot be opened, one over 50 MB, an .xls workbook ("请在 Excel 或 WPS
// 中另存为 .xlsx 格式"), an encrypted workbook, a damaged zip or damaged XML, a file that is no
// workbook at all. Merged cells give their value to the top-left cell only; hidden sheets
// are read; empty rows stay empty rows (the import skips them).
#pragma once

#include "exchange/Workbook.h"

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace exchange {

class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kMaxWorkbookBytes = std::size_t{50} << 20;

// The refusals a user most often meets, so callers and tests can tell them apart.
inline constexpr const char* kXlsRefusal =
    "这是 .xls 格式的旧工作簿，请在 Excel 或 WPS 中另存为 .xlsx 格式";
inline constexpr const char* kEncryptedRefusal =
    "工作簿设有密码（已加密），请在 Excel 或 WPS 中取消密码后另存为 .xlsx 格式";
inline constexpr const char* kNotXlsxRefusal = "不是 Excel 工作簿（.xlsx）";

// By the file's suffix (.xlsx, .csv; .xls refused), or by its first bytes when the suffix says
// nothing. Every ReadError text starts with the file's name ("课务.xlsx：…"); readXlsx and
// readCsv, which see only bytes, leave the name out.
Workbook readWorkbook(const std::filesystem::path& file);
// Several files (each .csv one sheet), in the order given; two sheets of one name refused.
Workbook readWorkbooks(const std::vector<std::filesystem::path>& files);

Workbook readXlsx(const std::string& bytes);
Sheet readCsv(const std::string& bytes, const std::string& sheetName);

} // namespace exchange
