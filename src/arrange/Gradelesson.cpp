#include "arrange/Gradelesson.h"

#include "arrange/ArrangeReport.h"
#include "arrange/AutoOrder.h"
#include "arrange/AutoOrderStore.h"
#include "arrange/GradelessonReport.h"
#include "arrange/SchoolTimetableStore.h"
#include "arrange/TimetableRules.h"
#include "core/Gbk.h"
#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "store/CSLRecord.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace arrange {
namespace {

constexpr std::size_t kCellCaptionBytes = 6;
constexpr const char* kUnifiedBlank = "       "; // a unified slot in teacher view

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::string dayName(int day) {
    return std::string(school::kDayNames[at(day)]);
}

std::string periodName(int period) {
    return std::string(school::kPeriodNames[at(period - 1)]);
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        out += (i == 0 ? "" : separator) + parts[i];
    }
    return out;
}

} // namespace

Gradelesson::Gradelesson(ui::Messenger& messenger) : m_messenger(messenger) {
    load();
}

Gradelesson::Gradelesson(ui::Messenger& messenger, school::SchoolTimetable timetable,
                         AutoOrderData data)
    : m_messenger(messenger), m_timetable(std::move(timetable)), m_saved(m_timetable),
      m_data(std::move(data)) {
    countClasses();
    redraw();
}

void Gradelesson::load() {
    m_timetable = loadSchoolTimetable();
    m_saved = m_timetable;
    m_data = loadAutoOrderData();
    countClasses();
    redraw();
}

// The leading classes whose Monday period-2 cell is filled: the limit of "右  进".
void Gradelesson::countClasses() {
    m_classCount = 0;
    while (m_classCount < school::kMaxClasses &&
           !gbk::isBlank(m_timetable.cell(m_grade, m_classCount, 0, 2))) {
        ++m_classCount;
    }
}

void Gradelesson::previousDay() {
    m_day = (m_day + school::kDays - 1) % school::kDays;
    redraw();
}

void Gradelesson::nextDay() {
    m_day = (m_day + 1) % school::kDays;
    redraw();
}

void Gradelesson::previousGrade() {
    m_grade = std::max(m_grade - 1, 0);
    countClasses();
    redraw();
}

void Gradelesson::nextGrade() {
    m_grade = std::min(m_grade + 1, school::kGrades - 1);
    countClasses();
    redraw();
}

void Gradelesson::moveLeft() {
    m_firstClass = std::max(m_firstClass - 1, 0);
    redraw();
}

void Gradelesson::moveRight() {
    m_firstClass = std::max(std::min(m_firstClass + 1, m_classCount - kShownClasses), 0);
    redraw();
}

void Gradelesson::clearSelection() {
    m_selection = 0;
    m_marks = {};
}

template <class Change> void Gradelesson::change(Change&& apply) {
    const school::SchoolTimetable before = m_timetable;
    const EditorState stateBefore = editorState();
    apply();
    m_history.record(before, stateBefore, m_timetable, editorState());
}

void Gradelesson::clickCell(int column, int period) {
    const int a = m_firstClass + column;
    if (column < 0 || column >= kShownClasses || a >= school::kMaxClasses || period < 1 ||
        period > school::kPeriods) {
        return;
    }
    const int code = (a + 1) * 100 + (m_day + 1) * 10 + period;
    if (m_selection / 100 != a + 1) {
        // select: the mark moves from the previous selection to this cell
        if (m_selection != 0) {
            m_marks[at(m_selection / 100 - 1)][at(m_selection / 10 % 10 - 1)]
                   [at(m_selection % 10)] = false;
        }
        m_marks[at(a)][at(m_day)][at(period)] = true;
        m_selection = code;
    } else if (m_selection != code) {
        // exchange with the selected cell of the same class, on whatever day it lies
        const int selectedDay = m_selection / 10 % 10 - 1;
        const int selectedPeriod = m_selection % 10;
        m_marks[at(a)][at(selectedDay)][at(selectedPeriod)] = false;
        change([&] {
            std::swap(m_timetable.cell(m_grade, a, m_day, period),
                      m_timetable.cell(m_grade, a, selectedDay, selectedPeriod));
        });
        m_selection = 0;
    }
    redraw();
}

void Gradelesson::toggleLock(int column, int period) {
    const int a = m_firstClass + column;
    if (column < 0 || column >= kShownClasses || a >= school::kMaxClasses || period < 1 ||
        period > school::kPeriods) {
        return;
    }
    bool& lock = m_locks[at(m_grade)][at(a)][at(m_day)][at(period)];
    lock = !lock;
    redraw();
}

bool Gradelesson::isLocked(int grade, int position, int day, int period) const {
    return m_locks[at(grade)][at(position)][at(day)][at(period)];
}

void Gradelesson::convertShownGrade(bool toCourses, const std::vector<UnifiedCourse>& unified) {
    const std::size_t nameBytes = toCourses ? 4 : 3; // "more than 3", "more than 2" bytes
    for (int c = 0; c < school::kMaxClasses; ++c) {
        if (gbk::isBlank(m_timetable.cell(m_grade, c, 0, 0), nameBytes)) {
            continue;
        }
        const ClassCourseList& list = courseListAt(m_data, m_timetable, m_grade, c);
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                std::string& cell = m_timetable.cell(m_grade, c, d, p);
                const auto slot = std::find_if(unified.begin(), unified.end(), [&](const auto& u) {
                    return u.day - 1 == d && u.period == p;
                });
                if (slot != unified.end()) {
                    cell = toCourses ? slot->course : kUnifiedBlank;
                    continue;
                }
                // Empty cells stay empty: an entry without a teacher must not fill them.
                if (gbk::isBlank(cell)) {
                    continue;
                }
                for (const CourseEntry& entry : list.entries) {
                    if ((toCourses ? entry.teacher : entry.course) == cell) {
                        cell = toCourses ? entry.course : entry.teacher;
                        break;
                    }
                }
            }
        }
    }
}

void Gradelesson::switchView() {
    std::vector<UnifiedCourse> unified; // the grade's first two unified slots
    const bool read = ui::reported(m_messenger, [&] {
        for (store::SamelessonRow& row : store::CSLRecord().readAll()) {
            if (unified.size() < 2 && row.grade == school::kGradeNames[at(m_grade)]) {
                unified.push_back({row.grade, row.day, row.period, std::move(row.course)});
            }
        }
    });
    if (!read) {
        return;
    }
    change([&] {
        m_viewMode = m_viewMode == kTeacherView ? kCourseView : kTeacherView;
        convertShownGrade(m_viewMode == kCourseView, unified);
    });
    // The marks go, and with them the selection they show.
    clearSelection();
    redraw();
}

Gradelesson::Week Gradelesson::classWeek(int column) const {
    const int a = std::clamp(m_firstClass + column, 0, school::kMaxClasses - 1);
    return m_timetable.week(m_grade, a);
}

std::optional<Gradelesson::Week> Gradelesson::personalWeek() {
    const school::SchoolTimetable teachers = inTeacherNames(m_data, m_timetable);
    std::string teacher;
    if (m_selection != 0) {
        teacher = teachers.cell(m_grade, m_selection / 100 - 1, m_selection / 10 % 10 - 1,
                                m_selection % 10);
    }
    if (!isLessonText(teacher)) {
        m_messenger.info(kNoTeacherSelected);
        return std::nullopt;
    }
    Week week{};
    for (auto& day : week) {
        day[0] = teacher;
    }
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                for (int p = 1; p <= school::kPeriods; ++p) {
                    if (teachers.cell(g, c, d, p) == teacher) {
                        week[at(d)][at(p)] = teachers.cell(g, c, 0, 0);
                    }
                }
            }
        }
    }
    return week;
}

bool Gradelesson::rearrange() {
    std::optional<AutoOrderData> data;
    if (!ui::reported(m_messenger, [&] { data = loadAutoOrderData(); })) {
        return false;
    }
    change([&] {
        AutoOrder engine(std::move(*data));
        engine.arrange(m_grade, m_timetable);
        m_timetable = engine.result();
    });
    countClasses();
    redraw();
    return true;
}

bool Gradelesson::save() {
    if (!ui::reported(m_messenger, [&] { saveSchoolTimetable(m_timetable); })) {
        return false;
    }
    m_saved = m_timetable;
    return true;
}

bool Gradelesson::modified() const {
    return !(m_timetable == m_saved);
}

bool Gradelesson::mayClose() {
    return !modified() || m_messenger.confirm(kDiscardQuestion);
}

void Gradelesson::restore(const EditorState& state) {
    m_viewMode = state.viewMode;
    m_grade = state.grade;
    m_day = state.day;
    clearSelection();
    countClasses();
    redraw();
}

bool Gradelesson::undo() {
    const std::optional<EditorState> state = m_history.undo(m_timetable);
    if (state) {
        restore(*state);
    }
    return state.has_value();
}

bool Gradelesson::redo() {
    const std::optional<EditorState> state = m_history.redo(m_timetable);
    if (state) {
        restore(*state);
    }
    return state.has_value();
}

reports::ReportTable Gradelesson::reportTable() const {
    return gradeTimetableTable(m_timetable, m_grade);
}

std::string Gradelesson::printTitle() const {
    return gradeTimetablePrintTitle(m_grade);
}

void Gradelesson::redraw() {
    m_view = GradelessonView{};
    m_view.title = kTitlePrefix + std::string(school::kGradeNames[at(m_grade)]);
    m_view.dayName = dayName(m_day);
    const school::SchoolTimetable teachers = inTeacherNames(m_data, m_timetable);
    const school::SchoolTimetable courses = inCourseNames(m_data, m_timetable);
    drawGrid(teachers, courses);
    drawLists(teachers, courses);
    const GradeReview review = reviewGrade(m_data, m_grade, m_timetable);
    m_view.status = remainingLine(review);
}

void Gradelesson::drawGrid(const school::SchoolTimetable& teachers,
                           const school::SchoolTimetable& courses) {
    const std::vector<ResourceOverrun> overruns = resourceOverruns(m_data, courses, m_day);
    for (int column = 0; column < kShownClasses; ++column) {
        const int a = m_firstClass + column;
        if (a >= school::kMaxClasses) {
            continue;
        }
        for (int row = 0; row < GradelessonView::kRows; ++row) {
            GridCell& cell = m_view.grid[at(row)][at(column)];
            cell.caption = gbk::cut(m_timetable.cell(m_grade, a, m_day, row), kCellCaptionBytes);
            cell.pressed = m_marks[at(a)][at(m_day)][at(row)];
            if (row == 0) {
                continue;
            }
            cell.locked = m_locks[at(m_grade)][at(a)][at(m_day)][at(row)];
            std::vector<std::string> tips;
            if (cell.locked) {
                tips.push_back("已锁定：优化编排保留此节");
            }
            const std::string& teacher = teachers.cell(m_grade, a, m_day, row);
            const std::vector<ClassRef> holders = holdersOf(teachers, m_day, row, teacher);
            if (holders.size() > 1) {
                std::vector<std::string> others;
                for (const ClassRef& h : holders) {
                    if (!(h == ClassRef{m_grade, a})) {
                        others.push_back(teachers.cell(h.grade, h.position, 0, 0));
                    }
                }
                tips.push_back(teacher + "同时在" + joined(others, "、") + "上课");
                cell.mark = CellMark::Clash;
            }
            const std::string& course = courses.cell(m_grade, a, m_day, row);
            for (const ResourceOverrun& o : overruns) {
                if (o.period == row && o.course == course) {
                    tips.push_back(course + periodName(row) + "共" + std::to_string(o.classes) +
                                   "个班上课，上限" + std::to_string(o.limit) + "个班");
                    cell.mark = cell.mark == CellMark::None ? CellMark::Overrun : cell.mark;
                }
            }
            if (isLessonText(teacher) && presetBlocks(m_data, teacher, m_day, row)) {
                tips.push_back(teacher + "预设此时不排课");
                cell.mark = cell.mark == CellMark::None ? CellMark::Preset : cell.mark;
            }
            cell.tooltip = joined(tips, "\n");
        }
    }
}

void Gradelesson::drawLists(const school::SchoolTimetable& teachers,
                            const school::SchoolTimetable& courses) {
    if (m_viewMode == kTeacherView) {
        // clash list: each class of the grade against every other class of the school
        for (int p = 1; p <= school::kPeriods; ++p) {
            for (int a = 0; a < school::kMaxClasses; ++a) {
                const std::string& text = teachers.cell(m_grade, a, m_day, p);
                const std::size_t others = holdersOf(teachers, m_day, p, text).size();
                for (std::size_t k = 1; k < others; ++k) {
                    if (m_view.clashes.size() < kMaxClashes) {
                        m_view.clashes.push_back(text);
                    }
                }
            }
        }
        // the selected teacher's day, when the selection lies on the shown day
        if (m_selection != 0 && m_selection / 10 % 10 - 1 == m_day) {
            const std::string& text =
                teachers.cell(m_grade, m_selection / 100 - 1, m_day, m_selection % 10);
            if (isLessonText(text)) {
                int found = 0;
                for (int g = 0; g < school::kGrades; ++g) {
                    for (int c = 0; c < school::kMaxClasses; ++c) {
                        for (int p = 1; p <= school::kPeriods; ++p) {
                            if (teachers.cell(g, c, m_day, p) != text) {
                                continue;
                            }
                            ++found;
                            if (m_view.summary.size() < kMaxSummary) {
                                m_view.summary.push_back(teachers.cell(g, c, m_day, 0) + "第" +
                                                         std::to_string(p) + "节");
                            }
                        }
                    }
                }
                m_view.summaryHead = text + "共" + std::to_string(found) + "节";
            }
        }
    }
    for (const ResourceOverrun& o : resourceOverruns(m_data, courses, m_day)) {
        if (m_view.overruns.size() < kMaxOverruns) {
            m_view.overruns.push_back(o.course + periodName(o.period) + "超" +
                                      std::to_string(o.over()) + "节");
        }
    }
}

} // namespace arrange
