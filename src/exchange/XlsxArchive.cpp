#include "exchange/XlsxArchive.h"

#include "exchange/WorkbookReader.h"

#include <unzip.h>

#include <algorithm>
#include <cstring>

namespace exchange {

// The bytes as minizip's "file": a read position over the string.
struct XlsxArchive::Source {
    const std::string* bytes = nullptr;
    ZPOS64_T position = 0;
};

namespace {

using Source = XlsxArchive::Source;

voidpf ZCALLBACK openSource(voidpf opaque, const void*, int) {
    return opaque;
}

uLong ZCALLBACK readSource(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* source = static_cast<Source*>(stream);
    const ZPOS64_T length = source->bytes->size();
    if (source->position >= length)
        return 0;
    const ZPOS64_T n = std::min<ZPOS64_T>(size, length - source->position);
    std::memcpy(buffer, source->bytes->data() + source->position, n);
    source->position += n;
    return static_cast<uLong>(n);
}

uLong ZCALLBACK writeSource(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK tellSource(voidpf, voidpf stream) {
    return static_cast<Source*>(stream)->position;
}

long ZCALLBACK seekSource(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* source = static_cast<Source*>(stream);
    const ZPOS64_T length = source->bytes->size();
    ZPOS64_T base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        base = 0;
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        base = source->position;
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        base = length;
        break;
    default:
        return -1;
    }
    if (offset > length || base + offset > length)
        return -1;
    source->position = base + offset;
    return 0;
}

int ZCALLBACK closeSource(voidpf, voidpf) {
    return 0;
}

int ZCALLBACK errorSource(voidpf, voidpf) {
    return 0;
}

[[noreturn]] void damaged(const std::string& part, const char* what) {
    throw ReadError("工作簿已损坏：" + part + " " + what);
}

} // namespace

XlsxArchive::XlsxArchive(std::unique_ptr<Source> source, void* zip)
    : m_source(std::move(source)), m_zip(zip) {}

XlsxArchive::~XlsxArchive() {
    unzClose(m_zip);
}

std::unique_ptr<XlsxArchive> XlsxArchive::open(const std::string& bytes) {
    auto source = std::make_unique<Source>();
    source->bytes = &bytes;
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openSource;
    functions.zread_file = readSource;
    functions.zwrite_file = writeSource;
    functions.ztell64_file = tellSource;
    functions.zseek64_file = seekSource;
    functions.zclose_file = closeSource;
    functions.zerror_file = errorSource;
    functions.opaque = source.get();
    unzFile zip = unzOpen2_64("", &functions);
    if (zip == nullptr)
        return nullptr;
    return std::unique_ptr<XlsxArchive>(new XlsxArchive(std::move(source), zip));
}

std::optional<std::string> XlsxArchive::part(const std::string& name) {
    const int located = unzLocateFile(m_zip, name.c_str(), 2 /* case-insensitive */);
    if (located == UNZ_END_OF_LIST_OF_FILE)
        return std::nullopt;
    if (located != UNZ_OK)
        damaged(name, "无法找到");
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        damaged(name, "的目录项有误");
    if ((info.flag & 1U) != 0)
        throw ReadError(kEncryptedRefusal);
    if (info.uncompressed_size > kMaxPartBytes)
        damaged(name, "解压后超过 200 MB");
    if (unzOpenCurrentFile(m_zip) != UNZ_OK)
        damaged(name, "无法解压");
    std::string out;
    out.reserve(static_cast<std::size_t>(info.uncompressed_size));
    char buffer[65536];
    for (;;) {
        const int n = unzReadCurrentFile(m_zip, buffer, sizeof buffer);
        if (n < 0) {
            unzCloseCurrentFile(m_zip);
            damaged(name, "无法解压");
        }
        if (n == 0)
            break;
        const auto count = static_cast<std::size_t>(n);
        // The header's size may lie: what inflates counts.
        if (out.size() + count > kMaxPartBytes || m_totalRead + count > kMaxTotalBytes) {
            unzCloseCurrentFile(m_zip);
            damaged(name, "解压后过大");
        }
        out.append(buffer, count);
        m_totalRead += count;
    }
    if (unzCloseCurrentFile(m_zip) != UNZ_OK)
        damaged(name, "的校验和不符");
    return out;
}

} // namespace exchange
