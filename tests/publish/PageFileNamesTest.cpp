// The one file-name rule of the site and the calendars: ASCII, stable, unique.
#include "publish/PageFileNames.h"

#include <gtest/gtest.h>

using publish::Page;
using publish::PageKind;

namespace {

Page page(PageKind kind, const std::string& name, const std::string& grade = {}) {
    Page p;
    p.kind = kind;
    p.name = name;
    p.grade = grade;
    return p;
}

TEST(PageFileNamesTest, StemsFollowKindAndPositionAndStayUnique) {
    const std::string longName(60, 'x'); // 120 hex digits, cut to 96
    struct Row {
        Page page;
        std::string stem;
    };
    std::string hex96;
    for (int i = 0; i < 48; ++i)
        hex96 += "78";
    const Row rows[] = {
        {page(PageKind::Class, "初一⑴", "初一"), "class-1-01"},
        {page(PageKind::Class, "高三⒇", "高三"), "class-6-20"},
        {page(PageKind::Class, "实验班", "初二"), "class-e5ae9ee9aa8ce78fad"},
        {page(PageKind::Overview, "初二", "初二"), "overview-2"},
        {page(PageKind::Assignment, "高一", ""), "assignment-4"},
        {page(PageKind::Overview, "预科", "预科"), "overview-e9a284e7a791"},
        {page(PageKind::Teacher, "张三"), "teacher-e5bca0e4b889"},
        {page(PageKind::Teacher, "张三"), "teacher-e5bca0e4b889-2"},
        {page(PageKind::Teacher, "ZS"), "teacher-5a53"},
        {page(PageKind::Teacher, ""), "teacher-0"},
        {page(PageKind::Teacher, longName), "teacher-" + hex96},
        {page(PageKind::Teacher, longName + "y"), "teacher-" + hex96 + "-2"},
        {page(PageKind::Class, "初一⑴", "初一"), "class-1-01-2"},
    };
    std::vector<Page> pages;
    for (const Row& row : rows)
        pages.push_back(row.page);
    const std::vector<std::string> stems = publish::pageFileStems(pages);
    ASSERT_EQ(stems.size(), pages.size());
    for (std::size_t i = 0; i < stems.size(); ++i) {
        EXPECT_EQ(stems[i], rows[i].stem) << i;
        for (const char c : stems[i])
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-') << stems[i];
    }
    EXPECT_EQ(publish::pageFileStems(pages), stems); // the same on every run
}

} // namespace
