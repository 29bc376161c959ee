// The school week of an attendance record: the [周别] text read as a whole number, and the
// range a week typed into the attendance input must lie in (the range the statistics read);
// and the record's date as the input form and the preview show it.
// Spaces around the digits are allowed, so "05", " 5" and "5" all name week 5; anything else
// ("5a", "", "-1") names no week.
#pragma once

#include "core/DateTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace attendance {

inline constexpr int kFirstWeek = 1;
inline constexpr int kLastWeek = 60;

// The whole number the text holds, or nothing.
std::optional<int> weekNumber(std::string_view text);

// The week typed by the user: a whole number in kFirstWeek..kLastWeek, or nothing.
std::optional<int> typedWeek(std::string_view text);

// "YYYY-MM-DD", or empty for a record without a date.
std::string dateText(const school::DateTime& date);

} // namespace attendance
