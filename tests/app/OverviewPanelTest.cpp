// The main window's overview: drawn from the standing read when the school is entered and
// after every command, its "下一步" links running the entries they name, a database that
// cannot be read said in the panel, not in a box.
#include "app/OverviewPanel.h"
#include "app/MainWindow.h"
#include "overview/SchoolStanding.h"
#include "store/DbError.h"
#include "widgets/TextConvert.h"

#include "RecordingMessenger.h"

#include <QAction>
#include <QLabel>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using widgets::toStdString;

class OverviewPanelTest : public ::testing::Test {
protected:
    app::ShellServices services() {
        app::ShellServices s;
        s.messenger = &m_messenger;
        s.readStanding = [this] {
            ++m_reads;
            if (!m_failure.empty()) {
                throw store::DbError(m_failure);
            }
            return m_standing;
        };
        return s;
    }
    std::string shown(const app::MainWindow& window) const {
        return toStdString(window.overview()->text()->text());
    }

    testsupport::RecordingMessenger m_messenger;
    overview::Standing m_standing;
    std::string m_failure;
    int m_reads = 0;
};

TEST_F(OverviewPanelTest, TheNextStepsLinkRunsItsEntryAndTheOverviewIsReadAgainAfterIt) {
    std::vector<std::string> opened;
    app::CommandTable table = {
        {"系统设置", "课程名称设置", "", "Coursename", [&](QWidget*) { opened.push_back("课程"); }},
        {"系统设置", "年段班级编辑", "", "Gradeclass", [&](QWidget*) { opened.push_back("班级"); }},
    };
    app::MainWindow window(table, services());
    EXPECT_EQ(m_reads, 0); // nothing is read before the school's data source is set
    window.refreshOverview();
    EXPECT_EQ(m_reads, 1);
    EXPECT_NE(shown(window).find("<a href=\"entry:课程名称设置\">"), std::string::npos);

    m_standing.courseNames = 3; // what the dialog stored
    emit window.overview()->text()->linkActivated(QStringLiteral("entry:课程名称设置"));
    EXPECT_EQ(opened, std::vector<std::string>{"课程"});
    EXPECT_EQ(m_reads, 2);
    EXPECT_NE(shown(window).find("<a href=\"entry:年段班级编辑\">"), std::string::npos);

    // a link to no entry, or not an entry link, does nothing
    emit window.overview()->text()->linkActivated(QStringLiteral("entry:没有这个"));
    emit window.overview()->text()->linkActivated(QStringLiteral("http://example.org"));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(OverviewPanelTest, AnUnreadableDatabaseIsSaidInThePanelAndTheViewEntryHidesIt) {
    m_failure = "无法打开数据库";
    app::MainWindow window(app::CommandTable{}, services());
    window.show();
    window.refreshOverview();
    EXPECT_NE(shown(window).find("无法读取数据库：无法打开数据库"), std::string::npos);
    EXPECT_TRUE(m_messenger.entries().empty());

    ASSERT_TRUE(window.overviewAction()->isChecked());
    window.overviewAction()->trigger();
    EXPECT_TRUE(window.overview()->isHidden());
    window.overviewAction()->trigger();
    EXPECT_FALSE(window.overview()->isHidden());
}

} // namespace
