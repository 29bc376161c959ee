#include "attendance/SubstituteCandidates.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CTNRecord.h"
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <utility>

namespace attendance {
namespace {

constexpr std::size_t kShownNameBytes = 6;

// The plan entries of the school, or of one grade, in grade and class order.
template <class Visit>
void forEachEntry(const timetable::AutoOrderData& data, std::optional<int> grade, Visit visit) {
    for (int g = 0; g < school::kGrades; ++g) {
        if (grade && *grade != g) {
            continue;
        }
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (const timetable::CourseEntry& entry : data.classList(g, c).entries) {
                if (visit(entry)) {
                    return;
                }
            }
        }
    }
}

// The course of the teacher's first plan entry within the scope, or empty.
std::string firstCourse(const timetable::AutoOrderData& data, std::optional<int> grade,
                        std::string_view teacher) {
    std::string course;
    forEachEntry(data, grade, [&](const timetable::CourseEntry& entry) {
        if (entry.teacher == teacher && !gbk::isBlank(entry.course)) {
            course = entry.course;
            return true;
        }
        return false;
    });
    return course;
}

} // namespace

std::string Candidate::reason() const {
    const char* prefix = subject == SubjectMatch::InGrade      ? "同科 · "
                         : subject == SubjectMatch::OtherGrade ? "外年段同科 · "
                                                               : "";
    return std::string(prefix) + "当天" + std::to_string(lessonsToday) + "节 · 本周" +
           std::to_string(lessonsThisWeek) + "节";
}

SubstituteCandidates::SubstituteCandidates(std::vector<std::string> roster,
                                           timetable::AutoOrderData data,
                                           const school::SchoolTimetable& timetable,
                                           std::vector<store::CourseteacherRow> courseTeachers)
    : m_roster(std::move(roster)), m_data(std::move(data)),
      m_timetable(timetable::inTeacherNames(m_data, timetable)),
      m_courseTeachers(std::move(courseTeachers)) {
    for (int g = 0; g < school::kGrades && !m_arranged; ++g) {
        for (int c = 0; c < school::kMaxClasses && !m_arranged; ++c) {
            for (int d = 0; d < school::kDays && !m_arranged; ++d) {
                for (int p = 1; p <= school::kPeriods && !m_arranged; ++p) {
                    m_arranged = timetable::isLessonText(m_timetable.cell(g, c, d, p));
                }
            }
        }
    }
}

std::vector<std::string> SubstituteCandidates::readRoster() {
    std::vector<std::string> roster;
    for (store::TeachernameRow& row : store::CTNRecord().readAll()) {
        if (timetable::namesTeacher(row.name)) {
            roster.push_back(std::move(row.name));
        }
    }
    return roster;
}

SubstituteCandidates SubstituteCandidates::load() {
    std::vector<std::string> roster = readRoster();
    timetable::AutoOrderData data = timetable::loadAutoOrderData();
    const school::SchoolTimetable timetable = timetable::loadSchoolTimetable();
    return {std::move(roster), std::move(data), timetable, store::CCTRecord().readAll()};
}

std::optional<std::string> SubstituteCandidates::rosterName(std::string_view name) const {
    if (!timetable::namesTeacher(name)) {
        return std::nullopt;
    }
    if (std::find(m_roster.begin(), m_roster.end(), name) != m_roster.end()) {
        return std::string(name);
    }
    std::optional<std::string> found;
    for (const std::string& full : m_roster) {
        if (gbk::cut(full, kShownNameBytes) == name) {
            if (found) {
                return std::nullopt; // two teachers share the shown name
            }
            found = full;
        }
    }
    return found;
}

std::string SubstituteCandidates::lessonClass(const Absence& absence) const {
    if (school::parseClassName(absence.className)) {
        return absence.className;
    }
    const std::optional<std::string> teacher = rosterName(absence.teacher);
    if (!teacher || absence.day < 0 || absence.day >= school::kDays || absence.period < 1 ||
        absence.period > school::kPeriods) {
        return {};
    }
    const auto holders = timetable::holdersOf(m_timetable, absence.day, absence.period, *teacher);
    if (holders.empty()) {
        return {};
    }
    const timetable::ClassRef at = holders.front();
    const std::string& named = m_timetable.cell(at.grade, at.position, 0, 0);
    return school::parseClassName(named) ? named : school::className(at.grade, at.position + 1);
}

std::string SubstituteCandidates::subject(const Absence& absence) const {
    const std::optional<std::string> teacher = rosterName(absence.teacher);
    if (!teacher) {
        return {};
    }
    if (const auto id = school::parseClassName(lessonClass(absence))) {
        for (const timetable::CourseEntry& entry :
             m_data.classList(id->gradeIndex, id->classNumber - 1).entries) {
            if (entry.teacher == *teacher && !gbk::isBlank(entry.course)) {
                return entry.course;
            }
        }
        if (std::string course = firstCourse(m_data, id->gradeIndex, *teacher); !course.empty()) {
            return course;
        }
    }
    if (std::string course = firstCourse(m_data, std::nullopt, *teacher); !course.empty()) {
        return course;
    }
    for (const store::CourseteacherRow& row : m_courseTeachers) {
        if (row.teacher == *teacher && !gbk::isBlank(row.course)) {
            return row.course;
        }
    }
    return {};
}

bool SubstituteCandidates::plans(std::string_view teacher, const std::string& subject,
                                 std::optional<int> grade) const {
    bool found = false;
    forEachEntry(m_data, grade, [&](const timetable::CourseEntry& entry) {
        found = entry.course == subject && (teacher.empty() ? timetable::namesTeacher(entry.teacher)
                                                            : entry.teacher == teacher);
        return found;
    });
    return found;
}

bool SubstituteCandidates::listed(std::string_view teacher, const std::string& subject) const {
    return std::any_of(m_courseTeachers.begin(), m_courseTeachers.end(), [&](const auto& row) {
        return row.teacher == teacher && row.course == subject;
    });
}

SubjectMatch SubstituteCandidates::match(std::string_view teacher, const std::string& subject,
                                         std::optional<int> grade) const {
    if (subject.empty()) {
        return SubjectMatch::None;
    }
    if (plans(teacher, subject, grade) ||
        (listed(teacher, subject) && (!grade || !plans({}, subject, grade)))) {
        return SubjectMatch::InGrade;
    }
    if (listed(teacher, subject) || plans(teacher, subject, std::nullopt)) {
        return SubjectMatch::OtherGrade;
    }
    return SubjectMatch::None;
}

bool SubstituteCandidates::busy(std::string_view teacher, int day, int period) const {
    const std::optional<std::string> name = rosterName(teacher);
    return name && day >= 0 && day < school::kDays && period >= 1 && period <= school::kPeriods &&
           !timetable::holdersOf(m_timetable, day, period, *name).empty();
}

std::vector<Candidate> SubstituteCandidates::rank(const Absence& absence) const {
    const std::optional<std::string> absent = rosterName(absence.teacher);
    const int day = absence.day;
    const int period = absence.period;
    if (!m_arranged || !absent || day < 0 || day >= school::kDays || period < 1 ||
        period > school::kPeriods) {
        return {};
    }
    const std::string subject = this->subject(absence);
    std::optional<int> grade;
    if (const auto id = school::parseClassName(lessonClass(absence))) {
        grade = id->gradeIndex;
    }

    std::vector<Candidate> candidates;
    for (const std::string& teacher : m_roster) {
        if (teacher == *absent ||
            !timetable::holdersOf(m_timetable, day, period, teacher).empty() ||
            timetable::presetBlocks(m_data, teacher, day, period)) {
            continue;
        }
        const int today = timetable::lessonsOnDay(m_timetable, day, teacher);
        if (today >= timetable::dayLimit(timetable::weeklyLoad(m_data, teacher))) {
            continue;
        }
        int week = 0;
        for (int d = 0; d < school::kDays; ++d) {
            week += timetable::lessonsOnDay(m_timetable, d, teacher);
        }
        candidates.push_back({teacher, match(teacher, subject, grade), today, week});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) {
                         if (a.subject != b.subject) {
                             return a.subject < b.subject;
                         }
                         if (a.lessonsToday != b.lessonsToday) {
                             return a.lessonsToday < b.lessonsToday;
                         }
                         return a.lessonsThisWeek < b.lessonsThisWeek;
                     });
    return candidates;
}

} // namespace attendance
