#include "masterdata/Samelesson.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "masterdata/NameLists.h"
#include "store/CSLRecord.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace masterdata {
namespace {

// A unified slot keeps a course of 3 bytes or more, not the usual 4.
constexpr std::size_t kCourseMinBytes = 3;

template <std::size_t N>
std::vector<std::string> toStrings(const std::array<std::string_view, N>& names) {
    return {names.begin(), names.end()};
}

// Number 1 … N of an exact name, or nullopt.
template <std::size_t N>
std::optional<int> numberOf(const std::array<std::string_view, N>& names, std::string_view text) {
    const auto it = std::find(names.begin(), names.end(), text);
    if (it == names.end()) {
        return std::nullopt;
    }
    return static_cast<int>(it - names.begin()) + 1;
}

template <std::size_t N>
std::string nameOf(const std::array<std::string_view, N>& names, int number) {
    if (number < 1 || number > static_cast<int>(N)) {
        return {};
    }
    return std::string(names[static_cast<std::size_t>(number - 1)]);
}

} // namespace

bool Samelesson::load() {
    m_unusableMessage.clear();
    m_grade.clear();
    m_rows = {};
    m_courseChoices = readCourseNames(kMaxCourses);
    if (m_courseChoices.empty()) {
        m_unusableMessage = kNoCourses;
        return false;
    }
    // The list goes on up to and including the first blank entry of the twenty.
    if (m_courseChoices.size() < kMaxCourses) {
        m_courseChoices.emplace_back();
    }
    return true;
}

std::vector<std::string> Samelesson::dayChoices() {
    return toStrings(school::kDayNames);
}

std::vector<std::string> Samelesson::periodChoices() {
    return toStrings(school::kPeriodNames);
}

std::vector<std::string> Samelesson::gradeChoices() {
    return toStrings(school::kGradeNames);
}

int Samelesson::gradeIndex() const {
    const std::optional<int> index = school::gradeIndex(m_grade);
    return index ? *index : -1;
}

bool Samelesson::chooseGrade(int gradeIndex) {
    if (gradeIndex != this->gradeIndex() && modified() && !m_messenger.confirm(kDiscardQuestion)) {
        return false;
    }
    // No grade counts as chosen until its rows have been read: a failed read must not lead
    // to a save that deletes the grade's slots.
    m_grade.clear();
    m_rows = {};
    m_savedRows = {};
    if (gradeIndex < 0 || gradeIndex >= school::kGrades) {
        return true;
    }
    const std::string grade(school::kGradeNames[static_cast<std::size_t>(gradeIndex)]);

    store::CSLRecord records;
    std::array<Row, kRows> rows{};
    std::size_t k = 0;
    for (const auto& stored : records.readAll()) {
        if (stored.grade != grade) {
            continue;
        }
        if (k == rows.size()) {
            break;
        }
        rows[k++] = {nameOf(school::kDayNames, stored.day),
                     nameOf(school::kPeriodNames, stored.period), stored.course};
    }
    records.close();
    m_grade = grade;
    m_rows = rows;
    m_savedRows = rows;
    return true;
}

bool Samelesson::save() {
    if (!hasGrade()) {
        m_messenger.info(kNoGrade);
        return false;
    }
    std::vector<store::SamelessonRow> rows;
    for (const Row& r : m_rows) {
        if (gbk::width(r.course) < kCourseMinBytes) {
            continue;
        }
        const auto day = numberOf(school::kDayNames, r.day);
        const auto period = numberOf(school::kPeriodNames, r.period);
        if (day && period) {
            rows.push_back({m_grade, *day, *period, r.course});
        }
    }
    store::CSLRecord records;
    const std::string grade = m_grade;
    records.replace([&grade](const store::SamelessonRow& row) { return row.grade == grade; }, rows);
    m_savedRows = m_rows;
    return true;
}

} // namespace masterdata
