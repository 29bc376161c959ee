#include "DateTime.h"

#include <cmath>
#include <cstdio>

namespace school {
namespace {

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
long daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

const long kAutomationEpoch = daysFromCivil(1899, 12, 30);

} // namespace

bool DateTime::valid() const {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59) {
        return false;
    }
    int y = 0;
    int m = 0;
    int d = 0;
    civilFromDays(daysFromCivil(year, month, day), y, m, d);
    return y == year && m == month && d == day;
}

std::string DateTime::toText() const {
    if (!valid()) {
        return {};
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                  second);
    return buf;
}

std::optional<DateTime> DateTime::fromText(std::string_view text) {
    DateTime t;
    const std::string s(text);
    const int n = std::sscanf(s.c_str(), "%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day, &t.hour,
                              &t.minute, &t.second);
    if (n != 3 && n != 6) {
        return std::nullopt;
    }
    if (!t.valid()) {
        return std::nullopt;
    }
    return t;
}

double DateTime::toAutomation() const {
    const long days = daysFromCivil(year, month, day) - kAutomationEpoch;
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Automation dates before the epoch keep the time as a positive fraction away from 0.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

DateTime DateTime::fromAutomation(double days) {
    const double whole = std::trunc(days);
    double fraction = std::fabs(days - whole);
    DateTime t;
    civilFromDays(static_cast<long>(whole) + kAutomationEpoch, t.year, t.month, t.day);
    long secs = std::lround(fraction * 86400.0);
    if (secs >= 86400) {
        secs = 86399;
    }
    t.hour = static_cast<int>(secs / 3600);
    t.minute = static_cast<int>((secs / 60) % 60);
    t.second = static_cast<int>(secs % 60);
    return t;
}

int DateTime::weekday() const {
    const long z = daysFromCivil(year, month, day);
    // 1970-01-01 was a Thursday (4).
    const long w = ((z % 7) + 7 + 3) % 7; // 0 = Monday
    return static_cast<int>(w) + 1;
}

} // namespace school
