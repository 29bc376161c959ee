// Test support of the attendance statistics: an attendance record of the fields they read.
#pragma once

#include "store/CATRecord.h"

#include <string>

namespace statisticstest {

inline store::AttendanceRow record(std::string teacher, std::string week, std::string period,
                                   std::string kind, std::string substitute = {}) {
    store::AttendanceRow row;
    row.teacher = std::move(teacher);
    row.week = std::move(week);
    row.period = std::move(period);
    row.kind = std::move(kind);
    row.substitute = std::move(substitute);
    return row;
}

} // namespace statisticstest
