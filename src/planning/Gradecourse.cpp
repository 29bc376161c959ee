#include "planning/Gradecourse.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CCNRecord.h"
#include "store/CGCRecord.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace planning {
namespace {

// The course boxes offer the first stored name, then the following names while they are
// at least 3 bytes wide.
constexpr std::size_t kCourseListMinBytes = 3;
// A slot is stored when its course is at least 2 bytes wide.
constexpr std::size_t kStoredMinBytes = 2;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

enum class Parse { Ok, Empty, NotANumber, OutOfRange };

// A whole number as typed: surrounding spaces ignored, an optional sign, decimal digits.
// A number beyond int is out of range, with value set to the nearest int.
Parse parseNumber(std::string_view text, int& value) {
    text = trimmed(text);
    if (text.empty()) {
        return Parse::Empty;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') {
            return Parse::NotANumber;
        }
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ptr != end) {
        return Parse::NotANumber;
    }
    if (ec == std::errc::result_out_of_range) {
        value =
            text.front() == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
        return Parse::OutOfRange;
    }
    return ec == std::errc() ? Parse::Ok : Parse::NotANumber;
}

bool inPlan(const store::GradecourseRow& row, const std::string& grade, bool review) {
    return row.grade == grade && (review ? row.days >= 1 : row.days == 0);
}

std::string tooManyRows(const std::string& grade) {
    return grade + "的课程超过" + std::to_string(Gradecourse::kEntries) + "门，只显示前" +
           std::to_string(Gradecourse::kEntries) + "门，存盘时只保存这些。";
}

} // namespace

bool Gradecourse::open() {
    m_unusableMessage.clear();
    m_courses.clear();
    m_gradeIndex = -1;
    m_entries = {};
    m_days = 0;

    store::CCNRecord names;
    const std::vector<store::CoursenameRow> rows = names.readAll();
    names.close();
    if (rows.empty()) {
        m_unusableMessage = kNoCourses;
        return false;
    }
    for (const store::CoursenameRow& row : rows) {
        if (m_courses.size() == kMaxCourses ||
            (!m_courses.empty() && gbk::isBlank(row.name, kCourseListMinBytes))) {
            break;
        }
        m_courses.push_back(row.name);
    }
    chooseGrade(0);
    return true;
}

std::string Gradecourse::grade() const {
    return hasGrade() ? std::string(school::kGradeNames[static_cast<std::size_t>(m_gradeIndex)])
                      : std::string();
}

void Gradecourse::chooseGrade(int gradeIndex) {
    // Until the grade's rows have been read no grade counts as chosen.
    m_gradeIndex = -1;
    m_entries = {};
    m_days = 0;
    m_refusedField = -1;
    if (gradeIndex < 0 || gradeIndex >= school::kGrades) {
        return;
    }
    const std::string grade(school::kGradeNames[static_cast<std::size_t>(gradeIndex)]);

    store::CGCRecord records;
    const std::vector<store::GradecourseRow> rows = records.readAll();
    records.close();
    std::array<Entry, kEntries> entries{};
    std::size_t taken = 0;
    bool tooMany = false;
    int days = 0;
    for (const store::GradecourseRow& row : rows) {
        if (!inPlan(row, grade, review())) {
            continue;
        }
        if (taken == entries.size()) {
            tooMany = true;
            break;
        }
        const bool countShown = row.weekly >= 0 && row.weekly <= kMaxWeekly;
        entries[taken++] = {row.course, countShown ? row.weekly : 0};
        days = row.days;
    }
    m_gradeIndex = gradeIndex;
    m_entries = entries;
    m_days = days;
    if (tooMany) {
        m_messenger.info(tooManyRows(grade));
    }
}

Gradecourse::Slots Gradecourse::gridSlots() const {
    Slots out;
    for (std::size_t k = 0; k < out.size(); ++k) {
        out[k] = {m_entries[k].course, std::to_string(m_entries[k].weekly)};
    }
    return out;
}

namespace {

// The same whole number, or the same text where either is none.
bool sameCount(std::string_view a, std::string_view b) {
    int x = 0;
    int y = 0;
    if (parseNumber(a, x) == Parse::Ok && parseNumber(b, y) == Parse::Ok) {
        return x == y;
    }
    return trimmed(a) == trimmed(b);
}

} // namespace

bool Gradecourse::edited(const Slots& entered, const std::string& daysText) const {
    if (!hasGrade()) {
        return false;
    }
    const Slots shown = gridSlots();
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const std::string_view course = trimmed(entered[k].course);
        const bool empty = gbk::isBlank(std::string(course), kStoredMinBytes);
        const bool wasEmpty = gbk::isBlank(shown[k].course, kStoredMinBytes);
        // an empty slot's count is never stored, so it is never an edit
        if (empty != wasEmpty || (!empty && (course != trimmed(shown[k].course) ||
                                             !sameCount(entered[k].weekly, shown[k].weekly)))) {
            return true;
        }
    }
    return review() && !sameCount(daysText, this->daysText());
}

bool Gradecourse::refuse(int field, const char* message) {
    m_refusedField = field;
    m_messenger.error(message);
    return false;
}

bool Gradecourse::save(const Slots& entered, const std::string& daysText) {
    m_refusedField = -1;
    if (!hasGrade()) {
        m_messenger.info(kNoGrade);
        return false;
    }

    std::array<Entry, kEntries> entries = m_entries; // entries 19 and 20 stay as read
    for (std::size_t k = 0; k < entered.size(); ++k) {
        const std::string course(trimmed(entered[k].course));
        int weekly = 0;
        if (!gbk::isBlank(course, kStoredMinBytes)) {
            switch (parseNumber(entered[k].weekly, weekly)) {
            case Parse::Ok:
                if (weekly < 0 || weekly > kMaxWeekly) {
                    return refuse(static_cast<int>(k), kWeeklyRange);
                }
                break;
            case Parse::OutOfRange:
                return refuse(static_cast<int>(k), kWeeklyRange);
            case Parse::Empty:
            case Parse::NotANumber:
                return refuse(static_cast<int>(k), kNotANumber);
            }
        }
        entries[k] = {course, weekly};
    }

    int days = 0;
    if (review()) {
        switch (parseNumber(daysText, days)) {
        case Parse::Ok:
        case Parse::OutOfRange:
            if (days < 1) {
                return refuse(kDaysField, kNoDays);
            }
            if (days > kMaxDays) {
                return refuse(kDaysField, kTooManyDays);
            }
            break;
        case Parse::Empty:
            return refuse(kDaysField, kNoDays);
        case Parse::NotANumber:
            return refuse(kDaysField, kNotANumber);
        }
    }

    const std::string grade = this->grade();
    std::vector<store::GradecourseRow> rows;
    for (const Entry& e : entries) {
        if (!gbk::isBlank(e.course, kStoredMinBytes)) {
            rows.push_back({grade, e.course, e.weekly, days});
        }
    }
    const bool reviewPlan = review();
    store::CGCRecord records;
    // The review plan owns every row of the grade whose days are not 0, so rows with a
    // negative day count, which neither plan shows, go with it.
    records.replace(
        [&grade, reviewPlan](const store::GradecourseRow& row) {
            return row.grade == grade && (reviewPlan ? row.days != 0 : row.days == 0);
        },
        rows);
    m_entries = entries;
    m_days = days;
    return true;
}

} // namespace planning
