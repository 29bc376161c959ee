#include "attendance/Attendancemonth.h"

#include "attendance/StatisticsInput.h"
#include "reports/ReportTitles.h"

#include <array>

namespace attendance {

Attendancemonth::Taken Attendancemonth::take(std::string_view month, std::string_view startWeek,
                                             std::string_view endWeek) {
    struct Field {
        Box box;
        const char* name;
        std::string_view text;
        int high;
    };
    const std::array<Field, 3> fields{{{Box::Month, "月份", month, kMaxMonth},
                                       {Box::StartWeek, "起始周", startWeek, kMaxWeek},
                                       {Box::EndWeek, "终止周", endWeek, kMaxWeek}}};
    std::array<int, 3> values{};
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::optional<int> value = numberIn(fields[f].text, 1, fields[f].high);
        if (!value) {
            return {std::nullopt, fields[f].box, rangeMessage(fields[f].name, 1, fields[f].high)};
        }
        values[f] = *value;
    }
    if (values[1] > values[2]) {
        return {std::nullopt, Box::StartWeek, kStartAfterEnd};
    }
    return {Input{values[0], {values[1], values[2]}}, Box::Month, {}};
}

Attendancemonth::Outcome Attendancemonth::count(std::string_view month, std::string_view startWeek,
                                                std::string_view endWeek) {
    const Taken taken = take(month, startWeek, endWeek);
    if (!taken.input) {
        m_messenger.error(taken.message);
        m_refused = taken.refused;
        return Outcome::Refused;
    }
    Workload workload = readWorkload(taken.input->weeks);
    if (workload.attendanceEmpty) {
        m_messenger.info(kNoRecords);
        return Outcome::Closed;
    }
    m_workload = std::move(workload);
    m_month = taken.input->month;
    return Outcome::Counted;
}

std::string Attendancemonth::printTitle() const {
    return reports::monthlyTitle(m_month);
}

} // namespace attendance
