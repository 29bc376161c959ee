// Record set over table [coverplan]: the cover plans saved unfinished or applied, one row a
// missed lesson, the plan's own fields (absent teacher, first and last date, category, the
// timetable's digest, its state) repeated on each of its rows. Beside the sixteen tables: a
// database lacks it until the first plan is saved, and a save creates it first, inside the
// save's transaction. Dates are written "2024-09-09", the week as its number; all text.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct CoverplanRow {
    std::string teacher{};     // [教师] the absent teacher
    std::string from{};        // [起始日期]
    std::string to{};          // [终止日期]
    std::string kind{};        // [性质] "事  假", "公  假" or "缺  勤"
    std::string date{};        // [日期] of the missed lesson
    std::string week{};        // [周别]
    std::string period{};      // [节别] "第一节" … "第七节"
    std::string className{};   // [班级]
    std::string course{};      // [学科]
    std::string substitute{};  // [代课] empty: nobody (or swapped)
    std::string swapDate{};    // [调课日期] empty: no swap
    std::string swapPeriod{};  // [调课节别]
    std::string swapTeacher{}; // [调课教师]
    std::string swapCourse{};  // [调课学科]
    std::string timetable{};   // [课程表] the digest of gradelesson the plan was made on
    std::string state{};       // [状态] "已应用" once applied, else empty

    auto tie() {
        return std::tie(teacher, from, to, kind, date, week, period, className, course, substitute,
                        swapDate, swapPeriod, swapTeacher, swapCourse, timetable, state);
    }
    friend bool operator==(const CoverplanRow&, const CoverplanRow&) = default;
};

class CCVRecord : public TypedRecordSet<CoverplanRow> {
public:
    CCVRecord() : TypedRecordSet(schema::coverplan, kConnectLower) {}

protected:
    void prepareTable(odbc::Connection& db) override { schema::createIfMissing(db, table()); }
};

} // namespace store
