// Helpers of the report tests: the source tree's templates, a working directory holding a
// copy of them in tavlen/, GBK literals and reading files whole.
#pragma once

#include "TempDatabase.h"
#include "core/Gbk.h"
#include "reports/ReportLayout.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace reporttest {

namespace fs = std::filesystem;

inline fs::path templateDir() {
    return TAVLEN_TEMPLATE_DIR;
}

inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string templateBytes(reports::ReportKind kind) {
    return readBytes(templateDir() / reports::layoutOf(kind).templateName);
}

inline std::string g(std::string_view utf8) {
    return gbk::toGbk(utf8).value();
}

// A working directory with the templates installed in tavlen/, removed afterwards.
class WorkDir {
public:
    WorkDir() : m_path(testsupport::makeTempDir("tavlen-report-test-")) {
        fs::create_directories(m_path / "tavlen");
        for (const auto& entry : fs::directory_iterator(templateDir())) {
            fs::copy_file(entry.path(), m_path / "tavlen" / entry.path().filename());
        }
    }
    ~WorkDir() {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, ec);
        fs::remove_all(m_path, ec);
    }
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;

    const fs::path& path() const { return m_path; }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

} // namespace reporttest
