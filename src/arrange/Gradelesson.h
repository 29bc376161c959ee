// Gradelesson: the logic of the dialog "年段课程编排", the school's weekly timetable seen one
// grade and one day at a time, arranged by the engine, edited lesson by lesson, saved and
// printed.
//
// Construction reads table gradelesson into the whole school timetable, and the engine's
// lists (courseshare, classcourse, lessonprearrange, courseproperty, samelesson) for the
// names, the resource limits and the presets; a store::DbError propagates (the command
// ends). The timetable is the only copy while the dialog is open. Cell texts are kept whole:
// the grid shows each cut to 6 GBK bytes, but comparisons, the view switch, the engine and
// the save always see the whole text. The report's "自习" exists in the document only.
//
// The view: grade (0..5, clamped), day (0..4, wrapping), the first of ten shown classes
// (clamped to the grade's class count), teacher or course view, one selected cell. Every
// operation ends with a redraw, after which view() holds what the screen shows: the grid
// captions and pressed cells, the clash list (at most 10), the selected teacher's day
// (at most 5), the resource overrun list (at most 12), and, beyond these, the colour and
// tooltip of each conflicting cell and a status line counting what remains in the grade,
// both from the rules of TimetableRules.h. Clashes, colours and the status line are always
// judged in teacher names (inTeacherNames), whatever view a grade is shown in or was stored
// in, and a unified slot holding its course is never a clash. The clash list (teacher view
// only) names each clash with its period ("付庆晓 第三节").
//
// The week view ("按周查看") shows the same timetable, selection, locks and colours as all
// classes of the grade by the 35 periods of the week; lessons are picked up and dropped (or
// clicked twice) within a class, across days, a double period as a pair. While a lesson is
// selected, in either view, every cell of its class is shaded by what exchanging with it
// would leave (ExchangeCheck), and the week view shows the selected teacher's week and that
// of the teacher under the pointer. In the week view a drop that would move a locked cell is
// refused and the status line says why. "为此课找位置" offers the optimiser's best exchanges
// for a lesson (MoveSuggestions).
//
// Every change to the timetable (exchange, view switch, re-arrangement) can be undone and
// redone; modified() tells whether the timetable differs from what was last saved. save()
// replaces every row of gradelesson in one transaction, always in teacher names: a grade
// shown in course view is written as its teachers and stays shown as it is. On failure the
// table is as it was, the driver's text is shown and the edits stay. Text is UTF-8.
#pragma once

#include "arrange/GridEditor.h"
#include "arrange/MoveSuggestions.h"
#include "arrange/WeekGridView.h"
#include "core/Messenger.h"
#include "core/SchoolTimetable.h"
#include "optimise/Optimiser.h"
#include "publish/Page.h"
#include "reports/ReportTable.h"
#include "timetable/AutoOrderData.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace arrange {

using GradelessonView = LessonGridView;

class Gradelesson {
public:
    static constexpr const char* kTitlePrefix = "年段课程编排—";
    static constexpr const char* kPaperMessage =
        "请将打印机默认纸张设为八开或A3，\n然后横向放入纸张";
    static constexpr const char* kNoTeacherSelected = "请先选择一位教师的课。";
    static constexpr const char* kDiscardQuestion = "年段课程表已修改，放弃未存盘的修改吗？";
    // What the cell colours and frames mean, one entry each, in the order shown.
    struct LegendEntry {
        CellMark mark;
        bool locked;
        const char* text;
    };
    static constexpr std::array<LegendEntry, 4> kLegend = {{
        {CellMark::Clash, false, "教师碰课"},
        {CellMark::Overrun, false, "教学设施超过上限"},
        {CellMark::Preset, false, "教师预设此时不排课"},
        {CellMark::None, true, "已锁定（右键锁定或解锁）"},
    }};
    static constexpr int kMaxClashes = 10;
    static constexpr int kMaxSummary = 5;
    static constexpr int kMaxOverruns = 12;
    static constexpr int kShownClasses = GradelessonView::kColumns;
    static constexpr int kTeacherView = 0;
    static constexpr int kCourseView = 1;

    using Week = school::SchoolTimetable::Week;

    // Reads the tables (see above).
    explicit Gradelesson(ui::Messenger& messenger);
    // Over a timetable and lists already loaded (benchmarks and tests of the rules).
    Gradelesson(ui::Messenger& messenger, school::SchoolTimetable timetable,
                timetable::AutoOrderData data);

    const GradelessonView& view() const { return m_view; }
    const school::SchoolTimetable& timetable() const { return m_grid.timetable(); }

    int grade() const { return m_grid.grade(); }
    int day() const { return m_grid.day(); }
    int firstClass() const { return m_grid.firstClass(); }
    int classCount() const { return m_grid.classCount(); }
    int viewMode() const { return m_grid.viewMode(); }
    // 0, or (class + 1)·100 + (day + 1)·10 + period.
    int selection() const;

    // Navigation.
    void previousDay();
    void nextDay();
    void previousGrade();
    void nextGrade();
    void moveLeft();
    void moveRight();

    // "课程转换": reads table samelesson for the grade's unified slots (a failure is shown
    // and nothing changes), toggles the view and converts the shown grade.
    void switchView();
    // A click on the period cell of column 0..9, period 1..7: select, or exchange with the
    // selected cell of the same class (on any day).
    void clickCell(int column, int period);

    // The week view: toggled by "按周查看" / "按天查看"; nothing else changes. weekView()
    // holds what it shows after every redraw.
    bool inWeekView() const { return m_inWeekView; }
    void toggleWeekView();
    const WeekGridView& weekView() const { return m_week; }
    // A press on a cell of the week view (class position, day, period): with pair, picks the
    // lesson and its double-period neighbour; on another cell of the selected lesson's class,
    // drops the selection there; otherwise picks the lesson. True when a lesson is picked up
    // at the place afterwards (a drag may start).
    bool pressWeekCell(const GridPlace& place, bool pair = false);
    // Moves the selected lesson (or pair) to the place of its class by exchange, as one
    // undoable step. False, and nothing moves, when no lesson of that class is selected, the
    // place is the lesson itself, a pair has no room there, or a cell either way is locked
    // (the status line says so; the selection goes).
    bool dropOn(const GridPlace& place);
    // Esc during a drag: the lesson is put back, nothing moves.
    void cancelPick();
    // The cell under the pointer in the week view: its teacher's week is shown beside the
    // selected teacher's when it is another teacher. Nothing else is redrawn; false when the
    // cell is the one before.
    bool hoverCell(const std::optional<GridPlace>& place);
    static constexpr const char* kNoRoomForPair = "连堂放不下";

    // "为此课找位置" for the lesson at place (reads table orderplan; a failure is told and
    // nothing is offered), and the chosen exchange applied as one undoable step.
    std::vector<MoveSuggestion> findPlace(const GridPlace& place);
    void applySuggestion(const MoveSuggestion& suggestion);

    // Right-click on the period cell of column 0..9, period 1..7: locks it for the optimiser,
    // or frees it again. Locks belong to the cell's place (grade, class position, day,
    // period) and are not saved.
    void toggleLock(int column, int period);
    bool isLocked(int grade, int position, int day, int period) const {
        return m_grid.isLocked(grade, position, day, period);
    }
    // The same for a cell of the shown grade, in the week view.
    void toggleLockAt(const GridPlace& place);

    // The week of the class in column 0..9 for the class timetable window: each lesson as its
    // course over its teacher (one line where the plan cannot tell them apart).
    Week classWeek(int column) const;
    // "个人课程表": the week of the teacher in the selected cell, each lesson as its class over
    // its course.
    // Without a selected lesson the user is told and nothing comes back.
    std::optional<Week> personalWeek();
    // The published pages of the same two weeks, as edited (not as saved), for the window's
    // 打印 and 导出; nullopt where the column holds no class or the teacher no lesson.
    std::optional<publish::Page> classPage(int column) const;
    std::optional<publish::Page> teacherPage(const std::string& teacher) const;

    // "重新编排": the engine on the shown grade over the whole school. False when its
    // tables could not be read (told to the user; nothing changes).
    bool rearrange();
    // "优化编排": the clash-free arrangement of the shown grade around the other grades, keeping
    // the locked cells, honouring the arrangement plan. optimiseJob() reads what it needs
    // (the engine's lists and table orderplan; nothing when they cannot be read, told to the
    // user); the job may then run on another thread (optimise::optimise with its data and
    // request); applyOptimised() takes the outcome as one undoable step, and tells the user
    // what could not be met when the outcome is not solved. A cancelled outcome changes
    // nothing. optimiseShownGrade() does all three in turn.
    struct OptimiseJob {
        timetable::AutoOrderData data;
        optimise::Request request;
    };
    std::optional<OptimiseJob> optimiseJob(double timeLimitSeconds = 10.0);
    void applyOptimised(const optimise::Outcome& outcome);
    bool optimiseShownGrade(double timeLimitSeconds = 10.0);
    static constexpr const char* kNotSolved = "优化编排未能满足所有规则：";

    // "存  盘". False when the save failed (told); the edits stay.
    bool save();
    bool modified() const;
    // "取消", Esc, the close button: true when the dialog may close, asking first when
    // there are unsaved changes.
    bool mayClose();

    bool undo();
    bool redo();
    bool canUndo() const { return m_grid.canUndo(); }
    bool canRedo() const { return m_grid.canRedo(); }

    // The document of the shown grade ("表格导出", "打 印").
    reports::ReportTable reportTable() const;
    std::string printTitle() const;

private:
    void load();
    void redraw();
    void drawConflicts(const school::SchoolTimetable& teachers,
                       const school::SchoolTimetable& courses);
    void addConflicts(GridCell& cell, const school::SchoolTimetable& teachers,
                      const school::SchoolTimetable& courses,
                      const std::vector<timetable::ResourceOverrun>& overruns, int position,
                      int day, int period) const;
    void drawShades();
    void drawWeek(const school::SchoolTimetable& teachers, const school::SchoolTimetable& courses);
    void drawTargetTeacher(const school::SchoolTimetable& teachers,
                           const school::SchoolTimetable& courses);
    std::vector<optimise::CellRef> lockedCells() const;
    void drawLists(const school::SchoolTimetable& teachers, const school::SchoolTimetable& courses);

    ui::Messenger& m_messenger;
    timetable::AutoOrderData m_data;
    GridEditor<school::SchoolTimetable> m_grid{GridEditor<school::SchoolTimetable>::DayMove::Wrap};
    GradelessonView m_view;
    bool m_inWeekView = false;
    WeekGridView m_week;
    ExchangeCheck::Week m_shades{};
    std::optional<GridPlace> m_hover;
    std::string m_notice; // why the last drop was refused, until the next pick
};

} // namespace arrange
