#include "reports/DocumentFile.h"

#include "reports/ReportLayout.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reports {
namespace {

namespace fs = std::filesystem;

// Every database of this program is an SQLite file, and every SQLite file begins so.
constexpr std::string_view kDatabaseHeader("SQLite format 3\0", 16);

std::string reason(int error) {
    switch (error) {
    case ENOENT:
        return "路径不存在";
    case EACCES:
    case EPERM:
        return "没有访问权限";
    case EISDIR:
        return "这是一个文件夹";
    case ENOTDIR:
        return "路径中有一部分不是文件夹";
    case ENOSPC:
        return "磁盘已满";
    case EROFS:
        return "磁盘只读";
    case EWOULDBLOCK:
        return "文件正被其他程序使用";
    case ENAMETOOLONG:
        return "文件名太长";
    case EFBIG:
        return "文件超出了允许的大小";
    default:
        return std::strerror(error);
    }
}

// Writes all of bytes to fd; false with errno set on failure.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// "<failure>“<path>”：<reason>。"
std::string failureText(const fs::path& path, std::string_view failure, std::string_view why) {
    return std::string(failure) + "“" + path.string() + "”：" + std::string(why) + "。";
}

// Whether the regular file at path begins with the SQLite header. A file that cannot be
// read is no database we could tell; the write itself then says why it fails.
bool beginsAsDatabase(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    std::array<char, kDatabaseHeader.size()> head{};
    std::size_t got = 0;
    while (got < head.size()) {
        const ssize_t n = ::pread(fd, head.data() + got, head.size() - got, off_t(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return std::string_view(head.data(), got) == kDatabaseHeader;
}

// Why path may not receive a document, or empty when it may. Looks only: creates, removes
// and changes nothing. A path that cannot be looked at is left to the write, which names
// the cause (a missing folder, no permission).
std::string refusal(const fs::path& path, const fs::path& workDir, std::string_view failure) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        return {};
    }
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0) {
        if (errno == ENOENT) {
            return failureText(path, failure, "符号链接指向的文件不存在");
        }
        return fileError(path, errno, failure);
    }
    if (S_ISDIR(target.st_mode)) {
        return fileError(path, EISDIR, failure);
    }
    if (!S_ISREG(target.st_mode)) {
        return failureText(path, failure, "这不是普通文件（设备、管道或套接字）");
    }
    std::error_code ec;
    if (fs::equivalent(path, workDir / kDataDir / kDatabaseFile, ec) || beginsAsDatabase(path)) {
        return failureText(path, failure, "这是数据库文件，不能用报表覆盖");
    }
    return {};
}

} // namespace

std::string fileError(const fs::path& path, int error, std::string_view failure) {
    return failureText(path, failure, reason(error));
}

std::string probeFile(const fs::path& path, const fs::path& workDir) {
    if (std::string refused = refusal(path, workDir, kWriteFailure); !refused.empty()) {
        return refused;
    }
    struct stat before {};
    const bool existed = ::stat(path.c_str(), &before) == 0;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return fileError(path, errno);
    }
    std::string error;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = fileError(path, errno);
    }
    ::close(fd);
    if (!existed) {
        ::unlink(path.c_str());
    }
    return error;
}

std::string writeFile(const fs::path& requested, std::string_view bytes, const fs::path& workDir,
                      std::string_view failure) {
    if (std::string refused = refusal(requested, workDir, failure); !refused.empty()) {
        return refused;
    }
    // A link is written through: the file it points to receives the document, the link stays.
    fs::path path = requested;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(requested, ec))) {
        if (fs::path resolved = fs::weakly_canonical(requested, ec); !ec) {
            path = std::move(resolved);
        }
    }
    struct stat target {};
    const bool existed = ::stat(path.c_str(), &target) == 0;
    // A file that could not be opened for writing is not replaced either.
    if (existed && ::access(path.c_str(), W_OK) != 0) {
        return fileError(requested, errno, failure);
    }
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return fileError(requested, errno, failure);
    }
    // mkostemp creates 0600; give the document the mode a new file would get, or keep the
    // replaced file's.
    mode_t mode = 0666;
    if (existed) {
        mode = target.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    const bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    if (::close(fd) != 0 || !written) {
        const int error = written ? errno : writeErrno;
        ::unlink(temporary.c_str());
        return fileError(requested, error, failure);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fileError(requested, error, failure);
    }
    return {};
}

std::string readFile(const fs::path& path, std::string& bytes, std::string_view what,
                     std::size_t maxBytes) {
    const auto failed = [&](int error) {
        if (error == ENOENT) {
            return "找不到" + std::string(what) + "“" + path.string() + "”。";
        }
        return "无法读取" + std::string(what) + "“" + path.string() + "”：" + reason(error) + "。";
    };
    const std::string notRegular =
        std::string(what) + "“" + path.string() + "”不是普通文件，没有读取。";
    // Looked at before it is opened, so that no device is ever opened, and opened without
    // waiting, so that a FIFO put in its place meanwhile cannot block; what was opened is
    // looked at again.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return failed(errno);
    }
    if (!S_ISREG(st.st_mode)) {
        return notRegular;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return failed(errno);
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return notRegular;
    }
    bytes.clear();
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - bytes.size()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return failed(error);
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return {};
}

PrivateFile::~PrivateFile() {
    if (!m_file.empty()) {
        ::unlink(m_file.c_str());
    }
    if (!m_folder.empty()) {
        ::rmdir(m_folder.c_str());
    }
}

std::string PrivateFile::write(std::string_view bytes) {
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) {
        return "无法创建临时文件：系统的临时文件夹不可用（" + reason(ec.value()) + "）。";
    }
    std::string folder = (base / "tavlen-print-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        return fileError(folder, errno);
    }
    m_folder = folder;
    std::string file = (m_folder / "pages-XXXXXX").string();
    const int fd = ::mkostemp(file.data(), O_CLOEXEC);
    if (fd < 0) {
        return fileError(file, errno);
    }
    m_file = file;
    const bool written = writeAll(fd, bytes);
    const int writeErrno = errno;
    if (::close(fd) != 0 || !written) {
        return fileError(m_file, written ? errno : writeErrno);
    }
    return {};
}

} // namespace reports
