#include "arrange/GradelessonReport.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "reports/ReportTitles.h"

#include <cstddef>
#include <vector>

namespace arrange {

namespace {

// The leading classes whose slot 0 holds a name, each with its cells day by day.
template <class Timetable>
std::vector<reports::ClassTimetable> namedClasses(const Timetable& timetable, int grade) {
    std::vector<reports::ClassTimetable> classes;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        const std::string& name = timetable.cell(grade, c, 0, 0);
        if (gbk::isBlank(name)) {
            break;
        }
        reports::ClassTimetable row{name, {}};
        for (int d = 0; d < Timetable::kDayCount; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                row.cells.push_back(timetable.cell(grade, c, d, p));
            }
        }
        classes.push_back(std::move(row));
    }
    return classes;
}

} // namespace

reports::ReportTable gradeTimetableTable(const school::SchoolTimetable& timetable, int grade) {
    reports::ReportTable table;
    table.classes = namedClasses(timetable, grade);
    return table;
}

reports::ReportTable reviewTimetableTable(const school::ReviewTimetable& timetable, int grade,
                                          int days) {
    reports::ReportTable table;
    table.classes = namedClasses(timetable, grade);
    table.reviewDays = days;
    return table;
}

std::string gradeTimetablePrintTitle(int grade) {
    // The grade's own name: the same two characters that start the name of each of its
    // classes, present even when the grade has fewer than three classes.
    return reports::gradeTimetableTitle(school::kGradeNames[static_cast<std::size_t>(grade)]);
}

} // namespace arrange
