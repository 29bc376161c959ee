// The start screen and what surrounds it: the recent schools (HOME is a temporary folder, see
// main.cpp), the start screen's three ways (scripted folder chooser and messenger), the
// school lock including a stale one, and the start in a folder (`tavlen DIR`).
#include "app/StartScreen.h"
#include "app/RecentSchools.h"
#include "app/SchoolEntry.h"
#include "app/SchoolFolder.h"
#include "app/SchoolLock.h"
#include "app/StartScreenDialog.h"
#include "widgets/TextConvert.h"

#include "RecordingMessenger.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using widgets::toQString;
using widgets::toStdString;
using Kind = testsupport::RecordingMessenger::Entry::Kind;

// A folder holding tavlen/tavlen.mdb (an empty file: nothing here opens it).
std::string makeSchool(const QString& folder) {
    EXPECT_TRUE(QDir(folder).mkpath(QStringLiteral("tavlen")));
    QFile database(folder + QStringLiteral("/tavlen/tavlen.mdb"));
    EXPECT_TRUE(database.open(QIODevice::WriteOnly));
    return toStdString(QDir(folder).absolutePath());
}

void clearRecent() {
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tavlen"),
              QStringLiteral("tavlen"))
        .clear();
}

class StartScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        clearRecent();
        m_previous = QDir::currentPath();
    }
    void TearDown() override {
        QDir::setCurrent(m_previous);
        clearRecent();
    }

    QString folder(const char* name) const { return m_root.filePath(QString::fromUtf8(name)); }
    // Answers the folder chooser from the script; "" (cancelled) once it is exhausted.
    app::FolderChooser chooser() {
        return [this](const std::string& caption) {
            m_captions.push_back(caption);
            if (m_answers.empty()) {
                return std::string();
            }
            std::string answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        };
    }

    QTemporaryDir m_root;
    QString m_previous;
    std::deque<std::string> m_answers;
    std::vector<std::string> m_captions;
    testsupport::RecordingMessenger m_messenger;
};

TEST_F(StartScreenTest, RecentSchoolsAreMostRecentFirstMovedToTheTopCappedAndMarkedMissing) {
    app::RecentSchools recent;
    EXPECT_TRUE(recent.entries().empty());
    std::vector<std::string> schools;
    for (int n = 0; n < 10; ++n) {
        schools.push_back(makeSchool(folder(("s" + std::to_string(n)).c_str())));
        recent.add(schools.back());
    }
    // Added again (written differently): moved to the top, not listed twice.
    recent.add(schools[4] + "/../s4/");
    ASSERT_TRUE(QDir(toQString(schools[9])).removeRecursively());

    const std::vector<std::pair<std::string, bool>> expected = {
        {schools[4], true}, {schools[9], false}, {schools[8], true}, {schools[7], true},
        {schools[6], true}, {schools[5], true},  {schools[3], true}, {schools[2], true}};
    const auto entries = app::RecentSchools().entries();
    ASSERT_EQ(entries.size(), app::RecentSchools::kLimit);
    for (std::size_t row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(entries[row].folder, expected[row].first) << row;
        EXPECT_EQ(entries[row].present, expected[row].second) << row;
    }
}

// The dialog over the logic: each way, its refusals and 取消.
TEST_F(StartScreenTest, DialogCreatesOpensOrPicksARecentSchoolAndCancelExits) {
    const std::string present = makeSchool(folder("present"));
    const std::string missing = toStdString(folder("missing"));
    app::RecentSchools recent;
    recent.add(present);
    makeSchool(folder("missing"));
    recent.add(missing);
    ASSERT_TRUE(QDir(folder("missing")).removeRecursively());

    std::vector<std::pair<std::string, bool>> made;
    std::string refusal;
    const app::SchoolMaker maker = [&](const std::string& where, bool demo) {
        made.emplace_back(where, demo);
        return refusal;
    };

    { // 新建学校… with the demo: the chosen folder made, then chosen; cancelled says nothing.
        app::StartScreen screen(m_messenger, chooser(), maker);
        app::StartScreenDialog dialog(screen);
        dialog.show();
        dialog.createButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(made.empty());
        refusal = "数据库已存在";
        m_answers = {present};
        dialog.demoBox()->setChecked(true);
        dialog.createButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(m_messenger.entries().size(), 1u);
        EXPECT_EQ(m_messenger.entries()[0].text, "数据库已存在");
        refusal.clear();
        m_answers = {toStdString(folder("new"))};
        dialog.createButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(made.size(), 2u);
        EXPECT_EQ(made[1], std::make_pair(toStdString(folder("new")), true));
        EXPECT_EQ(screen.chosen(), toStdString(folder("new")));
        EXPECT_EQ(m_captions, (std::vector<std::string>{"新建学校", "新建学校", "新建学校"}));
    }
    m_messenger = {};
    { // 打开学校…: a folder without a school is refused, one with a school chosen.
        app::StartScreen screen(m_messenger, chooser(), maker);
        app::StartScreenDialog dialog(screen);
        dialog.show();
        m_answers = {toStdString(m_root.path()), present};
        dialog.openButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(m_messenger.entries().size(), 1u);
        EXPECT_EQ(m_messenger.entries()[0].kind, Kind::Error);
        EXPECT_NE(m_messenger.entries()[0].text.find("tavlen/tavlen.mdb"), std::string::npos);
        dialog.openButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(screen.chosen(), present);
    }
    m_messenger = {};
    { // 最近的学校: the missing one greyed and refused, the present one chosen by a click.
        app::StartScreen screen(m_messenger, chooser(), maker);
        app::StartScreenDialog dialog(screen);
        dialog.show();
        QListWidget* list = dialog.recentList();
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(toStdString(list->item(0)->text()), missing);
        EXPECT_FALSE(list->item(0)->flags() & Qt::ItemIsEnabled);
        EXPECT_TRUE(list->item(1)->flags() & Qt::ItemIsEnabled);
        EXPECT_FALSE(screen.openRecent(0));
        EXPECT_FALSE(screen.openRecent(2));
        EXPECT_EQ(m_messenger.entries().size(), 1u);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(screen.chosen(), present);
    }
    { // 取消
        app::StartScreen screen(m_messenger, chooser(), maker);
        app::StartScreenDialog dialog(screen);
        dialog.show();
        dialog.cancelButton()->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(screen.chosen().empty());
    }
}

TEST_F(StartScreenTest, NewSchoolIsInitialisedAsTheCommandLineDoes) {
    app::StartScreen screen(m_messenger, chooser());
    m_answers = {toStdString(folder("school")), toStdString(folder("school"))};
    ASSERT_TRUE(screen.createSchool(false)) << testing::PrintToString(m_messenger.texts());
    EXPECT_TRUE(app::holdsSchool(screen.chosen()));
    // Never over an existing school.
    app::StartScreen again(m_messenger, chooser());
    EXPECT_FALSE(again.createSchool(false));
    ASSERT_EQ(m_messenger.entries().size(), 1u);
    EXPECT_NE(m_messenger.entries()[0].text.find("数据库已存在"), std::string::npos);
}

TEST_F(StartScreenTest, OneProgramPerSchoolAndAStaleLockIsTakenOver) {
    const QString school = toQString(makeSchool(folder("school")));
    QByteArray content;
    {
        app::SchoolLock first(school);
        ASSERT_EQ(first.acquire(), app::SchoolLock::Result::Held);
        app::SchoolLock second(school);
        EXPECT_EQ(second.acquire(), app::SchoolLock::Result::HeldElsewhere);
        QFile file(app::SchoolLock::lockPath(school));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    EXPECT_FALSE(QFile::exists(app::SchoolLock::lockPath(school)));
    EXPECT_EQ(app::SchoolLock(school).acquire(), app::SchoolLock::Result::Held);

    // A lock left by a process that is gone: the same lock file naming a dead pid.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(0);
    }
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const qsizetype newline = content.indexOf('\n');
    ASSERT_GT(newline, 0);
    QFile stale(app::SchoolLock::lockPath(school));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(child) + content.mid(newline));
    stale.close();
    app::SchoolLock taker(school);
    EXPECT_EQ(taker.acquire(), app::SchoolLock::Result::Held);
    EXPECT_EQ(app::SchoolLock(school).acquire(), app::SchoolLock::Result::HeldElsewhere);
}

// `tavlen [DIR]`: where the program ends up working, whether the start screen was shown, and
// how it exits otherwise.
TEST_F(StartScreenTest, StartsInTheFolderGivenElseTheStartScreensChoice) {
    const std::string school = makeSchool(folder("school"));
    const std::string other = makeSchool(folder("other"));
    QDir(m_root.path()).mkdir(QStringLiteral("empty"));
    struct Case {
        const char* what;
        QStringList arguments;
        std::optional<std::string> screenAnswer;
        bool run;
        int exitCode;
        bool screenShown;
        std::string workingIn; // "" when it does not run
        std::string message;
    };
    const std::vector<Case> cases = {
        {"DIR holds a school", {toQString(school)}, std::nullopt, true, 0, false, school, ""},
        {"DIR holds none", {folder("empty")}, other, true, 0, true, other, ""},
        {"start screen cancelled", {folder("empty")}, std::nullopt, false, 0, true, "", ""},
        {"DIR missing", {folder("nowhere")}, std::nullopt, false, 1, false, "", "无法进入文件夹"},
        {"two folders",
         {toQString(school), toQString(other)},
         std::nullopt,
         false,
         2,
         false,
         "",
         "用法"},
    };
    for (const Case& c : cases) {
        QDir::setCurrent(m_previous);
        testsupport::RecordingMessenger messenger;
        bool shown = false;
        const app::SchoolEntry entry = app::enterSchool(c.arguments, messenger, [&] {
            shown = true;
            return c.screenAnswer;
        });
        EXPECT_EQ(entry.run, c.run) << c.what;
        EXPECT_EQ(entry.exitCode, c.exitCode) << c.what;
        EXPECT_EQ(shown, c.screenShown) << c.what;
        if (c.run) {
            EXPECT_EQ(toStdString(QDir::currentPath()), c.workingIn) << c.what;
            EXPECT_NE(entry.lock, nullptr) << c.what;
            EXPECT_EQ(app::RecentSchools().entries().front().folder, c.workingIn) << c.what;
        }
        if (c.message.empty()) {
            EXPECT_TRUE(messenger.entries().empty()) << c.what;
        } else {
            ASSERT_EQ(messenger.entries().size(), 1u) << c.what;
            EXPECT_NE(messenger.entries()[0].text.find(c.message), std::string::npos) << c.what;
        }
    }

    // A school another program holds is refused in its own words.
    app::SchoolLock held(toQString(school));
    ASSERT_EQ(held.acquire(), app::SchoolLock::Result::Held);
    testsupport::RecordingMessenger messenger;
    const app::SchoolEntry entry =
        app::enterSchool({toQString(school)}, messenger, [] { return std::nullopt; });
    EXPECT_FALSE(entry.run);
    EXPECT_EQ(entry.exitCode, 1);
    ASSERT_EQ(messenger.entries().size(), 1u);
    EXPECT_EQ(messenger.entries()[0].text, app::SchoolLock::kHeldElsewhere);
}

} // namespace
