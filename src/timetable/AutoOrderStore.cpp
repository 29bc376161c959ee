#include "timetable/AutoOrderStore.h"

#include "store/CCCRecord.h"
#include "store/CCPRecord.h"
#include "store/CCSRecord.h"
#include "store/CLPRecord.h"
#include "store/CSLRecord.h"

#include <string>

namespace timetable {

namespace {

// The valid rows of a table; the others join the list of ignored rows.
template <class RecordSet> auto validRows(AutoOrderData& data) {
    auto checked = RecordSet().readChecked();
    data.ignoredRows.insert(data.ignoredRows.end(), checked.invalid.begin(), checked.invalid.end());
    return checked;
}

} // namespace

AutoOrderData loadAutoOrderData() {
    AutoOrderData data;
    for (store::CourseshareRow& row : validRows<store::CCSRecord>(data).rows) {
        data.addCourseshare(std::move(row.course), row.share);
    }
    auto courses = validRows<store::CCCRecord>(data);
    for (std::size_t i = 0; i < courses.rows.size(); ++i) {
        store::ClasscourseRow& row = courses.rows[i];
        const std::string className = row.className;
        if (!data.addClasscourse(row.className, std::move(row.course), std::move(row.teacher),
                                 row.weekly)) {
            data.ignoredRows.push_back("classcourse 第 " + std::to_string(courses.positions[i]) +
                                       " 行：班级 = " + className + "，不是本校的班级名");
        }
    }
    data.cleanUp();
    for (store::LessonprearrangeRow& row : validRows<store::CLPRecord>(data).rows) {
        data.addPreset(std::move(row.teacher), std::move(row.prearrange));
    }
    for (store::CoursepropertyRow& row : validRows<store::CCPRecord>(data).rows) {
        data.addCourseproperty(row.grade, std::move(row.course), row.property);
    }
    for (store::SamelessonRow& row : validRows<store::CSLRecord>(data).rows) {
        data.addSamelesson(std::move(row.grade), row.day, row.period, std::move(row.course));
    }
    return data;
}

} // namespace timetable
