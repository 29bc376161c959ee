#include "store/SchoolSettingsStore.h"

#include "core/DateTime.h"
#include "core/Gbk.h"
#include "store/CSTRecord.h"

#include <cstdio>
#include <vector>

namespace store {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// The number written with between `least` and `most` ASCII digits, or -1.
int digits(std::string_view text, std::size_t least, std::size_t most) {
    if (text.size() < least || text.size() > most) {
        return -1;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string twoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

bool isMonday(const std::string& date) {
    const std::optional<school::DateTime> day = school::DateTime::fromText(date);
    return day && day->weekday() == 1;
}

// Sets what one row says, when it can be read.
void take(school::SchoolSettings& settings, const SettingRow& row) {
    if (row.name == kSchoolNameSetting) {
        const std::string_view name = trimmed(row.value);
        if (gbk::encodable(name)) {
            settings.schoolName = gbk::cut(name, kSchoolNameBytes);
        }
        return;
    }
    if (row.name == kWeekOneMondaySetting) {
        if (const std::optional<std::string> date = calendarDate(row.value);
            date && isMonday(*date)) {
            settings.weekOneMonday = *date;
        }
        return;
    }
    for (int p = 1; p <= static_cast<int>(settings.periods.size()); ++p) {
        school::PeriodTime& period = settings.periods[static_cast<std::size_t>(p - 1)];
        if (row.name == periodSettingName(p, PeriodSetting::Start)) {
            period.start = clockTime(row.value).value_or(period.start);
        } else if (row.name == periodSettingName(p, PeriodSetting::End)) {
            period.end = clockTime(row.value).value_or(period.end);
        } else if (row.name == periodSettingName(p, PeriodSetting::HalfDay)) {
            const std::string_view half = trimmed(row.value);
            if (half == kMorning || half == kAfternoon) {
                period.afternoon = half == kAfternoon;
            }
        } else {
            continue;
        }
        return;
    }
}

std::vector<SettingRow> rowsOf(const school::SchoolSettings& settings) {
    std::vector<SettingRow> rows;
    const auto add = [&rows](std::string name, const std::string& value) {
        if (!value.empty()) {
            rows.push_back({std::move(name), value});
        }
    };
    add(std::string(kSchoolNameSetting), settings.schoolName);
    add(std::string(kWeekOneMondaySetting), settings.weekOneMonday);
    for (int p = 1; p <= static_cast<int>(settings.periods.size()); ++p) {
        const school::PeriodTime& period = settings.periods[static_cast<std::size_t>(p - 1)];
        add(periodSettingName(p, PeriodSetting::Start), period.start);
        add(periodSettingName(p, PeriodSetting::End), period.end);
        add(periodSettingName(p, PeriodSetting::HalfDay),
            std::string(period.afternoon ? kAfternoon : kMorning));
    }
    return rows;
}

bool isSettingName(const std::string& name) {
    if (name == kSchoolNameSetting || name == kWeekOneMondaySetting) {
        return true;
    }
    for (int p = 1; p <= 7; ++p) {
        for (const PeriodSetting which :
             {PeriodSetting::Start, PeriodSetting::End, PeriodSetting::HalfDay}) {
            if (name == periodSettingName(p, which)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

std::string periodSettingName(int period, PeriodSetting which) {
    const char* part = which == PeriodSetting::Start ? "开始"
                       : which == PeriodSetting::End ? "结束"
                                                     : "时段";
    return "第" + std::to_string(period) + "节" + part;
}

std::optional<std::string> clockTime(std::string_view text) {
    text = trimmed(text);
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const int hour = digits(text.substr(0, colon), 1, 2);
    const int minute = digits(text.substr(colon + 1), 2, 2);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) {
        return std::nullopt;
    }
    return twoDigits(hour) + ":" + twoDigits(minute);
}

std::optional<std::string> calendarDate(std::string_view text) {
    text = trimmed(text);
    const std::size_t first = text.find('-');
    const std::size_t second = first == std::string_view::npos ? first : text.find('-', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    school::DateTime day;
    day.year = digits(text.substr(0, first), 4, 4);
    day.month = digits(text.substr(first + 1, second - first - 1), 1, 2);
    day.day = digits(text.substr(second + 1), 1, 2);
    if (!day.valid()) {
        return std::nullopt;
    }
    return std::to_string(day.year) + "-" + twoDigits(day.month) + "-" + twoDigits(day.day);
}

school::SchoolSettings readSchoolSettings() {
    school::SchoolSettings settings;
    CSTRecord record;
    // Connecting may fail like for any table; only the table itself may be missing.
    if (!schema::exists(record.connection(), record.table())) {
        return settings;
    }
    for (const SettingRow& row : record.readAll()) {
        take(settings, row);
    }
    record.close();
    return settings;
}

void saveSchoolSettings(const school::SchoolSettings& settings) {
    const std::vector<SettingRow> rows = rowsOf(settings);
    CSTRecord().replace([](const SettingRow& row) { return isSettingName(row.name); }, rows);
}

} // namespace store
