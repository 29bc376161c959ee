// Record set over table [gradeclass]: how many classes each grade has.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct GradeclassRow {
    std::string grade{}; // [grade]
    int classes = 0;     // [class]

    auto tie() { return std::tie(grade, classes); }
    friend bool operator==(const GradeclassRow&, const GradeclassRow&) = default;
};

class CGSRecord : public TypedRecordSet<GradeclassRow> {
public:
    CGSRecord() : TypedRecordSet(schema::gradeclass, kConnectLower) {}
};

} // namespace store
