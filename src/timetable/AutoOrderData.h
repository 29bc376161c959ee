// The lists the arrangement engine works from, loaded from tables courseshare, classcourse,
// lessonprearrange, courseproperty and samelesson. This file is pure C++: the loader that
// reads the record sets (AutoOrderStore) feeds the rows through the add… functions in table
// order, so tests build the same lists without a database. All text is UTF-8; lengths are
// GBK byte counts.
//
// - Class course lists: 6 grades × 20 classes, each with its class name (from the fixed
//   naming scheme) and up to 20 entries of course, teacher and weekly count, in the order
//   the rows were read. The first four entries are the class's main courses.
// - Subject resources (at most 20), teacher presets (at most 200), the examination courses
//   of each grade (loaded, emptied by every run and never read) and every samelesson row.
#pragma once

#include "core/SchoolNames.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace timetable {

inline constexpr int kEntries = 20;     // course entries per class
inline constexpr int kResources = 20;   // subject resources taken from courseshare
inline constexpr int kPresets = 200;    // teacher presets taken from lessonprearrange
inline constexpr int kUnifiedSlots = 4; // unified slots taken per grade
inline constexpr int kNoUnified = 99;   // day and period of an unused unified slot
inline constexpr int kMinWeekly = 15;   // a class's weekly total must lie in 15..35
inline constexpr int kMaxWeekly = 35;
inline constexpr int kMainCourses = 4; // entries 1..4 are main courses
inline constexpr std::string_view kChinese = "语文";
// What a unified slot holds in teacher view.
inline constexpr const char* kUnifiedBlank = "       ";

struct CourseEntry {
    std::string course;
    std::string teacher;
    int weekly = 0;
    friend bool operator==(const CourseEntry&, const CourseEntry&) = default;
};

struct ClassCourseList {
    std::string className;
    std::array<CourseEntry, kEntries> entries{};
    friend bool operator==(const ClassCourseList&, const ClassCourseList&) = default;
};

struct SubjectResource {
    std::string course;
    int limit = 0; // 1..29, or 0 for no limit
};

struct TeacherPreset {
    std::string teacher;
    std::string mask; // '1' at (day−1)·7 + (period−1): the teacher must not teach then
};

struct UnifiedCourse {
    std::string grade;
    int day = 0;    // 1..5 when valid
    int period = 0; // 1..7 when valid
    std::string course;
};

// An entry's teacher text names a teacher: at least 4 GBK bytes and not the spaces that
// mark a removed teacher. Entries without one place no lessons and are not counted in
// the weekly total (their periods stay free).
bool namesTeacher(std::string_view teacher);

class AutoOrderData {
public:
    AutoOrderData(); // every class named by the fixed scheme, everything else empty

    // courseshare, in table order: the first 20 rows; a share outside 1..29 is no limit.
    void addCourseshare(std::string course, int share);
    // classcourse, in table order: into the first entry of the named class whose course is
    // empty; unknown class names and a class's rows beyond its 20th are ignored. False for a
    // class name outside the naming scheme.
    bool addClasscourse(std::string_view className, std::string course, std::string teacher,
                        int weekly);
    // After the last classcourse row: a class whose first course is empty loses its name,
    // an entry whose weekly count is 0 loses its teacher.
    void cleanUp();
    // lessonprearrange, in table order: the first 200 rows.
    void addPreset(std::string teacher, std::string mask);
    // courseproperty: rows with property 1 fill the grade's examination-course list.
    void addCourseproperty(std::string_view grade, std::string course, int property);
    // samelesson, in table order (each run takes the first four rows of its grade).
    void addSamelesson(std::string grade, int day, int period, std::string course);

    const ClassCourseList& classList(int grade, int classIndex) const;
    ClassCourseList& classList(int grade, int classIndex);

    std::array<std::array<ClassCourseList, school::kMaxClasses>, school::kGrades> classes{};
    std::vector<SubjectResource> resources;
    std::vector<TeacherPreset> presets;
    std::array<std::array<std::string, kEntries>, school::kGrades> examCourses{};
    std::vector<UnifiedCourse> sameLessons;
    // The table rows the loader passed over, each with what is wrong with it.
    std::vector<std::string> ignoredRows;
};

} // namespace timetable
