// GradeteachereditDialog ("一个年段所有课任教师的编辑"): the roster "全体教师" on the left,
// 增加 and 删除 between, the chosen subject's teachers "学科课任教师" on the right, the
// subject selector "学   科" (whole course names, not editable, nothing chosen at first)
// and 存盘 / 确定 / 取消. All rules live in masterdata::Gradeteacheredit; this class copies
// the selections into it and shows its lists and messages.
//
// Constructing it reads the course names and the roster (a store::DbError propagates to the
// command loop). run() is the menu command: when the logic finds the dialog unusable it
// shows the reason and the dialog never opens.
#pragma once

#include "masterdata/Gradeteacheredit.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QPushButton;

namespace widgets {
class DialogButtons;
}

namespace masterdata {

class GradeteachereditDialog : public QDialog {
    Q_OBJECT
public:
    explicit GradeteachereditDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const Gradeteacheredit& logic() const { return m_logic; }
    QListWidget* rosterList() const { return m_roster; }
    QListWidget* subjectList() const { return m_subjectTeachers; }
    QComboBox* subjectBox() const { return m_subject; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void chooseSubject(int index);
    void addTeacher();
    void removeTeacher();
    void showSubjectTeachers();

    widgets::QtMessenger m_messenger;
    Gradeteacheredit m_logic;
    QListWidget* m_roster = nullptr;
    QListWidget* m_subjectTeachers = nullptr;
    QComboBox* m_subject = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace masterdata
