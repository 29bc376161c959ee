#include "timetable/SchoolTimetableStore.h"

#include "timetable/AutoOrderStore.h"
#include "timetable/TimetableRules.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CGLRecord.h"

#include <cstddef>

namespace timetable {

school::SchoolTimetable timetableFromRows(const std::vector<store::GradelessonRow>& rows) {
    school::SchoolTimetable timetable;
    for (const store::GradelessonRow& row : rows) {
        const auto key = school::unpackRowNumber(row.number);
        if (!key) {
            continue;
        }
        const int g = key->gradeNumber - 1;
        const int c = key->classNumber - 1;
        if (gbk::isBlank(timetable.cell(g, c, 0, 0), 3)) {
            for (int d = 0; d < school::kDays; ++d) {
                timetable.cell(g, c, d, 0) = row.className;
            }
        }
        for (int d = 0; d < school::kDays; ++d) {
            timetable.cell(g, c, d, key->period) = row.days[static_cast<std::size_t>(d)];
        }
    }
    return timetable;
}

std::vector<store::GradelessonRow> rowsFromTimetable(const school::SchoolTimetable& timetable) {
    return rowsFromTimetable(timetable, {0, 1, 2, 3, 4, 5});
}

std::vector<store::GradelessonRow> rowsFromTimetable(const school::SchoolTimetable& timetable,
                                                     const std::set<int>& grades) {
    std::vector<store::GradelessonRow> rows;
    for (const int g : grades) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            const std::string& name = timetable.cell(g, c, 0, 0);
            if (gbk::isBlank(name, 3)) {
                continue;
            }
            for (int p = 1; p <= school::kPeriods; ++p) {
                store::GradelessonRow row;
                row.className = name;
                row.number = school::packRowNumber({g + 1, c + 1, p});
                for (int d = 0; d < school::kDays; ++d) {
                    row.days[static_cast<std::size_t>(d)] = timetable.cell(g, c, d, p);
                }
                rows.push_back(std::move(row));
            }
        }
    }
    return rows;
}

std::vector<store::GradelessonRow> inTeacherNames(const AutoOrderData& data,
                                                  std::vector<store::GradelessonRow> rows) {
    for (store::GradelessonRow& row : rows) {
        const auto key = school::unpackRowNumber(row.number);
        if (!key) {
            continue;
        }
        const int g = key->gradeNumber - 1;
        const ClassCourseList& list = courseListNamed(data, g, key->classNumber - 1, row.className);
        const std::vector<UnifiedCourse> unified = unifiedSlotsOf(data, g);
        for (int d = 0; d < school::kDays; ++d) {
            std::string& cell = row.days[static_cast<std::size_t>(d)];
            cell = teacherText(list, unified, d, key->period, cell);
        }
    }
    return rows;
}

school::SchoolTimetable loadSchoolTimetable() {
    return timetableFromRows(store::CGLRecord().readAll());
}

school::SchoolTimetable loadTeacherTimetable() {
    return inTeacherNames(loadAutoOrderData(), loadSchoolTimetable());
}

std::vector<store::GradelessonRow> readTeacherRows() {
    return inTeacherNames(loadAutoOrderData(), store::CGLRecord().readAll());
}

school::SchoolTimetable loadSchoolTimetable(std::vector<std::string>& ignored) {
    auto checked = store::CGLRecord().readChecked();
    ignored.insert(ignored.end(), checked.invalid.begin(), checked.invalid.end());
    for (const store::GradelessonRow& row : checked.rows) {
        if (!school::unpackRowNumber(row.number)) {
            ignored.push_back("gradelesson 中编号 " + std::to_string(row.number) + " 的行（" +
                              row.className + "）：编号不属于任何年段、班级和节次");
        }
    }
    return timetableFromRows(checked.rows);
}

void saveSchoolTimetable(const school::SchoolTimetable& timetable) {
    const std::vector<store::GradelessonRow> rows = rowsFromTimetable(timetable);
    store::CGLRecord recordSet;
    recordSet.replaceAll(rows);
}

void saveGrades(const school::SchoolTimetable& timetable, const std::set<int>& grades) {
    const std::vector<store::GradelessonRow> rows = rowsFromTimetable(timetable, grades);
    store::CGLRecord().replace(
        [&](const store::GradelessonRow& row) {
            const auto key = school::unpackRowNumber(row.number);
            return key && grades.count(key->gradeNumber - 1) > 0;
        },
        rows);
}

} // namespace timetable
