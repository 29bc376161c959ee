// Where a published document goes, written so that nothing is ever half-written: the
// output is made in a file or a folder beside the target (same folder, so the final rename
// stays on one file system) and renamed onto the target by commit(); an output never
// committed is removed again by the destructor.
//
// Refusals, as PublishError, before anything is written:
//  - a file is wanted and the target is a folder, or a folder is wanted and it is a file;
//  - the target exists and replace is false (kind Exists: the GUI asks, the CLI wants --force);
//  - the folder the target lies in is missing or cannot be written.
// A folder target that exists is replaced whole: the old folder is moved aside, the new one
// renamed in, the old one removed.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace publish {

class PublishError : public std::runtime_error {
public:
    enum class Kind { Exists, Other };
    explicit PublishError(const std::string& message, Kind kind = Kind::Other)
        : std::runtime_error(message), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

class OutputTarget {
public:
    enum class Shape { File, Folder };
    OutputTarget(std::filesystem::path target, Shape shape, bool replace);
    ~OutputTarget();
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    // The file to write, or the (existing, empty) folder to write into.
    const std::filesystem::path& workPath() const { return m_work; }
    const std::filesystem::path& target() const { return m_target; }
    void commit();

private:
    std::filesystem::path m_target;
    std::filesystem::path m_work;
    Shape m_shape;
    bool m_committed = false;
};

} // namespace publish
