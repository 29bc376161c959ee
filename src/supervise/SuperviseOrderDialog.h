// SuperviseOrderDialog ("早晚督修安排"): the boxes "年段", "时间" and "教师" (drop-down lists,
// nothing chosen at first), below them the twenty class buttons in four rows of five and
// "选定班级：" with the selected classes, and at the right 存盘, 确定 and 取消 one under the
// other. The class buttons are blank and disabled until grade, time and teacher are all
// chosen; a pressed button is a class the teacher supervises at that time, and each button
// also shows who is on duty there as saved. 存盘 writes the selection and keeps the dialog
// open; 确定 and 取消 close without writing, asking first when toggles are unsaved. All
// rules live in supervise::SuperviseOrder.
#pragma once

#include "supervise/SuperviseOrder.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace widgets {
class ClassButtonGrid;
}

namespace supervise {

class SuperviseOrderDialog : public QDialog {
    Q_OBJECT
public:
    explicit SuperviseOrderDialog(QWidget* parent = nullptr);

    // The menu entry: without a roster only the message is shown.
    static void run(QWidget* parent);

    const SuperviseOrder& logic() const { return m_logic; }
    QComboBox* gradeBox() const { return m_grade; }
    QComboBox* timeBox() const { return m_time; }
    QComboBox* teacherBox() const { return m_teacher; }
    QPushButton* classButton(int k) const;
    QLabel* selectionLabel() const;
    QPushButton* saveButton() const { return m_save; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    void accept() override;
    void reject() override;

private:
    void choose();
    void toggleClass(int k);
    void save();
    bool mayClose();
    void showClasses();

    widgets::QtMessenger m_messenger;
    SuperviseOrder m_logic;
    bool m_usable = false;
    bool m_readFailed = false;
    QComboBox* m_grade = nullptr;
    QComboBox* m_time = nullptr;
    QComboBox* m_teacher = nullptr;
    widgets::ClassButtonGrid* m_classes = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace supervise
