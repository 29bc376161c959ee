// Record set over table [courseproperty]: whether a course is an examination course in a grade (1
// 考试科, 0 考查科, 3 not set). Connect string "ODBC;DSN=TAVLEN".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct CoursepropertyRow {
    std::string grade{};  // [grade]
    std::string course{}; // [course]
    int property = 0;     // [property]

    auto tie() { return std::tie(grade, course, property); }
    friend bool operator==(const CoursepropertyRow&, const CoursepropertyRow&) = default;
};

class CCPRecord : public TypedRecordSet<CoursepropertyRow> {
public:
    CCPRecord() : TypedRecordSet(schema::courseproperty, kConnectUpper) {}
};

} // namespace store
