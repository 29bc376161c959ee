#include "masterdata/CoursePropertyset.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "masterdata/NameLists.h"
#include "store/CCPRecord.h"

#include <optional>

namespace masterdata {

void CoursePropertyset::load() {
    m_startMessage.clear();
    m_grade.clear();
    clearPairs();
    m_courses = readCourseNames(kMaxCourses);
    if (m_courses.empty()) {
        m_startMessage = kNoCourses;
    }
}

std::vector<std::string> CoursePropertyset::propertyChoices() {
    // The list keeps its entries sorted: 考查科 (chá) before 考试科 (shì).
    return {kAssessedName, kExaminationName};
}

std::vector<std::string> CoursePropertyset::gradeChoices() {
    return {school::kGradeNames.begin(), school::kGradeNames.end()};
}

void CoursePropertyset::clearPairs() {
    m_pairs.fill(Pair{});
    m_savedPairs = m_pairs;
}

int CoursePropertyset::gradeIndex() const {
    const std::optional<int> index = school::gradeIndex(m_grade);
    return index ? *index : -1;
}

bool CoursePropertyset::chooseGrade(int gradeIndex) {
    if (gradeIndex != this->gradeIndex() && modified() && !m_messenger.confirm(kDiscardQuestion)) {
        return false;
    }
    // No grade counts as chosen until its rows have been read: a failed read must not lead
    // to a save that replaces the grade's rows by blank pairs.
    m_grade.clear();
    clearPairs();
    if (gradeIndex < 0 || gradeIndex >= school::kGrades) {
        return true;
    }
    const std::string grade(school::kGradeNames[static_cast<std::size_t>(gradeIndex)]);

    store::CCPRecord records;
    std::array<Pair, kPairs> pairs{};
    std::size_t k = 0;
    for (const auto& row : records.readAll()) {
        if (row.grade != grade) {
            continue;
        }
        if (k == pairs.size()) {
            break;
        }
        pairs[k++] = {row.course, row.property};
    }
    records.close();
    m_grade = grade;
    m_pairs = pairs;
    m_savedPairs = pairs;
    return true;
}

std::string CoursePropertyset::propertyText(int k) const {
    switch (pair(k).property) {
    case kExamination:
        return kExaminationName;
    case kAssessed:
        return kAssessedName;
    default:
        return {};
    }
}

void CoursePropertyset::setPair(int k, const std::string& course, const std::string& propertyText) {
    Pair& p = m_pairs.at(static_cast<std::size_t>(k));
    p.course = course;
    if (propertyText == kExaminationName) {
        p.property = kExamination;
    } else if (propertyText == kAssessedName) {
        p.property = kAssessed;
    }
}

bool CoursePropertyset::save() {
    if (!hasGrade()) {
        m_messenger.info(kNoGrade);
        return false;
    }
    std::vector<store::CoursepropertyRow> rows;
    for (const Pair& p : m_pairs) {
        rows.push_back({m_grade, p.course, p.property});
    }
    store::CCPRecord records;
    const std::string grade = m_grade;
    records.replace([&grade](const store::CoursepropertyRow& row) { return row.grade == grade; },
                    rows,
                    [](const store::CoursepropertyRow& row) { return gbk::isBlank(row.course); });
    m_savedPairs = m_pairs;
    return true;
}

} // namespace masterdata
