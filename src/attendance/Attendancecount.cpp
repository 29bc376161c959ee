#include "attendance/Attendancecount.h"

#include "attendance/AttendanceTerms.h"
#include "attendance/StatisticsInput.h"
#include "reports/ReportTitles.h"

#include <algorithm>
#include <optional>

namespace attendance {
namespace {

// The entry named name, appended when there is none yet.
WeekCount& entryOf(std::vector<WeekCount>& entries, const std::string& name) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const WeekCount& entry) { return entry.teacher == name; });
    if (found != entries.end()) {
        return *found;
    }
    entries.push_back({name, {}});
    return entries.back();
}

std::optional<std::size_t> categoryIndex(std::string_view kind) {
    for (std::size_t c = 0; c < kCountedCategories; ++c) {
        if (kCategories[c] == kind) {
            return c;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<WeekCount> countWeek(std::span<const store::AttendanceRow> records, int week,
                                 std::string_view activity) {
    std::vector<WeekCount> entries;
    const auto activities = attendance::activities();
    const auto chosen = std::find_if(activities.begin(), activities.end(),
                                     [&](const Activity& a) { return a.name == activity; });
    if (chosen == activities.end()) {
        return entries;
    }
    for (const store::AttendanceRow& record : records) {
        if (wholeNumber(record.week) != week || namesNobody(record.teacher) ||
            std::find(chosen->periods.begin(), chosen->periods.end(), record.period) ==
                chosen->periods.end()) {
            continue;
        }
        entryOf(entries, record.teacher);
        const std::optional<std::size_t> category = categoryIndex(record.kind);
        if (!category) {
            continue;
        }
        if (record.kind == kOfficialLeave && !namesNobody(record.substitute)) {
            ++entryOf(entries, record.substitute).counts[WeekCount::kValues - 1];
        }
        // Looked up again: the substitute's entry may have moved the vector.
        ++entryOf(entries, record.teacher).counts[*category];
    }
    return entries;
}

std::vector<WeekCount> readWeekCounts(int week, std::string_view activity) {
    store::CATRecord records;
    const std::vector<store::AttendanceRow> rows = records.readAll();
    records.close();
    return countWeek(rows, week, activity);
}

reports::ReportTable weekCountTable(const std::vector<WeekCount>& entries) {
    reports::ReportTable table;
    for (const WeekCount& entry : entries) {
        table.counts.push_back({entry.teacher, {entry.counts.begin(), entry.counts.end()}});
    }
    return table;
}

std::vector<std::string> Attendancecount::activityNames() {
    std::vector<std::string> names;
    for (const Activity& activity : activities()) {
        names.emplace_back(activity.name);
    }
    return names;
}

std::string Attendancecount::weekRangeMessage() {
    return rangeMessage("周别", kMinWeek, kMaxWeek);
}

bool Attendancecount::count(std::string_view weekText, std::string_view activity) {
    const std::optional<int> week = numberIn(weekText, kMinWeek, kMaxWeek);
    if (!week) {
        m_messenger.error(weekRangeMessage());
        return false;
    }
    m_entries = readWeekCounts(*week, activity);
    m_week = *week;
    m_activity = activity;
    return true;
}

std::string Attendancecount::printTitle() const {
    return reports::weeklyTitle(m_week, m_activity);
}

} // namespace attendance
