#include "planning/PrearrangeLesson.h"

#include <algorithm>

#include "core/Gbk.h"
#include "store/CLPRecord.h"
#include "store/CTNRecord.h"

#include <utility>

namespace planning {

PrearrangeLesson::Marks PrearrangeLesson::marksOf(const std::string& mask) {
    Marks marks{};
    if (mask.size() < kShortestMask) {
        return marks;
    }
    for (std::size_t i = 0; i < kMaskLength && i < mask.size(); ++i) {
        marks[i] = mask[i] == '1';
    }
    return marks;
}

std::string PrearrangeLesson::maskOf(const Marks& marks) {
    std::string mask(kMaskLength, '0');
    for (std::size_t i = 0; i < kMaskLength; ++i) {
        if (marks[i]) {
            mask[i] = '1';
        }
    }
    return mask;
}

bool PrearrangeLesson::load() {
    m_roster.clear();
    m_teacher.clear();
    m_marks = {};
    m_unusableMessage.clear();

    store::CTNRecord records;
    for (const auto& row : records.readAll()) {
        if (m_roster.size() == kMaxTeachers || gbk::isBlank(row.name)) {
            break;
        }
        m_roster.push_back(row.name);
    }
    records.close();
    if (m_roster.empty()) {
        m_unusableMessage = kNoTeachers;
        return false;
    }
    return true;
}

int PrearrangeLesson::teacherIndex() const {
    const auto found = std::find(m_roster.begin(), m_roster.end(), m_teacher);
    return hasTeacher() && found != m_roster.end() ? static_cast<int>(found - m_roster.begin())
                                                   : -1;
}

bool PrearrangeLesson::chooseTeacher(int index) {
    if (index != teacherIndex() && modified() && !m_messenger.confirm(kDiscardQuestion)) {
        return false;
    }
    // Until the teacher's row has been read no teacher counts as chosen, so a failed read
    // can never lead to a save that overwrites the stored mask with an empty grid.
    m_teacher.clear();
    m_marks = {};
    m_savedMarks = {};
    if (index < 0 || static_cast<std::size_t>(index) >= m_roster.size()) {
        return true;
    }
    const std::string& teacher = m_roster[static_cast<std::size_t>(index)];

    store::CLPRecord records;
    std::string mask(kMaskLength, '0');
    for (const auto& row : records.readAll()) {
        if (row.teacher == teacher) {
            mask = row.prearrange;
            break;
        }
    }
    records.close();
    m_teacher = teacher;
    m_marks = marksOf(mask);
    m_savedMarks = m_marks;
    return true;
}

bool PrearrangeLesson::valid(int day, int period) {
    return day >= 1 && day <= kDays && period >= 1 && period <= kPeriods;
}

bool PrearrangeLesson::isMarked(int day, int period) const {
    return valid(day, period) && m_marks[position(day, period)];
}

std::string PrearrangeLesson::cellText(int day, int period) const {
    return isMarked(day, period) ? kMarked : kUnmarked;
}

void PrearrangeLesson::toggle(int day, int period) {
    if (valid(day, period)) {
        m_marks[position(day, period)] = !m_marks[position(day, period)];
    }
}

bool PrearrangeLesson::save() {
    if (!hasTeacher()) {
        m_messenger.info(kNoTeacher);
        return false;
    }
    // The teacher's first row takes the new mask where it stands, so the order of the table
    // (which the arrangement reads only so far) does not change; a later row of the same
    // teacher could only ever hold a stale mask and goes. Every other row is written back as
    // it was, all in one transaction.
    store::CLPRecord records;
    std::vector<store::LessonprearrangeRow> rows;
    bool found = false;
    for (auto& row : records.readAll()) {
        if (row.teacher == m_teacher) {
            if (found) {
                continue;
            }
            found = true;
            row.prearrange = maskOf(m_marks);
        }
        rows.push_back(std::move(row));
    }
    if (!found) {
        rows.push_back({m_teacher, maskOf(m_marks)});
    }
    records.replaceAll(rows);
    m_savedMarks = m_marks;
    return true;
}

} // namespace planning
