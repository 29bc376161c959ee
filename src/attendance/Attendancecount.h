// Attendancecount: the logic behind "出勤情况统计", the count of one school week's attendance
// records of one activity, per teacher: late, left early, private leave, official leave,
// absent, and the official substitutions the teacher took over ("公代").
//
// countWeek() considers a record of [attendance] when its week text read as a whole number
// (StatisticsInput.h: "05" is week 5) is the week, and its period is one the activity counts
// (AttendanceTerms.h; an activity that is none of the five counts nothing). The teacher of a
// considered record gets an entry, in the order the table first names the teachers, whatever
// its category; the first five categories add to its counts ("公  代", "校公开" and "组公开"
// add nothing). An official leave with a substitute credits the substitute one substitution,
// giving the substitute an entry of his own if he has none yet. A teacher or substitute
// shorter than 4 GBK bytes without its spaces names nobody and is passed over, so it never
// becomes a nameless row that would end the list.
//
// The week is typed: count() refuses anything but a whole number 0 … 50 with kWeekRange and
// counts nothing. The report ("weeks" document) and its print title "第05周常规教学出勤情况"
// come from the last count (an empty document before the first). Text is UTF-8; count() and
// readWeekCounts() read the database and may throw store::DbError.
#pragma once

#include "core/Messenger.h"
#include "reports/ReportTable.h"
#include "store/CATRecord.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace attendance {

struct WeekCount {
    // The categories' counts in the order of kCategories, then the substitutions taken.
    static constexpr std::size_t kValues = 6;

    std::string teacher;
    std::array<int, kValues> counts{};

    friend bool operator==(const WeekCount&, const WeekCount&) = default;
};

std::vector<WeekCount> countWeek(std::span<const store::AttendanceRow> records, int week,
                                 std::string_view activity);

// countWeek() over the whole table.
std::vector<WeekCount> readWeekCounts(int week, std::string_view activity);

// The "weeks" document's table: each entry's name and its six counts.
reports::ReportTable weekCountTable(const std::vector<WeekCount>& entries);

class Attendancecount {
public:
    static constexpr int kMinWeek = 0;
    static constexpr int kMaxWeek = 50;
    static constexpr const char* kTitle = "出勤情况统计";

    explicit Attendancecount(ui::Messenger& messenger) : m_messenger(messenger) {}

    // The "出勤类型" entries, in list order.
    static std::vector<std::string> activityNames();
    // "请输入周别（0 到 50 的整数）。"
    static std::string weekRangeMessage();

    // 刷新: false (the user told, the last count kept) when the week is refused.
    bool count(std::string_view weekText, std::string_view activity);

    const std::vector<WeekCount>& entries() const { return m_entries; }
    reports::ReportTable reportTable() const { return weekCountTable(m_entries); }
    std::string printTitle() const;

private:
    ui::Messenger& m_messenger;
    std::vector<WeekCount> m_entries;
    int m_week = 0;
    std::string m_activity;
};

} // namespace attendance
