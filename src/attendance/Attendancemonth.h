// Attendancemonth: the logic behind "教师月份工作量统计表", the workload of every teacher over the
// school weeks of a month (WorkloadTable.h), and its "months" document.
//
// count() (刷新) takes the month (1 … 12), the start week and the end week (each 1 … 60) as
// typed: a box that holds no whole number in its range, or a start after the end, is refused
// with a message naming it and nothing is counted. When [attendance] holds no record at all the
// user is told "无出勤记录!" and count() returns Closed: the dialog closes. The document and its
// print title "05月份工作量情况" come from the last count (an empty document before the first).
// Text is UTF-8; count() reads the database and may throw store::DbError.
#pragma once

#include "attendance/WorkloadTable.h"
#include "core/Messenger.h"
#include "reports/ReportTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace attendance {

class Attendancemonth {
public:
    static constexpr int kMaxMonth = 12;
    static constexpr int kMaxWeek = 60;
    static constexpr const char* kTitle = "教师月份工作量统计表";
    static constexpr const char* kNoRecords = "无出勤记录!";
    static constexpr const char* kStartAfterEnd = "起始周不能大于终止周。";

    // The boxes of the refused input, for the dialog to focus.
    enum class Box { Month, StartWeek, EndWeek };

    struct Input {
        int month = 1;
        WeekRange weeks;
    };

    explicit Attendancemonth(ui::Messenger& messenger) : m_messenger(messenger) {}

    // The boxes read, or the refused box and what to tell the user. A pure check.
    struct Taken {
        std::optional<Input> input;
        Box refused = Box::Month;
        std::string message;
    };
    static Taken take(std::string_view month, std::string_view startWeek, std::string_view endWeek);

    enum class Outcome { Counted, Refused, Closed };
    Outcome count(std::string_view month, std::string_view startWeek, std::string_view endWeek);
    // The box count() refused last.
    Box refusedBox() const { return m_refused; }

    const Workload& workload() const { return m_workload; }
    reports::ReportTable reportTable() const { return workloadTable(m_workload); }
    std::string printTitle() const;

private:
    ui::Messenger& m_messenger;
    Workload m_workload;
    int m_month = 0;
    Box m_refused = Box::Month;
};

} // namespace attendance
