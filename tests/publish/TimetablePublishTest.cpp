// The publishing job as the dialog 课表发布 and tavlen-cli publish run it: the names it
// suggests, what it refuses before running, and a run over a stored school into a PDF file and
// a web site, with the workbook and the site carrying the grade's 总课表 and 任课表.
#include "publish/TimetablePublish.h"
#include "publish/OutputTarget.h"
#include "publish/PublishJob.h"
#include "publish/SchoolSource.h"

#include "PublishTestSchool.h"
#include "TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using publish::TimetablePublish;

namespace {

TEST(TimetablePublish, SuggestsANameForEveryChoiceAndRefusesWhatCannotRun) {
    TimetablePublish plan("/tmp/x");
    struct Case {
        int kind, grade, format;
        const char* name;
    };
    for (const Case& c : {Case{0, 0, 0, "全校班级课表.pdf"}, Case{1, 2, 1, "初二教师课表.xlsx"},
                          Case{2, 6, 2, "高三总课表网页"}, Case{3, 1, 0, "初一任课表.pdf"},
                          Case{0, 4, 3, "高一班级课表日历"}}) {
        plan.chooseKind(c.kind);
        plan.chooseGrade(c.grade);
        plan.chooseFormat(c.format);
        EXPECT_EQ(plan.target(), fs::path("/tmp/x") / c.name);
    }
    EXPECT_TRUE(plan.writesFolder());
    EXPECT_TRUE(plan.weeksApply());
    EXPECT_EQ(plan.problem(), "");
    plan.setWeeks(31);
    EXPECT_EQ(plan.problem(), "日历的周数应为 1 到 30。");
    plan.setWeeks(18);
    plan.chooseKind(2);
    EXPECT_EQ(plan.problem(), "总课表和任课表没有日历，请选择班级课表或教师课表。");
    plan.chooseFormat(0);
    EXPECT_EQ(plan.problem(), "");
    plan.setTarget({});
    EXPECT_EQ(plan.problem(), "请选择保存的位置。");

    const publish::PublishRequest request = [] {
        TimetablePublish p("/d");
        p.chooseKind(1);
        p.chooseGrade(3);
        p.chooseFormat(3);
        p.setWeeks(4);
        return p.request(true);
    }();
    EXPECT_EQ(request.kind, publish::PageKind::Teacher);
    EXPECT_EQ(request.grade, 2);
    EXPECT_EQ(request.format, publish::Format::Calendars);
    EXPECT_EQ(request.weeks, 4);
    EXPECT_TRUE(request.replace);
}

TEST(TimetablePublish, PublishesTheStoredSchoolAndAsksBeforeReplacing) {
    testsupport::TempDatabase db;
    publishtest::storeSmallSchool();
    const fs::path folder = db.workingDir();

    TimetablePublish plan(folder);
    ASSERT_FALSE(plan.targetExists());
    EXPECT_EQ(plan.run(false, {}), "已写出 2 页：" + (folder / "全校班级课表.pdf").string());
    EXPECT_TRUE(fs::is_regular_file(folder / "全校班级课表.pdf"));
    EXPECT_TRUE(plan.targetExists());
    EXPECT_EQ(plan.replaceQuestion(),
              "“" + (folder / "全校班级课表.pdf").string() + "”已存在，要替换吗？");
    EXPECT_THROW(plan.run(false, {}), publish::PublishError);
    EXPECT_EQ(plan.resultFolder(), folder);

    // the site of the teachers also holds the grade's overview and assignment table
    plan.chooseKind(1);
    plan.chooseFormat(2);
    const publish::SchoolSource source = publish::loadSchoolSource();
    const std::vector<publish::Page> pages = publish::pagesFor(source, plan.request(false));
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages[3].kind, publish::PageKind::Overview);
    EXPECT_EQ(pages[4].kind, publish::PageKind::Assignment);
    EXPECT_EQ(plan.run(false, {}), "已写出 5 页：" + (folder / "全校教师课表网页").string());
    EXPECT_EQ(plan.resultFolder(), folder / "全校教师课表网页");

    // cancelled on the first page: nothing written, the old site stands
    publish::Progress stop;
    stop.step = [](int, int) { return false; };
    const auto before = fs::last_write_time(folder / "全校教师课表网页");
    EXPECT_THROW(plan.run(true, stop), publish::Cancelled);
    EXPECT_EQ(fs::last_write_time(folder / "全校教师课表网页"), before);
}

} // namespace
