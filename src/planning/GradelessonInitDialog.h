// GradelessonInitDialog ("年段课程初始化"): the selectors "年段" (each grade followed by its
// twenty classes) and "学科" (the course names, then "所有" and "课程表"), both lists to choose
// from with nothing chosen at first, and the buttons 删除, 确定 and 取消. 删除 does all the
// work and keeps the dialog open for another deletion; 确定 and 取消 only close it. All rules
// live in planning::GradelessonInit; this class copies the choices into it and shows its
// messages.
//
// Constructing it reads the course names (a store::DbError propagates to the command loop).
// run() is the menu command: without course names it shows the reason and the dialog never
// opens.
#pragma once

#include "planning/GradelessonInit.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace widgets {
class DialogButtons;
}

namespace planning {

class GradelessonInitDialog : public QDialog {
    Q_OBJECT
public:
    explicit GradelessonInitDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const GradelessonInit& logic() const { return m_logic; }
    QComboBox* targetBox() const { return m_target; }
    QComboBox* choiceBox() const { return m_choice; }
    QPushButton* deleteButton() const { return m_delete; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void removeChosen();

    widgets::QtMessenger m_messenger;
    GradelessonInit m_logic;
    QComboBox* m_target = nullptr;
    QComboBox* m_choice = nullptr;
    QPushButton* m_delete = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace planning
