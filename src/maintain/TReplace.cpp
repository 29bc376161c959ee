#include "maintain/TReplace.h"

#include "core/Gbk.h"
#include "maintain/TimetableTeachers.h"
#include "masterdata/NameLists.h"
#include "store/CCCRecord.h"
#include "store/DbError.h"
#include "timetable/SchoolTimetableStore.h"

#include <algorithm>
#include <optional>

namespace maintain {
namespace {

// The class plans of one class, on the caller's transaction: every row naming the former
// teacher takes the new one, in place. Returns how many rows changed.
int replaceInPlans(store::CCCRecord& records, const std::string& className,
                   const std::string& former, const std::string& replacement) {
    const std::vector<store::ClasscourseRow> before = records.readAll();
    int changed = 0;
    if (!before.empty()) {
        records.moveFirst();
    }
    for (const store::ClasscourseRow& row : before) {
        if (row.className == className && row.teacher == former) {
            store::ClasscourseRow replaced = row;
            replaced.teacher = replacement;
            records.edit();
            records.setCurrent(replaced);
            records.update();
            ++changed;
        }
        records.moveNext();
    }
    return changed;
}

template <class Entries>
std::optional<int> indexOf(const Entries& entries, const std::string& text) {
    const auto found = std::find(entries.begin(), entries.end(), text);
    if (found == entries.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - entries.begin());
}

} // namespace

void TReplace::load() {
    m_teachers = masterdata::readTeacherNames(kMaxTeachers);
}

void TReplace::reportEmptyRoster() {
    if (m_teachers.empty()) {
        m_messenger.info(kNoTeachers);
    }
}

std::vector<std::string> TReplace::grades() {
    return {school::kGradeNames.begin(), school::kGradeNames.end()};
}

std::vector<std::string> TReplace::classTexts() {
    return {kClassTexts.begin(), kClassTexts.end()};
}

bool TReplace::replace(const Request& request) {
    const std::optional<int> grade = school::gradeIndex(request.grade);
    const std::optional<int> classIndex = indexOf(classTexts(), request.classText);
    if (!grade || !classIndex) {
        m_messenger.info(kNoClass);
        return false;
    }
    if (gbk::isBlank(request.replacement)) {
        m_messenger.info(kNoNewTeacher);
        return false;
    }
    if (gbk::isBlank(request.former)) {
        m_messenger.info(kNoFormerTeacher);
        return false;
    }

    const int classNumber = *classIndex + 1;
    const std::string className = school::className(*grade, classNumber);
    // The class plans and the timetable change in one transaction: a class plan naming the new
    // teacher over a timetable naming the former one would split the class between them.
    store::CCCRecord records;
    store::odbc::Transaction transaction(records.connection());
    const int plans = replaceInPlans(records, className, request.former, request.replacement);
    if (plans == 0) {
        transaction.rollback();
        records.close();
        m_messenger.info(kNotTeaching);
        return false;
    }
    const int cells = replaceInTimetable(
        {{(*grade + 1) * 100 + classNumber, {{request.former, request.replacement}}}}, records);
    transaction.commit();
    records.close();
    m_messenger.info("已将 " + std::to_string(plans + cells) + " 处 " + request.former + " 改为 " +
                     request.replacement);
    const std::vector<std::string> clashes = clashLines(
        timetable::loadTeacherTimetable(), {request.replacement}, *grade, classNumber - 1);
    if (!clashes.empty()) {
        std::string text = kBusyWarning;
        for (const std::string& line : clashes) {
            text += "\n" + line;
        }
        m_messenger.error(text);
    }
    return true;
}

} // namespace maintain
