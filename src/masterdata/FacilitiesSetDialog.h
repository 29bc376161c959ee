// FacilitiesSetDialog ("学科资源有限设置"): ten pairs of a subject selector (course names, a
// name may also be typed, at most 10 GBK bytes) and a limit box, in 5 rows of 2 under the
// headings "学科" and "课时", then "确   定" and "取  消". 确定 checks every limit and
// saves; a refused limit is told, gets the focus and keeps the dialog open with nothing
// written. All rules live in masterdata::FacilitiesSet.
//
// Constructing it reads the tables (a store::DbError propagates to the command loop). run()
// is the menu command: without course names it shows the reason and the dialog never opens.
#pragma once

#include "masterdata/FacilitiesSet.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;

namespace widgets {
class DialogButtons;
}

namespace masterdata {

class FacilitiesSetDialog : public QDialog {
    Q_OBJECT
public:
    explicit FacilitiesSetDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const FacilitiesSet& logic() const { return m_logic; }
    // Pair k (0 … 9, left to right, then top to bottom).
    QComboBox* subjectBox(int k) const { return m_subjects.at(static_cast<std::size_t>(k)); }
    QLineEdit* limitBox(int k) const { return m_limits.at(static_cast<std::size_t>(k)); }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    bool save();

    widgets::QtMessenger m_messenger;
    FacilitiesSet m_logic;
    std::array<QComboBox*, FacilitiesSet::kPairs> m_subjects{};
    std::array<QLineEdit*, FacilitiesSet::kPairs> m_limits{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace masterdata
