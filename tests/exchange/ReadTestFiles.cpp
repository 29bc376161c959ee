#include "ReadTestFiles.h"

#include <zip.h>

#include <zlib.h>

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace exchangetest {

TempFolder::TempFolder() {
    std::random_device seed;
    m_path = std::filesystem::temp_directory_path() /
             ("tavlen-xread-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {

// Deflated without the zlib wrapper, as a zip stores it.
std::string rawDeflate(const std::string& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

} // namespace

std::string makeZip(const std::vector<ZipPart>& parts) {
    TempFolder folder;
    const std::string path = folder.file("parts.zip").string();
    zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (zip == nullptr)
        throw std::runtime_error("zipOpen64 failed");
    for (const ZipPart& part : parts) {
        zip_fileinfo info{};
        const bool raw = part.claimedSize != 0;
        zipOpenNewFileInZip2_64(zip, part.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                Z_DEFLATED, Z_DEFAULT_COMPRESSION, raw ? 1 : 0, 0);
        if (raw) {
            const std::string deflated = rawDeflate(part.bytes);
            zipWriteInFileInZip(zip, deflated.data(), static_cast<unsigned>(deflated.size()));
            const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(part.bytes.data()),
                                    static_cast<uInt>(part.bytes.size()));
            zipCloseFileInZipRaw64(zip, part.claimedSize, crc);
        } else {
            zipWriteInFileInZip(zip, part.bytes.data(), static_cast<unsigned>(part.bytes.size()));
            zipCloseFileInZip(zip);
        }
    }
    zipClose(zip, nullptr);
    return readFile(path);
}

std::vector<ZipPart> minimalWorkbook(const std::vector<std::pair<std::string, std::string>>& sheets,
                                     const std::string& sharedStrings) {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::string workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"" + main +
                           "\" xmlns:r=\"" + rel + "\"><sheets>";
    std::string rels = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://"
                       "schemas.openxmlformats.org/package/2006/relationships\">";
    std::vector<ZipPart> parts;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        workbook +=
            "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel +
                "/worksheet\" Target=\"/xl/worksheets/sheet" + n + ".xml\"/>";
        parts.push_back({"xl/worksheets/sheet" + n + ".xml",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet xmlns=\"" + main +
                             "\"><sheetData>" + sheets[i].second + "</sheetData></worksheet>"});
    }
    if (!sharedStrings.empty()) {
        rels += "<Relationship Id=\"rIdS\" Type=\"" + rel +
                "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parts.push_back(
            {"xl/sharedStrings.xml", "<sst xmlns=\"" + main + "\">" + sharedStrings + "</sst>"});
    }
    workbook += "</sheets></workbook>";
    rels += "</Relationships>";
    parts.push_back({"xl/workbook.xml", workbook});
    parts.push_back({"xl/_rels/workbook.xml.rels", rels});
    parts.push_back({"_rels/.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "relationships\"><Relationship Id=\"rId1\" Type=\"" +
                         rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"});
    return parts;
}

} // namespace exchangetest
