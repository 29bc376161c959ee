// Record set over table [gradecourse]: the weekly course plan of each grade (天数 0) and its review
// plan (天数 = days). Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct GradecourseRow {
    std::string grade{};  // [年段]
    std::string course{}; // [学科]
    int weekly = 0;       // [周课时]
    int days = 0;         // [天数]

    auto tie() { return std::tie(grade, course, weekly, days); }
    friend bool operator==(const GradecourseRow&, const GradecourseRow&) = default;
};

class CGCRecord : public TypedRecordSet<GradecourseRow> {
public:
    CGCRecord() : TypedRecordSet(schema::gradecourse, kConnectLower) {}
};

} // namespace store
