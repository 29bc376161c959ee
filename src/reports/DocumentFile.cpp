#include "reports/DocumentFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reports {
namespace {

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

} // namespace

std::string fileError(const std::filesystem::path& path, int error) {
    return "无法写入文件“" + path.string() + "”：" + reason(error) + "。";
}

std::string probeFile(const std::filesystem::path& path) {
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

std::string writeFile(const std::filesystem::path& requested, std::string_view bytes) {
    // A link is written through: the file it points to receives the document, the link stays.
    std::filesystem::path path = requested;
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(requested, ec))) {
        if (std::filesystem::path resolved = std::filesystem::weakly_canonical(requested, ec);
            !ec) {
            path = std::move(resolved);
        }
    }
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        return fileError(requested, EISDIR);
    }
    const bool existed = ::stat(path.c_str(), &target) == 0;
    // A file that could not be opened for writing is not replaced either.
    if (existed && ::access(path.c_str(), W_OK) != 0) {
        return fileError(requested, errno);
    }
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return fileError(requested, errno);
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
        return fileError(requested, error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fileError(requested, error);
    }
    return {};
}

std::string readFile(const std::filesystem::path& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return "无法读取文件“" + path.string() + "”：" + reason(errno) + "。";
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return "无法读取文件“" + path.string() + "”：" + reason(error) + "。";
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return {};
}

} // namespace reports
