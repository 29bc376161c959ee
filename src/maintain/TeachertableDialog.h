// TeachertableDialog ("任课教师周课程表"): a grid of five day columns "星期一" … "星期五" and
// seven unlabelled period rows, the teacher selector (nothing chosen at first), 确定 and 取消
// (both only close) and, below the grid, "碰课：" followed by the clash codes of the chosen
// teacher. All rules live in maintain::Teachertable; this class hands it the chosen teacher
// and shows the week and codes it returns. It writes nothing. Beside the selector, 打印 and
// 导出 give the chosen teacher's published week (publish/PageButtons.h).
//
// Constructing it reads the roster (a store::DbError propagates to the command loop). run()
// is the menu command: without a usable roster it shows the reason and never opens. When a
// choice finds no arranged timetable at all, the message is shown and the dialog closes.
#pragma once

#include "maintain/Teachertable.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;

namespace widgets {
class DialogButtons;
}

namespace maintain {

class TeachertableDialog : public QDialog {
    Q_OBJECT
public:
    explicit TeachertableDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const Teachertable& logic() const { return m_logic; }
    QTableWidget* weekGrid() const { return m_week; }
    QComboBox* teacherBox() const { return m_teacher; }
    QLabel* clashLabel() const { return m_clashes; }
    widgets::DialogButtons* buttons() const { return m_buttons; }
    QWidget* pageButtons() const { return m_pageButtons; }

private:
    void chooseTeacher(int index);
    void showWeek();

    widgets::QtMessenger m_messenger;
    Teachertable m_logic;
    QTableWidget* m_week = nullptr;
    QComboBox* m_teacher = nullptr;
    QLabel* m_clashes = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
    QWidget* m_pageButtons = nullptr;
};

} // namespace maintain
