// GradeClasses: how many classes each grade has, as 年段班级编辑 stores it. A grade without a
// stored count has all twenty class positions (nothing is known to be missing); with one,
// classes beyond it do not exist, and the class buttons of the planning and duty dialogs say
// so. Pure data; store::readGradeClasses() fills it from table [gradeclass].
#pragma once

#include "core/SchoolNames.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace school {

class GradeClasses {
public:
    // Grade index 0..5; a count is clamped to 0..20.
    void setCount(int grade, int count);
    std::optional<int> count(int grade) const;
    // Whether class k (1..20) of the grade exists.
    bool exists(int grade, int k) const;
    // The classes the stored counts name, grade by grade ("初一⑴" …); a grade without a stored
    // count names none.
    std::vector<std::string> storedClassNames() const;
    // The tool tip of a class button beyond the grade's count: "初一只有 3 个班（见年段班级编辑）".
    std::string missingNote(int grade) const;

private:
    std::array<std::optional<int>, kGrades> m_counts{};
};

} // namespace school
