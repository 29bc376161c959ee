// Record set over table [gradeclass]: how many classes each grade has.
// Connect string "ODBC;DSN=tavlen". readGradeClasses() reads it into school::GradeClasses
// (a row whose grade is none of the six names is ignored; a later row for a grade wins).
#pragma once

#include "core/GradeClasses.h"
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

inline school::GradeClasses readGradeClasses() {
    school::GradeClasses classes;
    for (const GradeclassRow& row : CGSRecord().readAll()) {
        if (const auto grade = school::gradeIndex(row.grade)) {
            classes.setCount(*grade, row.classes);
        }
    }
    return classes;
}

} // namespace store
