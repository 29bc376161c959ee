// The editing core shared by the grade timetable and the review timetable: one grade and one
// day of a timetable shown as ten classes by eight rows, the day, grade and class-window
// navigation, selection and exchange by two clicks (also across days), the view switch
// between teacher and course names, locks, and the undo history. The owners (Gradelesson,
// Reviewlesson) add their lists, their arrangement and their save, and redraw after every
// operation. Pure C++, over a BasicTimetable of any number of days.
//
// Cell texts are kept whole; the grid shows each cut to 6 GBK bytes.
#pragma once

#include "arrange/TimetableHistory.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "timetable/AutoOrderData.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace arrange {

enum class CellMark { None, Clash, Overrun, Preset };
// Where the selected lesson can go: what exchanging it with a cell would leave (ExchangeCheck).
enum class Shade { None, Green, Yellow, Red };

struct GridCell {
    std::string caption; // the held text cut to 6 GBK bytes
    bool pressed = false;
    bool locked = false;            // kept as it is by the optimiser ("锁定")
    CellMark mark = CellMark::None; // the first of clash, overrun, preset that holds
    std::string tooltip;            // every conflict of the cell, one a line
    Shade shade = Shade::None;      // while a lesson of its class is selected
    std::string shadeReason;        // why it is red or yellow, one reason a line
};

struct LessonGridView {
    static constexpr int kRows = 8;
    static constexpr int kColumns = 10;
    std::string title;                                        // "年段课程编排—初一"
    std::string gradeName;                                    // "初一", shown in the dialog
    std::string dayName;                                      // "星期一" …, "第一天" …
    std::array<std::array<GridCell, kColumns>, kRows> grid{}; // [row][column]
    std::vector<std::string> clashes;                         // "王伟 第三节", or names
    std::string summaryHead;                                  // "王伟共3节", or empty
    std::vector<std::string> summary;  // where the selected teacher teaches that day
    std::vector<std::string> overruns; // "物理第三节超2节"
    std::string status;                // what remains in the shown grade
};

// A cell of the grid: class position, day and period.
struct GridPlace {
    int position = 0;
    int day = 0;
    int period = 0;
    friend bool operator==(const GridPlace&, const GridPlace&) = default;
};

// "第一节" … for period 1..7, "星期一" … for day 0..4.
std::string periodName(int period);
std::string dayName(int day);

// Adds a teacher clash to a cell: red, with the other classes in the tooltip.
void markClash(GridCell& cell, const std::string& teacher, const std::vector<std::string>& others);

// What an optimiser's unsolved outcome tells the user: the lead line, then every cause and
// every violation on a line of its own.
std::string notSolvedText(const std::string& lead, const std::vector<std::string>& causes,
                          const std::vector<std::string>& violations);

template <class Timetable> class GridEditor {
public:
    static constexpr int kShownClasses = LessonGridView::kColumns;
    static constexpr int kDays = Timetable::kDayCount;
    static constexpr int kTeacherView = 0;
    static constexpr int kCourseView = 1;
    static constexpr const char* kUnifiedBlank = ::timetable::kUnifiedBlank;

    enum class DayMove { Wrap, Clamp };

    explicit GridEditor(DayMove dayMove) : m_dayMove(dayMove) {}

    Timetable& timetable() { return m_timetable; }
    const Timetable& timetable() const { return m_timetable; }
    // A timetable just read: it is what was last saved, and the history starts afresh.
    void load(Timetable timetable) {
        m_timetable = std::move(timetable);
        m_saved = m_timetable;
        m_history = BasicTimetableHistory<Timetable>();
    }
    void markSaved() { m_saved = m_timetable; }
    bool modified() const { return !(m_timetable == m_saved); }

    int grade() const { return m_grade; }
    int day() const { return m_day; }
    int dayCount() const { return m_dayCount; }
    int firstClass() const { return m_firstClass; }
    int classCount() const { return m_classCount; }
    int viewMode() const { return m_viewMode; }
    const std::optional<GridPlace>& selection() const { return m_selection; }

    // Days 0..count−1 can be shown; the shown day stays within them.
    void setDayCount(int count) {
        m_dayCount = std::clamp(count, 0, kDays);
        m_day = std::clamp(m_day, 0, std::max(m_dayCount - 1, 0));
    }
    void setGrade(int grade) { m_grade = std::clamp(grade, 0, school::kGrades - 1); }
    void setDay(int day) { m_day = day; }
    void setFirstClass(int first) { m_firstClass = first; }
    void setViewMode(int mode) { m_viewMode = mode; }

    void previousDay() {
        if (m_dayMove == DayMove::Wrap) {
            m_day = (m_day + m_dayCount - 1) % std::max(m_dayCount, 1);
        } else {
            m_day = std::max(m_day - 1, 0);
        }
    }
    void nextDay() {
        if (m_dayMove == DayMove::Wrap) {
            m_day = (m_day + 1) % std::max(m_dayCount, 1);
        } else {
            m_day = std::max(std::min(m_day + 1, m_dayCount - 1), 0);
        }
    }
    void moveLeft() { m_firstClass = std::max(m_firstClass - 1, 0); }
    void moveRight() {
        m_firstClass = std::max(std::min(m_firstClass + 1, m_classCount - kShownClasses), 0);
    }

    // The leading classes of the shown grade whose first-day period-2 cell is filled: the
    // limit of "右  进".
    void countClasses() {
        m_classCount = 0;
        while (m_classCount < school::kMaxClasses &&
               !gbk::isBlank(m_timetable.cell(m_grade, m_classCount, 0, 2))) {
            ++m_classCount;
        }
    }

    // A click on the period cell of column 0..9, period 1..7: a cell of another class than
    // the selected one is selected; a second cell of the selected class is exchanged with it
    // (on whatever day the selection lies); the selected cell again changes nothing.
    void click(int column, int period) {
        if (inGrid(column, period)) {
            clickAt({m_firstClass + column, m_day, period});
        }
    }
    // The same for any place of the shown grade, on its own day (the week view).
    void clickAt(const GridPlace& clicked) {
        if (!inGrade(clicked)) {
            return;
        }
        if (!m_selection || m_selection->position != clicked.position) {
            select(clicked);
        } else if (*m_selection != clicked) {
            const GridPlace selected = *m_selection;
            clearSelection();
            change([&] { swapCells(clicked, selected); });
        }
    }
    // Selects one place, or a lesson and the neighbour on its day holding the same text (a
    // double period; the later period first, so the pair stands in period order). Without
    // such a neighbour only the place is selected. False for a place outside the grade.
    bool select(const GridPlace& place, bool pair = false) {
        if (!inGrade(place)) {
            return false;
        }
        clearSelection();
        m_selection = place;
        mark(place) = true;
        if (pair) {
            const std::string& text = cellAt(place);
            for (const int step : {1, -1}) {
                const GridPlace next{place.position, place.day, place.period + step};
                if (!m_partner && next.period >= 1 && next.period <= school::kPeriods &&
                    !gbk::isBlank(text) && cellAt(next) == text) {
                    m_partner = next;
                    mark(next) = true;
                }
            }
            if (m_partner && m_partner->period < place.period) {
                std::swap(*m_selection, *m_partner);
            }
        }
        return true;
    }
    // The selected places: none, one, or the two halves of a double in period order.
    std::vector<GridPlace> picked() const {
        std::vector<GridPlace> places;
        if (m_selection) {
            places.push_back(*m_selection);
        }
        if (m_partner) {
            places.push_back(*m_partner);
        }
        return places;
    }
    // Exchanges each pair of places in turn, as one undoable step; the selection goes.
    void exchange(const std::vector<std::pair<GridPlace, GridPlace>>& moves) {
        clearSelection();
        change([&] {
            for (const auto& [a, b] : moves) {
                swapCells(a, b);
            }
        });
    }
    void clearSelection() {
        m_selection.reset();
        m_partner.reset();
        m_marks = {};
    }

    // The text of the selected cell in the shown grade, or empty.
    std::string selectedText(const Timetable& timetable) const {
        return m_selection ? timetable.cell(m_grade, m_selection->position, m_selection->day,
                                            m_selection->period)
                           : std::string();
    }

    void toggleLock(int column, int period) {
        if (inGrid(column, period)) {
            toggleLockAt({m_firstClass + column, m_day, period});
        }
    }
    void toggleLockAt(const GridPlace& place) {
        if (inGrade(place)) {
            bool& lock = m_locks[at(m_grade)][at(place.position)][at(place.day)][at(place.period)];
            lock = !lock;
        }
    }
    bool isLocked(int grade, int position, int day, int period) const {
        return m_locks[at(grade)][at(position)][at(day)][at(period)];
    }

    // The shown grade's weeks as an optimiser's outcome gives them, as one undoable step
    // (teacherView: the view then shows teacher names, as the outcome holds them); the
    // selection goes and the classes are counted again.
    void takeGrade(const Timetable& outcome, bool teacherView) {
        change([&] {
            for (int c = 0; c < school::kMaxClasses; ++c) {
                m_timetable.week(m_grade, c) = outcome.week(m_grade, c);
            }
            m_viewMode = teacherView ? kTeacherView : m_viewMode;
        });
        clearSelection();
        countClasses();
    }

    // Runs a change of the timetable (and maybe of the view mode) as one undoable step.
    template <class Change> void change(Change&& apply) {
        const Timetable before = m_timetable;
        const EditorState stateBefore = editorState();
        apply();
        m_history.record(before, stateBefore, m_timetable, editorState());
    }
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    // Back (or again) to the grade and day of the change, without a selection.
    bool undo() { return restore(m_history.undo(m_timetable)); }
    bool redo() { return restore(m_history.redo(m_timetable)); }

    // "课程转换" of the shown grade: toggles the view mode, then, for every class whose name
    // is present (more than 3 bytes to course view, more than 2 back) and days 0..count−1,
    // the unified slots take their course (or seven spaces back), and a filled cell equal to
    // a teacher of the class's list takes that entry's course (or a course its teacher). The
    // first matching entry wins. Empty cells stay empty, so an entry without a teacher never
    // fills a free period. One undoable step; the marks and the selection go.
    void switchView(const std::vector<timetable::UnifiedCourse>& unified,
                    const std::function<const timetable::ClassCourseList&(int position)>& listOf) {
        change([&] {
            m_viewMode = m_viewMode == kTeacherView ? kCourseView : kTeacherView;
            convert(m_viewMode == kCourseView, unified, listOf);
        });
        clearSelection();
    }

    // The grid of the shown grade and day: the grade's name, captions, pressed and locked
    // cells.
    void drawGrid(LessonGridView& view) const {
        view.gradeName = std::string(school::kGradeNames[at(m_grade)]);
        for (int column = 0; column < kShownClasses; ++column) {
            const int a = m_firstClass + column;
            if (a >= school::kMaxClasses) {
                continue;
            }
            for (int row = 0; row < LessonGridView::kRows; ++row) {
                GridCell& cell = view.grid[at(row)][at(column)];
                cell.caption = gbk::cut(m_timetable.cell(m_grade, a, m_day, row), 6);
                cell.pressed = m_marks[at(a)][at(m_day)][at(row)];
                cell.locked = row > 0 && isLocked(m_grade, a, m_day, row);
                if (cell.locked) {
                    cell.tooltip = "已锁定：优化编排保留此节";
                }
            }
        }
    }

private:
    static std::size_t at(int i) { return static_cast<std::size_t>(i); }
    bool inGrid(int column, int period) const {
        return column >= 0 && column < kShownClasses &&
               m_firstClass + column < school::kMaxClasses && period >= 1 &&
               period <= school::kPeriods;
    }
    bool inGrade(const GridPlace& p) const {
        return p.position >= 0 && p.position < school::kMaxClasses && p.day >= 0 &&
               p.day < m_dayCount && p.period >= 1 && p.period <= school::kPeriods;
    }
    std::string& cellAt(const GridPlace& p) {
        return m_timetable.cell(m_grade, p.position, p.day, p.period);
    }
    void swapCells(const GridPlace& a, const GridPlace& b) { std::swap(cellAt(a), cellAt(b)); }
    bool& mark(const GridPlace& p) { return m_marks[at(p.position)][at(p.day)][at(p.period)]; }
    EditorState editorState() const { return {m_viewMode, m_grade, m_day}; }
    bool restore(const std::optional<EditorState>& state) {
        if (!state) {
            return false;
        }
        m_viewMode = state->viewMode;
        m_grade = state->grade;
        m_day = state->day;
        clearSelection();
        countClasses();
        return true;
    }

    void convert(bool toCourses, const std::vector<timetable::UnifiedCourse>& unified,
                 const std::function<const timetable::ClassCourseList&(int position)>& listOf) {
        const std::size_t nameBytes = toCourses ? 4 : 3; // "more than 3", "more than 2" bytes
        for (int c = 0; c < school::kMaxClasses; ++c) {
            if (gbk::isBlank(m_timetable.cell(m_grade, c, 0, 0), nameBytes)) {
                continue;
            }
            const timetable::ClassCourseList& list = listOf(c);
            for (int d = 0; d < m_dayCount; ++d) {
                for (int p = 1; p <= school::kPeriods; ++p) {
                    std::string& cell = m_timetable.cell(m_grade, c, d, p);
                    const auto slot =
                        std::find_if(unified.begin(), unified.end(), [&](const auto& u) {
                            return u.day - 1 == d && u.period == p;
                        });
                    if (slot != unified.end()) {
                        cell = toCourses ? slot->course : timetable::kUnifiedBlank;
                        continue;
                    }
                    if (gbk::isBlank(cell)) {
                        continue;
                    }
                    for (const timetable::CourseEntry& entry : list.entries) {
                        if ((toCourses ? entry.teacher : entry.course) == cell) {
                            cell = toCourses ? entry.course : entry.teacher;
                            break;
                        }
                    }
                }
            }
        }
    }

    DayMove m_dayMove;
    Timetable m_timetable;
    Timetable m_saved;
    BasicTimetableHistory<Timetable> m_history;
    int m_grade = 0;
    int m_day = 0;
    int m_dayCount = kDays;
    int m_firstClass = 0;
    int m_classCount = 0;
    int m_viewMode = kTeacherView;
    std::optional<GridPlace> m_selection;
    std::optional<GridPlace> m_partner; // the other half of a selected double period
    using DayMarks = std::array<std::array<bool, school::kSlots>, static_cast<std::size_t>(kDays)>;
    std::array<DayMarks, school::kMaxClasses> m_marks{};
    std::array<std::array<DayMarks, school::kMaxClasses>, school::kGrades> m_locks{};
};

} // namespace arrange
