// The school's own settings, kept beside the timetable tables in table setting (名称, 值):
// the school's name, the date of the Monday of week 1 and, for each period 1..7, its start
// and end time and whether it lies in the morning or the afternoon. Only the published
// timetables and the calendars read them; every field may be missing, and a missing field is
// left out (a blank time, no name in a title), never an error. All text is UTF-8.
#pragma once

#include <array>
#include <string>

namespace school {

struct PeriodTime {
    std::string start; // "08:00", or empty when not set
    std::string end;   // "08:45", or empty when not set
    bool afternoon = false;
    friend bool operator==(const PeriodTime&, const PeriodTime&) = default;
};

struct SchoolSettings {
    std::string schoolName;                 // empty when not set
    std::string weekOneMonday;              // "2024-09-02", or empty when not set
    std::array<PeriodTime, 7> periods = {}; // periods 1..7; afternoon from period 5 by default

    SchoolSettings() {
        for (std::size_t p = 4; p < periods.size(); ++p)
            periods[p].afternoon = true;
    }
    friend bool operator==(const SchoolSettings&, const SchoolSettings&) = default;
};

} // namespace school
