// The school weeks of the calendar: week 1 begins on the Monday the school settings name
// (第一周星期一, SchoolSettingsStore.h), so a date has a week number (1 for that Monday …
// Sunday, 0 and below before it) and a weekday (0 = Monday … 6 = Sunday). Cover plans take the
// weeks the attendance records take, 1 to 60, and the five school days of each. Pure C++.
#pragma once

#include "core/DateTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cover {

inline constexpr int kFirstWeek = 1;
inline constexpr int kLastWeek = 60;

// A school day: its date, its week and its weekday 0..4.
struct SchoolDay {
    school::DateTime date{};
    int week = 0;
    int day = 0;
    friend bool operator==(const SchoolDay&, const SchoolDay&) = default;
};

// "2024-09-09" for a valid date, else empty.
std::string dateText(const school::DateTime& date);
// A date typed "2024-09-09" or "2024-9-9" (the time of day dropped), or nothing.
std::optional<school::DateTime> parseDate(std::string_view text);
// "9月9日".
std::string shortDate(const school::DateTime& date);

class CoverCalendar {
public:
    // monday: the Monday of week 1.
    explicit CoverCalendar(const school::DateTime& monday);

    int weekOf(const school::DateTime& date) const;
    // 0 = Monday … 6 = Sunday.
    static int weekdayOf(const school::DateTime& date);
    // The date of weekday 0..6 of a week.
    school::DateTime dateOf(int week, int day) const;
    const school::DateTime& weekOneMonday() const { return m_monday; }

    // The school days from first to last, both included (Saturdays and Sundays left out).
    std::vector<SchoolDay> schoolDays(const school::DateTime& first,
                                      const school::DateTime& last) const;

private:
    school::DateTime m_monday;
    long m_mondayNumber = 0;
};

// The day number of a date (days since 30 December 1899).
long dayNumber(const school::DateTime& date);

} // namespace cover
