#include "maintain/GTBrowseReport.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "reports/ReportTitles.h"
#include "store/CCCRecord.h"

#include <algorithm>

namespace maintain {
namespace {

// The position of name in names, appended when it is not there yet.
std::size_t positionOf(std::vector<std::string>& names, const std::string& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    if (found != names.end()) {
        return static_cast<std::size_t>(found - names.begin());
    }
    names.push_back(name);
    return names.size() - 1;
}

} // namespace

GradeTeachers readGradeTeachers(int grade) {
    const std::string_view gradeName = school::kGradeNames.at(static_cast<std::size_t>(grade));
    store::CCCRecord records;
    const std::vector<store::ClasscourseRow> rows = records.readAll();
    records.close();

    GradeTeachers teachers;
    teachers.grade = grade;
    std::vector<std::string> classNames;
    for (const store::ClasscourseRow& row : rows) {
        if (!row.className.starts_with(gradeName) || gbk::isBlank(row.course)) {
            continue;
        }
        const std::size_t r = positionOf(classNames, row.className);
        const std::size_t c = positionOf(teachers.courses, row.course);
        if (r == teachers.classes.size()) {
            teachers.classes.push_back({row.className, {}});
        }
        std::vector<std::string>& cells = teachers.classes[r].teachers;
        if (cells.size() <= c) {
            cells.resize(c + 1);
        }
        cells[c] = row.teacher;
    }
    for (GradeTeachers::ClassRow& row : teachers.classes) {
        row.teachers.resize(teachers.courses.size());
    }
    return teachers;
}

reports::ReportTable teacherListTable(const GradeTeachers& teachers) {
    reports::ReportTable table;
    std::vector<std::string> heading{kClassHeading};
    heading.insert(heading.end(), teachers.courses.begin(), teachers.courses.end());
    table.grid.push_back(std::move(heading));
    for (const GradeTeachers::ClassRow& row : teachers.classes) {
        std::vector<std::string> cells{row.className};
        cells.insert(cells.end(), row.teachers.begin(), row.teachers.end());
        table.grid.push_back(std::move(cells));
    }
    return table;
}

std::string teacherListPrintTitle(int grade) {
    return reports::teacherListTitle(school::kGradeNames.at(static_cast<std::size_t>(grade)));
}

std::string omittedText(const GradeTeachers& teachers) {
    std::string omitted;
    const auto name = [&omitted](const std::string& text) {
        omitted += (omitted.empty() ? "" : "、") + text;
    };
    for (std::size_t r = kListedClasses; r < teachers.classes.size(); ++r) {
        name(teachers.classes[r].className);
    }
    for (std::size_t c = kListedCourses; c < teachers.courses.size(); ++c) {
        name(teachers.courses[c]);
    }
    if (omitted.empty()) {
        return {};
    }
    return "年段任课教师表最多写入" + std::to_string(kListedClasses) + "个班级、" +
           std::to_string(kListedCourses) + "门学科，以下没有写入：" + omitted;
}

} // namespace maintain
