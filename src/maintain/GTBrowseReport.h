// The course teachers of one grade as [classcourse] names them, and the grade teacher list
// document made from them. The browse dialog "年段任课教师浏览" and `tavlen-cli export
// teachers` both read and build through here.
//
// readGradeTeachers() takes the rows whose class name begins with the grade's name ("初一⑽"
// belongs to "初一", "初二⑴" does not). Classes and courses are listed in the order the table
// first names them, as many as there are; a later row for the same class and course names the
// teacher. A row without a course name (shorter than 4 GBK bytes) is passed over: a column
// without a heading would end the list there. A class without a teacher for a course has an
// empty cell; it hides nothing else. Reading may throw store::DbError. Text is UTF-8.
//
// The document (the "teachers" template) holds the heading row and 19 classes, the class
// column and 19 courses; omittedText() names what does not fit.
#pragma once

#include "reports/ReportTable.h"

#include <cstddef>
#include <string>
#include <vector>

namespace maintain {

struct GradeTeachers {
    struct ClassRow {
        std::string className;
        std::vector<std::string> teachers; // one per course, "" for none
        friend bool operator==(const ClassRow&, const ClassRow&) = default;
    };

    int grade = 0; // 0 … 5
    std::vector<std::string> courses;
    std::vector<ClassRow> classes;

    friend bool operator==(const GradeTeachers&, const GradeTeachers&) = default;
};

// The heading of the class column.
inline constexpr const char* kClassHeading = "班级";
// What the grade teacher list document holds.
inline constexpr std::size_t kListedClasses = 19;
inline constexpr std::size_t kListedCourses = 19;

GradeTeachers readGradeTeachers(int grade);

// Row 0: "班级" and the courses; then each class and its teachers.
reports::ReportTable teacherListTable(const GradeTeachers& teachers);

// "初  一  年  段  任  课  教  师  表".
std::string teacherListPrintTitle(int grade);

// What the document leaves out ("" when everything fits), for the user to read before it is
// written.
std::string omittedText(const GradeTeachers& teachers);

} // namespace maintain
