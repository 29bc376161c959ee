// The school's naming scheme: the six grades in their fixed order, class names
// "初一⑴" … "高三⒇", day and period names, and the packed timetable row number
// g·10000 + c·100 + p of the timetable tables. All text is UTF-8.
//
// Indices: grade index 0..5 / grade number 1..6 ("初一" … "高三"), class number 1..20,
// day 1..5 (Monday..Friday), period 1..7.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace school {

inline constexpr int kGrades = 6;
inline constexpr int kMaxClasses = 20;
inline constexpr int kDays = 5;
inline constexpr int kPeriods = 7;

inline constexpr std::array<std::string_view, kGrades> kGradeNames = {"初一", "初二", "初三",
                                                                      "高一", "高二", "高三"};

// "⑴" … "⒇": U+2474 … U+2487, GBK A2C5 … A2D8.
inline constexpr std::array<std::string_view, kMaxClasses> kClassNumbers = {
    "⑴", "⑵", "⑶", "⑷", "⑸", "⑹", "⑺", "⑻", "⑼", "⑽",
    "⑾", "⑿", "⒀", "⒁", "⒂", "⒃", "⒄", "⒅", "⒆", "⒇"};

inline constexpr std::array<std::string_view, kDays> kDayNames = {"星期一", "星期二", "星期三",
                                                                  "星期四", "星期五"};

inline constexpr std::array<std::string_view, kPeriods> kPeriodNames = {
    "第一节", "第二节", "第三节", "第四节", "第五节", "第六节", "第七节"};

// "第一天" … "第十天": review day 0..9.
std::string reviewDayName(int day);

// Grade index 0..5 of an exact grade name, or nullopt.
std::optional<int> gradeIndex(std::string_view name);

// "初一⑴" for grade index 0, class number 1. Both must be in range.
std::string className(int gradeIndex, int classNumber);

// The selected classes of a grade (selected[k - 1] for class k) in class order, separated by
// spaces, the first seven on one line and the others on a second one: what a dialog writes
// after "选定班级：".
std::string selectedClassesText(int gradeIndex, std::span<const bool, kMaxClasses> selected);

struct ClassId {
    int gradeIndex = 0;  // 0..5
    int classNumber = 0; // 1..20
    friend bool operator==(const ClassId&, const ClassId&) = default;
};

// Inverse of className(): nullopt for anything that is not exactly such a name.
std::optional<ClassId> parseClassName(std::string_view name);

struct RowKey {
    int gradeNumber = 0; // 1..6
    int classNumber = 0; // 1..20
    int period = 0;      // 1..7
    friend bool operator==(const RowKey&, const RowKey&) = default;
};

// g·10000 + c·100 + p; the parts must be in range.
int packRowNumber(RowKey key);

// Inverse of packRowNumber(): nullopt for a number whose parts are out of range.
std::optional<RowKey> unpackRowNumber(int number);

} // namespace school
