#include "planning/LessonorderPlan.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CCNRecord.h"
#include "store/COPRecord.h"

#include <algorithm>
#include <utility>

namespace planning {
namespace {

// Class and subject cells narrower than this are empty.
constexpr std::size_t kNameMinBytes = 3;

template <std::size_t N>
std::string nameAt(const std::array<std::string_view, N>& names, int value) {
    if (value < 1 || value > static_cast<int>(N)) {
        return {};
    }
    return std::string(names[static_cast<std::size_t>(value - 1)]);
}

// The position 1..N of text among names; a text that is not one of them keeps `current`.
template <std::size_t N>
int lookUp(const std::array<std::string_view, N>& names, const std::string& text, int current) {
    const auto found = std::find(names.begin(), names.end(), text);
    return found == names.end() ? current : static_cast<int>(found - names.begin()) + 1;
}

bool inRange(int value, int last) {
    return value >= 1 && value <= last;
}

std::string rowText(int row) {
    return "第" + std::to_string(row) + "行";
}

} // namespace

std::string LessonorderPlan::dayName(int day) {
    return nameAt(kDayNames, day);
}

std::string LessonorderPlan::periodName(int period) {
    return nameAt(kPeriodNames, period);
}

std::vector<std::string> LessonorderPlan::classNames() {
    std::vector<std::string> names;
    for (int grade = 0; grade < school::kGrades; ++grade) {
        for (int number = 1; number <= school::kMaxClasses; ++number) {
            names.push_back(school::className(grade, number));
        }
    }
    return names;
}

bool LessonorderPlan::load() {
    m_unusableMessage.clear();
    m_courses.clear();
    m_entries.clear();
    m_beyond.clear();

    store::CCNRecord names;
    const std::vector<store::CoursenameRow> courseRows = names.readAll();
    names.close();
    for (std::size_t i = 0; i < courseRows.size() && i < kMaxCourses; ++i) {
        if (!gbk::isBlank(courseRows[i].name, kNameMinBytes)) {
            m_courses.push_back(courseRows[i].name);
        }
    }
    if (m_courses.empty()) {
        m_unusableMessage = kNoCourses;
        return false;
    }

    store::COPRecord plan;
    for (const store::OrderplanRow& row : plan.readAll()) {
        Entry entry{row.className, row.course, row.week1, row.week2, row.number1, row.number2};
        (m_entries.size() < kMaxEntries ? m_entries : m_beyond).push_back(std::move(entry));
    }
    plan.close();
    return true;
}

LessonorderPlan::Page LessonorderPlan::page() const {
    Page page{};
    for (std::size_t row = 0; row < kPageRows && row < m_entries.size(); ++row) {
        const Entry& e = m_entries[row];
        page[row] = {e.className,           e.course,
                     dayName(e.week1),      dayName(e.week2),
                     periodName(e.number1), periodName(e.number2)};
    }
    return page;
}

bool LessonorderPlan::refuse(int row, const std::string& message) {
    m_refusedRow = row;
    m_messenger.info(message);
    return false;
}

bool LessonorderPlan::save(const Page& cells) {
    m_refusedRow = 0;
    std::vector<Entry> plan;
    for (std::size_t i = 0; i < kPageRows; ++i) {
        const int row = static_cast<int>(i) + 1;
        Entry entry = i < m_entries.size() ? m_entries[i] : Entry{};
        const Cells& c = cells[i];
        entry.className = c.className;
        entry.course = c.course;
        entry.week1 = lookUp(kDayNames, c.firstDay, entry.week1);
        entry.week2 = lookUp(kDayNames, c.lastDay, entry.week2);
        entry.number1 = lookUp(kPeriodNames, c.firstPeriod, entry.number1);
        entry.number2 = lookUp(kPeriodNames, c.lastPeriod, entry.number2);
        if (gbk::isBlank(entry.className, kNameMinBytes)) {
            continue; // an emptied row removes its range
        }
        if (gbk::isBlank(entry.course, kNameMinBytes)) {
            return refuse(row, rowText(row) + "请选择学科!");
        }
        if (inRange(entry.week1, kDays) && inRange(entry.week2, kDays) &&
            entry.week1 > entry.week2) {
            return refuse(row, rowText(row) + "的星期起点晚于星期终点!");
        }
        if (inRange(entry.number1, kPeriods) && inRange(entry.number2, kPeriods) &&
            entry.number1 > entry.number2) {
            return refuse(row, rowText(row) + "的节别起点晚于节别终点!");
        }
        plan.push_back(std::move(entry));
    }
    for (std::size_t i = kPageRows; i < m_entries.size(); ++i) {
        plan.push_back(m_entries[i]);
    }
    plan.insert(plan.end(), m_beyond.begin(), m_beyond.end());

    std::vector<store::OrderplanRow> rows;
    rows.reserve(plan.size());
    for (const Entry& e : plan) {
        rows.push_back({e.className, e.course, e.week1, e.week2, e.number1, e.number2, 0});
    }
    store::COPRecord records;
    records.replaceAll(rows);

    // What a fresh load would now read: the removed rows are gone and later ones move up.
    const auto split =
        plan.begin() + static_cast<std::ptrdiff_t>(std::min(plan.size(), kMaxEntries));
    m_beyond.assign(split, plan.end());
    plan.erase(split, plan.end());
    m_entries = std::move(plan);
    return true;
}

} // namespace planning
