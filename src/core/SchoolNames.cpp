#include "SchoolNames.h"

#include <cassert>

namespace school {

std::optional<int> gradeIndex(std::string_view name) {
    for (int g = 0; g < kGrades; ++g) {
        if (kGradeNames[static_cast<std::size_t>(g)] == name) {
            return g;
        }
    }
    return std::nullopt;
}

std::string className(int gradeIndex, int classNumber) {
    assert(gradeIndex >= 0 && gradeIndex < kGrades);
    assert(classNumber >= 1 && classNumber <= kMaxClasses);
    std::string name(kGradeNames[static_cast<std::size_t>(gradeIndex)]);
    name += kClassNumbers[static_cast<std::size_t>(classNumber - 1)];
    return name;
}

std::string selectedClassesText(int gradeIndex, std::span<const bool, kMaxClasses> selected) {
    constexpr int kFirstLine = 7;
    std::string text;
    int shown = 0;
    for (int k = 1; k <= kMaxClasses; ++k) {
        if (!selected[static_cast<std::size_t>(k - 1)]) {
            continue;
        }
        if (shown > 0) {
            text += shown == kFirstLine ? "\n" : " ";
        }
        text += className(gradeIndex, k);
        ++shown;
    }
    return text;
}

std::optional<ClassId> parseClassName(std::string_view name) {
    for (int g = 0; g < kGrades; ++g) {
        const std::string_view grade = kGradeNames[static_cast<std::size_t>(g)];
        if (!name.starts_with(grade)) {
            continue;
        }
        const std::string_view rest = name.substr(grade.size());
        for (int c = 1; c <= kMaxClasses; ++c) {
            if (rest == kClassNumbers[static_cast<std::size_t>(c - 1)]) {
                return ClassId{g, c};
            }
        }
    }
    return std::nullopt;
}

int packRowNumber(RowKey key) {
    assert(key.gradeNumber >= 1 && key.gradeNumber <= kGrades);
    assert(key.classNumber >= 1 && key.classNumber <= kMaxClasses);
    assert(key.period >= 1 && key.period <= kPeriods);
    return key.gradeNumber * 10000 + key.classNumber * 100 + key.period;
}

std::optional<RowKey> unpackRowNumber(int number) {
    const RowKey key{number / 10000, (number / 100) % 100, number % 100};
    if (number < 0 || key.gradeNumber < 1 || key.gradeNumber > kGrades || key.classNumber < 1 ||
        key.classNumber > kMaxClasses || key.period < 1 || key.period > kPeriods) {
        return std::nullopt;
    }
    return key;
}

std::string reviewDayName(int day) {
    static constexpr std::array<std::string_view, 10> kNumerals = {"一", "二", "三", "四", "五",
                                                                   "六", "七", "八", "九", "十"};
    return "第" + std::string(kNumerals.at(static_cast<std::size_t>(day))) + "天";
}

} // namespace school
