// AttendanceinputDialog ("出勤情况录入"): ten rows of a teacher box, a date field, weekday,
// period, class, category and substitute boxes and a remark field under the headings "教  师"
// … "备     注" (every box also takes typed text, at most 8 GBK bytes); at the right "周别",
// 刷新, 存盘, the page button "第N页", 表格导出 (both do nothing), 上一页, 下一页, 确定 and 取消.
// The 代课 box of a missed lesson lists the teachers who can cover it first, each with its
// reason. All rules live in attendance::Attendanceinput; this class moves the page's texts
// between the controls and the logic.
//
// Constructing it reads the class counts and the roster (a store::DbError propagates to the
// command loop). run() is the menu command: without classes it shows "请设各年段的班级数!" and
// the form never opens; without teachers it says so and opens with empty name lists. 取消, Esc
// and the close button ask before unsaved edits are dropped.
#pragma once

#include "attendance/Attendanceinput.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace widgets {
class DialogButtons;
}

namespace attendance {

class AttendanceinputDialog : public QDialog {
    Q_OBJECT
public:
    explicit AttendanceinputDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const Attendanceinput& logic() const { return m_logic; }

    // The controls of row 0..9 of the shown page.
    struct RowControls {
        QComboBox* teacher = nullptr;
        QLineEdit* date = nullptr;
        QComboBox* weekday = nullptr;
        QComboBox* period = nullptr;
        QComboBox* className = nullptr;
        QComboBox* category = nullptr;
        QComboBox* substitute = nullptr;
        QLineEdit* remark = nullptr;
    };
    const RowControls& row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    QLineEdit* weekBox() const { return m_week; }
    // The button with this caption, or null.
    QPushButton* button(const QString& caption) const;
    QPushButton* pageButton() const { return m_pageButton; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

public slots:
    void reject() override;

private:
    Attendanceinput::PageTexts shownTexts() const;
    void showPage();
    void offerSubstitutes(int index);
    // Takes the shown page into the logic; a refused date gets the focus.
    bool taken();
    bool save();

    widgets::QtMessenger m_messenger;
    Attendanceinput m_logic;
    std::array<RowControls, Attendanceinput::kRowsPerPage> m_rows{};
    QLineEdit* m_week = nullptr;
    QPushButton* m_pageButton = nullptr;
    QLabel* m_status = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
    bool m_showing = false;
};

} // namespace attendance
