#include "planning/Classteacher.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"
#include "store/NameList.h"
#include "store/Odbc.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace planning {
namespace {

using store::isBlankName;

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

struct PlanEntry {
    std::string course;
    int weekly = 0;
};

// The grade's normal plan (天数 0) in table order, at most one class plan's worth of
// courses; blank course names are never written, so they are not taken.
std::vector<PlanEntry> readNormalPlan(const std::string& grade) {
    store::CGCRecord records;
    std::vector<PlanEntry> plan;
    for (const auto& row : records.readAll()) {
        if (plan.size() == Classteacher::kMaxPlanRows) {
            break;
        }
        if (row.grade == grade && row.days == 0 && !isBlankName(row.course)) {
            plan.push_back({row.course, row.weekly});
        }
    }
    records.close();
    return plan;
}

} // namespace

bool Classteacher::load() {
    m_courses.clear();
    m_roster.clear();
    m_courseTeachers.clear();
    m_offered.clear();
    m_grade.clear();
    m_gradeIndex = -1;
    m_course.clear();
    m_teacher.clear();
    m_loaded = false;
    m_stored = {};
    m_current = {};
    m_unusableMessage.clear();

    m_courses = store::readNameList<store::CCNRecord>(kMaxCourses);
    if (m_courses.empty()) {
        m_unusableMessage = kNoCourses;
        return false;
    }
    m_roster = store::readNameList<store::CTNRecord>(kMaxTeachers);
    if (m_roster.empty()) {
        m_unusableMessage = kNoTeachers;
        return false;
    }

    m_courseTeachers.assign(m_courses.size(), {});
    store::CCTRecord records;
    for (const auto& row : records.readAll()) {
        const auto course = std::find(m_courses.begin(), m_courses.end(), row.course);
        if (course == m_courses.end() || isBlankName(row.teacher)) {
            continue;
        }
        auto& teachers = m_courseTeachers[static_cast<std::size_t>(course - m_courses.begin())];
        if (teachers.size() < kMaxCourseTeachers && !contains(teachers, row.teacher)) {
            teachers.push_back(row.teacher);
        }
    }
    records.close();
    m_classCounts = store::readGradeClasses();
    m_offered = m_roster;
    return true;
}

std::vector<std::string> Classteacher::gradeNames() {
    return {school::kGradeNames.begin(), school::kGradeNames.end()};
}

bool Classteacher::mayDrop(bool changes) {
    return !changes || !modified() || m_messenger.confirm(kDiscardQuestion);
}

// The same choice again keeps what was read and toggled; only a read that failed is retried.
bool Classteacher::choose(std::string& field, std::string chosen) {
    const bool changes = chosen != field;
    if (!mayDrop(changes)) {
        return false;
    }
    if (changes || !m_loaded) {
        field = std::move(chosen);
        readClasses();
    }
    return true;
}

bool Classteacher::setGrade(const std::string& grade) {
    return choose(m_grade, school::gradeIndex(grade) ? grade : std::string());
}

bool Classteacher::setCourse(const std::string& course) {
    return choose(m_course, contains(m_courses, course) ? course : std::string());
}

bool Classteacher::setTeacher(const std::string& teacher) {
    return choose(m_teacher,
                  contains(m_offered, teacher) && !isBlankName(teacher) ? teacher : std::string());
}

void Classteacher::readClasses() {
    // Until the table has been read the buttons stay inert, so a failed read can never
    // lead to a save that takes teachers away.
    m_loaded = false;
    m_stored = {};
    m_current = {};
    const std::optional<int> grade = school::gradeIndex(m_grade);
    m_gradeIndex = grade ? *grade : -1;
    if (m_gradeIndex < 0 || m_course.empty() || m_teacher.empty()) {
        return;
    }
    store::CCCRecord records;
    for (const auto& row : records.readAll()) {
        if (row.course != m_course || row.teacher != m_teacher) {
            continue;
        }
        const auto id = school::parseClassName(row.className);
        if (id && id->gradeIndex == m_gradeIndex) {
            m_stored[static_cast<std::size_t>(id->classNumber - 1)] = true;
        }
    }
    records.close();
    m_current = m_stored;
    m_loaded = true;
}

const std::vector<std::string>* Classteacher::allowedTeachers(const std::string& course) const {
    const auto found = std::find(m_courses.begin(), m_courses.end(), course);
    if (found == m_courses.end()) {
        return nullptr;
    }
    return &m_courseTeachers[static_cast<std::size_t>(found - m_courses.begin())];
}

bool Classteacher::refreshTeachers() {
    const std::vector<std::string>* allowed = allowedTeachers(m_course);
    std::vector<std::string> offered = allowed && !allowed->empty() ? *allowed : m_roster;
    // The chosen teacher stays on offer, or the selector would lose it and with it the
    // classes shown and toggled for it.
    if (!m_teacher.empty() && !contains(offered, m_teacher)) {
        offered.push_back(m_teacher);
    }
    if (offered == m_offered) {
        return false;
    }
    m_offered = std::move(offered);
    return true;
}

std::string Classteacher::buttonCaption(int k) const {
    if (!m_loaded || k < 1 || k > kClasses) {
        return {};
    }
    return school::className(m_gradeIndex, k);
}

bool Classteacher::isSelected(int k) const {
    return m_loaded && k >= 1 && k <= kClasses && m_current[static_cast<std::size_t>(k - 1)];
}

bool Classteacher::buttonEnabled(int k) const {
    return m_loaded && (m_classCounts.exists(m_gradeIndex, k) || isSelected(k));
}

std::string Classteacher::buttonToolTip(int k) const {
    return m_loaded && !m_classCounts.exists(m_gradeIndex, k)
               ? m_classCounts.missingNote(m_gradeIndex)
               : std::string();
}

bool Classteacher::toggleClass(int k) {
    if (!buttonEnabled(k) || k > kClasses) {
        return false;
    }
    auto& state = m_current[static_cast<std::size_t>(k - 1)];
    state = !state;
    return true;
}

std::string Classteacher::selectionText() const {
    return m_loaded ? school::selectedClassesText(m_gradeIndex, m_current) : std::string();
}

bool Classteacher::save() {
    if (!m_loaded || m_current == m_stored) {
        return true;
    }
    const std::vector<PlanEntry> plan = readNormalPlan(m_grade);
    std::string refusal;
    {
        store::CCCRecord records;
        store::odbc::Transaction transaction(records.connection());
        const std::vector<store::ClasscourseRow> rows = records.readAll();
        std::vector<std::optional<std::string>> newTeacher(rows.size());
        std::vector<store::ClasscourseRow> additions;

        for (int k = 1; k <= kClasses && refusal.empty(); ++k) {
            const bool stored = m_stored[static_cast<std::size_t>(k - 1)];
            const bool current = m_current[static_cast<std::size_t>(k - 1)];
            if (stored == current) {
                continue;
            }
            const std::string name = school::className(m_gradeIndex, k);
            if (stored) {
                // Every row on which the teacher gives the course in this class, so the
                // class no longer shows as the teacher's.
                for (std::size_t i = 0; i < rows.size(); ++i) {
                    if (rows[i].className == name && rows[i].course == m_course &&
                        rows[i].teacher == m_teacher) {
                        newTeacher[i] = kRemovedTeacher;
                    }
                }
                continue;
            }
            std::size_t classRows = 0;
            std::optional<std::size_t> courseRow;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (rows[i].className == name) {
                    ++classRows;
                    if (!courseRow && rows[i].course == m_course) {
                        courseRow = i;
                    }
                }
            }
            if (courseRow) {
                newTeacher[*courseRow] = m_teacher;
                continue;
            }
            if (classRows == 0) {
                if (plan.empty()) {
                    refusal = name + "还没有课程设置，请先进行年段课程设置！";
                    break;
                }
                bool placed = false;
                for (const PlanEntry& entry : plan) {
                    const bool here = !placed && entry.course == m_course;
                    additions.push_back(
                        {name, entry.course, here ? m_teacher : std::string(), entry.weekly});
                    placed = placed || here;
                }
                if (placed) {
                    continue;
                }
                classRows = plan.size();
            }
            // The class plan lacks the course: it gets a row of its own, with the grade's
            // weekly count when the grade plans the course.
            if (classRows >= kMaxPlanRows) {
                refusal = name + "已有" + std::to_string(kMaxPlanRows) + "门课程，不能再增加" +
                          m_course + "。";
                break;
            }
            const auto inPlan = std::find_if(
                plan.begin(), plan.end(), [&](const PlanEntry& e) { return e.course == m_course; });
            additions.push_back(
                {name, m_course, m_teacher, inPlan != plan.end() ? inPlan->weekly : 0});
        }

        if (refusal.empty()) {
            if (std::any_of(newTeacher.begin(), newTeacher.end(),
                            [](const auto& t) { return t.has_value(); })) {
                records.moveFirst();
                for (std::size_t i = 0; i < rows.size(); ++i, records.moveNext()) {
                    if (newTeacher[i]) {
                        store::ClasscourseRow row = rows[i];
                        row.teacher = *newTeacher[i];
                        records.edit();
                        records.setCurrent(row);
                        records.update();
                    }
                }
            }
            for (const store::ClasscourseRow& row : additions) {
                records.addNew();
                records.setCurrent(row);
                records.update();
            }
            transaction.commit();
        }
        records.close();
    }
    if (!refusal.empty()) {
        m_messenger.info(refusal);
        return false;
    }
    // The table now holds what the buttons show: a later save starts from here.
    m_stored = m_current;
    return true;
}

} // namespace planning
