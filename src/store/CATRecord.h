// Record set over table [attendance]: teacher attendance events, one row per event.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct AttendanceRow {
    std::string teacher{};    // [教师]
    std::string week{};       // [周别]
    std::string className{};  // [班级]
    school::DateTime date{};  // [日期]
    std::string weekday{};    // [星期]
    std::string period{};     // [节别]
    std::string kind{};       // [性质]
    std::string substitute{}; // [补课]
    std::string remark{};     // [备注]

    auto tie() {
        return std::tie(teacher, week, className, date, weekday, period, kind, substitute, remark);
    }
    friend bool operator==(const AttendanceRow&, const AttendanceRow&) = default;
};

class CATRecord : public TypedRecordSet<AttendanceRow> {
public:
    CATRecord() : TypedRecordSet(schema::attendance, kConnectLower) {}
};

} // namespace store
