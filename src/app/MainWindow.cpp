#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/OverviewPanel.h"
#include "app/ProductInfo.h"
#include "app/RecentSchools.h"
#include "app/ShellIcons.h"
#include "app/ShellView.h"
#include "store/TableWatch.h"
#include "widgets/QtMessenger.h"
#include "widgets/TextConvert.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>

#include <array>
#include <map>
#include <utility>

namespace app {
namespace {

using widgets::toQString;

const std::array<QColor, 3> kGroupColours = {QColor(0x2b, 0x6c, 0xb0), QColor(0x2f, 0x85, 0x5a),
                                             QColor(0xc0, 0x56, 0x21)};

} // namespace

MainWindow::MainWindow(CommandTable commands, ShellServices services, QWidget* parent)
    : QMainWindow(parent), m_commands(std::move(commands)), m_messenger(services.messenger),
      m_openUrl(services.openUrl ? std::move(services.openUrl) : desktopUrlOpener()),
      m_chooseFolder(services.chooseFolder ? std::move(services.chooseFolder)
                                           : dialogFolderChooser(this)),
      m_manual(std::move(services.manual)) {
    if (m_messenger == nullptr) {
        m_ownMessenger = std::make_unique<widgets::QtMessenger>(this);
        m_messenger = m_ownMessenger.get();
    }
    setWindowTitle(QString::fromUtf8(kProductName));
    setWindowIcon(applicationIcon());
    setCentralWidget(new ShellView(this));
    m_overview = new OverviewPanel(this, std::move(services.readStanding));
    addDockWidget(Qt::LeftDockWidgetArea, m_overview);
    resizeDocks({m_overview}, {620}, Qt::Horizontal);
    connect(m_overview, &OverviewPanel::entryChosen, this, [this](const QString& caption) {
        if (QAction* action = entryAction(caption); action != nullptr && action->isEnabled()) {
            action->trigger();
        }
    });
    buildMenus();
    buildToolBar();
    buildStatusBar();
    resize(1024, 700);
    // A save that would overwrite another program's changes asks first, in the program's
    // message boxes.
    store::setOverwriteQuestion(
        [messenger = m_messenger](const std::string& text) { return messenger->confirm(text); });
}

MainWindow::~MainWindow() {
    store::setOverwriteQuestion({});
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip && m_messagePane != nullptr) {
        // A menu sends the same empty tip for an entry without a prompt as for leaving the
        // entries. Only the latter brings "就绪" back; a highlighted entry without a prompt
        // leaves the pane blank.
        const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const bool blankEntry = static_cast<QStatusTipEvent*>(event)->tip().isEmpty() &&
                                menu != nullptr && menu->activeAction() != nullptr;
        m_messagePane->setText(blankEntry ? QString() : QStringLiteral("就绪"));
    }
    return QMainWindow::event(event);
}

QAction* MainWindow::makeAction(const std::string& caption, const std::string& prompt) {
    auto* action = new QAction(toQString(caption), this);
    const auto newline = prompt.find('\n');
    action->setStatusTip(toQString(prompt.substr(0, newline)));
    if (newline != std::string::npos) {
        action->setToolTip(toQString(prompt.substr(newline + 1)));
    }
    return action;
}

void MainWindow::buildMenus() {
    std::map<std::string, QMenu*> menus;
    QMenu* first = nullptr;
    for (const Command& command : m_commands) {
        QMenu*& menu = menus[command.menu];
        if (menu == nullptr) {
            menu = menuBar()->addMenu(toQString(command.menu));
            if (first == nullptr) {
                first = menu;
            }
        }
        QAction* action = makeAction(command.caption, command.prompt);
        action->setEnabled(static_cast<bool>(command.open));
        if (!command.shortcut.empty()) {
            action->setShortcut(
                QKeySequence::fromString(toQString(command.shortcut), QKeySequence::PortableText));
        }
        const DialogFactory open = command.open;
        connect(action, &QAction::triggered, this, [this, open] {
            runCommand(open, this, *m_messenger);
            refreshOverview();
        });
        if (command.separatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(action);
        m_commandActions.push_back(action);
    }

    m_exitAction = makeAction("退出系统(&X)", "退出应用程序\n退出");
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);
    if (first == nullptr) {
        first = menuBar()->addMenu(QStringLiteral("系统设置"));
    }
    first->addSeparator();
    m_openSchoolAction = makeAction("打开其他学校…", "在另一个学校文件夹中重新启动程序");
    connect(m_openSchoolAction, &QAction::triggered, this, [this] {
        StartScreen screen(*m_messenger, m_chooseFolder);
        switchTo(screen, screen.openSchool());
    });
    first->addAction(m_openSchoolAction);
    m_recentMenu = first->addMenu(QStringLiteral("最近的学校"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
    first->addSeparator();
    first->addAction(m_exitAction);

    QMenu* view = menuBar()->addMenu(QStringLiteral("查看(&V)"));
    m_toolBarAction = makeAction("工具栏(&T)", "显示或隐藏工具栏\n显隐工具栏");
    m_statusBarAction = makeAction("状态栏(&S)", "显示或隐藏状态栏\n显隐状态栏");
    for (QAction* toggle : {m_toolBarAction, m_statusBarAction}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
        view->addAction(toggle);
    }
    m_overviewAction = m_overview->toggleViewAction();
    m_overviewAction->setText(QStringLiteral("学校概况(&O)"));
    m_overviewAction->setStatusTip(
        QStringLiteral("显示或隐藏学校概况：各年段的设置与编排情况和下一步"));
    m_overviewAction->setToolTip(QStringLiteral("显隐学校概况"));
    view->addAction(m_overviewAction);

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    m_aboutAction = makeAction(std::string("关于 ") + kProductName + "(&A)...",
                               "显示程序信息，版本号和版权\n关于");
    m_aboutAction->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    help->addAction(m_aboutAction);
    m_helpAction = makeAction("帮助主题", "");
    connect(m_helpAction, &QAction::triggered, this, [this] { showHelp(); });
    help->addAction(m_helpAction);
}

void MainWindow::fillRecentMenu() {
    m_recentMenu->clear();
    const std::vector<RecentSchools::Entry> entries = RecentSchools().entries();
    for (std::size_t row = 0; row < entries.size(); ++row) {
        const QString folder = toQString(entries[row].folder);
        QAction* action = m_recentMenu->addAction(folder);
        action->setEnabled(entries[row].present && folder != m_workingDir);
        connect(action, &QAction::triggered, this, [this, row] {
            StartScreen screen(*m_messenger, m_chooseFolder);
            switchTo(screen, screen.openRecent(row));
        });
    }
    m_recentMenu->setEnabled(!entries.empty());
}

void MainWindow::switchTo(StartScreen& screen, bool chosen) {
    if (chosen) {
        m_nextSchool = toQString(screen.chosen());
        close();
    }
}

void MainWindow::buildToolBar() {
    m_toolBar = addToolBar(QStringLiteral("工具栏"));
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);

    std::map<int, std::vector<std::size_t>> groups;
    for (std::size_t row = 0; row < m_commands.size(); ++row) {
        if (m_commands[row].toolBarGroup >= 0) {
            groups[m_commands[row].toolBarGroup].push_back(row);
        }
    }
    for (const auto& [group, rows] : groups) {
        const QColor colour = kGroupColours[static_cast<std::size_t>(group) % kGroupColours.size()];
        for (const std::size_t row : rows) {
            QAction* action = m_commandActions[row];
            action->setIcon(glyphIcon(toQString(m_commands[row].toolBarGlyph), colour));
            m_toolBar->addAction(action);
        }
        m_toolBar->addSeparator();
    }
    m_toolBar->addAction(m_aboutAction);

    connect(m_toolBarAction, &QAction::toggled, m_toolBar, &QWidget::setVisible);
    // The tool bar can also be closed from its own context menu or while floating.
    connect(m_toolBar, &QToolBar::visibilityChanged, this,
            [this] { m_toolBarAction->setChecked(!m_toolBar->isHidden()); });
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    // A normal (non-permanent) widget: the status bar hides it while a prompt is shown.
    m_messagePane = new QLabel(QStringLiteral("就绪"), bar);
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(m_messagePane, 1);
    // Qt cannot read the lock keys' states portably; the indicators keep the greyed look
    // the original shows for a lock that is off rather than claim a state they do not know.
    for (const char* text : {"大写", "数字", "滚动"}) {
        auto* pane = new QLabel(QString::fromUtf8(text), bar);
        pane->setEnabled(false);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(pane->text()) + 12);
        bar->addPermanentWidget(pane);
        m_indicators.push_back(pane);
    }
    connect(m_statusBarAction, &QAction::toggled, bar, &QWidget::setVisible);
}

void MainWindow::refreshOverview() {
    m_overview->refresh();
}

QAction* MainWindow::entryAction(const QString& caption) const {
    for (QAction* action : m_commandActions) {
        if (QString(action->text()).remove(u'&') == caption) {
            return action;
        }
    }
    return nullptr;
}

QString MainWindow::helpFilePath() const {
    return m_workingDir + QStringLiteral("/tavlen.chm");
}

bool MainWindow::showHelp() {
    QString path = helpFilePath();
    if (m_workingDir.isEmpty() || !QFileInfo(path).isFile()) {
        path = m_manual;
    }
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_messenger->info("没有帮助文件：当前文件夹中没有 tavlen.chm，也没有安装使用手册 " +
                          std::string(kInstalledManual) + "。");
        return false;
    }
    if (!m_openUrl(QUrl::fromLocalFile(path))) {
        m_messenger->error("无法打开帮助文件 " + widgets::toStdString(path));
        return false;
    }
    return true;
}

void MainWindow::showAbout() {
    AboutDialog about(*m_messenger, m_openUrl, this);
    about.exec();
}

} // namespace app
