// Record set over table [coursename]: the list of all course names, in table order.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct CoursenameRow {
    std::string name{}; // [coursename]

    auto tie() { return std::tie(name); }
    friend bool operator==(const CoursenameRow&, const CoursenameRow&) = default;
};

class CCNRecord : public TypedRecordSet<CoursenameRow> {
public:
    CCNRecord() : TypedRecordSet(schema::coursename, kConnectLower) {}
};

} // namespace store
