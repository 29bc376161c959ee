// A calendar date and time as the attendance table stores it, with conversion to and
// from the automation-date number (days since 30 December 1899, time as the fraction).
// A default-constructed DateTime is invalid (null in the database).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace school {

struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool valid() const;
    // "YYYY-MM-DD HH:MM:SS"; empty when invalid.
    std::string toText() const;
    // Accepts "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS" (fraction of a second ignored).
    static std::optional<DateTime> fromText(std::string_view text);
    double toAutomation() const;
    static DateTime fromAutomation(double days);
    // 1 = Monday … 7 = Sunday.
    int weekday() const;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

} // namespace school
