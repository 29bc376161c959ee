// Record set over table [classcourse]: the course plan of each class, one row per class and course.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct ClasscourseRow {
    std::string className{}; // [班级]
    std::string course{};    // [学科]
    std::string teacher{};   // [教师]
    int weekly = 0;          // [周课时]

    auto tie() { return std::tie(className, course, teacher, weekly); }
    friend bool operator==(const ClasscourseRow&, const ClasscourseRow&) = default;
};

class CCCRecord : public TypedRecordSet<ClasscourseRow> {
public:
    CCCRecord() : TypedRecordSet(schema::classcourse, kConnectLower) {}
};

} // namespace store
