#include "core/GradeClasses.h"

#include <algorithm>

namespace school {

void GradeClasses::setCount(int grade, int count) {
    if (grade >= 0 && grade < kGrades) {
        m_counts[static_cast<std::size_t>(grade)] = std::clamp(count, 0, kMaxClasses);
    }
}

std::optional<int> GradeClasses::count(int grade) const {
    if (grade < 0 || grade >= kGrades) {
        return std::nullopt;
    }
    return m_counts[static_cast<std::size_t>(grade)];
}

bool GradeClasses::exists(int grade, int k) const {
    const std::optional<int> n = count(grade);
    return k >= 1 && k <= kMaxClasses && (!n || k <= *n);
}

std::vector<std::string> GradeClasses::storedClassNames() const {
    std::vector<std::string> names;
    for (int g = 0; g < kGrades; ++g) {
        for (int c = 1; c <= m_counts[static_cast<std::size_t>(g)].value_or(0); ++c) {
            names.push_back(className(g, c));
        }
    }
    return names;
}

std::string GradeClasses::missingNote(int grade) const {
    const std::optional<int> n = count(grade);
    if (!n) {
        return {};
    }
    return std::string(kGradeNames[static_cast<std::size_t>(grade)]) + "只有 " +
           std::to_string(*n) + " 个班（见年段班级编辑）";
}

} // namespace school
