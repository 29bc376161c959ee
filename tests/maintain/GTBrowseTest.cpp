// GTBrowse and the grade teacher list on a temporary database: the chosen grade's classes and
// courses in order of first appearance, the later row's teacher, every teacher shown under a
// class that has none, as many classes and courses as the grade has, the rows that do not
// belong, the document's table, title and what it cannot hold, and the refusal without a grade.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "maintain/GTBrowse.h"
#include "maintain/GTBrowseReport.h"
#include "store/CCCRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using maintain::GTBrowse;
using Names = std::vector<std::string>;
using Grid = std::vector<Names>;
using Plans = std::vector<store::ClasscourseRow>;

class GTBrowseTest : public ::testing::Test {
protected:
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    GTBrowse logic{messenger};
};

TEST_F(GTBrowseTest, ListsClassesAndCoursesInOrderOfFirstAppearance) {
    store::CCCRecord().append(Plans{
        {"初一⑵", "数学", "王伟", 5},
        {"初二⑴", "英语", "张强", 5}, // another grade
        {"初一⑴", "语文", "李娜", 6},
        {"初一⑽", "物理", "陈静", 2}, // its name begins with 初一
        {"初一⑵", "语文", "赵敏", 6},
        {"初一⑴", "数学", "刘洋", 5},
        {"初一⑴", "数学", "周杰", 5}, // the later row names the teacher
        {"初一⑶", "", "孙丽", 2},     // no course
        {"初一⑶", "英", "吴刚", 2},
        {"初一⑶", "语文", "郑华", 6},
    });
    logic.chooseGrade(0);
    ASSERT_TRUE(logic.chosen());
    EXPECT_EQ(logic.headings(), (Names{"班级", "数学", "语文", "物理"}));
    // 初一⑽ has no 数学 or 语文 teacher: the cells below it still show theirs.
    EXPECT_EQ(logic.rows(), (Grid{
                                {"初一⑵", "王伟", "赵敏", ""},
                                {"初一⑴", "周杰", "李娜", ""},
                                {"初一⑽", "", "", "陈静"},
                                {"初一⑶", "", "郑华", ""},
                            }));
    EXPECT_EQ(logic.reportTable().grid, (Grid{
                                            {"班级", "数学", "语文", "物理"},
                                            {"初一⑵", "王伟", "赵敏", ""},
                                            {"初一⑴", "周杰", "李娜", ""},
                                            {"初一⑽", "", "", "陈静"},
                                            {"初一⑶", "", "郑华", ""},
                                        }));
    EXPECT_EQ(logic.printTitle(), "初  一  年  段  任  课  教  师  表");

    // Another grade clears the list before it is filled again.
    logic.chooseGrade(1);
    EXPECT_EQ(logic.headings(), (Names{"班级", "英语"}));
    EXPECT_EQ(logic.rows(), (Grid{{"初二⑴", "张强"}}));
    EXPECT_EQ(logic.printTitle(), "初  二  年  段  任  课  教  师  表");
    // A grade without rows shows only the class column.
    logic.chooseGrade(5);
    EXPECT_EQ(logic.headings(), Names{"班级"});
    EXPECT_TRUE(logic.rows().empty());
}

TEST_F(GTBrowseTest, HoldsTwentyClassesAndEveryCourseAndNamesWhatTheDocumentCannotHold) {
    Plans all;
    const Names numbers = {"⑴", "⑵", "⑶", "⑷", "⑸", "⑹", "⑺", "⑻", "⑼", "⑽",
                           "⑾", "⑿", "⒀", "⒁", "⒂", "⒃", "⒄", "⒅", "⒆", "⒇"};
    for (const std::string& number : numbers) {
        all.push_back({"高三" + number, "语文", "教师" + number, 6});
    }
    for (int k = 1; k <= 20; ++k) {
        all.push_back({"高三⑴", "课程" + std::to_string(10 + k), "王伟", 1});
    }
    store::CCCRecord().append(all);

    logic.chooseGrade(5);
    const Names headings = logic.headings();
    ASSERT_EQ(headings.size(), 22U);
    EXPECT_EQ(headings[1], "语文");
    EXPECT_EQ(headings[21], "课程30");
    const Grid list = logic.rows();
    ASSERT_EQ(list.size(), 20U);
    EXPECT_EQ(list[19][0], "高三⒇");
    EXPECT_EQ(list[19][1], "教师⒇");
    EXPECT_EQ(list[0][21], "王伟");
    EXPECT_EQ(logic.reportTable().grid.size(), 21U);

    // The document holds 19 classes and 19 courses: the user hears what is left out.
    ASSERT_TRUE(logic.prepareReport());
    EXPECT_EQ(messenger.texts(), Names{"年段任课教师表最多写入19个班级、19门学科，以下没有写入："
                                       "高三⒇、课程29、课程30"});
}

TEST_F(GTBrowseTest, WithoutAGradeThereIsNothingToExportOrPrint) {
    store::CCCRecord().append(Plans{{"初一⑴", "语文", "李娜", 6}});
    EXPECT_FALSE(logic.chosen());
    EXPECT_EQ(logic.headings(), Names{"班级"});
    EXPECT_FALSE(logic.prepareReport());
    EXPECT_EQ(messenger.texts(), Names{"请先选择年段。"});

    // Everything fits: nothing is said.
    messenger.clear();
    logic.chooseGrade(0);
    EXPECT_TRUE(logic.prepareReport());
    EXPECT_TRUE(messenger.entries().empty());
    logic.chooseGrade(-1);
    EXPECT_FALSE(logic.chosen());
}

} // namespace
