// Record set over table [courseteacher]: which teachers teach a course, one row per pair.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct CourseteacherRow {
    std::string course{};  // [course]
    std::string teacher{}; // [teacher]

    auto tie() { return std::tie(course, teacher); }
    friend bool operator==(const CourseteacherRow&, const CourseteacherRow&) = default;
};

class CCTRecord : public TypedRecordSet<CourseteacherRow> {
public:
    CCTRecord() : TypedRecordSet(schema::courseteacher, kConnectLower) {}
};

} // namespace store
