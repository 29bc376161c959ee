// MainWindow: the program's single main window. Its caption is the product's display name.
// It holds
//   - the menus built from the command table, in table order, plus the shell's entries:
//     打开其他学校…, 最近的学校 (a submenu, refreshed each time it opens; the school worked
//     in and missing folders disabled) and 退出系统(&X) at the end of the first menu, 查看(&V) with
//     the tool-bar and status-bar toggles, 帮助(&H) with the About box and 帮助主题;
//   - the tool bar: the table's buttons in their groups, then About, separators between;
//   - the status bar: the message pane ("就绪" while no entry is highlighted, an entry's
//     prompt while it is, blank for an entry that has none) and the indicators 大写, 数字,
//     滚动;
//   - the central ShellView, which draws nothing, and beside it the overview "学校概况"
//     (OverviewPanel), shown or hidden from 查看; it is read afresh by refreshOverview(), which
//     startUp() calls once the data source is registered and every command calls when its
//     dialog closes. A link of its "下一步" line runs the menu entry it names.
// Every entry shows its status-bar prompt as status tip (text after "\n" is its tool tip).
// A command whose factory is empty is disabled. Triggering a command runs its dialog through
// runCommand(): an exception while the dialog opens is shown with its own text and the
// window goes on. The working directory (for the help file) is given by startUp().
// Choosing another school closes the window and leaves the folder in nextSchool(): the
// program starts again there once this one has let go of its school.
#pragma once

#include "app/CommandTable.h"
#include "app/ShellServices.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace app {

class OverviewPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(CommandTable commands, ShellServices services = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    const CommandTable& commands() const { return m_commands; }
    // The entry of commands()[row].
    QAction* commandAction(std::size_t row) const { return m_commandActions.at(row); }
    QAction* exitAction() const { return m_exitAction; }
    QAction* toolBarAction() const { return m_toolBarAction; }
    QAction* statusBarAction() const { return m_statusBarAction; }
    QAction* aboutAction() const { return m_aboutAction; }
    QAction* helpAction() const { return m_helpAction; }
    QAction* openSchoolAction() const { return m_openSchoolAction; }
    QAction* overviewAction() const { return m_overviewAction; }
    OverviewPanel* overview() const { return m_overview; }
    void refreshOverview();
    // The menu entry of the command table with this caption (without "&"), or null.
    QAction* entryAction(const QString& caption) const;
    QMenu* recentMenu() const { return m_recentMenu; }
    // The school chosen to work in next; empty until one is.
    const QString& nextSchool() const { return m_nextSchool; }
    QToolBar* toolBar() const { return m_toolBar; }
    QLabel* messagePane() const { return m_messagePane; }
    std::vector<QLabel*> indicatorPanes() const { return m_indicators; }

    ui::Messenger& messenger() const { return *m_messenger; }

    void setWorkingDirectory(const QString& dir) { m_workingDir = dir; }
    QString workingDirectory() const { return m_workingDir; }

    // <working dir>/tavlen.chm.
    QString helpFilePath() const;

    // Opens the help file with the desktop when it exists, else the installed manual, else
    // says that there is neither. True when a file was handed to the desktop and it started.
    bool showHelp();
    void showAbout();

protected:
    bool event(QEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QAction* makeAction(const std::string& caption, const std::string& prompt);
    void fillRecentMenu();
    void switchTo(StartScreen& screen, bool chosen);

    CommandTable m_commands;
    std::unique_ptr<ui::Messenger> m_ownMessenger;
    ui::Messenger* m_messenger;
    UrlOpener m_openUrl;
    FolderChooser m_chooseFolder;
    QString m_manual;
    QString m_workingDir;
    QString m_nextSchool;

    std::vector<QAction*> m_commandActions;
    QAction* m_exitAction = nullptr;
    QAction* m_toolBarAction = nullptr;
    QAction* m_statusBarAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_helpAction = nullptr;
    QAction* m_openSchoolAction = nullptr;
    QAction* m_overviewAction = nullptr;
    OverviewPanel* m_overview = nullptr;
    QMenu* m_recentMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_messagePane = nullptr;
    std::vector<QLabel*> m_indicators;
};

} // namespace app
