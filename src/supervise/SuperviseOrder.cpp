#include "supervise/SuperviseOrder.h"

#include "core/Gbk.h"
#include "store/CGSRecord.h"
#include "store/CSORecord.h"
#include "store/CTNRecord.h"
#include "store/NameList.h"
#include "supervise/DutyTimes.h"

#include <algorithm>
#include <optional>

namespace supervise {
namespace {

std::size_t at(int k) {
    return static_cast<std::size_t>(k - 1);
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += text.empty() ? name : "、" + name;
    }
    return text;
}

// Class number 1..20 of a class name of the grade, or nullopt.
std::optional<int> classOf(const std::string& name, int grade) {
    const std::optional<school::ClassId> id = school::parseClassName(name);
    if (!id || id->gradeIndex != grade) {
        return std::nullopt;
    }
    return id->classNumber;
}

} // namespace

bool SuperviseOrder::load() {
    m_teachers = store::readNameList<store::CTNRecord>(kMaxTeachers);
    m_classCounts = store::readGradeClasses();
    return !m_teachers.empty();
}

std::vector<std::string> SuperviseOrder::gradeNames() {
    return {school::kGradeNames.begin(), school::kGradeNames.end()};
}

std::vector<std::string> SuperviseOrder::timeNames() {
    return {kDutyTimes.begin(), kDutyTimes.end()};
}

bool SuperviseOrder::choose(const std::string& grade, const std::string& time,
                            const std::string& teacher) {
    const std::optional<int> index = school::gradeIndex(grade);
    if (!index || gbk::isBlank(time) || store::isBlankName(teacher)) {
        return true;
    }
    const bool changes = *index != m_grade || time != m_time || teacher != m_teacher;
    if (changes && modified() && !m_messenger.confirm(kDiscardQuestion)) {
        return false;
    }
    if (!changes && m_loaded) { // the same choice again keeps what was read and toggled
        return true;
    }
    m_grade = *index;
    m_time = time;
    m_teacher = teacher;
    m_loaded = false;
    readClasses();
    return true;
}

std::string SuperviseOrder::grade() const {
    return m_grade < 0 ? std::string() : std::string(school::kGradeNames[std::size_t(m_grade)]);
}

void SuperviseOrder::readClasses() {
    m_selected = {};
    m_hadRow = {};
    m_onDuty = {};
    for (const store::SuperviseRow& row : store::CSORecord().readAll()) {
        const std::optional<int> k = classOf(row.className, m_grade);
        if (!k || row.time != m_time) {
            continue;
        }
        if (row.teacher == m_teacher) {
            m_selected[at(*k)] = m_hadRow[at(*k)] = true;
        }
        std::vector<std::string>& onDuty = m_onDuty[at(*k)];
        if (!store::isBlankName(row.teacher) &&
            std::find(onDuty.begin(), onDuty.end(), row.teacher) == onDuty.end()) {
            onDuty.push_back(row.teacher);
        }
    }
    m_loaded = true;
}

std::string SuperviseOrder::buttonCaption(int k) const {
    if (!m_loaded || k < 1 || k > kClasses) {
        return {};
    }
    const std::string onDuty = joined(m_onDuty[at(k)]);
    return school::className(m_grade, k) + (onDuty.empty() ? "" : "\n" + onDuty);
}

std::string SuperviseOrder::buttonToolTip(int k) const {
    if (!m_loaded || k < 1 || k > kClasses) {
        return {};
    }
    if (!m_classCounts.exists(m_grade, k)) {
        return m_classCounts.missingNote(m_grade);
    }
    const std::string onDuty = joined(m_onDuty[at(k)]);
    return onDuty.empty() ? m_time + "尚无督修教师" : m_time + "督修：" + onDuty;
}

bool SuperviseOrder::buttonEnabled(int k) const {
    return m_loaded && (m_classCounts.exists(m_grade, k) || isSelected(k));
}

bool SuperviseOrder::isSelected(int k) const {
    return m_loaded && k >= 1 && k <= kClasses && m_selected[at(k)];
}

bool SuperviseOrder::toggleClass(int k) {
    if (!buttonEnabled(k) || k > kClasses) {
        return false;
    }
    m_selected[at(k)] = !m_selected[at(k)];
    return true;
}

std::string SuperviseOrder::selectionText() const {
    return m_loaded ? school::selectedClassesText(m_grade, m_selected) : std::string();
}

bool SuperviseOrder::save() {
    if (!m_loaded) {
        return true;
    }
    store::CSORecord records;
    // What the table holds now decides what is missing and who else is on duty.
    std::array<bool, kClasses> hasRow{};
    std::array<std::vector<std::string>, kClasses> others{};
    for (const store::SuperviseRow& row : records.readAll()) {
        const std::optional<int> k = classOf(row.className, m_grade);
        if (!k || row.time != m_time) {
            continue;
        }
        if (row.teacher == m_teacher) {
            hasRow[at(*k)] = true;
        } else if (!store::isBlankName(row.teacher) &&
                   std::find(others[at(*k)].begin(), others[at(*k)].end(), row.teacher) ==
                       others[at(*k)].end()) {
            others[at(*k)].push_back(row.teacher);
        }
    }

    std::vector<store::SuperviseRow> added;
    std::array<bool, kClasses> removed{};
    std::array<bool, kClasses> replaced{};
    std::string replacedText;
    for (int k = 1; k <= kClasses; ++k) {
        const std::string name = school::className(m_grade, k);
        if (m_selected[at(k)]) {
            if (!hasRow[at(k)]) {
                added.push_back({name, m_time, m_teacher});
            }
            if (!others[at(k)].empty()) {
                replaced[at(k)] = true;
                replacedText +=
                    (replacedText.empty() ? "" : "、") + name + " " + joined(others[at(k)]);
            }
        } else if (m_hadRow[at(k)]) {
            removed[at(k)] = true;
        }
    }
    if (!replacedText.empty() &&
        !m_messenger.confirm("以下班级该时间已有督修教师：" + replacedText + " 是否改为 " +
                             m_teacher + "？")) {
        return false;
    }
    const bool anyRemoved = std::find(removed.begin(), removed.end(), true) != removed.end();
    if (added.empty() && !anyRemoved && replacedText.empty()) {
        m_hadRow = m_selected;
        return true;
    }
    const auto owned = [&](const store::SuperviseRow& row) {
        const std::optional<int> k = classOf(row.className, m_grade);
        if (!k || row.time != m_time) {
            return false;
        }
        return row.teacher == m_teacher ? removed[at(*k)]
                                        : replaced[at(*k)] && !store::isBlankName(row.teacher);
    };
    records.replace(owned, added);
    readClasses();
    return true;
}

} // namespace supervise
