#include "maintain/GTReplace.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "maintain/TimetableTeachers.h"
#include "store/CCCRecord.h"
#include "store/CGCRecord.h"
#include "timetable/SchoolTimetableStore.h"

#include <algorithm>
#include <map>
#include <set>

namespace maintain {
namespace {

struct PlannedCourse {
    std::string course;
    int weekly = 0;
};

std::string gradeName(int grade) {
    return std::string(school::kGradeNames[static_cast<std::size_t>(grade)]);
}

// The courses [gradecourse] plans for a grade's week, in table order.
std::vector<PlannedCourse> readPlan(const std::string& grade) {
    store::CGCRecord records;
    std::vector<PlannedCourse> plan;
    // A row whose count cannot be read would write that count into every class.
    for (const store::GradecourseRow& row : records.readChecked().rows) {
        if (plan.size() == GTReplace::kMaxCourses) {
            break;
        }
        if (row.grade == grade && row.days == 0 && !gbk::isBlank(row.course)) {
            plan.push_back({row.course, row.weekly});
        }
    }
    records.close();
    return plan;
}

// What carrying the teachers over does to [classcourse]: the rows changed in place (by
// their position in the table) and the rows added at its end.
struct Carry {
    std::vector<std::optional<store::ClasscourseRow>> changed;
    std::vector<store::ClasscourseRow> added;
    int classes = 0; // new classes whose rows change
};

// The former class's teacher of each planned course: that of its last row of the course.
std::vector<std::string> teachersOf(const std::string& className,
                                    const std::vector<store::ClasscourseRow>& rows,
                                    const std::vector<PlannedCourse>& plan) {
    std::vector<std::string> teachers(plan.size());
    for (const store::ClasscourseRow& row : rows) {
        if (row.className != className) {
            continue;
        }
        for (std::size_t k = 0; k < plan.size(); ++k) {
            if (row.course == plan[k].course) {
                teachers[k] = row.teacher;
            }
        }
    }
    return teachers;
}

Carry carry(const std::vector<store::ClasscourseRow>& rows, const std::vector<PlannedCourse>& plan,
            int former, int next) {
    Carry result;
    result.changed.resize(rows.size());
    for (int c = 1; c <= school::kMaxClasses; ++c) {
        // Every teacher is read before anything is written, so a grade carried onto itself
        // reads its own teachers as they were.
        const std::vector<std::string> teachers =
            teachersOf(school::className(former, c), rows, plan);
        if (teachers.empty() || gbk::isBlank(teachers.front())) {
            continue;
        }
        const std::string target = school::className(next, c);
        for (std::size_t k = 0; k < plan.size(); ++k) {
            if (gbk::isBlank(teachers[k])) {
                continue;
            }
            const auto carried = [&](store::ClasscourseRow row) {
                row.teacher = teachers[k];
                row.weekly = plan[k].weekly;
                return row;
            };
            bool found = false;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (rows[i].className == target && rows[i].course == plan[k].course) {
                    found = true;
                    const store::ClasscourseRow row = carried(result.changed[i].value_or(rows[i]));
                    result.changed[i] = row != rows[i] ? std::optional(row) : std::nullopt;
                }
            }
            if (found) {
                continue;
            }
            // A course planned twice finds the row its first entry added.
            const auto added = std::find_if(
                result.added.begin(), result.added.end(), [&](const store::ClasscourseRow& row) {
                    return row.className == target && row.course == plan[k].course;
                });
            if (added != result.added.end()) {
                *added = carried(*added);
            } else {
                result.added.push_back(carried({target, plan[k].course, {}, 0}));
            }
        }
        bool changes =
            std::any_of(result.added.begin(), result.added.end(),
                        [&](const store::ClasscourseRow& row) { return row.className == target; });
        for (std::size_t i = 0; i < rows.size() && !changes; ++i) {
            changes = rows[i].className == target && result.changed[i].has_value();
        }
        result.classes += changes ? 1 : 0;
    }
    return result;
}

// The teachers the new grade's timetable changes with its plans: per class, a former teacher
// whose changed rows all go to one new teacher. One who keeps another row of the class, or
// whose rows go to different teachers, stays: his cells cannot be told apart.
TeacherSwaps swapsOf(const std::vector<store::ClasscourseRow>& rows, const Carry& changes,
                     int next) {
    std::map<int, std::map<std::string, std::set<std::string>>> goesTo;
    std::map<int, std::set<std::string>> stays;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto id = school::parseClassName(rows[i].className);
        if (!id || id->gradeIndex != next || gbk::isBlank(rows[i].teacher)) {
            continue;
        }
        const int key = (next + 1) * 100 + id->classNumber;
        const auto& changed = changes.changed[i];
        if (changed && changed->teacher != rows[i].teacher) {
            goesTo[key][rows[i].teacher].insert(changed->teacher);
        } else {
            stays[key].insert(rows[i].teacher);
        }
    }
    TeacherSwaps swaps;
    for (const auto& [key, teachers] : goesTo) {
        for (const auto& [former, replacements] : teachers) {
            if (replacements.size() == 1 && stays[key].count(former) == 0) {
                swaps[key][former] = *replacements.begin();
            }
        }
    }
    return swaps;
}

} // namespace

std::vector<std::string> GTReplace::grades() {
    return {school::kGradeNames.begin(), school::kGradeNames.end()};
}

void GTReplace::setFormerGrade(const std::string& grade) {
    m_former = school::gradeIndex(grade);
}

void GTReplace::setNewGrade(const std::string& grade) {
    m_new = school::gradeIndex(grade);
}

std::string GTReplace::confirmationText(int classes) const {
    return "将把 " + gradeName(m_former.value_or(0)) + " 的任课教师替换到 " +
           gradeName(m_new.value_or(0)) + " 的 " + std::to_string(classes) + " 个班，继续吗？";
}

GTReplace::Outcome GTReplace::replace() {
    if (!m_former || !m_new) {
        m_messenger.info(kNoGrades);
        return Outcome::Stopped;
    }
    const std::vector<PlannedCourse> plan = readPlan(gradeName(*m_new));
    if (plan.size() < kMinCourses) {
        m_messenger.info(kNoPlan);
        return Outcome::Close;
    }

    // The questions name what the tables hold now; no lock is held while the user thinks.
    int classes = 0;
    int cells = 0;
    {
        store::CCCRecord records;
        const std::vector<store::ClasscourseRow> rows = records.readAll();
        records.close();
        const Carry planned = carry(rows, plan, *m_former, *m_new);
        classes = planned.classes;
        cells = classes > 0 ? cellsToReplace(swapsOf(rows, planned, *m_new)) : 0;
    }
    if (classes == 0) {
        m_messenger.info(kNothingToReplace);
        return Outcome::Done;
    }
    if (!m_messenger.confirm(confirmationText(classes))) {
        return Outcome::Stopped;
    }
    const bool inTimetable = cells > 0 && m_messenger.confirm(kTimetableQuestion);

    // Rows change where they stand, so each class keeps the order of its courses (its first
    // four are its main courses).
    store::CCCRecord records;
    store::odbc::Transaction transaction(records.connection());
    const std::vector<store::ClasscourseRow> rows = records.readAll();
    const Carry changes = carry(rows, plan, *m_former, *m_new);
    if (!rows.empty()) {
        records.moveFirst();
    }
    for (std::size_t i = 0; i < rows.size(); ++i, records.moveNext()) {
        if (changes.changed[i]) {
            records.edit();
            records.setCurrent(*changes.changed[i]);
            records.update();
        }
    }
    for (const store::ClasscourseRow& row : changes.added) {
        records.addNew();
        records.setCurrent(row);
        records.update();
    }
    // the timetable's cells in the same transaction as the class plans
    const TeacherSwaps swaps = inTimetable ? swapsOf(rows, changes, *m_new) : TeacherSwaps{};
    if (inTimetable) {
        replaceInTimetable(swaps, records);
    }
    transaction.commit();
    records.close();
    if (inTimetable) {
        std::set<std::string> replacements;
        for (const auto& [key, teachers] : swaps) {
            for (const auto& [former, replacement] : teachers) {
                replacements.insert(replacement);
            }
        }
        const std::vector<std::string> clashes =
            clashLines(timetable::loadTeacherTimetable(), replacements, *m_new);
        if (!clashes.empty()) {
            std::string text = kClashesAfter;
            for (const std::string& line : clashes) {
                text += "\n" + line;
            }
            m_messenger.error(text);
        }
    }
    return Outcome::Done;
}

} // namespace maintain
