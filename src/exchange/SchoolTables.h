// The nine tables a school's workbook fills, as rows in stored order: what the import reads
// before it compares, and what it writes. Each sheet of the workbook owns some of them
// (课程: coursename; 教师: teachername and courseteacher; 班级: gradeclass; 年段课程:
// gradecourse; 课务分工: classcourse; 教师不排: lessonprearrange; 统一课程: samelesson;
// 资源: courseshare).
//
// readSchoolTables() reads all nine through their record sets (remembering what was read for
// the store's change check); a store::DbError propagates. forEachTable() visits the tables in
// the order above, handing the record-set type (as a std::type_identity) and the rows.
#pragma once

#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCSRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CLPRecord.h"
#include "store/CSLRecord.h"
#include "store/CTNRecord.h"

#include <array>
#include <string_view>
#include <type_traits>
#include <vector>

namespace exchange {

struct SchoolTables {
    std::vector<store::CoursenameRow> coursename;
    std::vector<store::TeachernameRow> teachername;
    std::vector<store::CourseteacherRow> courseteacher;
    std::vector<store::GradeclassRow> gradeclass;
    std::vector<store::GradecourseRow> gradecourse;
    std::vector<store::ClasscourseRow> classcourse;
    std::vector<store::LessonprearrangeRow> lessonprearrange;
    std::vector<store::SamelessonRow> samelesson;
    std::vector<store::CourseshareRow> courseshare;

    friend bool operator==(const SchoolTables&, const SchoolTables&) = default;
};

inline constexpr int kSchoolTables = 9;

template <class Tables, class Visit> void forEachTable(Tables& tables, Visit&& visit) {
    visit(std::type_identity<store::CCNRecord>{}, tables.coursename);
    visit(std::type_identity<store::CTNRecord>{}, tables.teachername);
    visit(std::type_identity<store::CCTRecord>{}, tables.courseteacher);
    visit(std::type_identity<store::CGSRecord>{}, tables.gradeclass);
    visit(std::type_identity<store::CGCRecord>{}, tables.gradecourse);
    visit(std::type_identity<store::CCCRecord>{}, tables.classcourse);
    visit(std::type_identity<store::CLPRecord>{}, tables.lessonprearrange);
    visit(std::type_identity<store::CSLRecord>{}, tables.samelesson);
    visit(std::type_identity<store::CCSRecord>{}, tables.courseshare);
}

// The same visit over two sets of tables at once: visit(record type, a's rows, b's rows).
template <class Visit>
void forEachTablePair(const SchoolTables& a, const SchoolTables& b, Visit&& visit) {
    visit(std::type_identity<store::CCNRecord>{}, a.coursename, b.coursename);
    visit(std::type_identity<store::CTNRecord>{}, a.teachername, b.teachername);
    visit(std::type_identity<store::CCTRecord>{}, a.courseteacher, b.courseteacher);
    visit(std::type_identity<store::CGSRecord>{}, a.gradeclass, b.gradeclass);
    visit(std::type_identity<store::CGCRecord>{}, a.gradecourse, b.gradecourse);
    visit(std::type_identity<store::CCCRecord>{}, a.classcourse, b.classcourse);
    visit(std::type_identity<store::CLPRecord>{}, a.lessonprearrange, b.lessonprearrange);
    visit(std::type_identity<store::CSLRecord>{}, a.samelesson, b.samelesson);
    visit(std::type_identity<store::CCSRecord>{}, a.courseshare, b.courseshare);
}

// The tables' names, in the same order.
inline constexpr std::array<std::string_view, kSchoolTables> kSchoolTableNames = {
    "coursename",  "teachername",      "courseteacher", "gradeclass", "gradecourse",
    "classcourse", "lessonprearrange", "samelesson",    "courseshare"};

SchoolTables readSchoolTables();

} // namespace exchange
