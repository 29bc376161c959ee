// StartScreenDialog: the start screen's window over a StartScreen: 新建学校… (with the
// "示范学校" check box), 打开学校…, the 最近的学校 list (missing folders greyed and not
// choosable; a click opens an entry) and 取消. It closes accepted once the logic has chosen a
// school; 取消 or closing the window rejects it.
#pragma once

#include "app/StartScreen.h"

#include <QDialog>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace app {

class StartScreenDialog : public QDialog {
    Q_OBJECT
public:
    explicit StartScreenDialog(StartScreen& screen, QWidget* parent = nullptr);

    QPushButton* createButton() const { return m_create; }
    QPushButton* openButton() const { return m_open; }
    QPushButton* cancelButton() const { return m_cancel; }
    QCheckBox* demoBox() const { return m_demo; }
    QListWidget* recentList() const { return m_recent; }

private:
    void acceptWhen(bool chosen);

    StartScreen& m_screen;
    QPushButton* m_create = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_cancel = nullptr;
    QCheckBox* m_demo = nullptr;
    QListWidget* m_recent = nullptr;
};

} // namespace app
