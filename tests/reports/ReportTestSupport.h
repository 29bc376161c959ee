// Helpers of the report tests: the source tree's templates and the fields the writer fills
// in them, a working directory holding a copy of them in tavlen/, GBK literals and reading
// files whole.
#pragma once

#include "TempDatabase.h"
#include "core/Gbk.h"
#include "reports/ReportLayout.h"
#include "reports/TemplateFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace reporttest {

namespace fs = std::filesystem;

inline fs::path templateDir() {
    return TAVLEN_TEMPLATE_DIR;
}

inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The template file of the kind, or its built-in frame.
inline std::string templateBytes(reports::ReportKind kind) {
    if (reports::layoutOf(kind).templateName.empty()) {
        return reports::builtInTemplate(kind);
    }
    return readBytes(templateDir() / reports::layoutOf(kind).templateName);
}

inline std::string g(std::string_view utf8) {
    return gbk::toGbk(utf8).value();
}

struct Field {
    int line;
    int column;
    int width;
};

// The fields of each template, from the report offsets: blank in the template, each with a
// frame character right after it.
inline std::vector<Field> fieldsOf(reports::ReportKind kind) {
    using reports::ReportKind;
    std::vector<Field> fields;
    switch (kind) {
    case ReportKind::Weekly:
        for (int r = 0; r < 20; ++r) {
            for (int h = 0; h < 2; ++h) {
                fields.push_back({3 + 2 * r, 2 + 44 * h, 6});
                for (int j = 0; j < 6; ++j) {
                    fields.push_back({3 + 2 * r, 12 + 6 * j + 44 * h, 2});
                }
            }
        }
        break;
    case ReportKind::Monthly:
    case ReportKind::Term:
        for (int r = 0; r < 25; ++r) {
            fields.push_back({5 + 2 * r, 6, 6});
            for (int j = 0; j < 9; ++j) {
                fields.push_back({5 + 2 * r, 16 + 6 * j, 2});
            }
        }
        break;
    case ReportKind::TeacherList:
        for (int r = 0; r < 20; ++r) {
            for (int c = 0; c < 15; ++c) {
                fields.push_back({2 * r + 1, 2 + 8 * c, 6});
            }
        }
        break;
    case ReportKind::DutyRoster:
        for (int r = 0; r < 60; ++r) {
            fields.push_back({2 * r + 3, 2, 6});
            for (int j = 0; j < 10; ++j) {
                fields.push_back({2 * r + 3, 10 + 8 * j, 6});
            }
        }
        break;
    case ReportKind::GradeTimetable:
    case ReportKind::ReviewTimetable:
        for (int p = 0; p < 20; ++p) {
            fields.push_back({5 + 2 * p, 2, 6});
            for (int j = 1; j <= 35; ++j) {
                fields.push_back({5 + 2 * p, 6 + 4 * j, 2});
            }
        }
        break;
    case ReportKind::LessonCounts:
        for (int r = 0; r < 50; ++r) {
            for (const Field f : {Field{3 + r, 2, 10}, Field{3 + r, 14, 10}, Field{3 + r, 26, 6}}) {
                fields.push_back(f);
            }
        }
        break;
    }
    return fields;
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
