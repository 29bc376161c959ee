// Record set over table [courseweek]: the standard weekly workload of a subject in a grade (grade
// number 1..6). Connect string "ODBC;DSN=TAVLEN".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct CourseweekRow {
    std::string course{}; // [coursename]
    int grade = 0;        // [grade]
    int week = 0;         // [week]

    auto tie() { return std::tie(course, grade, week); }
    friend bool operator==(const CourseweekRow&, const CourseweekRow&) = default;
};

class CCWRecord : public TypedRecordSet<CourseweekRow> {
public:
    CCWRecord() : TypedRecordSet(schema::courseweek, kConnectUpper) {}
};

} // namespace store
