// ClassTimetableDialog ("班级课程表--<name>", "教师课程表--<name>"): one weekly timetable,
// read-only, in a table with grid lines and whole-row selection: the columns "星期一" …
// "星期五", at least 60 pixels wide each, and an empty, hidden last column; seven rows
// labelled "第一节" … "第七节", row p showing period p, a cell up to two lines. The window is
// as large as all days and periods need at its font. 确定 and 取消 both close it. It has no
// menu entry: the grade timetable opens it for a class or a teacher.
//
// The caller constructs it, hands over a week block with setWeek() (the window keeps its own
// copy and shows it at once) and runs it modally; run() does all three. Reads no table.
// Beyond that, a caller may hand over the week's published page (setPage): the window then
// offers 打印 and 导出 of that page beside 确定 and 取消.
#pragma once

#include "planning/ClassTimetable.h"
#include "publish/Page.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <optional>

class QTableWidget;

namespace widgets {
class DialogButtons;
}

namespace planning {

class ClassTimetableDialog : public QDialog {
    Q_OBJECT
public:
    explicit ClassTimetableDialog(QWidget* parent = nullptr);

    // Runs the window modally over a copy of week: five school days, or the ten review days
    // ("复习课程表").
    static void run(const ClassTimetable::Week& week, QWidget* parent = nullptr,
                    std::optional<publish::Page> page = std::nullopt);
    static void run(const ClassTimetable::ReviewWeek& week, QWidget* parent = nullptr);
    static void runTeacherWeek(const ClassTimetable::Week& week, QWidget* parent = nullptr,
                               std::optional<publish::Page> page = std::nullopt);

    void setWeek(const ClassTimetable::Week& week);
    void setWeek(const ClassTimetable::ReviewWeek& week);
    void setTeacherWeek(const ClassTimetable::Week& week);
    // The page 打印 and 导出 give; none hides the two buttons.
    void setPage(std::optional<publish::Page> page);
    QWidget* pageButtons() const { return m_pageButtons; }

    const ClassTimetable& logic() const { return m_logic; }
    QTableWidget* table() const { return m_table; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void showWeek();

    widgets::QtMessenger m_messenger;
    ClassTimetable m_logic;
    QTableWidget* m_table = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
    std::optional<publish::Page> m_page;
    QWidget* m_pageButtons = nullptr;
};

} // namespace planning
