// Test support for the workbook reader: a temporary folder removed afterwards, files written
// and read as bytes, and a zip archive built part by part with minizip's own writer (zip.h),
// so a test can hand-make the .xlsx files other producers save; and the text a read is
// refused with.
#pragma once

#include "exchange/WorkbookReader.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace exchangetest {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path file(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& bytes);

// The text of the ReadError a read throws, or "(read)" when it reads.
template <class Read> std::string refusal(Read&& read) {
    try {
        read();
    } catch (const exchange::ReadError& e) {
        return e.what();
    }
    return "(read)";
}

struct ZipPart {
    std::string name;
    std::string bytes;
    // When set, the part is stored raw with this size in its headers instead of the real
    // one (a part that claims to inflate to far more than it does).
    unsigned long long claimedSize = 0;
};
std::string makeZip(const std::vector<ZipPart>& parts);

// The parts of a minimal workbook around the given sheet XML bodies (sheet1.xml…), written
// the way LibreOffice and WPS do: absolute targets, inline strings, no shared strings unless
// given.
std::vector<ZipPart> minimalWorkbook(const std::vector<std::pair<std::string, std::string>>& sheets,
                                     const std::string& sharedStrings = "");

} // namespace exchangetest
