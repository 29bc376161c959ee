#include "planning/ClassTimetable.h"

#include <cstddef>

namespace planning {

ClassTimetable::ClassTimetable() : m_days(static_cast<std::size_t>(kDays)) {}

ClassTimetable::ClassTimetable(const Week& week) {
    setWeek(week);
}

ClassTimetable::ClassTimetable(const ReviewWeek& week) {
    setWeek(week);
}

void ClassTimetable::setWeek(const Week& week) {
    m_days.assign(week.begin(), week.end());
    m_review = false;
    m_teacher = false;
}

void ClassTimetable::setWeek(const ReviewWeek& week) {
    m_days.assign(week.begin(), week.end());
    m_review = true;
    m_teacher = false;
}

void ClassTimetable::setTeacherWeek(const Week& week) {
    setWeek(week);
    m_teacher = true;
}

std::vector<std::string> ClassTimetable::dayNames() const {
    std::vector<std::string> names;
    for (int d = 0; d < dayCount(); ++d) {
        names.push_back(m_review ? school::reviewDayName(d)
                                 : std::string(school::kDayNames[static_cast<std::size_t>(d)]));
    }
    return names;
}

std::string ClassTimetable::title() const {
    const char* prefix = m_review    ? kReviewTitlePrefix
                         : m_teacher ? kTeacherTitlePrefix
                                     : kTitlePrefix;
    return prefix + m_days.front()[0];
}

std::string ClassTimetable::cell(int period, int day) const {
    if (day < 1 || day > dayCount() || period < 1 || period > kPeriods) {
        return {};
    }
    return m_days[static_cast<std::size_t>(day - 1)][static_cast<std::size_t>(period)];
}

} // namespace planning
