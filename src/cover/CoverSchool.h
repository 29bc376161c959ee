// What cover planning works from, read once from the store: the roster, the class course
// lists and presets (the arrangement's lists), the term timetable of [gradelesson] in teacher
// and in course names, the subject teacher lists, every [attendance] record and the school
// settings (the Monday of week 1, the school's name). The digest of the [gradelesson] rows
// tells a plan made on this timetable from one made on another (the timetable changed when
// any row was added, removed or changed). Everything else is pure C++ over these parts, so
// a test builds a school in memory.
#pragma once

#include "attendance/SubstituteCandidates.h"
#include "core/SchoolSettings.h"
#include "core/SchoolTimetable.h"
#include "store/CATRecord.h"
#include "store/CCTRecord.h"
#include "timetable/AutoOrderData.h"

#include <string>
#include <vector>

namespace store {
struct GradelessonRow;
}

namespace cover {

struct CoverSchool {
    std::vector<std::string> roster{};
    timetable::AutoOrderData data{};
    school::SchoolTimetable timetable{}; // as stored (teacher or course names)
    std::vector<store::CourseteacherRow> courseTeachers{};
    std::vector<store::AttendanceRow> attendance{};
    school::SchoolSettings settings{};
    std::string timetableDigest{};

    // Reads every part; throws store::DbError when a table cannot be read.
    static CoverSchool load();
};

// A digest of the timetable rows, as hexadecimal text.
std::string timetableDigest(const std::vector<store::GradelessonRow>& rows);

} // namespace cover
