#include "maintain/Teachertable.h"

#include "core/Gbk.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "store/CTNRecord.h"
#include "timetable/SchoolTimetableStore.h"

#include <algorithm>
#include <stdexcept>

namespace maintain {

bool Teachertable::load() {
    m_teachers.clear();
    for (const store::TeachernameRow& row : store::CTNRecord().readAll()) {
        if (m_teachers.size() == kMaxTeachers || gbk::isBlank(row.name)) {
            break;
        }
        m_teachers.push_back(row.name);
    }
    m_unusableMessage = m_teachers.empty() ? kNoTeachers : "";
    clearWeek();
    return usable();
}

bool Teachertable::chooseTeacher(int index) {
    clearWeek();
    m_teacher = index >= 0 && static_cast<std::size_t>(index) < m_teachers.size()
                    ? m_teachers[static_cast<std::size_t>(index)]
                    : std::string();
    // In teacher names: a grade stored in course names still shows its teachers' lessons.
    const std::vector<store::GradelessonRow> rows = timetable::readTeacherRows();
    if (rows.empty()) {
        m_messenger.info(kNoTimetable);
        return false;
    }
    if (m_teacher.empty()) {
        return true;
    }
    for (const store::GradelessonRow& row : rows) {
        const auto key = school::unpackRowNumber(row.number);
        if (!key) {
            continue;
        }
        const std::string name = school::className(key->gradeNumber - 1, key->classNumber);
        for (int day = 1; day <= school::kDays; ++day) {
            if (row.days[static_cast<std::size_t>(day - 1)] != m_teacher) {
                continue;
            }
            Slot& slot = m_week[slotIndex(day, key->period)];
            if (!gbk::isBlank(slot.className) && slot.className != name) {
                slot.clash = true;
            }
            slot.className = name;
        }
    }
    findCourses();
    return true;
}

void Teachertable::findCourses() {
    const std::vector<store::ClasscourseRow> plans = store::CCCRecord().readAll();
    for (Slot& slot : m_week) {
        if (gbk::isBlank(slot.className)) {
            continue;
        }
        const auto row = std::find_if(plans.begin(), plans.end(), [&](const auto& plan) {
            return plan.className == slot.className && plan.teacher == m_teacher;
        });
        slot.course = row == plans.end() ? std::string() : row->course;
    }
}

const std::string& Teachertable::course(int day, int period) const {
    return m_week[slotIndex(day, period)].course;
}

std::string Teachertable::shown(int day, int period) const {
    const Slot& slot = m_week[slotIndex(day, period)];
    return gbk::isBlank(slot.course) ? slot.className : slot.className + "\n" + slot.course;
}

const std::string& Teachertable::cell(int day, int period) const {
    return m_week[slotIndex(day, period)].className;
}

bool Teachertable::clash(int day, int period) const {
    return m_week[slotIndex(day, period)].clash;
}

std::vector<int> Teachertable::clashCodes() const {
    std::vector<int> codes;
    for (int day = 1; day <= school::kDays; ++day) {
        for (int period = 1; period <= school::kPeriods; ++period) {
            if (clash(day, period)) {
                codes.push_back(10 * day + period);
            }
        }
    }
    return codes;
}

std::size_t Teachertable::slotIndex(int day, int period) {
    if (day < 1 || day > school::kDays || period < 1 || period > school::kPeriods) {
        throw std::out_of_range("Teachertable: no such day or period");
    }
    return static_cast<std::size_t>((day - 1) * school::kPeriods + (period - 1));
}

void Teachertable::clearWeek() {
    m_week.fill(Slot{});
}

} // namespace maintain
