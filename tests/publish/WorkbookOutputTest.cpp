// The workbook read back with openpyxl: sheet names made fit, cell values with their lines,
// the merged title, groups and corner, the page setup (A4, orientation, one page, centred).
#include "publish/WorkbookOutput.h"
#include "SamplePages.h"
#include "ToolRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace publishtest;

namespace {

publish::Page named(publish::PageKind kind, const std::string& name) {
    publish::Page page = teacherWeek();
    page.kind = kind;
    page.name = name;
    return page;
}

TEST(SheetNames, AreMadeFitAndUnique) {
    const std::string forty = "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"
                              "二三四五六七八九十";
    const std::string thirtyOne = forty.substr(0, 31 * 3);
    const std::string twentyEight = forty.substr(0, 28 * 3);
    struct Case {
        publish::PageKind kind;
        std::string name;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {publish::PageKind::Class, "初一⑴", "初一⑴"},
        {publish::PageKind::Overview, "初一", "初一总课表"},
        {publish::PageKind::Assignment, "初一", "初一任课表"},
        {publish::PageKind::Class, "初一⑴[x]:*?/\\", "初一⑴_x______"},
        {publish::PageKind::Teacher, forty, thirtyOne},
        {publish::PageKind::Teacher, forty, twentyEight + "(2)"},
        {publish::PageKind::Teacher, forty + "甲", twentyEight + "(3)"},
        {publish::PageKind::Teacher, "Zhang", "Zhang"},
        {publish::PageKind::Teacher, "zhang", "zhang(2)"},
        {publish::PageKind::Teacher, "初一⑴", "初一⑴(2)"},
        {publish::PageKind::Teacher, "'王'", "_王_"},
        {publish::PageKind::Teacher, "", "Sheet"},
        // beyond the first plane a character counts two: 29 + 2 fills the 31
        {publish::PageKind::Teacher, forty.substr(0, 29 * 3) + "😀乙",
         forty.substr(0, 29 * 3) + "😀"},
    };
    std::vector<publish::Page> pages;
    for (const Case& c : cases) {
        pages.push_back(named(c.kind, c.name));
    }
    const std::vector<std::string> names = publish::sheetNames(pages);
    ASSERT_EQ(names.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(names[i], cases[i].expected) << "name " << cases[i].name;
    }
}

class WorkbookOutputTest : public testing::Test {
protected:
    void SetUp() override {
        if (std::string(TAVLEN_PYTHON3).empty()) {
            GTEST_SKIP() << "python3 is not installed";
        }
        ASSERT_TRUE(m_dir.isValid());
    }
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(m_dir.path().toStdString()) / name;
    }
    // The workbook as read_workbook.py sees it; skips when openpyxl is missing.
    QJsonArray sheets(const std::filesystem::path& book) {
        const ToolResult read = runTool(std::string(TAVLEN_PYTHON3) + " " +
                                        quoted(TAVLEN_READ_WORKBOOK) + " " + quoted(book));
        if (WEXITSTATUS(read.status) == 3) {
            m_noReader = true;
            return {};
        }
        EXPECT_EQ(read.status, 0) << read.out;
        return QJsonDocument::fromJson(QByteArray::fromStdString(read.out))
            .object()
            .value(QStringLiteral("sheets"))
            .toArray();
    }
    static std::string at(const QJsonObject& sheet, const char* map, const char* cell) {
        return sheet.value(QString::fromUtf8(map))
            .toObject()
            .value(QString::fromUtf8(cell))
            .toVariant()
            .toString()
            .toStdString();
    }
    static bool flag(const QJsonObject& sheet, const char* map, const char* cell) {
        return sheet.value(QString::fromUtf8(map))
            .toObject()
            .value(QString::fromUtf8(cell))
            .toBool();
    }
    static std::vector<std::string> merged(const QJsonObject& sheet) {
        std::vector<std::string> result;
        for (const QJsonValue& range : sheet.value(QStringLiteral("merged")).toArray()) {
            result.push_back(range.toString().toStdString());
        }
        return result;
    }
    static std::string value(const QJsonObject& sheet, const char* key) {
        return sheet.value(QString::fromUtf8(key)).toVariant().toString().toStdString();
    }

    QTemporaryDir m_dir;
    bool m_noReader = false;
};

#define SKIP_WITHOUT_READER()                                                                      \
    if (m_noReader) {                                                                              \
        GTEST_SKIP() << "python3-openpyxl is not installed";                                       \
    }

TEST_F(WorkbookOutputTest, OneSheetPerPageWithItsTable) {
    const auto book = file("school.xlsx");
    publish::Page duplicate = classWeek();
    duplicate.title = "第二份";
    publish::writeWorkbook({classWeek(), teacherWeek(), overview(), duplicate}, book, false);
    const QJsonArray read = sheets(book);
    SKIP_WITHOUT_READER();
    ASSERT_EQ(read.size(), 4);
    std::vector<std::string> names;
    for (const QJsonValue& sheet : read) {
        names.push_back(value(sheet.toObject(), "name"));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"初一⑴", "张三丰", "初一总课表", "初一⑴(2)"}));

    // the week: title over A..G, corner over the group and head columns, 上午 and 下午 down
    const QJsonObject week = read[0].toObject();
    EXPECT_EQ(at(week, "cells", "A1"), "实验中学 初一⑴班课程表");
    EXPECT_EQ(merged(week),
              (std::vector<std::string>{"A10:G10", "A11:G11", "A1:G1", "A2:B2", "A3:A6", "A7:A9"}));
    EXPECT_EQ(at(week, "cells", "A2"), "节次");
    EXPECT_EQ(at(week, "cells", "C2"), "星期一");
    EXPECT_EQ(at(week, "cells", "G2"), "星期五");
    EXPECT_EQ(at(week, "cells", "A3"), "上午");
    EXPECT_EQ(at(week, "cells", "A7"), "下午");
    EXPECT_EQ(at(week, "cells", "B3"), "第一节\n08:00");
    EXPECT_EQ(at(week, "cells", "C3"), "语文\n王0");
    EXPECT_EQ(at(week, "cells", "F8"), kLongCourse + "\n李");
    EXPECT_EQ(at(week, "cells", "G9"), "");
    EXPECT_EQ(at(week, "cells", "A10"), "班主任：王老师");
    EXPECT_EQ(at(week, "cells", "A11"), "每周课时：34");
    EXPECT_TRUE(flag(week, "wrapped", "C3"));
    EXPECT_TRUE(flag(week, "bordered", "C3"));
    EXPECT_TRUE(flag(week, "bordered", "G9")) << "an empty cell keeps its border";
    EXPECT_FALSE(flag(week, "bordered", "A10")) << "notes are no part of the table";
    EXPECT_EQ(value(week, "titleBold"), "true");
    EXPECT_EQ(value(week, "titleSize"), "16");
    EXPECT_GE(week.value(QStringLiteral("widthB")).toDouble(), 8.0) << "第一节 shows whole";
    EXPECT_EQ(value(week, "orientation"), "portrait");

    // the overview: the days merged over their seven periods
    const QJsonObject grade = read[2].toObject();
    EXPECT_EQ(merged(grade), (std::vector<std::string>{"A1:AJ1", "A2:A3", "AD2:AJ2", "B2:H2",
                                                       "I2:O2", "P2:V2", "W2:AC2"}));
    EXPECT_EQ(at(grade, "cells", "B2"), "星期一");
    EXPECT_EQ(at(grade, "cells", "AD2"), "星期五");
    EXPECT_EQ(at(grade, "cells", "B3"), "1");
    EXPECT_EQ(at(grade, "cells", "A4"), "初一⑴");
    EXPECT_EQ(at(grade, "cells", "A23"), "初一⒇");
    EXPECT_EQ(at(grade, "cells", "B4"), "语文\n张");
    EXPECT_EQ(value(grade, "orientation"), "landscape");

    for (const QJsonValue& sheet : read) {
        const QJsonObject s = sheet.toObject();
        EXPECT_EQ(value(s, "paperSize"), "9") << "A4";
        EXPECT_EQ(value(s, "fitToPage"), "true");
        EXPECT_EQ(value(s, "fitToWidth"), "1");
        EXPECT_EQ(value(s, "fitToHeight"), "1");
        EXPECT_EQ(value(s, "centred"), "true");
    }
}

TEST_F(WorkbookOutputTest, SheetNamesAreTheFittedOnes) {
    const auto book = file("names.xlsx");
    const std::vector<publish::Page> pages = {
        named(publish::PageKind::Class, "初一⑴[x]:*?/\\"),
        named(publish::PageKind::Teacher, std::string(40, 'a')),
        named(publish::PageKind::Teacher, std::string(40, 'A')),
    };
    publish::writeWorkbook(pages, book, false);
    const QJsonArray read = sheets(book);
    SKIP_WITHOUT_READER();
    std::vector<std::string> names;
    for (const QJsonValue& sheet : read) {
        names.push_back(value(sheet.toObject(), "name"));
    }
    EXPECT_EQ(names, publish::sheetNames(pages));
    EXPECT_EQ(names, (std::vector<std::string>{"初一⑴_x______", std::string(31, 'a'),
                                               std::string(28, 'A') + "(2)"}));
}

} // namespace
