#include "planning/GradelessonInit.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CGLRecord.h"
#include "store/DbError.h"

#include <algorithm>
#include <map>
#include <optional>

namespace planning {
namespace {

// The rows one initialisation works on: a whole grade or one class.
class Scope {
public:
    explicit Scope(const std::string& target)
        : m_target(target), m_grade(school::gradeIndex(target)) {}

    // A class name of [classcourse]: a grade owns the names that begin with it.
    bool ownsClass(const std::string& className) const {
        return m_grade ? gbk::cut(className, gbk::width(m_target)) == m_target
                       : className == m_target;
    }

    // A timetable row: a grade owns the rows whose number carries its position.
    bool ownsRow(const store::GradelessonRow& row) const {
        return m_grade ? row.number / 10000 == *m_grade + 1 : row.className == m_target;
    }

private:
    std::string m_target;
    std::optional<int> m_grade;
};

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Timetable only or everything: the scope's timetable rows go.
std::vector<store::GradelessonRow> deleteTimetableRows(const Scope& scope) {
    store::CGLRecord timetable;
    std::vector<store::GradelessonRow> before = timetable.readAll();
    timetable.replace([&](const store::GradelessonRow& row) { return scope.ownsRow(row); }, {});
    return before;
}

// One course: in the scope's timetable rows the cells holding the course, or a teacher of the
// course in the row's class, become blank, in place.
std::vector<store::GradelessonRow> clearCourseCells(const Scope& scope, const std::string& course) {
    std::map<std::string, std::vector<std::string>> teachersOfClass;
    {
        store::CCCRecord plans;
        for (const store::ClasscourseRow& row : plans.readAll()) {
            // A missing or removed teacher names nobody: its cells are free periods.
            if (scope.ownsClass(row.className) && row.course == course &&
                !gbk::isBlank(row.teacher)) {
                teachersOfClass[row.className].push_back(row.teacher);
            }
        }
        plans.close();
    }

    store::CGLRecord timetable;
    store::odbc::Transaction transaction(timetable.connection());
    std::vector<store::GradelessonRow> before = timetable.readAll();
    if (!before.empty()) {
        timetable.moveFirst();
    }
    static const std::vector<std::string> kNobody;
    for (const store::GradelessonRow& row : before) {
        if (scope.ownsRow(row)) {
            const auto found = teachersOfClass.find(row.className);
            const std::vector<std::string>& teachers =
                found == teachersOfClass.end() ? kNobody : found->second;
            store::GradelessonRow cleared = row;
            for (std::string& cell : cleared.days) {
                if (cell == course || contains(teachers, cell)) {
                    cell = GradelessonInit::kBlankCell;
                }
            }
            if (cleared != row) {
                timetable.edit();
                timetable.setCurrent(cleared);
                timetable.update();
            }
        }
        timetable.moveNext();
    }
    transaction.commit();
    timetable.close();
    return before;
}

} // namespace

bool GradelessonInit::load() {
    m_courses.clear();
    store::CCNRecord records;
    for (const store::CoursenameRow& row : records.readAll()) {
        if (m_courses.size() == kMaxCourses || gbk::isBlank(row.name)) {
            break;
        }
        m_courses.push_back(row.name);
    }
    records.close();
    m_unusableMessage = m_courses.empty() ? kNoCourses : "";
    return usable();
}

std::vector<std::string> GradelessonInit::targets() {
    std::vector<std::string> names;
    for (int grade = 0; grade < school::kGrades; ++grade) {
        names.emplace_back(school::kGradeNames[static_cast<std::size_t>(grade)]);
        for (int k = 1; k <= school::kMaxClasses; ++k) {
            names.push_back(school::className(grade, k));
        }
    }
    return names;
}

std::vector<std::string> GradelessonInit::choices() const {
    std::vector<std::string> names = m_courses;
    names.emplace_back(kEverything);
    names.emplace_back(kTimetable);
    return names;
}

void GradelessonInit::setTarget(const std::string& target) {
    m_target = contains(targets(), target) ? target : "";
}

void GradelessonInit::setChoice(const std::string& choice) {
    m_choice = contains(choices(), choice) ? choice : "";
}

std::string GradelessonInit::confirmationText() const {
    return "此操作将全部删除" + m_target + "的" + m_choice + "全部课程" +
           "！\n确认否？取消请按“取消”按纽。";
}

bool GradelessonInit::remove() {
    if (m_target.empty()) {
        m_messenger.info(kNoTarget);
        return false;
    }
    if (m_choice.empty()) {
        m_messenger.info(kNoChoice);
        return false;
    }
    if (!m_messenger.okCancel(kQuestionCaption, confirmationText(),
                              ui::Messenger::Default::Cancel)) {
        return false;
    }

    const Scope scope(m_target);
    const bool everything = m_choice == kEverything;
    const bool timetableOnly = m_choice == kTimetable;

    // The timetable first: a course's teachers are still in the class plans then.
    const std::vector<store::GradelessonRow> timetableBefore =
        everything || timetableOnly ? deleteTimetableRows(scope)
                                    : clearCourseCells(scope, m_choice);

    if (!timetableOnly) {
        try {
            store::CCCRecord().replace(
                [&](const store::ClasscourseRow& row) {
                    return scope.ownsClass(row.className) && (everything || row.course == m_choice);
                },
                {});
        } catch (const store::DbError& failure) {
            // Half an initialisation would leave plans without a timetable: put it back.
            try {
                store::CGLRecord().replaceAll(timetableBefore);
            } catch (const store::DbError& restore) {
                throw store::DbError(std::string(failure.what()) + "\n课程表未能恢复：" +
                                     restore.what());
            }
            throw;
        }
    }

    // The box has 确定 and 取消; either only closes it.
    m_messenger.okCancel(kDoneCaption, "已全部删除" + m_target + "的" + m_choice + "全部课程",
                         ui::Messenger::Default::Ok);
    return true;
}

} // namespace planning
