// The import worked out before anything is written: every problem class named with sheet, row
// and column; 替换 and 合并; the forms the tables are stored in; the preview's lines.
#include "exchange/ImportPlan.h"
#include "ExchangeTestSchool.h"
#include "exchange/WorkbookWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace exchange;
using exchangetest::book;
using exchangetest::sheet;
using exchangetest::smallSchool;

namespace {

std::vector<std::string> lines(const ImportPlan& plan) {
    std::vector<std::string> out;
    for (const ImportProblem& p : plan.problems) {
        out.push_back(problemLine(p));
    }
    return out;
}

bool hasLine(const std::vector<std::string>& all, const std::string& line) {
    return std::find(all.begin(), all.end(), line) != all.end();
}

} // namespace

TEST(ImportPlan, ExportedTablesImportIntoAnEmptySchoolUnchanged) {
    const SchoolTables school = smallSchool();
    const ImportPlan plan = planImport(schoolWorkbook(school), SchoolTables{}, ImportMode::Replace);
    EXPECT_TRUE(plan.problems.empty())
        << (plan.problems.empty() ? "" : problemLine(plan.problems[0]));
    EXPECT_EQ(plan.result, school);
    EXPECT_TRUE(std::all_of(plan.touched.begin(), plan.touched.end(), [](bool t) { return t; }));
    ASSERT_EQ(plan.changes.size(), 9u);
    EXPECT_EQ(plan.changes[5].table, "classcourse");
    EXPECT_EQ(plan.changes[5].added.size(), 8u);
    EXPECT_EQ(plan.changes[6].added, std::vector<std::string>({"张明 星期一 1-4"}));
    // and the same workbook over the same tables changes nothing
    const ImportPlan again = planImport(schoolWorkbook(school), school, ImportMode::Replace);
    for (const TableChanges& t : again.changes) {
        EXPECT_TRUE(t.added.empty() && t.changed.empty() && t.removed.empty()) << t.table;
    }
}

TEST(ImportPlan, EveryProblemIsNamedWithItsCell) {
    struct Case {
        const char* what;
        Workbook workbook;
        std::string line;
        ImportMode mode = ImportMode::Merge;
    };
    std::vector<std::vector<std::string>> manyCourses = {{"课程"}};
    for (int i = 0; i < 21; ++i) {
        manyCourses.push_back({"课程" + std::to_string(10 + i)});
    }
    Sheet courses;
    courses.name = "课程";
    courses.rows = manyCourses;
    Sheet formula = sheet("资源", {{"课程", "同时上课班数"}, {"体育", "2"}});
    formula.formulasWithoutValue.push_back({2, 2});
    const std::vector<Case> cases = {
        {"long name", book({sheet("教师", {{"姓名"}, {"欧阳青青青青"}})}),
         "错误 教师!A2：“欧阳青青青青”超过 10 个 GBK 字节（12 字节）"},
        {"short name", book({sheet("教师", {{"学科", "姓名"}, {"语文", "张"}})}),
         "错误 教师!B2：“张”不足 4 个 GBK 字节（两个汉字）"},
        {"not GBK", book({sheet("教师", {{"姓名"}, {"张\U0001F600"}})}),
         "错误 教师!A2：“张\U0001F600”含有 GBK 无法表示的字符“\U0001F600”"},
        {"class beyond count",
         book({sheet("课务分工",
                     {{"班级", "学科", "教师", "周课时"}, {"初一⑶", "语文", "张明", "5"}})}),
         "错误 课务分工!A2：班级“初一⑶”超出初一的班级数 2"},
        {"unknown class",
         book({sheet("课务分工",
                     {{"班级", "学科", "教师", "周课时"}, {"初七1班", "语文", "张明", "5"}})}),
         "错误 课务分工!A2：未知班级“初七1班”"},
        {"unknown course",
         book({sheet("课务分工",
                     {{"班级", "学科", "教师", "周课时"}, {"初一1班", "物理", "张明", "5"}})}),
         "错误 课务分工!B2：未知课程“物理”"},
        {"unknown teacher",
         book({sheet("课务分工",
                     {{"周课时", "教师", "学科", "班级"}, {"5", "钱多多", "语文", "初一(1)"}})}),
         "错误 课务分工!B2：未知教师“钱多多”"},
        {"unknown grade", book({sheet("班级", {{"年段", "班级数"}, {"初四", "3"}})}),
         "错误 班级!A2：未知年段“初四”"},
        {"count", book({sheet("年段课程", {{"年段", "学科", "周课时"}, {"初一", "语文", "31"}})}),
         "错误 年段课程!C2：周课时“31”应为 0 到 30 的整数"},
        {"class count", book({sheet("班级", {{"年段", "班级数"}, {"初一", "21"}})}),
         "错误 班级!B2：班级数“21”应为 0 到 20 的整数"},
        {"share", book({sheet("资源", {{"课程", "同时上课班数"}, {"体育", "30"}})}),
         "错误 资源!B2：同时上课班数“30”应为 1 到 29 的整数"},
        {"day", book({sheet("教师不排", {{"教师", "星期", "节次"}, {"张明", "星期六", "1"}})}),
         "错误 教师不排!B2：未知星期“星期六”"},
        {"period",
         book(
             {sheet("统一课程", {{"年段", "星期", "节次", "课程"}, {"初一", "1", "0-2", "体育"}})}),
         "错误 统一课程!C2：节次“0-2”应为 1 到 7 的节次（如 1-4 或 1,3）"},
        {"duplicate", book({sheet("课程", {{"课程"}, {"语文"}, {}, {"语文"}})}),
         "错误 课程!A4：与第 2 行重复"},
        {"too many courses", book({courses}), "错误 课程!A22：课程超过 20 门（共 21）",
         ImportMode::Replace},
        {"missing column",
         book({sheet("课务分工", {{"班级", "学科", "教师"}, {"初一⑴", "语文", "张明"}})}),
         "错误 课务分工!A1：缺少列“周课时”"},
        {"no header", book({sheet("课程", {{}, {""}})}), "错误 课程：工作表没有标题行"},
        {"formula", book({formula}), "错误 资源!B2：公式没有缓存的值"},
        {"roster cuts", book({sheet("教师", {{"姓名"}, {"欧阳青青"}})}),
         "警告 教师!A2：“欧阳青青”超过 6 个 GBK 字节，教师名单中会被截短"},
        {"unknown sheet", book({sheet("Sheet1", {{"x"}})}), "警告 Sheet1：未知的工作表，已忽略"},
        {"weekly total",
         book({sheet("课务分工",
                     {{"班级", "学科", "教师", "周课时"}, {"初一⑴", "语文", "张明", "6"}})}),
         "警告 课务分工!D2：初一⑴周课时合计 7（含统一课程），不在 15 到 35 之间，编排时将跳过该班",
         ImportMode::Replace},
    };
    for (const Case& c : cases) {
        const ImportPlan plan = planImport(c.workbook, smallSchool(), c.mode);
        const auto all = lines(plan);
        EXPECT_TRUE(hasLine(all, c.line)) << c.what << ": " << (all.empty() ? "-" : all.front());
        EXPECT_EQ(plan.hasErrors(), c.line.starts_with("错误")) << c.what;
    }
}

TEST(ImportPlan, TeacherWithMoreLessonsThanPeriodsIsWarnedWithTheOptimisersCause) {
    Workbook w = book({sheet("课务分工", {{"班级", "学科", "教师", "周课时"}})});
    for (const char* cls : {"初一⑴", "初一⑵"}) {
        w.sheets[0].rows.push_back({cls, "语文", "张明", "18"});
        w.sheets[0].rows.push_back({cls, "数学", "李华", "10"});
    }
    const ImportPlan plan = planImport(w, smallSchool(), ImportMode::Replace);
    EXPECT_FALSE(plan.hasErrors());
    const auto found = std::find_if(plan.problems.begin(), plan.problems.end(), [](const auto& p) {
        return p.text.starts_with("无法排出：") && p.text.find("张明") != std::string::npos;
    });
    ASSERT_NE(found, plan.problems.end()) << (plan.problems.empty() ? "" : plan.problems[0].text);
    EXPECT_EQ(found->severity, Severity::Warning);
    EXPECT_EQ(cellName(found->place), "C2");
}

TEST(ImportPlan, MergeUpdatesByKeyInPlaceAndAddsAtTheEnd) {
    const Workbook w = book({
        sheet("课务分工", {{"班级", "学科", "教师", "周课时"},
                           {"初一1班", "数学", "王芳", "6"},
                           {"初一(2)", "体育", "赵强", "4"}}),
        sheet("教师", {{"姓名", "学科"}, {"钱多多", "数学、体育"}, {"李华", "英语"}}),
    });
    const SchoolTables before = smallSchool();
    const ImportPlan plan = planImport(w, before, ImportMode::Merge);
    ASSERT_FALSE(plan.hasErrors()) << problemLine(plan.problems.front());
    const SchoolTables& after = plan.result;
    EXPECT_EQ(after.classcourse.size(), before.classcourse.size());
    EXPECT_EQ(after.classcourse[1], (store::ClasscourseRow{"初一⑴", "数学", "王芳", 6}));
    EXPECT_EQ(after.classcourse[7], (store::ClasscourseRow{"初一⑵", "体育", "赵强", 4}));
    EXPECT_EQ(after.teachername.back().name, "钱多多");
    // 李华 now teaches only 英语, 钱多多 joins 数学 and 体育
    EXPECT_EQ(after.courseteacher, (std::vector<store::CourseteacherRow>{{"语文", "张明"},
                                                                         {"英语", "王芳"},
                                                                         {"体育", "赵强"},
                                                                         {"数学", "钱多多"},
                                                                         {"英语", "李华"},
                                                                         {"体育", "钱多多"}}));
    EXPECT_EQ(after.gradecourse, before.gradecourse); // sheet absent: untouched
    EXPECT_FALSE(plan.touched[4]);
    const auto& cc = plan.changes.back();
    EXPECT_EQ(cc.table, "classcourse");
    EXPECT_EQ(cc.changed, std::vector<std::string>({"初一⑴ 数学 李华 6 → 初一⑴ 数学 王芳 6",
                                                    "初一⑵ 体育 赵强 3 → 初一⑵ 体育 赵强 4"}));
    EXPECT_TRUE(cc.added.empty() && cc.removed.empty());
}

TEST(ImportPlan, ReplaceStoresTheDialogsForms) {
    const Workbook w = book({
        sheet("班级", {{"班级数", "年段"}, {"3", "高一"}, {"2", "1"}, {"0", "初二"}}),
        sheet("课务分工", {{"班级", "学科", "教师", "周课时"},
                           {"初一(2)", "体育", "", "3"},
                           {"初一(2)", "语文", "张明", "6"},
                           {"初一1班", "英语", "王芳", "5"},
                           {"初一(2)", "美术", "", "1"}}),
        sheet("教师不排", {{"教师", "星期", "节次"},
                           {"李华", "", ""},
                           {"张明", "周二", "1-2"},
                           {"张明", "星期五", ""}}),
        sheet("统一课程", {{"年段", "星期", "节次", "课程"}, {"1", "星期五", "6-7", "体育"}}),
    });
    SchoolTables current = smallSchool();
    current.coursename.push_back({"美术"});
    const ImportPlan plan = planImport(w, current, ImportMode::Replace);
    ASSERT_FALSE(plan.hasErrors()) << problemLine(plan.problems.front());
    EXPECT_EQ(plan.result.gradeclass,
              (std::vector<store::GradeclassRow>{{"初一", 2}, {"高一", 3}}));
    // classes in the order they come, each in its grade's plan order, unplanned last
    EXPECT_EQ(plan.result.classcourse,
              (std::vector<store::ClasscourseRow>{{"初一⑵", "语文", "张明", 6},
                                                  {"初一⑵", "体育", "", 3},
                                                  {"初一⑵", "美术", "", 1},
                                                  {"初一⑴", "英语", "王芳", 5}}));
    ASSERT_EQ(plan.result.lessonprearrange.size(), 2u);
    EXPECT_EQ(plan.result.lessonprearrange[0].prearrange, std::string(35, '0'));
    EXPECT_EQ(plan.result.lessonprearrange[1].prearrange,
              std::string(7, '0') + "1100000" + std::string(14, '0') + "1111111");
    EXPECT_EQ(plan.result.samelesson,
              (std::vector<store::SamelessonRow>{{"初一", 5, 6, "体育"}, {"初一", 5, 7, "体育"}}));
    const std::vector<std::string> preview = previewLines(plan);
    EXPECT_EQ(preview.front(), "工作表“班级”（gradeclass）：新增 1 行，修改 0 行，删除 0 行");
    EXPECT_TRUE(hasLine(preview, "  删除 初一⑴ 语文 张明 6"));
    EXPECT_TRUE(hasLine(preview, "  新增 初一⑵ 美术 （无教师） 1"));
    EXPECT_TRUE(hasLine(preview, "  修改 张明 星期一 1-4 → 张明 星期二 1,2；星期五 1-7"));
    EXPECT_TRUE(preview.back().starts_with("共 0 个错误，")) << preview.back();
}
