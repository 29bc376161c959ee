// CoverPlanningDialog ("代课安排"): the boxes 缺课教师 (the roster), 起始日期 and 终止日期
// ("2024-09-09"), 性质 (事  假, 公  假, 缺  勤) and the button 制定; the saved plans (已存安排)
// with 打开; the list of the missed lessons (日期, 星期, 节别, 班级, 学科, 代课安排, 说明),
// each with a box offering its candidates, swaps and no cover, a lesson nobody covers shown
// in red; and the buttons 存盘 (keep the plan), 应用 (write the attendance records), 打印通知单
// (the print preview), 导出通知单… (PDF or workbook), 复制通知文本 (the notice as text on the
// clipboard) and 关闭 (asking first about an unsaved plan). Everything else lives in
// cover::CoverPlanning; run() is the menu command, and shows why when the school cannot be
// read.
#pragma once

#include "cover/CoverPlanning.h"
#include "widgets/QtMessenger.h"

#include <QDialog>
#include <QHash>
#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace cover {

class CoverPlanningDialog : public QDialog {
    Q_OBJECT
public:
    explicit CoverPlanningDialog(QWidget* parent = nullptr);
    static void run(QWidget* parent);

    CoverPlanning& logic() { return m_logic; }
    QComboBox* teacherBox() const { return m_teacher; }
    QLineEdit* fromBox() const { return m_from; }
    QLineEdit* toBox() const { return m_to; }
    QComboBox* categoryBox() const { return m_category; }
    QComboBox* savedBox() const { return m_saved; }
    QTableWidget* list() const { return m_list; }
    // The 代课安排 box of a row.
    QComboBox* choiceBox(int row) const;
    QPushButton* button(const QString& caption) const;

    void reject() override;

private:
    void makePlan();
    void openSaved();
    void showPlan();
    void showSaved();
    void chosen(int row, int option);
    void exportNotice();
    void copyNotice();

    widgets::QtMessenger m_messenger;
    CoverPlanning m_logic;
    bool m_loaded = false;
    QComboBox* m_teacher = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QComboBox* m_category = nullptr;
    QComboBox* m_saved = nullptr;
    QTableWidget* m_list = nullptr;
    QHash<QString, QPushButton*> m_buttons;
};

} // namespace cover
