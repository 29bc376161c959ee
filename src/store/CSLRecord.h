// Record set over table [samelesson]: unified courses: a course a whole grade has in the same slot
// (day 1..5, period 1..7). Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct SamelessonRow {
    std::string grade{};  // [年段]
    int day = 0;          // [星期]
    int period = 0;       // [节别]
    std::string course{}; // [学科]

    auto tie() { return std::tie(grade, day, period, course); }
    friend bool operator==(const SamelessonRow&, const SamelessonRow&) = default;
};

class CSLRecord : public TypedRecordSet<SamelessonRow> {
public:
    CSLRecord() : TypedRecordSet(schema::samelesson, kConnectLower) {}
};

} // namespace store
