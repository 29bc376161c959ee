// SchoolSettingsEditDialog ("学校信息与作息时间"): the box 学校名称 (at most 40 GBK bytes), the
// box 第一周星期一 (a date such as 2024-09-02), then one row for each of 第一节 … 第七节 with the
// boxes 开始 and 结束 (times such as 08:00) and the selector 上午 / 下午; then 存盘, 确定 and
// 取消. 存盘 and 确定 hand the shown values to masterdata::SchoolSettingsEdit: a refused
// field keeps the dialog open with the focus on it and writes nothing; 确定 closes after a
// save. 取消 (and Esc) asks before unsaved changes are dropped.
// Constructing it reads the settings: a store::DbError propagates to the command loop.
#pragma once

#include "core/SchoolNames.h"
#include "masterdata/SchoolSettingsEdit.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;

namespace widgets {
class DialogButtons;
} // namespace widgets

namespace masterdata {

class SchoolSettingsEditDialog : public QDialog {
    Q_OBJECT
public:
    explicit SchoolSettingsEditDialog(QWidget* parent = nullptr);

    QLineEdit* nameBox() const { return m_name; }
    QLineEdit* dateBox() const { return m_date; }
    // Period 0 … 6.
    QLineEdit* startBox(int period) const { return m_starts.at(static_cast<std::size_t>(period)); }
    QLineEdit* endBox(int period) const { return m_ends.at(static_cast<std::size_t>(period)); }
    QComboBox* halfBox(int period) const { return m_halves.at(static_cast<std::size_t>(period)); }
    widgets::DialogButtons* buttons() const { return m_buttons; }

    void reject() override;

private:
    void show(const school::SchoolSettings& settings);
    school::SchoolSettings shown() const;
    QLineEdit* field(int index) const;
    bool save();

    widgets::QtMessenger m_messenger;
    SchoolSettingsEdit m_logic;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_date = nullptr;
    std::array<QLineEdit*, school::kPeriods> m_starts{};
    std::array<QLineEdit*, school::kPeriods> m_ends{};
    std::array<QComboBox*, school::kPeriods> m_halves{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace masterdata
