#include "timetable/ReviewStore.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CGCRecord.h"
#include "store/CRLRecord.h"

#include <cstddef>
#include <vector>

namespace timetable {

ReviewData loadReviewData(int grade) {
    ReviewData data(grade);
    for (store::GradecourseRow& row : store::CGCRecord().readChecked().rows) {
        data.addGradecourse(row.grade, std::move(row.course), row.weekly, row.days);
    }
    for (store::ClasscourseRow& row : store::CCCRecord().readChecked().rows) {
        data.addClasscourse(row.className, std::move(row.course), std::move(row.teacher));
    }
    return data;
}

school::ReviewTimetable loadReviewTimetable(int grade) {
    std::vector<std::string> ignored;
    return loadReviewTimetable(grade, ignored);
}

school::ReviewTimetable loadReviewTimetable(int grade, std::vector<std::string>& ignored) {
    school::ReviewTimetable timetable;
    auto checked = store::CRLRecord().readChecked();
    ignored.insert(ignored.end(), checked.invalid.begin(), checked.invalid.end());
    for (const store::ReviewlessonRow& row : checked.rows) {
        if (row.number / 10000 != grade + 1) {
            continue;
        }
        const int c = row.number % 10000 / 100;
        const int k = row.number % 10;
        if (c < 1 || c > school::kMaxClasses || k < 1 || k > school::kPeriods) {
            ignored.push_back("reviewlesson 中编号 " + std::to_string(row.number) + " 的行（" +
                              row.className + "）：编号不属于任何班级和节次");
            continue;
        }
        if (gbk::isBlank(timetable.cell(grade, c - 1, 0, 0))) {
            for (int d = 0; d < kReviewDays; ++d) {
                timetable.cell(grade, c - 1, d, 0) = row.className;
            }
        }
        for (int d = 0; d < kReviewDays; ++d) {
            timetable.cell(grade, c - 1, d, k) = row.days[static_cast<std::size_t>(d)];
        }
    }
    return timetable;
}

void saveReviewTimetable(const school::ReviewTimetable& timetable, int grade) {
    std::vector<store::ReviewlessonRow> rows;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        const std::string& name = timetable.cell(grade, c, 0, 0);
        if (gbk::isBlank(name)) {
            break;
        }
        for (int k = 1; k <= school::kPeriods; ++k) {
            store::ReviewlessonRow row;
            row.className = name;
            row.number = (grade + 1) * 10000 + (c + 1) * 100 + k;
            for (int d = 0; d < kReviewDays; ++d) {
                row.days[static_cast<std::size_t>(d)] = timetable.cell(grade, c, d, k);
            }
            rows.push_back(std::move(row));
        }
    }
    // Every row of the grade goes, also a class's that is no longer arranged: a row left
    // behind would show last week's timetable beside this one.
    store::CRLRecord().replace(
        [&](const store::ReviewlessonRow& row) { return row.number / 10000 == grade + 1; }, rows);
}

int loadedReviewDays(const school::ReviewTimetable& timetable, int grade) {
    int days = 0;
    while (days < kReviewDays && !gbk::isBlank(timetable.cell(grade, 0, days, 1))) {
        ++days;
    }
    return days;
}

} // namespace timetable
