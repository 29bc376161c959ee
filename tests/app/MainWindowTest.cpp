// The main window: menus and prompts against the command table of the program's
// description, tool bar, status bar, View toggles, command dispatch and its error guard,
// help and About.
#include "app/MainWindow.h"
#include "app/AboutDialog.h"
#include "app/CommandTable.h"
#include "app/HyperlinkLabel.h"
#include "app/ProductInfo.h"
#include "app/RecentSchools.h"
#include "overview/SchoolStanding.h"
#include "store/DbError.h"
#include "widgets/TextConvert.h"

#include "RecordingMessenger.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using widgets::toQString;
using widgets::toStdString;
using Kind = testsupport::RecordingMessenger::Entry::Kind;

// One menu entry as the user sees it: caption, status-bar prompt, tool tip ("" where the
// prompt has no "\n" part). "-" stands for a separator.
struct Entry {
    std::string caption;
    std::string prompt;
    std::string toolTip;
};
struct Menu {
    std::string title;
    std::vector<Entry> entries;
};

std::vector<Menu> expectedMenus() {
    const std::string about = std::string("关于 ") + app::kProductName + "(&A)...";
    return {
        {"系统设置",
         {{"课程名称设置", "设置全部课程名称", ""},
          {"统一课程设置", "设置同一年段中在某天某节的统一课程", ""},
          {"学科资源设置", "", ""},
          {"教师名单编辑", "全校教师名单编辑", ""},
          {"学科教师编辑", "设置各个年段中的课任教师", ""},
          {"年段班级编辑", "设置各个年段中的班级数", ""},
          {"课程初始化", "删除整个年段的班级课程设置与课程表", ""},
          {"-", "", ""},
          {"学校信息与作息时间", "设置学校名称、第一周的日期和每节课的时间", ""},
          {"从工作簿导入…", "从 Excel 工作簿或 CSV 文件导入教师、课程、班级与课务分工", ""},
          {"导出到工作簿…", "把学校数据或空白模板写成 Excel 工作簿", ""},
          {"-", "", ""},
          {"打开其他学校…", "在另一个学校文件夹中重新启动程序", ""},
          {"最近的学校", "", ""},
          {"-", "", ""},
          {"退出系统(&X)", "退出应用程序", "退出"}}},
        {"课程设置",
         {{"年段课程设置", "年段课程设置", ""},
          {"班级课程设置", "设置一个班级学科、课时、课任教师", ""},
          {"课任教师选用", "", ""},
          {"教师课程预设", "", ""},
          {"复习课程设置", "", ""},
          {"课程性质设置", "", ""}}},
        {"课程编排",
         {{"年段课程编排", "年段课程编排", ""},
          {"复习课程编排", "", ""},
          {"-", "", ""},
          {"编排计划设置", "设置班级课程不参与编排的时段", ""}}},
        {"课程管理",
         {{"年段任课教师替换", "把整个年段任课教师替换到另一个年段任课教师", ""},
          {"个别任课教师替换", "", ""},
          {"早晚督修教师安排", "", ""}}},
        {"课程查询",
         {{"任课教师周课程表", "", ""},
          {"教师周课时数浏览", "", ""},
          {"年段任课教师浏览", "年段各班任课教师浏览", ""},
          {"早晚督修教师浏览", "", ""},
          {"-", "", ""},
          {"课表发布", "发布每班、每位教师的课表与年段总课表：PDF、Excel、网页、日历", ""}}},
        {"出勤管理",
         {{"出勤情况录入", "出勤情况录入", ""},
          {"出勤情况预览", "出勤情况查询", ""},
          {"出勤情况周统计", "出勤情况周统计", ""},
          {"出勤情况月统计", "出勤情况月统计", ""},
          {"出勤情况学期统计", "", ""},
          {"工作量设置", "各科标准工作量设定", ""},
          {"-", "", ""},
          {"代课安排", "为缺课教师安排代课或调课，写入出勤记录，打印代课通知单", ""}}},
        {"查看(&V)",
         {{"工具栏(&T)", "显示或隐藏工具栏", "显隐工具栏"},
          {"状态栏(&S)", "显示或隐藏状态栏", "显隐状态栏"},
          {"学校概况(&O)", "显示或隐藏学校概况：各年段的设置与编排情况和下一步", "显隐学校概况"}}},
        {"帮助(&H)", {{about, "显示程序信息，版本号和版权", "关于"}, {"帮助主题", "", ""}}},
    };
}

std::vector<Menu> shownMenus(const app::MainWindow& window) {
    std::vector<Menu> menus;
    for (QAction* top : window.menuBar()->actions()) {
        Menu menu{toStdString(top->text()), {}};
        for (QAction* action : top->menu()->actions()) {
            if (action->isSeparator()) {
                menu.entries.push_back({"-", "", ""});
                continue;
            }
            // QAction falls back to the caption when no tool tip is set.
            const bool ownToolTip = action->toolTip() != QString(action->text()).remove(u'&');
            menu.entries.push_back({toStdString(action->text()), toStdString(action->statusTip()),
                                    ownToolTip ? toStdString(action->toolTip()) : ""});
        }
        menus.push_back(menu);
    }
    return menus;
}

QAction* findAction(const app::MainWindow& window, const std::string& caption) {
    for (QAction* top : window.menuBar()->actions()) {
        for (QAction* action : top->menu()->actions()) {
            if (toStdString(action->text()) == caption) {
                return action;
            }
        }
    }
    return nullptr;
}

class MainWindowTest : public ::testing::Test {
protected:
    app::ShellServices services() {
        return {&m_messenger,
                [this](const QUrl& url) {
                    m_opened.push_back(url);
                    return m_openSucceeds;
                },
                [this](const std::string&) { return m_chosenFolder; }, m_manual,
                [] { return overview::Standing{}; }};
    }

    testsupport::RecordingMessenger m_messenger;
    std::vector<QUrl> m_opened;
    bool m_openSucceeds = true;
    std::string m_chosenFolder;
    QTemporaryDir m_manualDir;
    QString m_manual = m_manualDir.filePath(QStringLiteral("manual/index.html"));
};

TEST_F(MainWindowTest, MenusCaptionsAndPromptsFollowTheCommandTable) {
    app::MainWindow window(app::commandTable(), services());
    EXPECT_EQ(toStdString(window.windowTitle()), app::kProductName);

    const auto expected = expectedMenus();
    const auto shown = shownMenus(window);
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t m = 0; m < expected.size(); ++m) {
        EXPECT_EQ(shown[m].title, expected[m].title);
        ASSERT_EQ(shown[m].entries.size(), expected[m].entries.size()) << expected[m].title;
        for (std::size_t e = 0; e < expected[m].entries.size(); ++e) {
            const Entry& want = expected[m].entries[e];
            const Entry& got = shown[m].entries[e];
            EXPECT_EQ(got.caption, want.caption) << expected[m].title << " #" << e;
            EXPECT_EQ(got.prompt, want.prompt) << want.caption;
            EXPECT_EQ(got.toolTip, want.toolTip) << want.caption;
        }
    }
}

TEST_F(MainWindowTest, CtrlXOpensTheGradeWideTeacherReplacement) {
    app::MainWindow window(app::commandTable(), services());
    QAction* replace = findAction(window, "年段任课教师替换");
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(replace->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    int withShortcut = 0;
    for (QAction* action : window.findChildren<QAction*>()) {
        withShortcut += action->shortcut().isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(withShortcut, 1);
}

TEST_F(MainWindowTest, EntriesAreEnabledExactlyWhenTheirDialogExists) {
    app::MainWindow window(app::commandTable(), services());
    ASSERT_EQ(window.commands().size(), 34u);
    for (std::size_t row = 0; row < window.commands().size(); ++row) {
        EXPECT_EQ(window.commandAction(row)->isEnabled(),
                  static_cast<bool>(window.commands()[row].open))
            << window.commands()[row].caption;
    }
    for (QAction* own : {window.exitAction(), window.toolBarAction(), window.statusBarAction(),
                         window.aboutAction(), window.helpAction()}) {
        EXPECT_TRUE(own->isEnabled()) << toStdString(own->text());
    }
}

TEST_F(MainWindowTest, AnEntryWithAFactoryIsEnabledAndRunsItWithTheWindowAsParent) {
    std::vector<QWidget*> parents;
    app::CommandTable table = {
        {"系统设置", "课程名称设置", "设置全部课程名称", "Coursename",
         [&](QWidget* parent) { parents.push_back(parent); }},
        {"系统设置", "统一课程设置", "", "Samelesson", {}},
    };
    app::MainWindow window(table, services());
    EXPECT_TRUE(window.commandAction(0)->isEnabled());
    EXPECT_FALSE(window.commandAction(1)->isEnabled());
    window.commandAction(0)->trigger();
    ASSERT_EQ(parents.size(), 1u);
    EXPECT_EQ(parents[0], &window);
    // A disabled entry does nothing at all, not even a message.
    window.commandAction(1)->trigger();
    EXPECT_EQ(parents.size(), 1u);
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(MainWindowTest, BothGradecourseEntriesOpenTheSameDialogInTheirMode) {
    std::vector<int> modes;
    app::MainWindow window(app::commandTable([&](QWidget* parent, int mode) {
                               EXPECT_NE(parent, nullptr);
                               modes.push_back(mode);
                           }),
                           services());
    QAction* grade = findAction(window, "年段课程设置");
    QAction* review = findAction(window, "复习课程设置");
    ASSERT_TRUE(grade && review);
    EXPECT_TRUE(grade->isEnabled());
    EXPECT_TRUE(review->isEnabled());
    grade->trigger();
    review->trigger();
    grade->trigger();
    EXPECT_EQ(modes, (std::vector<int>{0, 1, 0}));
}

TEST_F(MainWindowTest, ADatabaseErrorWhileADialogOpensIsShownAndTheWindowGoesOn) {
    int opened = 0;
    app::CommandTable table = {
        {"系统设置", "课程名称设置", "设置全部课程名称", "Coursename",
         [&](QWidget*) {
             ++opened;
             throw store::DbError("[SQLite]no such table: x (1)");
         }},
    };
    app::MainWindow window(table, services());
    window.show();
    window.commandAction(0)->trigger();
    ASSERT_EQ(m_messenger.entries().size(), 1u);
    EXPECT_EQ(m_messenger.entries()[0].kind, Kind::Error);
    EXPECT_EQ(m_messenger.entries()[0].text, "[SQLite]no such table: x (1)");
    EXPECT_TRUE(window.isVisible());
    // The command can be chosen again and fails the same way.
    window.commandAction(0)->trigger();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(m_messenger.texts(), (std::vector<std::string>{"[SQLite]no such table: x (1)",
                                                             "[SQLite]no such table: x (1)"}));
}

TEST_F(MainWindowTest, ToolBarHoldsTheButtonGroupsInOrder) {
    app::MainWindow window(app::commandTable(), services());
    std::vector<std::string> buttons;
    for (QAction* action : window.toolBar()->actions()) {
        buttons.push_back(action->isSeparator() ? "-" : toStdString(action->text()));
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << buttons.back();
        }
    }
    const std::string about = std::string("关于 ") + app::kProductName + "(&A)...";
    EXPECT_EQ(buttons, (std::vector<std::string>{
                           "年段课程设置", "班级课程设置", "年段课程编排", "-", "出勤情况录入",
                           "出勤情况预览", "出勤情况周统计", "-", "出勤情况月统计", "-", about}));
}

TEST_F(MainWindowTest, StatusBarShowsReadyUnlessAPromptIsShown) {
    app::MainWindow window(app::commandTable(), services());
    window.show();
    QStatusBar* bar = window.statusBar();
    EXPECT_EQ(window.messagePane()->text(), QStringLiteral("就绪"));
    EXPECT_TRUE(window.messagePane()->isVisible());
    EXPECT_TRUE(bar->currentMessage().isEmpty());

    std::vector<std::string> indicators;
    for (QLabel* pane : window.indicatorPanes()) {
        EXPECT_TRUE(pane->isVisible());
        indicators.push_back(toStdString(pane->text()));
    }
    EXPECT_EQ(indicators, (std::vector<std::string>{"大写", "数字", "滚动"}));

    // Highlighting an entry shows its prompt in place of "就绪"; leaving it brings it back.
    QAction* names = findAction(window, "课程名称设置");
    ASSERT_NE(names, nullptr);
    names->showStatusText(&window);
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("设置全部课程名称"));
    EXPECT_FALSE(window.messagePane()->isVisible());
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&window, &leave);
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    EXPECT_TRUE(window.messagePane()->isVisible());
}

TEST_F(MainWindowTest, AHighlightedEntryWithoutAPromptLeavesThePaneBlank) {
    // Both Gradecourse entries enabled: one with a prompt, one without.
    app::MainWindow window(app::commandTable([](QWidget*, int) {}), services());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QAction* courses = window.menuBar()->actions().at(1);
    ASSERT_EQ(toStdString(courses->text()), "课程设置");
    QMenu* menu = courses->menu();
    window.menuBar()->setActiveAction(courses);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
    QStatusBar* bar = window.statusBar();
    auto shown = [&] {
        return bar->currentMessage().isEmpty() ? window.messagePane()->text()
                                               : bar->currentMessage();
    };
    auto highlight = [&](const char* caption) {
        QAction* entry = findAction(window, caption);
        menu->setActiveAction(entry);
        return menu->activeAction() == entry;
    };

    ASSERT_TRUE(highlight("年段课程设置"));
    EXPECT_EQ(shown(), QStringLiteral("年段课程设置"));
    ASSERT_TRUE(highlight("复习课程设置"));
    EXPECT_EQ(shown(), QString());
    ASSERT_TRUE(highlight("年段课程设置"));
    EXPECT_EQ(shown(), QStringLiteral("年段课程设置"));
    // Leaving the entries brings "就绪" back.
    menu->setActiveAction(nullptr);
    EXPECT_EQ(shown(), QStringLiteral("就绪"));
    ASSERT_TRUE(highlight("复习课程设置"));
    EXPECT_EQ(shown(), QString());
    menu->close();
    window.menuBar()->setActiveAction(nullptr);
    EXPECT_EQ(shown(), QStringLiteral("就绪"));
    EXPECT_TRUE(window.messagePane()->isVisible());
}

TEST_F(MainWindowTest, ViewEntriesHideAndShowTheBars) {
    app::MainWindow window(app::commandTable(), services());
    window.show();
    EXPECT_TRUE(window.toolBarAction()->isChecked());
    EXPECT_TRUE(window.statusBarAction()->isChecked());

    window.toolBarAction()->trigger();
    EXPECT_FALSE(window.toolBar()->isVisible());
    EXPECT_FALSE(window.toolBarAction()->isChecked());
    window.toolBarAction()->trigger();
    EXPECT_TRUE(window.toolBar()->isVisible());

    window.statusBarAction()->trigger();
    EXPECT_FALSE(window.statusBar()->isVisible());
    window.statusBarAction()->trigger();
    EXPECT_TRUE(window.statusBar()->isVisible());

    // Closing the tool bar some other way (its context menu) unchecks the entry.
    window.toolBar()->hide();
    EXPECT_FALSE(window.toolBarAction()->isChecked());
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
    app::MainWindow window(app::commandTable(), services());
    window.show();
    window.exitAction()->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, HelpOpensTavlenChmOfTheWorkingDirectoryElseTheManualElseSaysSo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    app::MainWindow window(app::commandTable(), services());
    window.setWorkingDirectory(dir.path());

    // Neither a help file nor a manual: said, not passed over in silence.
    window.helpAction()->trigger();
    EXPECT_TRUE(m_opened.empty());
    ASSERT_EQ(m_messenger.entries().size(), 1u);
    EXPECT_EQ(m_messenger.entries()[0].kind, Kind::Info);
    EXPECT_NE(m_messenger.entries()[0].text.find("tavlen.chm"), std::string::npos);

    ASSERT_TRUE(QDir().mkpath(QFileInfo(m_manual).path()));
    QFile manual(m_manual);
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    // Only the working directory counts for the help file, not the data directory.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("tavlen")));
    QFile inData(dir.filePath(QStringLiteral("tavlen/tavlen.chm")));
    ASSERT_TRUE(inData.open(QIODevice::WriteOnly));
    inData.close();
    window.helpAction()->trigger();
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], QUrl::fromLocalFile(m_manual));

    QFile help(dir.filePath(QStringLiteral("tavlen.chm")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    window.helpAction()->trigger();
    ASSERT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(m_opened[1], QUrl::fromLocalFile(dir.filePath(QStringLiteral("tavlen.chm"))));
    EXPECT_EQ(m_messenger.entries().size(), 1u);

    // A help file nobody can open is not passed over in silence.
    m_openSucceeds = false;
    window.helpAction()->trigger();
    ASSERT_EQ(m_messenger.entries().size(), 2u);
    EXPECT_EQ(m_messenger.entries()[1].kind, Kind::Error);
    EXPECT_NE(m_messenger.entries()[1].text.find("tavlen.chm"), std::string::npos);
}

// 打开其他学校… takes only a school folder; 最近的学校 lists the recent list with the school
// worked in and missing folders disabled. A choice closes the window and names the folder.
TEST_F(MainWindowTest, AnotherSchoolIsChosenFromTheFolderChooserOrTheRecentList) {
    QTemporaryDir here;
    QTemporaryDir other;
    QTemporaryDir gone;
    for (const QTemporaryDir* dir : {&here, &other}) {
        ASSERT_TRUE(QDir(dir->path()).mkpath(QStringLiteral("tavlen")));
        QFile database(dir->filePath(QStringLiteral("tavlen/tavlen.mdb")));
        ASSERT_TRUE(database.open(QIODevice::WriteOnly));
    }
    app::RecentSchools recent;
    for (const QTemporaryDir* dir : {&gone, &other, &here}) {
        recent.add(toStdString(dir->path()));
    }

    app::MainWindow window(app::commandTable(), services());
    window.setWorkingDirectory(here.path());
    window.show();
    m_chosenFolder = toStdString(gone.path());
    window.openSchoolAction()->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.nextSchool().isEmpty());
    ASSERT_EQ(m_messenger.entries().size(), 1u);
    EXPECT_EQ(m_messenger.entries()[0].kind, Kind::Error);

    emit window.recentMenu()->aboutToShow();
    const QList<QAction*> entries = window.recentMenu()->actions();
    ASSERT_GE(entries.size(), 3);
    const std::vector<std::pair<QString, bool>> expected = {
        {here.path(), false}, {other.path(), true}, {gone.path(), false}};
    for (std::size_t row = 0; row < expected.size(); ++row) {
        const QAction* entry = entries.at(static_cast<qsizetype>(row));
        EXPECT_EQ(entry->text(), expected[row].first) << row;
        EXPECT_EQ(entry->isEnabled(), expected[row].second) << row;
    }
    entries.at(1)->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.nextSchool(), other.path());

    app::MainWindow second(app::commandTable(), services());
    second.show();
    m_chosenFolder = toStdString(other.path());
    second.openSchoolAction()->trigger();
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(second.nextSchool(), other.path());
}

TEST_F(MainWindowTest, AboutBoxShowsNameVersionAndAWorkingLink) {
    app::MainWindow window(app::commandTable(), services());
    window.show();
    bool seen = false;
    QTimer::singleShot(0, &window, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* about = qobject_cast<app::AboutDialog*>(modal);
        if (about == nullptr) {
            ADD_FAILURE() << "the About entry opened no About box";
            if (modal != nullptr) {
                modal->close();
            }
            return;
        }
        seen = true;
        QStringList texts;
        for (QLabel* label : about->findChildren<QLabel*>()) {
            texts << label->text();
        }
        const QString all = texts.join(u'\n');
        EXPECT_TRUE(all.contains(QString::fromUtf8(app::kProductName)));
        EXPECT_TRUE(all.contains(QStringLiteral(TAVLEN_VERSION)));
        QTest::mouseClick(about->link(), Qt::LeftButton);
        about->accept();
    });
    window.aboutAction()->trigger();
    EXPECT_TRUE(seen);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], QUrl(QString::fromUtf8(app::kMakerLink)));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(MainWindowTest, ViewScrollsWithTheKeyboardByQuarterPagesAndFifthLines) {
    app::MainWindow window(app::commandTable(), services());
    window.resize(500, 400);
    window.show();
    auto* view = qobject_cast<QAbstractScrollArea*>(window.centralWidget());
    ASSERT_NE(view, nullptr);
    QScrollBar* h = view->horizontalScrollBar();
    QScrollBar* v = view->verticalScrollBar();
    // The extent is 1500 x 900 whatever the window's size; the steps do not follow it either.
    const QSize visible = view->viewport()->size();
    EXPECT_EQ(h->maximum(), 1500 - visible.width());
    EXPECT_EQ(v->maximum(), 900 - visible.height());
    ASSERT_GT(v->maximum(), 450);

    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(v->value(), 225);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(v->value(), 450);
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(v->value(), 225);
    EXPECT_EQ(h->value(), 0);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(v->value(), 405);
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(v->value(), 225);
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(h->value(), h->maximum());
    EXPECT_EQ(v->value(), v->maximum());
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(v->value(), 0);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(h->value(), 300);
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(h->pageStep(), 375);

    // A larger window keeps the steps.
    window.resize(1200, 800);
    QApplication::processEvents();
    EXPECT_EQ(h->pageStep(), 375);
    EXPECT_EQ(v->pageStep(), 225);
    EXPECT_EQ(h->singleStep(), 300);
    EXPECT_EQ(v->singleStep(), 180);
    EXPECT_EQ(v->maximum(), std::max(0, 900 - view->viewport()->height()));
}

} // namespace
