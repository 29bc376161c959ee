#include "masterdata/Gradeteacheredit.h"

#include "core/Gbk.h"
#include "masterdata/NameLists.h"
#include "store/CCTRecord.h"

#include <algorithm>
#include <utility>

namespace masterdata {

bool Gradeteacheredit::load() {
    m_courses.clear();
    m_roster.clear();
    m_subject.clear();
    m_subjectTeachers.clear();
    m_unusableMessage.clear();

    m_courses = readCourseNames(kMaxCourses);
    if (m_courses.empty()) {
        m_unusableMessage = kNoCourses;
        return false;
    }
    m_roster = readTeacherNames(kMaxTeachers);
    if (m_roster.empty()) {
        m_unusableMessage = kNoTeachers;
        return false;
    }
    return true;
}

int Gradeteacheredit::subjectIndex() const {
    const auto found = std::find(m_courses.begin(), m_courses.end(), m_subject);
    return hasSubject() && found != m_courses.end() ? static_cast<int>(found - m_courses.begin())
                                                    : -1;
}

bool Gradeteacheredit::chooseSubject(int index) {
    if (index != subjectIndex() && modified() && !m_messenger.confirm(kDiscardQuestion)) {
        return false;
    }
    // Until the subject's rows have been read no subject counts as chosen, so a failed read
    // can never lead to a save that deletes the subject's stored teachers.
    m_subject.clear();
    m_subjectTeachers.clear();
    m_savedTeachers.clear();
    if (index < 0 || static_cast<std::size_t>(index) >= m_courses.size()) {
        return true;
    }
    const std::string& subject = m_courses[static_cast<std::size_t>(index)];

    store::CCTRecord records;
    std::vector<std::string> teachers;
    for (const auto& row : records.readAll()) {
        // A blank teacher cannot be shown or saved; skipping it (rather than stopping
        // there) keeps the teachers stored after it.
        if (row.course != subject || gbk::isBlank(row.teacher)) {
            continue;
        }
        if (teachers.size() == kMaxTeachers) {
            break;
        }
        teachers.push_back(row.teacher);
    }
    records.close();
    m_subject = subject;
    m_subjectTeachers = std::move(teachers);
    m_savedTeachers = m_subjectTeachers;
    return true;
}

bool Gradeteacheredit::addTeacher(int rosterIndex) {
    if (rosterIndex < 0 || static_cast<std::size_t>(rosterIndex) >= m_roster.size()) {
        return false;
    }
    if (!hasSubject()) {
        m_messenger.info(kNoSubject);
        return false;
    }
    const std::string& name = m_roster[static_cast<std::size_t>(rosterIndex)];
    if (m_subjectTeachers.size() == kMaxTeachers ||
        std::find(m_subjectTeachers.begin(), m_subjectTeachers.end(), name) !=
            m_subjectTeachers.end()) {
        return false;
    }
    m_subjectTeachers.push_back(name);
    return true;
}

bool Gradeteacheredit::removeTeacher(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_subjectTeachers.size()) {
        return false;
    }
    m_subjectTeachers.erase(m_subjectTeachers.begin() + index);
    return true;
}

bool Gradeteacheredit::save() {
    if (!hasSubject()) {
        m_messenger.info(kNoSubject);
        return false;
    }
    std::vector<store::CourseteacherRow> rows;
    rows.reserve(m_subjectTeachers.size());
    for (const std::string& teacher : m_subjectTeachers) {
        rows.push_back({m_subject, teacher});
    }
    store::CCTRecord records;
    const std::string subject = m_subject;
    records.replace(
        [&subject](const store::CourseteacherRow& row) { return row.course == subject; }, rows,
        [](const store::CourseteacherRow& row) { return gbk::isBlank(row.teacher); });
    m_savedTeachers = m_subjectTeachers;
    return true;
}

} // namespace masterdata
