// The web site read back as a reader sees it (read_site.py, html.parser): the files, the
// index's links, each page's table expanded to a grid against the Page, the escaping.
#include "publish/SiteOutput.h"
#include "WebTestSupport.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using publish::Page;
using publish::PageKind;
using webtest::lesson;
using webtest::text;

namespace {

const std::string kOddTeacher = "<b>王 & '李'\"";

std::vector<Page> samplePages() {
    std::vector<Page> pages;
    pages.push_back(webtest::weekPage(PageKind::Class, "高一⑴", "高一",
                                      {lesson(0, 1, "物理", "高一⑴", "赵六")}));
    pages.push_back(webtest::weekPage(
        PageKind::Class, "初一⑴", "初一",
        {lesson(0, 1, "语文", "初一⑴", "张三"), lesson(2, 5, "数学", "初一⑴", kOddTeacher)}));
    pages.push_back(webtest::weekPage(PageKind::Class, "初一⑵", "初一",
                                      {lesson(4, 7, "英语", "初一⑵", "张三")}));
    Page overview;
    overview.kind = PageKind::Overview;
    overview.name = overview.grade = "初一";
    overview.title = "实验中学 初一总课表";
    overview.landscape = true;
    overview.corner = "班级";
    overview.columnGroups = {{"星期一", 0, 3}, {"星期二", 3, 3}};
    overview.columnHeads = {"1", "2", "3", "1", "2", "3", "合计"};
    overview.rowHeads = {{"初一⑴"}, {"初一⑵"}};
    overview.cells = {{{"语"}, {}, {"数"}, {}, {}, {}, {"2"}}, {{}, {"英"}, {}, {}, {}, {}, {"1"}}};
    overview.notes = {"第一行", "第二行 <i>"};
    pages.push_back(overview);
    Page assignment;
    assignment.kind = PageKind::Assignment;
    assignment.name = assignment.grade = "初一";
    assignment.title = "实验中学 初一任课表";
    assignment.corner = "班级";
    assignment.columnHeads = {"语文", "数学"};
    assignment.rowHeads = {{"初一⑴"}, {"初一⑵"}};
    assignment.cells = {{{"张三"}, {kOddTeacher}}, {{"张三", "李四"}, {}}};
    pages.push_back(assignment);
    pages.push_back(webtest::weekPage(PageKind::Teacher, kOddTeacher, "初一",
                                      {lesson(2, 5, "数学", "初一⑴", kOddTeacher)}));
    pages.push_back(webtest::weekPage(PageKind::Teacher, "张三", "初一",
                                      {lesson(0, 1, "语文", "初一⑴", "张三")}));
    return pages;
}

std::string joined(const publish::Lines& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += (out.empty() ? "" : "\n") + line;
    return out;
}

const publish::Span* covering(const std::vector<publish::Span>& groups, int i) {
    for (const publish::Span& span : groups)
        if (span.first <= i && i < span.first + span.count)
            return &span;
    return nullptr;
}

// What a reader of the page must see: every slot of the table, spans repeated.
std::vector<std::vector<std::string>> expectedGrid(const Page& page) {
    std::vector<std::vector<std::string>> grid;
    const int corners = page.rowGroups.empty() ? 1 : 2;
    const int headRows = page.columnGroups.empty() ? 1 : 2;
    for (int h = 0; h < headRows; ++h) {
        std::vector<std::string> row(static_cast<std::size_t>(corners), page.corner);
        for (int c = 0; c < static_cast<int>(page.columnHeads.size()); ++c) {
            const publish::Span* group = covering(page.columnGroups, c);
            row.push_back(group && h == 0 ? group->text
                                          : page.columnHeads[static_cast<std::size_t>(c)]);
        }
        grid.push_back(row);
    }
    for (std::size_t r = 0; r < page.rowHeads.size(); ++r) {
        std::vector<std::string> row;
        const std::string head = joined(page.rowHeads[r]);
        if (!page.rowGroups.empty()) {
            const publish::Span* group = covering(page.rowGroups, static_cast<int>(r));
            row.push_back(group ? group->text : head);
        }
        row.push_back(head);
        for (const publish::Lines& cell : page.cells[r])
            row.push_back(joined(cell));
        grid.push_back(row);
    }
    return grid;
}

std::vector<std::vector<std::string>> gridOf(const QJsonArray& rows) {
    std::vector<std::vector<std::string>> grid;
    for (const QJsonValue& row : rows) {
        grid.emplace_back();
        for (const QJsonValue& cell : row.toArray())
            grid.back().push_back(text(cell));
    }
    return grid;
}

// The page's texts in reading order, each line apart; a slot repeating its left or upper
// neighbour is the same spanning cell.
std::vector<std::string> readingOrder(const Page& page) {
    std::vector<std::string> texts = {page.title};
    const auto grid = expectedGrid(page);
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t c = 0; c < grid[r].size(); ++c) {
            if ((c > 0 && grid[r][c - 1] == grid[r][c]) ||
                (r > 0 && c < grid[r - 1].size() && grid[r - 1][c] == grid[r][c]))
                continue;
            std::istringstream lines(grid[r][c]);
            for (std::string line; std::getline(lines, line);)
                if (!line.empty())
                    texts.push_back(line);
        }
    texts.insert(texts.end(), page.notes.begin(), page.notes.end());
    return texts;
}

bool inOrder(const std::vector<std::string>& wanted, const QJsonArray& seen) {
    int at = 0;
    for (const std::string& w : wanted) {
        while (at < seen.size() && text(seen[at]) != w)
            ++at;
        if (at == seen.size())
            return false;
        ++at;
    }
    return true;
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class SiteOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_python = webtest::pythonWith("html.parser");
        if (m_python.empty())
            GTEST_SKIP() << "python3 is missing";
        m_site = fs::path(m_dir.path().toStdString()) / "site";
        publish::writeSite(m_pages, m_site, false);
        m_read = webtest::readBack(m_python, "read_site.py", m_site.string());
        ASSERT_FALSE(m_read.isEmpty());
    }
    QTemporaryDir m_dir;
    std::string m_python;
    std::vector<Page> m_pages = samplePages();
    fs::path m_site;
    QJsonObject m_read;
};

TEST_F(SiteOutputTest, IndexLinksEveryPageByGradeThenTheTeachers) {
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(m_site))
        files.insert(entry.path().filename().string());
    const std::set<std::string> expected = {"index.html",
                                            "style.css",
                                            "class-4-01.html",
                                            "class-1-01.html",
                                            "class-1-02.html",
                                            "overview-1.html",
                                            "assignment-1.html",
                                            "teacher-3c623ee78e8b20262027e69d8e2722.html",
                                            "teacher-e5bca0e4b889.html"};
    EXPECT_EQ(files, expected);

    const QJsonObject index = m_read.value(QStringLiteral("index.html")).toObject();
    std::vector<std::string> links;
    for (const QJsonValue& link : index.value(QStringLiteral("links")).toArray())
        links.push_back(text(link));
    const std::vector<std::string> expectedLinks = {
        "class-1-01.html",          "class-1-02.html",
        "overview-1.html",          "assignment-1.html",
        "class-4-01.html",          "teacher-3c623ee78e8b20262027e69d8e2722.html",
        "teacher-e5bca0e4b889.html"};
    EXPECT_EQ(links, expectedLinks);
    for (const std::string& link : links)
        EXPECT_TRUE(fs::is_regular_file(m_site / link)) << link;
    EXPECT_TRUE(inOrder({"课程表", "初一", "初一⑴", "初一⑵", "实验中学 初一总课表",
                         "实验中学 初一任课表", "高一", "高一⑴", "教师", kOddTeacher, "张三"},
                        index.value(QStringLiteral("texts")).toArray()));
}

TEST_F(SiteOutputTest, EveryPageShowsItsTableNotesAndTheWayBack) {
    const std::vector<std::string> stems = {
        "class-4-01",          "class-1-01",   "class-1-02",
        "overview-1",          "assignment-1", "teacher-3c623ee78e8b20262027e69d8e2722",
        "teacher-e5bca0e4b889"};
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        SCOPED_TRACE(stems[i]);
        const QJsonObject read =
            m_read.value(QString::fromStdString(stems[i] + ".html")).toObject();
        ASSERT_FALSE(read.isEmpty());
        EXPECT_EQ(text(read.value(QStringLiteral("title"))), m_pages[i].title);
        EXPECT_EQ(text(read.value(QStringLiteral("h1"))), m_pages[i].title);
        EXPECT_EQ(gridOf(read.value(QStringLiteral("grid")).toArray()), expectedGrid(m_pages[i]));
        EXPECT_TRUE(
            inOrder(readingOrder(m_pages[i]), read.value(QStringLiteral("texts")).toArray()));
        EXPECT_EQ(read.value(QStringLiteral("links")).toArray(),
                  QJsonArray{QStringLiteral("index.html")});
        EXPECT_TRUE(read.value(QStringLiteral("viewport")).toBool());
        EXPECT_TRUE(read.value(QStringLiteral("stylesheet")).toBool());
    }
}

TEST_F(SiteOutputTest, TextIsEscapedAndTheStyleCoversPrintAndPhones) {
    for (const auto& entry : fs::directory_iterator(m_site)) {
        const std::string html = fileText(entry.path());
        EXPECT_EQ(html.find("<b>"), std::string::npos) << entry.path();
        EXPECT_EQ(html.find("<i>"), std::string::npos) << entry.path();
    }
    const std::string teacher = fileText(m_site / "teacher-3c623ee78e8b20262027e69d8e2722.html");
    EXPECT_NE(teacher.find("&lt;b&gt;王 &amp; &#39;李&#39;&quot;"), std::string::npos);

    const std::string style = fileText(m_site / "style.css");
    for (const char* rule :
         {"@media print", "size: A4 portrait", "size: A4 landscape", "nav { display: none; }",
          "@media (max-width: 480px)", "overflow-x: auto"})
        EXPECT_NE(style.find(rule), std::string::npos) << rule;
    EXPECT_NE(fileText(m_site / "overview-1.html").find("<body class=\"landscape\">"),
              std::string::npos);
}

} // namespace
