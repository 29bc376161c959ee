#include "cover/CoverCalendar.h"

#include "store/SchoolSettingsStore.h"

#include <cmath>

namespace cover {

long dayNumber(const school::DateTime& date) {
    school::DateTime midnight = date;
    midnight.hour = midnight.minute = midnight.second = 0;
    return std::lround(midnight.toAutomation());
}

std::string dateText(const school::DateTime& date) {
    if (!date.valid()) {
        return {};
    }
    return date.toText().substr(0, 10);
}

std::optional<school::DateTime> parseDate(std::string_view text) {
    const std::optional<std::string> date = store::calendarDate(text);
    if (!date) {
        return std::nullopt;
    }
    return school::DateTime::fromText(*date);
}

std::string shortDate(const school::DateTime& date) {
    return std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

CoverCalendar::CoverCalendar(const school::DateTime& monday)
    : m_monday(monday), m_mondayNumber(dayNumber(monday)) {}

int CoverCalendar::weekOf(const school::DateTime& date) const {
    const long days = dayNumber(date) - m_mondayNumber;
    // Floor division, so the days before week 1 fall into week 0, -1 …
    const long weeks = days >= 0 ? days / 7 : -((-days + 6) / 7);
    return static_cast<int>(weeks) + 1;
}

int CoverCalendar::weekdayOf(const school::DateTime& date) {
    return date.weekday() - 1;
}

school::DateTime CoverCalendar::dateOf(int week, int day) const {
    return school::DateTime::fromAutomation(
        static_cast<double>(m_mondayNumber + (week - 1) * 7L + day));
}

std::vector<SchoolDay> CoverCalendar::schoolDays(const school::DateTime& first,
                                                 const school::DateTime& last) const {
    std::vector<SchoolDay> days;
    for (long n = dayNumber(first); n <= dayNumber(last); ++n) {
        const school::DateTime date = school::DateTime::fromAutomation(static_cast<double>(n));
        const int day = weekdayOf(date);
        if (day < 5) {
            days.push_back({date, weekOf(date), day});
        }
    }
    return days;
}

} // namespace cover
