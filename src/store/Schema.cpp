#include "store/Schema.h"

#include "store/DbError.h"
#include "store/SqlDialect.h"

#include <algorithm>

namespace store::schema {
namespace {

using K = ColumnKind;

constexpr ColumnDef kAttendance[] = {{"教师", K::Text}, {"周别", K::Text}, {"班级", K::Text},
                                     {"日期", K::Date}, {"星期", K::Text}, {"节别", K::Text},
                                     {"性质", K::Text}, {"补课", K::Text}, {"备注", K::Text}};
// Weekly lesson counts 0..30, class counts 0..20, review days 0..10, days and periods 1..7
// (0 where a row may leave them unset), flags 0 or 1, grade numbers 1..6.
constexpr ColumnDef kClasscourse[] = {
    {"班级", K::Text}, {"学科", K::Text}, {"教师", K::Text}, {"周课时", K::Int, 0, 30}};
constexpr ColumnDef kCoursename[] = {{"coursename", K::Text}};
constexpr ColumnDef kCourseproperty[] = {
    {"grade", K::Text}, {"course", K::Text}, {"property", K::Int, 0, 1}};
constexpr ColumnDef kCourseshare[] = {{"coursename", K::Text}, {"share", K::Int}};
constexpr ColumnDef kCourseteacher[] = {{"course", K::Text}, {"teacher", K::Text}};
constexpr ColumnDef kCourseweek[] = {
    {"coursename", K::Text}, {"grade", K::Int, 1, 6}, {"week", K::Int}};
constexpr ColumnDef kGradecourse[] = {
    {"年段", K::Text}, {"学科", K::Text}, {"周课时", K::Int, 0, 30}, {"天数", K::Int, 0, 10}};
constexpr ColumnDef kGradelesson[] = {
    {"class", K::Text},   {"number", K::Int},     {"monday", K::Text},
    {"tuesday", K::Text}, {"wednesday", K::Text}, {"thursday", K::Text},
    {"friday", K::Text},  {"saturday", K::Text},  {"sunday", K::Text}};
constexpr ColumnDef kGradeclass[] = {{"grade", K::Text}, {"class", K::Int, 0, 20}};
constexpr ColumnDef kLessonprearrange[] = {{"teacher", K::Text}, {"prearrange", K::Text}};
constexpr ColumnDef kOrderplan[] = {{"class", K::Text},        {"course", K::Text},
                                    {"week1", K::Int, 0, 7},   {"week2", K::Int, 0, 7},
                                    {"number1", K::Int, 0, 7}, {"number2", K::Int, 0, 7},
                                    {"order", K::Bool, 0, 1}};
constexpr ColumnDef kReviewlesson[] = {{"class", K::Text}, {"number", K::Int}, {"one", K::Text},
                                       {"two", K::Text},   {"three", K::Text}, {"four", K::Text},
                                       {"five", K::Text},  {"six", K::Text},   {"seven", K::Text},
                                       {"eight", K::Text}, {"nine", K::Text},  {"ten", K::Text}};
constexpr ColumnDef kSamelesson[] = {
    {"年段", K::Text}, {"星期", K::Int, 1, 7}, {"节别", K::Int, 1, 7}, {"学科", K::Text}};
constexpr ColumnDef kSupervise[] = {
    {"classname", K::Text}, {"time", K::Text}, {"teacher", K::Text}};
constexpr ColumnDef kTeachername[] = {{"姓名", K::Text}};
constexpr ColumnDef kSetting[] = {{"名称", K::Text}, {"值", K::Text}};
constexpr ColumnDef kCoverplan[] = {
    {"教师", K::Text},     {"起始日期", K::Text}, {"终止日期", K::Text}, {"性质", K::Text},
    {"日期", K::Text},     {"周别", K::Text},     {"节别", K::Text},     {"班级", K::Text},
    {"学科", K::Text},     {"代课", K::Text},     {"调课日期", K::Text}, {"调课节别", K::Text},
    {"调课教师", K::Text}, {"调课学科", K::Text}, {"课程表", K::Text},   {"状态", K::Text}};

const char* sqlType(ColumnKind kind) {
    switch (kind) {
    case K::Text:
        return "VARCHAR(255)";
    case K::Int:
        return "INTEGER";
    case K::Bool:
        return "INTEGER";
    case K::Date:
        return "TIMESTAMP";
    }
    return "VARCHAR(255)";
}

} // namespace

const TableDef attendance{"attendance", kAttendance, "出勤记录"};
const TableDef classcourse{"classcourse", kClasscourse, "班级课程表"};
const TableDef coursename{"coursename", kCoursename, "课程名称表"};
const TableDef courseproperty{"courseproperty", kCourseproperty, "课程性质表"};
const TableDef courseshare{"courseshare", kCourseshare, "学科资源表"};
const TableDef courseteacher{"courseteacher", kCourseteacher, "学科教师表"};
const TableDef courseweek{"courseweek", kCourseweek, "标准工作量表"};
const TableDef gradecourse{"gradecourse", kGradecourse, "年段课程设置"};
const TableDef gradelesson{"gradelesson", kGradelesson, "年段课程表"};
const TableDef gradeclass{"gradeclass", kGradeclass, "年段班级表"};
const TableDef lessonprearrange{"lessonprearrange", kLessonprearrange, "教师课程预设"};
const TableDef orderplan{"orderplan", kOrderplan, "编排计划"};
const TableDef reviewlesson{"reviewlesson", kReviewlesson, "年段课程表"};
const TableDef samelesson{"samelesson", kSamelesson, "统一课程表"};
const TableDef supervise{"supervise", kSupervise, "督修教师安排"};
const TableDef teachername{"teachername", kTeachername, "教师名单"};
const TableDef setting{"setting", kSetting, "学校设置"};
const TableDef coverplan{"coverplan", kCoverplan, "代课安排"};

const std::array<const TableDef*, 16>& allTables() {
    static const std::array<const TableDef*, 16> tables = {
        &attendance,   &classcourse,   &coursename,       &courseproperty,
        &courseshare,  &courseteacher, &courseweek,       &gradecourse,
        &gradelesson,  &gradeclass,    &lessonprearrange, &orderplan,
        &reviewlesson, &samelesson,    &supervise,        &teachername};
    return tables;
}

const std::array<const TableDef*, 17>& newDatabaseTables() {
    static const std::array<const TableDef*, 17> tables = [] {
        std::array<const TableDef*, 17> out{};
        std::copy(allTables().begin(), allTables().end(), out.begin());
        out.back() = &setting;
        return out;
    }();
    return tables;
}

std::string createStatement(const TableDef& table, odbc::Engine engine) {
    std::string sql = "CREATE TABLE " + sql::quoted(engine, table.name) + " (" +
                      sql::quoted(engine, kHiddenKey) + " " + sql::keyColumnType(engine);
    for (const ColumnDef& column : table.columns) {
        sql += ", " + sql::quoted(engine, column.name) + " " + sqlType(column.kind);
    }
    sql += ")";
    return sql;
}

bool exists(odbc::Connection& connection, const TableDef& table) {
    try {
        connection.execute("SELECT 1 FROM " + sql::quoted(connection.engine(), table.name) +
                           " WHERE 1 = 0");
    } catch (const DbError&) {
        return false;
    }
    return true;
}

void createIfMissing(odbc::Connection& connection, const TableDef& table) {
    // Both engines know IF NOT EXISTS, so a table another program created meanwhile is kept.
    std::string sql = createStatement(table, connection.engine());
    sql.insert(std::string_view("CREATE TABLE ").size(), "IF NOT EXISTS ");
    connection.execute(sql);
}

void createAll(odbc::Connection& connection, odbc::Transaction&) {
    for (const TableDef* table : allTables()) {
        connection.execute(createStatement(*table, connection.engine()));
    }
}

void createAll(odbc::Connection& connection) {
    odbc::Transaction transaction(connection);
    createAll(connection, transaction);
    transaction.commit();
}

} // namespace store::schema
