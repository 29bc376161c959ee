// How a school's workbook writes the names and numbers the tables hold, read into the stored
// forms: grades as "初一" … "高三" or 1 … 6, classes as "初一⑴", "初一1班", "初一(1)" or
// "初一（1）", days as "星期一" … "星期五", "周一" … or 1 … 5, periods as "1", "1-4", "1,3,5"
// (also with "、", "，", "～"), lists of names separated by "、", "," or "，". Every function
// is pure; nullopt (or an empty list) means the text is no such thing. All text is UTF-8.
//
// The teacher presets of one teacher, a 35-character mask of '0'/'1', are written as one line
// per day with the periods as ranges ("星期一" + "1-4,6"); maskPeriods() reads the '1's at
// positions 0..34 of any stored mask.
#pragma once

#include "core/SchoolNames.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// Without surrounding spaces (ASCII and the full-width U+3000).
std::string trimmed(std::string_view text);
// A whole number written with digits only (an optional minus in front), within int range.
std::optional<int> wholeNumber(std::string_view text);

std::optional<int> gradeOf(std::string_view text); // grade index 0..5
std::optional<school::ClassId> classOf(std::string_view text);
std::optional<int> dayOf(std::string_view text); // 1..5
// Periods 1..7 in the order written, each once; nullopt for anything else (also empty text).
std::optional<std::vector<int>> periodsOf(std::string_view text);
// "1-4,6": the periods (ascending) with runs of three or more written as ranges.
std::string periodsText(const std::vector<int>& periods);
// The names of a list, trimmed, empty ones left out.
std::vector<std::string> namesOf(std::string_view text);

inline constexpr int kMaskLength = school::kDays * school::kPeriods;
// A stored mask shorter than this holds no presets at all (the arrangement ignores it).
inline constexpr std::size_t kShortestMask = 30;
// The marked periods of each day (index 0 = Monday) of a stored mask.
std::vector<std::vector<int>> maskPeriods(std::string_view mask);

} // namespace exchange
