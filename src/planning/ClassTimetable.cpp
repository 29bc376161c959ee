#include "planning/ClassTimetable.h"

#include <cstddef>

namespace planning {

std::string ClassTimetable::title() const {
    return kTitlePrefix + m_week[0][0];
}

std::string ClassTimetable::cell(int period, int day) const {
    if (day < 1 || day > kDays || period < 1 || period > kPeriods) {
        return {};
    }
    return m_week[static_cast<std::size_t>(day - 1)][static_cast<std::size_t>(period)];
}

} // namespace planning
