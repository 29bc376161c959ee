#include "overview/SchoolStanding.h"

#include "attendance/AttendanceWeekText.h"
#include "overview/DatabaseInUse.h"
#include "store/CATRecord.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CSORecord.h"
#include "store/CTNRecord.h"
#include "store/NameList.h"
#include "supervise/DutyTimes.h"
#include "timetable/ArrangeReport.h"
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"

#include <algorithm>
#include <set>
#include <utility>

namespace overview {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

bool hasGradePlan(const std::vector<store::GradecourseRow>& plans, int grade) {
    const std::string_view name = school::kGradeNames[at(grade)];
    return std::any_of(plans.begin(), plans.end(), [&](const store::GradecourseRow& row) {
        return row.grade == name && row.days == 0 && !store::isBlankName(row.course);
    });
}

// The first course of the list planned with lessons but without a teacher, or nothing.
const timetable::CourseEntry* firstUnstaffed(const timetable::ClassCourseList& list) {
    for (const timetable::CourseEntry& entry : list.entries) {
        if (!store::isBlankName(entry.course) && entry.weekly > 0 &&
            !timetable::namesTeacher(entry.teacher)) {
            return &entry;
        }
    }
    return nullptr;
}

Remaining remainingOf(const timetable::GradeReview& review) {
    Remaining out;
    out.clashes = static_cast<int>(review.clashes.size());
    out.overloads = static_cast<int>(review.overloads.size());
    out.presets = static_cast<int>(review.presets.size());
    out.resourceOverruns = static_cast<int>(review.resourceOverruns.size());
    out.line = timetable::remainingLine(review);
    return out;
}

GradeStanding gradeStanding(const SchoolTables& tables, int grade,
                            const school::SchoolTimetable& teachers,
                            const school::SchoolTimetable& courses) {
    GradeStanding out;
    out.grade = grade;
    out.classes = tables.classes.count(grade);
    out.gradePlan = hasGradePlan(tables.gradePlans, grade);
    for (int k = 1; k <= out.classCount(); ++k) {
        const timetable::ClassCourseList& list = tables.data.classList(grade, k - 1);
        if (list.className.empty() || store::isBlankName(list.entries[0].course)) {
            continue;
        }
        ++out.planned;
        if (const timetable::CourseEntry* entry = firstUnstaffed(list)) {
            if (out.unstaffed.empty()) {
                out.unstaffed = list.className + " " + entry->course;
            }
        } else {
            ++out.staffed;
        }
    }
    const timetable::GradeReview review =
        timetable::reviewGrade(tables.data, grade, teachers, courses);
    for (const timetable::ClassOutcome& outcome : review.classes) {
        const auto id = school::parseClassName(outcome.className);
        if (outcome.arranged && id && id->classNumber <= out.classCount()) {
            ++out.arranged;
        }
    }
    out.remaining = remainingOf(review);
    return out;
}

} // namespace

SchoolTables::SchoolTables() = default;
SchoolTables::~SchoolTables() = default;
SchoolTables::SchoolTables(SchoolTables&&) noexcept = default;
SchoolTables& SchoolTables::operator=(SchoolTables&&) noexcept = default;

Standing standingOf(const SchoolTables& tables) {
    Standing out;
    out.courseNames = static_cast<int>(tables.courseNames.size());
    out.teachers = static_cast<int>(tables.teachers.size());
    out.courseTeachers = tables.courseTeachers;
    const school::SchoolTimetable teachers =
        timetable::inTeacherNames(tables.data, tables.timetable);
    const school::SchoolTimetable courses = timetable::inCourseNames(tables.data, tables.timetable);
    std::set<std::string> classesSet;
    for (int grade = 0; grade < school::kGrades; ++grade) {
        out.grades[at(grade)] = gradeStanding(tables, grade, teachers, courses);
        for (int k = 1; k <= out.grades[at(grade)].classCount(); ++k) {
            classesSet.insert(school::className(grade, k));
        }
    }

    std::set<int> weeks;
    for (const store::AttendanceRow& row : tables.attendance) {
        if (const auto week = attendance::weekNumber(row.week)) {
            weeks.insert(*week);
        }
    }
    out.attendanceWeeks.assign(weeks.begin(), weeks.end());
    out.attendanceRecords = static_cast<int>(tables.attendance.size());

    std::set<std::pair<std::string, std::string>> filled;
    for (const store::SuperviseRow& row : tables.duty) {
        const bool knownTime = std::find(supervise::kDutyTimes.begin(), supervise::kDutyTimes.end(),
                                         row.time) != supervise::kDutyTimes.end();
        if (knownTime && classesSet.count(row.className) > 0 && !store::isBlankName(row.teacher)) {
            filled.emplace(row.className, row.time);
        }
    }
    out.dutyFilled = static_cast<int>(filled.size());
    out.dutySlots = static_cast<int>(classesSet.size() * supervise::kDutyTimes.size());
    return out;
}

SchoolTables readSchoolTables() {
    SchoolTables tables;
    tables.courseNames = store::readNameList<store::CCNRecord>(store::kCourseCapacity);
    tables.teachers = store::readNameList<store::CTNRecord>(store::kRosterCapacity);
    tables.courseTeachers = static_cast<int>(store::CCTRecord().readAll().size());
    tables.classes = store::readGradeClasses();
    tables.gradePlans = store::CGCRecord().readAll();
    tables.data = timetable::loadAutoOrderData();
    tables.timetable = timetable::loadSchoolTimetable();
    tables.attendance = store::CATRecord().readAll();
    tables.duty = store::CSORecord().readAll();
    return tables;
}

Standing readStanding() {
    Standing standing = standingOf(readSchoolTables());
    standing.database = databaseInUse();
    return standing;
}

} // namespace overview
