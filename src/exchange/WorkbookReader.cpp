// readWorkbook and readWorkbooks: the file's size checked before it is read, the reader chosen
// by the suffix (or the first bytes), and every refusal prefixed with the file's name.
#include "exchange/WorkbookReader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace exchange {

namespace {

std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string lowerSuffix(const std::filesystem::path& file) {
    std::string suffix = utf8(file.extension());
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return suffix;
}

std::string readBytes(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        throw ReadError("无法打开文件：这是一个文件夹");
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        throw ReadError("无法打开文件：" + error.message());
    if (size > kMaxWorkbookBytes)
        throw ReadError("文件超过 50 MB，不像是学校的工作簿");
    if (size == 0)
        throw ReadError("文件是空的");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ReadError("无法打开文件");
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (!in || in.gcount() != static_cast<std::streamsize>(size))
        throw ReadError("无法读取文件");
    return bytes;
}

bool looksLikeXlsx(const std::string& bytes) {
    return bytes.starts_with("PK") || bytes.starts_with("\xD0\xCF\x11\xE0");
}

Workbook readByKind(const std::filesystem::path& file) {
    const std::string bytes = readBytes(file);
    const std::string suffix = lowerSuffix(file);
    const std::string stem = utf8(file.stem());
    if (suffix == ".csv")
        return Workbook{{readCsv(bytes, stem)}};
    if (suffix == ".xls" && !bytes.starts_with("PK"))
        throw ReadError(kXlsRefusal);
    if (suffix == ".xlsx" || suffix == ".xlsm" || suffix == ".xls" || looksLikeXlsx(bytes))
        return readXlsx(bytes);
    // No suffix that says: text without NUL bytes is taken as CSV.
    if (bytes.find('\0') != std::string::npos)
        throw ReadError(kNotXlsxRefusal);
    return Workbook{{readCsv(bytes, stem)}};
}

} // namespace

Workbook readWorkbook(const std::filesystem::path& file) {
    try {
        return readByKind(file);
    } catch (const ReadError& error) {
        throw ReadError(utf8(file.filename()) + "：" + error.what());
    }
}

Workbook readWorkbooks(const std::vector<std::filesystem::path>& files) {
    Workbook all;
    std::vector<std::string> from;
    for (const auto& file : files) {
        Workbook one = readWorkbook(file);
        for (Sheet& sheet : one.sheets) {
            for (std::size_t i = 0; i < all.sheets.size(); ++i) {
                if (all.sheets[i].name == sheet.name)
                    throw ReadError(utf8(file.filename()) + "：工作表“" + sheet.name + "”与 " +
                                    from[i] + " 中的工作表同名");
            }
            all.sheets.push_back(std::move(sheet));
            from.push_back(utf8(file.filename()));
        }
    }
    return all;
}

} // namespace exchange
