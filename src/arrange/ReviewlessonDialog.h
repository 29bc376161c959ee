// ReviewlessonDialog ("复习课程编排—<grade>"): a grade's review timetable, one review day at a
// time, on the grade timetable's panel (LessonGridPanel): the day button shows "第一天" …,
// the row-0 cells open the class's review week ("复习课程表"), the period cells select and
// exchange; below the grid the clash list and the status line; at the bottom 重新编排,
// 优化编排 (under a progress dialog with 取消 past half a second), 表格导出, 撤  销
// (Ctrl+Z), 重  做 (Ctrl+Y), 存  盘, 确定 and 取消.
//
// All behaviour lives in arrange::Reviewlesson. 确定 writes nothing: it closes, as 取消, Esc
// and the close button do, after asking about unsaved edits (是 saves first). Constructing it
// reads the table: a store::DbError propagates to the command loop.
#pragma once

#include "arrange/LessonGridPanel.h"
#include "arrange/Reviewlesson.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace arrange {

class ReviewlessonDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReviewlessonDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    Reviewlesson& logic() { return m_logic; }
    QPushButton* cell(int row, int column) const { return m_panel->cell(row, column); }
    QPushButton* button(const QString& caption) const;
    QLabel* statusLabel() const { return m_status; }

public slots:
    void accept() override;
    void reject() override;

private:
    template <class Action> void act(Action&& action);
    void showView();
    void optimiseGrade();
    void exportReport();

    widgets::QtMessenger m_messenger;
    Reviewlesson m_logic;
    LessonGridPanel* m_panel = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_redo = nullptr;
};

} // namespace arrange
