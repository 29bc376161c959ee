// The grade teacher browse opened from 课程查询 → 年段任课教师浏览: only the "班级" column
// before a grade is chosen (表格导出 and 打印 then say so), the chosen grade's classes by
// courses with every teacher shown, another grade replacing the list, 表格导出 writing the
// grade teacher list where the save dialog says, and 确定 closing without writing.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "core/Gbk.h"
#include "maintain/GTBrowseDialog.h"
#include "store/CCCRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using maintain::GTBrowseDialog;
using Names = std::vector<std::string>;
using Grid = std::vector<Names>;
using Plans = std::vector<store::ClasscourseRow>;
using widgets::toStdString;

constexpr const char* kEntry = "年段任课教师浏览";

Names headings(const QTableWidget& list) {
    Names names;
    for (int c = 0; c < list.columnCount(); ++c) {
        names.push_back(toStdString(list.horizontalHeaderItem(c)->text()));
    }
    return names;
}

Grid shown(const QTableWidget& list) {
    Grid rows;
    for (int r = 0; r < list.rowCount(); ++r) {
        Names cells;
        for (int c = 0; c < list.columnCount(); ++c) {
            cells.push_back(toStdString(list.item(r, c)->text()));
        }
        rows.push_back(cells);
    }
    return rows;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The working directory of the test database with the report templates installed, for as long
// as the test runs.
class GTBrowseDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(fs::path(TAVLEN_TEMPLATE_DIR) / "teachers",
                      fs::path(m_db.workingDir()) / "tavlen" / "teachers");
        fs::current_path(m_db.workingDir());
        store::CCCRecord().append(Plans{
            {"初一⑵", "数学", "王伟", 5},
            {"初一⑴", "语文", "李娜", 6},
            {"初一⑶", "数学", "张强", 5},
            {"初二⑴", "英语", "陈静", 5},
            {"初一⑵", "语文", "赵敏", 6},
        });
    }
    void TearDown() override { fs::current_path(m_previous); }

    fs::path m_previous = fs::current_path();
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(GTBrowseDialogTest, ShowsTheChosenGradeAndExportsItsTeacherList) {
    const fs::path exported = fs::path(m_db.workingDir()) / "初一任课教师.txt";
    openFromMenu<GTBrowseDialog>(m_window, kEntry, [&](GTBrowseDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "年段任课教师浏览");
        QTableWidget& list = *d.list();
        EXPECT_EQ(headings(list), Names{"班级"});
        EXPECT_EQ(list.rowCount(), 0);
        EXPECT_EQ(list.editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(d.gradeBox()->currentIndex(), -1);
        EXPECT_EQ(d.gradeBox()->count(), 6);
        EXPECT_EQ(toStdString(d.exportButton()->text()), "表格导出");
        EXPECT_EQ(toStdString(d.printButton()->text()), "打印");
        EXPECT_EQ(toStdString(d.buttons()->okButton()->text()), "确定");
        EXPECT_EQ(toStdString(d.buttons()->cancelButton()->text()), "取消");
        for (QPushButton* button : {d.exportButton(), d.printButton()}) {
            EXPECT_EQ(messageFrom([&] { button->click(); }), "请先选择年段。");
        }

        d.gradeBox()->setCurrentIndex(1);
        EXPECT_EQ(headings(list), (Names{"班级", "英语"}));
        d.gradeBox()->setCurrentIndex(0);
        EXPECT_EQ(headings(list), (Names{"班级", "数学", "语文"}));
        // 初一⑴ has no 数学 teacher: 初一⑶'s still shows.
        EXPECT_EQ(shown(list),
                  (Grid{{"初一⑵", "王伟", "赵敏"}, {"初一⑴", "", "李娜"}, {"初一⑶", "张强", ""}}));

        std::string title;
        const bool asked = dialogtest::whileModal<QFileDialog>(
            [&] { d.exportButton()->click(); },
            [&](QFileDialog& chooser) {
                title = toStdString(chooser.windowTitle());
                chooser.selectFile(QString::fromStdString(exported.string()));
                QMetaObject::invokeMethod(&chooser, "accept", Qt::DirectConnection);
            });
        EXPECT_TRUE(asked);
        EXPECT_EQ(title, "保存年段课程表");
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });

    // The document: the template's size, the heading row and one row per class, cut after
    // the third class with the bottom border.
    const std::string document = readFile(exported);
    ASSERT_EQ(document.size(), 5084U);
    const auto line = [&](int l) { return gbk::fromGbk(document.substr(size_t(l) * 124, 124)); };
    EXPECT_EQ(line(1).find("│班级  ║数学  │语文  │ "), 0U) << line(1);
    EXPECT_EQ(line(3).find("│初一⑵║王伟  │赵敏  │ "), 0U) << line(3);
    EXPECT_EQ(line(5).find("│初一⑴║      │李娜  │ "), 0U) << line(5);
    EXPECT_EQ(line(7).find("│初一⑶║张强  │      │ "), 0U) << line(7);
    EXPECT_EQ(document.substr(9 * 124), std::string(5084 - 9 * 124, '\0'));
    EXPECT_TRUE(m_messenger.entries().empty());
}

} // namespace
