// Reading and writing the files of the reports. Every function returns an empty string on
// success and the file error, in UTF-8 and naming the file, otherwise.
//
// Where a document may go: a regular file, a symbolic link to one, or a path that does not
// exist yet. Anything else is refused before a byte is written and before anything is
// created or removed: a folder, a device, a FIFO or a socket (replacing one would destroy a
// part of the system, or the write would hang), a symbolic link that leads nowhere (the
// write would replace the link), and a database: the working directory's
// tavlen/tavlen.mdb under any name, and any file that begins with the SQLite header, which
// every database of this program does.
//
// - probeFile(): the export's check that the chosen file can be created and opened for
//   reading and writing with no other writer on it (an exclusive lock); a file that did not
//   exist before is removed again. An existing file is fine: the user has confirmed that it
//   is replaced.
// - writeFile(): writes the bytes to a new file beside the target and renames it over the
//   target, so a failed write never leaves a half-written document or destroys the old file.
//   A symbolic link is written through (its target is replaced, the link stays), and an
//   existing file that may not be written to is refused, as opening it for writing would be.
// - readFile(): reads a regular file (a symbolic link to one is followed); anything else is
//   refused without reading and without waiting, so a FIFO can never hang a command.
// - PrivateFile: a file no one else can reach, for the pages of a print.
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

namespace reports {

// How a failed write begins: "无法写入文件“<path>”：<reason>。".
inline constexpr std::string_view kWriteFailure = "无法写入文件";

// workDir: the working directory, whose database is never overwritten.
std::string probeFile(const std::filesystem::path& path, const std::filesystem::path& workDir);

// failure: how the message begins, e.g. kWriteFailure.
std::string writeFile(const std::filesystem::path& path, std::string_view bytes,
                      const std::filesystem::path& workDir,
                      std::string_view failure = kWriteFailure);

// The first maxBytes bytes of a regular file, or an error: "找不到<what>“<path>”。" when it
// does not exist, "<what>“<path>”不是普通文件，没有读取。" when it is something else.
std::string readFile(const std::filesystem::path& path, std::string& bytes,
                     std::string_view what = "文件",
                     std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// The standard file-error text for an operation on path that failed with errno `error`.
std::string fileError(const std::filesystem::path& path, int error,
                      std::string_view failure = kWriteFailure);

// A temporary file of this process alone: made with mkstemp (mode 0600) in a folder of its
// own made with mkdtemp (mode 0700) under the system's temporary folder. Destroying it
// removes that file and that folder and nothing else, so it never touches a user's file.
class PrivateFile {
public:
    PrivateFile() = default;
    ~PrivateFile();
    PrivateFile(const PrivateFile&) = delete;
    PrivateFile& operator=(const PrivateFile&) = delete;

    // Creates the folder and the file and writes bytes into it; call once.
    std::string write(std::string_view bytes);
    // Empty until write() has created the file.
    const std::filesystem::path& path() const { return m_file; }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_file;
};

} // namespace reports
