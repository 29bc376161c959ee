// Reviewlesson: the logic of the dialog "复习课程编排", a grade's review timetable of up to
// ten review days before examinations: the grade timetable's screen (GridEditor) over the
// review days, arranged by ReviewOrder, saved into table reviewlesson.
//
// It holds one grade at a time. Loading a grade (at construction and at every grade change)
// reads that grade's rows of reviewlesson; the review days D are the leading days whose
// period-1 cell of the first class is filled, and after a re-arrangement the review plan's
// days. The shown day stays within 0..D−1 (no wrap). Cell texts are kept whole and shown cut
// to 6 bytes; "自习" exists in the report document only.
//
// Unsaved edits are never dropped silently: changing the grade, and closing the dialog by
// 确定, 取消, Esc or the close button, ask "复习课程表已修改，是否存盘？" (是 saves first, 否
// drops the edits, 取消 stays). save() writes the grade's rows in one transaction; a failure
// leaves reviewlesson as it was, shows the driver's text and keeps the edits. Changes of the
// timetable (exchanges, view switches, re-arrangements) can be undone and redone within the
// grade; so can the optimiser's arrangement ("优化编排", beside the review arrangement of
// "重新编排"). Text is UTF-8; construction reads the table and may throw store::DbError.
#pragma once

#include "arrange/GridEditor.h"
#include "core/Messenger.h"
#include "core/SchoolTimetable.h"
#include "optimise/ReviewOptimiser.h"
#include "reports/ReportTable.h"

#include <optional>
#include <string>

namespace arrange {

class Reviewlesson {
public:
    static constexpr const char* kTitlePrefix = "复习课程编排—";
    static constexpr const char* kSaveQuestion = "复习课程表已修改，是否存盘？";
    static constexpr int kMaxClashes = 10;
    static constexpr int kMaxSummary = 6;
    static constexpr int kTeacherView = 0;
    static constexpr int kCourseView = 1;

    using Week = school::ReviewTimetable::Week;

    explicit Reviewlesson(ui::Messenger& messenger);

    const LessonGridView& view() const { return m_view; }
    const school::ReviewTimetable& timetable() const { return m_grid.timetable(); }

    int grade() const { return m_grid.grade(); }
    int day() const { return m_grid.day(); }
    int reviewDays() const { return m_grid.dayCount(); }
    int firstClass() const { return m_grid.firstClass(); }
    int classCount() const { return m_grid.classCount(); }
    int viewMode() const { return m_grid.viewMode(); }

    void previousDay();
    void nextDay();
    // Load the previous or next grade (clamped to 初一..高三), after asking about unsaved
    // edits. False when the user chose to stay (or the save before it failed).
    bool previousGrade();
    bool nextGrade();
    void moveLeft();
    void moveRight();
    // "课程转换": reads the class course pairs from classcourse (a failure is shown and
    // nothing changes), toggles the view and converts the grade over days 1..D.
    void switchView();
    void clickCell(int column, int period);

    // The review week of the class in column 0..9, for the window "复习课程表".
    Week classWeek(int column) const;

    // "重新编排": the review arrangement of the shown grade. False when its tables could not
    // be read (told to the user; nothing changes).
    bool rearrange();
    // "优化编排": the clash-free review arrangement of the shown grade (every review lesson
    // placed, doubles at 1-2, 3-4 or 5-6, singles in period 7, no teacher in two classes at
    // once). optimiseJob() reads the review plan and the class courses (nothing when they
    // cannot be read, told to the user); the job may then run on another thread
    // (optimise::optimiseReview with its data and request); applyOptimised() takes the outcome
    // as one undoable step, and tells the user what could not be met when the outcome is not
    // solved. A cancelled outcome changes nothing. optimiseShownGrade() does all three.
    struct OptimiseJob {
        timetable::ReviewData data;
        optimise::ReviewRequest request;
    };
    std::optional<OptimiseJob> optimiseJob(double timeLimitSeconds = 10.0);
    void applyOptimised(const optimise::ReviewOutcome& outcome);
    bool optimiseShownGrade(double timeLimitSeconds = 10.0);
    static constexpr const char* kNotSolved = "优化编排未能满足所有规则：";

    // "存  盘". False when the save failed (told); the edits stay.
    bool save();
    bool modified() const { return m_grid.modified(); }
    // 确定, 取消, Esc, the close button: true when the dialog may close.
    bool mayClose();

    bool undo();
    bool redo();
    bool canUndo() const { return m_grid.canUndo(); }
    bool canRedo() const { return m_grid.canRedo(); }

    // "表格导出": the document of the shown grade over its D review days.
    reports::ReportTable reportTable() const;

private:
    void load(int grade);
    bool changeGrade(int grade);
    bool settleUnsaved();
    void redraw();

    ui::Messenger& m_messenger;
    GridEditor<school::ReviewTimetable> m_grid{GridEditor<school::ReviewTimetable>::DayMove::Clamp};
    LessonGridView m_view;
};

} // namespace arrange
