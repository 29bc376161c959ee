#include "planning/Classcourse.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace planning {
namespace {

// The course lists of the planning dialogs go on while names are at least 3 bytes long.
constexpr std::size_t kChoiceBytes = 3;
// A course or teacher list of the master data counts up to its first blank name.
constexpr std::size_t kNameMinBytes = gbk::kBlankBelow;
// The grade of a class is the first 4 GBK bytes of its name.
constexpr std::size_t kGradeBytes = 4;

int shownWeekly(int stored) {
    return stored >= 0 && stored <= Classcourse::kMaxWeekly ? stored : 0;
}

std::optional<int> parseWeekly(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < 0 ||
        value > Classcourse::kMaxWeekly) {
        return std::nullopt;
    }
    return value;
}

template <class RecordSetType> std::vector<std::string> readNames(std::size_t capacity) {
    RecordSetType records;
    std::vector<std::string> names;
    for (const auto& row : records.readAll()) {
        if (names.size() == capacity) {
            break;
        }
        names.push_back(row.name);
    }
    records.close();
    return names;
}

std::vector<std::string> choices(const std::vector<std::string>& names) {
    std::vector<std::string> offered;
    for (const std::string& name : names) {
        if (!offered.empty() && gbk::isBlank(name, kChoiceBytes)) {
            break;
        }
        offered.push_back(name);
    }
    return offered;
}

} // namespace

bool Classcourse::load() {
    m_unusableMessage.clear();
    m_courses.clear();
    m_roster.clear();
    m_classNames.clear();
    m_courseTeachers.clear();
    m_className.clear();
    m_plan = {};

    // A table whose first name is blank holds no name a box could offer.
    m_courses = readNames<store::CCNRecord>(kMaxCourses);
    if (m_courses.empty() || gbk::isBlank(m_courses.front())) {
        m_unusableMessage = kNoCourses;
        return false;
    }

    m_classNames = store::readGradeClasses().storedClassNames();
    // Without any class there is nothing to edit, whether the table is empty or not.
    if (m_classNames.empty()) {
        m_unusableMessage = kNoClasses;
        return false;
    }

    m_roster = readNames<store::CTNRecord>(kMaxTeachers);
    if (m_roster.empty() || gbk::isBlank(m_roster.front())) {
        m_unusableMessage = kNoTeachers;
        return false;
    }

    for (const std::string& course : m_courses) {
        if (gbk::isBlank(course, kNameMinBytes)) {
            break;
        }
        m_courseTeachers.emplace_back(course, std::vector<std::string>{});
    }
    store::CCTRecord records;
    const auto pairs = records.readAll();
    records.close();
    if (pairs.empty()) {
        m_unusableMessage = kNoCourseTeachers;
        return false;
    }
    for (const auto& pair : pairs) {
        // A blank teacher could only be offered as an empty line.
        if (gbk::isBlank(pair.teacher)) {
            continue;
        }
        for (auto& [course, teachers] : m_courseTeachers) {
            if (course == pair.course) {
                if (teachers.size() < kMaxCourseTeachers) {
                    teachers.push_back(pair.teacher);
                }
                break;
            }
        }
    }

    const std::vector<std::string> roster = rosterChoices();
    m_teacherChoices.fill(roster);
    return true;
}

std::vector<std::string> Classcourse::courseChoices() const {
    return choices(m_courses);
}

std::vector<std::string> Classcourse::rosterChoices() const {
    return choices(m_roster);
}

const std::vector<std::string>& Classcourse::teacherChoices(int slot) const {
    return m_teacherChoices.at(static_cast<std::size_t>(slot));
}

std::vector<std::string> Classcourse::courseTeachers(const std::string& course) const {
    for (const auto& [name, teachers] : m_courseTeachers) {
        if (name == course) {
            return teachers;
        }
    }
    return {};
}

std::vector<int> Classcourse::refreshTeacherChoices(const Slots& slots) {
    std::vector<int> changed;
    for (int k = 0; k < kSlots; ++k) {
        const auto i = static_cast<std::size_t>(k);
        std::vector<std::string> teachers = courseTeachers(slots[i].course);
        if (teachers.empty() || teachers == m_teacherChoices[i]) {
            continue;
        }
        m_teacherChoices[i] = std::move(teachers);
        changed.push_back(k);
    }
    return changed;
}

Classcourse::ClassChoice Classcourse::chooseClass(int index) {
    m_className.clear();
    m_plan = {};
    if (index < 0 || static_cast<std::size_t>(index) >= m_classNames.size()) {
        return ClassChoice::Shown;
    }
    const std::string& name = m_classNames[static_cast<std::size_t>(index)];

    Plan plan{};
    std::size_t taken = 0;
    std::size_t stored = 0;
    bool anyCourse = false;
    {
        store::CCCRecord records;
        for (const auto& row : records.readAll()) {
            if (row.className != name) {
                continue;
            }
            ++stored;
            if (taken == plan.size()) {
                continue;
            }
            plan[taken++] = {row.course, row.teacher, shownWeekly(row.weekly)};
            anyCourse = anyCourse || !gbk::isBlank(row.course);
        }
        records.close();
    }

    if (!anyCourse) {
        // No plan of its own: propose the grade's normal plan, without teachers.
        plan = {};
        taken = 0;
        const std::string grade = gbk::cut(name, kGradeBytes);
        store::CGCRecord records;
        for (const auto& row : records.readAll()) {
            if (row.grade != grade || row.days != 0) {
                continue;
            }
            if (taken == plan.size()) {
                break;
            }
            plan[taken++] = {row.course, std::string{}, shownWeekly(row.weekly)};
            anyCourse = anyCourse || !gbk::isBlank(row.course);
        }
        records.close();
        if (!anyCourse) {
            m_messenger.info(kNoGradePlan);
            return ClassChoice::NoPlan;
        }
    } else if (stored > plan.size()) {
        m_messenger.info(kTooManyRows);
    }

    m_className = name;
    m_plan = plan;
    return ClassChoice::Shown;
}

Classcourse::SlotText Classcourse::slotText(int slot) const {
    const Entry& entry = m_plan.at(static_cast<std::size_t>(slot));
    return {entry.course, entry.teacher, std::to_string(entry.weekly)};
}

void Classcourse::courseChosen(int slot) {
    if (slot == 0 && !hasClass()) {
        m_messenger.info(kChooseClass);
    }
}

void Classcourse::teacherChosen(int slot) {
    if (slot == 0 && !hasClass()) {
        m_messenger.info(kChooseClassFirst);
    }
}

bool Classcourse::edited(const Slots& slots) const {
    if (!hasClass()) {
        return false;
    }
    for (int k = 0; k < kSlots; ++k) {
        const SlotText& slot = slots[static_cast<std::size_t>(k)];
        const Entry& entry = m_plan[static_cast<std::size_t>(k)];
        const bool blank = gbk::isBlank(slot.course);
        // a slot without a course is never stored, whatever else it holds
        if (blank != gbk::isBlank(entry.course) ||
            (!blank && (slot.course != entry.course || slot.teacher != entry.teacher ||
                        parseWeekly(slot.weekly) != std::optional<int>(entry.weekly)))) {
            return true;
        }
    }
    return false;
}

std::optional<int> Classcourse::take(const Slots& slots) {
    Plan plan = m_plan;
    for (int k = 0; k < kSlots; ++k) {
        const SlotText& slot = slots[static_cast<std::size_t>(k)];
        Entry& entry = plan[static_cast<std::size_t>(k)];
        entry.course = slot.course;
        entry.teacher = slot.teacher;
        // A slot without a course is never stored, so its count does not matter.
        if (gbk::isBlank(slot.course)) {
            entry.weekly = parseWeekly(slot.weekly).value_or(0);
            continue;
        }
        const std::optional<int> weekly = parseWeekly(slot.weekly);
        if (!weekly) {
            m_messenger.info(kWeeklyRange);
            return k;
        }
        entry.weekly = *weekly;
    }
    m_plan = plan;
    return std::nullopt;
}

bool Classcourse::save() {
    if (!hasClass()) {
        m_messenger.info(kChooseClassFirst);
        return false;
    }
    std::vector<store::ClasscourseRow> rows;
    for (const Entry& entry : m_plan) {
        rows.push_back({m_className, entry.course, entry.teacher, entry.weekly});
    }
    const std::string name = m_className;
    store::CCCRecord records;
    records.replace([&name](const store::ClasscourseRow& row) { return row.className == name; },
                    rows,
                    [](const store::ClasscourseRow& row) { return gbk::isBlank(row.course); });
    return true;
}

} // namespace planning
