// Record set over table [courseshare]: subjects with a limited teaching resource and their limit.
// Connect string "ODBC;DSN=TAVLEN".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct CourseshareRow {
    std::string course{}; // [coursename]
    int share = 0;        // [share]

    auto tie() { return std::tie(course, share); }
    friend bool operator==(const CourseshareRow&, const CourseshareRow&) = default;
};

class CCSRecord : public TypedRecordSet<CourseshareRow> {
public:
    CCSRecord() : TypedRecordSet(schema::courseshare, kConnectUpper) {}
};

} // namespace store
