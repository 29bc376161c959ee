// The zip container of an .xlsx workbook, read from bytes in memory through minizip (its own
// ioapi callbacks over the string; the bytes must outlive the archive). Parts are looked up
// by name, case-insensitively as Office Open XML names them, and inflated whole, with the
// guards against a zip bomb: a part over kMaxPartBytes (by its header or by what inflates),
// or more than kMaxTotalBytes read in all, is refused. Every damage (a broken directory, a
// failed inflate, a CRC mismatch) throws ReadError; a part protected by a zip password
// throws the encrypted-workbook text.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace exchange {

class XlsxArchive {
public:
    static constexpr std::size_t kMaxPartBytes = std::size_t{200} << 20;
    static constexpr std::size_t kMaxTotalBytes = std::size_t{400} << 20;

    // Null when the bytes are no zip archive minizip can open.
    static std::unique_ptr<XlsxArchive> open(const std::string& bytes);
    ~XlsxArchive();
    XlsxArchive(const XlsxArchive&) = delete;
    XlsxArchive& operator=(const XlsxArchive&) = delete;

    // The part's bytes, or nullopt when the archive has no part of that name.
    std::optional<std::string> part(const std::string& name);

    // minizip's view of the bytes (its callbacks live in the .cpp).
    struct Source;

private:
    XlsxArchive(std::unique_ptr<Source> source, void* zip);

    std::unique_ptr<Source> m_source;
    void* m_zip;
    std::size_t m_totalRead = 0;
};

} // namespace exchange
