// TeachernameEditDialog ("教师名单编辑"): a top row of buttons — 向上移, 向下移, 插  入,
// 添  加, 删   除, 插入一批, 添加一批, 确定, 取消 — above a grid of 60 checkable name buttons
// in 6 rows of 10, the selected place's button pressed. Every command goes to
// masterdata::TeachernameEdit and the grid then copies its captions and pressed index.
// 插  入 / 添  加 open NameInsertDialog, the batch commands TeachernamemanyDialog.
// Constructing it reads the table: a store::DbError propagates to the command loop.
#pragma once

#include "masterdata/TeachernameEdit.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QPushButton;

namespace widgets {
class DialogButtons;
} // namespace widgets

namespace masterdata {

class TeachernameEditDialog : public QDialog {
    Q_OBJECT
public:
    enum Command { MoveUp, MoveDown, Insert, Add, Delete, InsertBatch, AddBatch, kCommands };

    explicit TeachernameEditDialog(QWidget* parent = nullptr);

    QPushButton* commandButton(Command command) const;
    // Grid button 0 … 59, row by row.
    QPushButton* nameButton(int index) const;
    widgets::DialogButtons* buttons() const { return m_buttons; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void run(Command command);
    void askName(bool insert);
    void askBatch(bool insert);
    void refresh();

    widgets::QtMessenger m_messenger;
    TeachernameEdit m_logic;
    std::array<QPushButton*, kCommands> m_commands{};
    std::array<QPushButton*, TeachernameEdit::kButtons> m_names{};
    widgets::DialogButtons* m_buttons = nullptr;
    bool m_shown = false;
};

} // namespace masterdata
