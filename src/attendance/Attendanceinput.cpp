#include "attendance/Attendanceinput.h"

#include "attendance/AttendanceTerms.h"
#include "attendance/AttendanceWeekText.h"
#include "core/Gbk.h"
#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "store/CATRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"
#include "timetable/AutoOrderData.h"

#include <algorithm>
#include <utility>

namespace attendance {
namespace {

using Rows = std::array<Attendanceinput::Row, Attendanceinput::kRows>;

// The categories of a missed lesson, for which a substitute is looked for.
constexpr std::array<std::string_view, 3> kMissedLesson = {kCategories[2], kCategories[3],
                                                           kCategories[4]};

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::string shown(const std::string& text) {
    return gbk::isBlank(text) ? std::string() : text;
}

// A row as the form shows it: texts shorter than 4 bytes empty, the remark as it is.
Attendanceinput::Row formRow(const store::AttendanceRow& record) {
    return {{shown(record.teacher), dateText(record.date), shown(record.weekday),
             shown(record.period), shown(record.className), shown(record.kind),
             shown(record.substitute), record.remark},
            record.date};
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

template <std::size_t N>
std::optional<int> indexIn(const std::array<std::string_view, N>& list, std::string_view text,
                           std::size_t count = N) {
    for (std::size_t i = 0; i < count; ++i) {
        if (list[i] == text) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string dateRefused(int row, const std::string& text) {
    return "第" + std::to_string(row + 1) + "行的日期“" + text +
           "”不是有效的日期，请按 2024-09-02 的格式输入。";
}

std::string addQuestion(int week, std::size_t existing) {
    return "第" + std::to_string(week) + "周已有 " + std::to_string(existing) +
           " 条记录，未经刷新载入。把本表记录添加进去吗？";
}

std::string overflowNotice(int week, std::size_t total) {
    return "第" + std::to_string(week) + "周有 " + std::to_string(total) +
           " 条记录，本表只能列出前 100 条；其余 " +
           std::to_string(total - Attendanceinput::kRows) + " 条存盘时原样保留。";
}

} // namespace

bool Attendanceinput::load() {
    m_classNames = store::readGradeClasses().storedClassNames();
    if (m_classNames.empty()) {
        m_unusableMessage = kNoClasses;
        return false;
    }

    m_roster.clear();
    for (const store::TeachernameRow& row : store::CTNRecord().readAll()) {
        if (m_roster.size() == kMaxTeachers) {
            break;
        }
        if (timetable::namesTeacher(row.name)) {
            m_roster.push_back(gbk::cut(row.name, kShownNameBytes));
        }
    }
    m_openingNotice = m_roster.empty() ? kNoTeachers : "";
    m_unusableMessage.clear();
    return true;
}

void Attendanceinput::setCandidates(SubstituteCandidates candidates) {
    m_candidates = std::move(candidates);
}

std::vector<Attendanceinput::SubstituteChoice>
Attendanceinput::substituteChoices(const RowText& row) const {
    std::vector<SubstituteChoice> choices;
    const auto day = indexIn(kWeekdays, row.weekday);
    const auto period = indexIn(kPeriods, row.period, kTeachingPeriods);
    const bool missed =
        std::find(kMissedLesson.begin(), kMissedLesson.end(), row.category) != kMissedLesson.end();
    if (m_candidates && day && period && missed && !gbk::isBlank(row.teacher)) {
        for (const Candidate& candidate :
             m_candidates->rank({row.teacher, *day, *period + 1, row.className})) {
            choices.push_back({gbk::cut(candidate.teacher, kShownNameBytes), candidate.reason()});
        }
    }
    const bool ranked = !choices.empty();
    std::vector<SubstituteChoice> busy;
    for (const std::string& name : m_roster) {
        const bool offered = std::any_of(choices.begin(), choices.end(),
                                         [&](const SubstituteChoice& c) { return c.name == name; });
        if (offered || (ranked && name == row.teacher)) {
            continue;
        }
        if (ranked && m_candidates->busy(name, *day, *period + 1)) {
            busy.push_back({name, kBusyThen});
        } else {
            choices.push_back({name, {}});
        }
    }
    choices.insert(choices.end(), busy.begin(), busy.end());
    return choices;
}

std::string Attendanceinput::pageCaption() const {
    return "第" + std::to_string(m_page) + "页";
}

std::string Attendanceinput::windowTitle() const {
    return m_loadedWeek ? "本周出勤录入—第" + std::to_string(*m_loadedWeek) + "周"
                        : std::string("本周出勤录入");
}

Attendanceinput::PageTexts Attendanceinput::pageTexts() const {
    PageTexts texts;
    for (int i = 0; i < kRowsPerPage; ++i) {
        const RowText& row = m_rows[at((m_page - 1) * kRowsPerPage + i)].text;
        texts[at(i)] = {shown(row.teacher),    row.date,
                        shown(row.weekday),    shown(row.period),
                        shown(row.className),  shown(row.category),
                        shown(row.substitute), row.remark};
    }
    return texts;
}

std::optional<int> Attendanceinput::applyPage(const PageTexts& page, Rows& rows) const {
    for (int i = 0; i < kRowsPerPage; ++i) {
        Row& row = rows[at((m_page - 1) * kRowsPerPage + i)];
        RowText text = page[at(i)];
        text.date = trimmed(text.date);
        if (text.date.empty()) {
            row.date = {};
        } else if (text.date != row.text.date) {
            const std::optional<school::DateTime> date = school::DateTime::fromText(text.date);
            if (!date) {
                return i;
            }
            row.date = *date;
            text.date = dateText(*date);
        }
        row.text = std::move(text);
    }
    return std::nullopt;
}

std::optional<int> Attendanceinput::takePage(const PageTexts& shownPage) {
    Rows rows = m_rows;
    if (const std::optional<int> refused = applyPage(shownPage, rows)) {
        m_messenger.error(dateRefused(*refused, trimmed(shownPage[at(*refused)].date)));
        return refused;
    }
    m_rows = std::move(rows);
    return std::nullopt;
}

bool Attendanceinput::nextPage(const PageTexts& shownPage) {
    if (takePage(shownPage)) {
        return false;
    }
    m_page = m_page % kPages + 1;
    return true;
}

bool Attendanceinput::previousPage(const PageTexts& shownPage) {
    if (takePage(shownPage)) {
        return false;
    }
    m_page = std::max(1, m_page - 1);
    return true;
}

bool Attendanceinput::modified(const PageTexts& shownPage) const {
    Rows rows = m_rows;
    return applyPage(shownPage, rows).has_value() || rows != m_savedRows;
}

bool Attendanceinput::mayClose(const PageTexts& shownPage) {
    return !modified(shownPage) || m_messenger.confirm(kDiscardQuestion);
}

std::optional<int> Attendanceinput::checkedWeek(std::string_view weekText) {
    const std::optional<int> week = typedWeek(weekText);
    if (!week) {
        m_messenger.error(kWeekRefused);
    }
    return week;
}

void Attendanceinput::loadWeek(int week) {
    Rows rows{};
    std::vector<store::AttendanceRow> kept;
    std::size_t total = 0;
    for (store::AttendanceRow& record : store::CATRecord().readAll()) {
        if (weekNumber(record.week) != week) {
            continue;
        }
        if (total < at(kRows)) {
            rows[total] = formRow(record);
        } else {
            kept.push_back(std::move(record));
        }
        ++total;
    }
    m_rows = rows;
    m_savedRows = rows;
    m_kept = std::move(kept);
    m_loadedWeek = week;
    if (!m_kept.empty()) {
        m_messenger.info(overflowNotice(week, total));
    }
}

bool Attendanceinput::refresh(std::string_view weekText, const PageTexts& shownPage) {
    const std::optional<int> week = checkedWeek(weekText);
    if (!week || (modified(shownPage) && !m_messenger.confirm(kDiscardQuestion))) {
        return false;
    }
    return ui::reported(m_messenger, [&] { loadWeek(*week); });
}

std::vector<store::AttendanceRow> Attendanceinput::recordsToSave(int week) const {
    std::vector<store::AttendanceRow> records;
    for (const Row& row : m_rows) {
        const RowText& t = row.text;
        if (gbk::isBlank(t.teacher)) {
            continue;
        }
        const auto field = [](const std::string& text) { return gbk::cut(text, kFieldBytes); };
        records.push_back({field(t.teacher), std::to_string(week), field(t.className), row.date,
                           field(t.weekday), field(t.period), field(t.category),
                           field(t.substitute), field(t.remark)});
    }
    return records;
}

bool Attendanceinput::save(std::string_view weekText, const PageTexts& shownPage) {
    if (takePage(shownPage)) {
        return false;
    }
    const std::optional<int> week = checkedWeek(weekText);
    if (!week) {
        return false;
    }
    std::vector<store::AttendanceRow> records = recordsToSave(*week);
    const bool saved = ui::reported(m_messenger, [&] {
        store::CATRecord table;
        if (m_loadedWeek == week) {
            records.insert(records.end(), m_kept.begin(), m_kept.end());
            table.replace(
                [&](const store::AttendanceRow& record) { return weekNumber(record.week) == week; },
                records);
            return;
        }
        const auto stored = table.readAll();
        const auto existing = static_cast<std::size_t>(
            std::count_if(stored.begin(), stored.end(), [&](const store::AttendanceRow& record) {
                return weekNumber(record.week) == week;
            }));
        if (existing > 0 && !records.empty() &&
            !m_messenger.confirm(addQuestion(*week, existing))) {
            throw ui::Declined();
        }
        table.append(records);
    });
    if (!saved) {
        return false;
    }
    // The form now shows the week as stored; when it cannot be read back, the next save asks
    // before adding instead of replacing what the form does not show.
    m_loadedWeek.reset();
    ui::reported(m_messenger, [&] { loadWeek(*week); });
    return true;
}

} // namespace attendance
