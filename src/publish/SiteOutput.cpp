#include "publish/SiteOutput.h"

#include "core/HtmlText.h"
#include "core/SchoolNames.h"
#include "publish/PageFileNames.h"
#include "publish/PublishedFolder.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace publish {
namespace {

constexpr std::string_view kIndexTitle = "课程表";

constexpr std::string_view kStyle = R"css(body {
    margin: 1rem;
    color: #111;
    background: #fff;
    font-family: "Noto Sans CJK SC", "WenQuanYi Micro Hei", "Microsoft YaHei", sans-serif;
    line-height: 1.4;
}
h1 { font-size: 1.4rem; margin: 0.4em 0 0.6em; }
h2 { font-size: 1.15rem; margin: 1em 0 0.4em; }
nav { margin-bottom: 0.5em; }
a { color: #0645ad; }
.table-box { max-width: 100%; overflow-x: auto; -webkit-overflow-scrolling: touch; }
table { border-collapse: collapse; }
th, td {
    border: 1px solid #777;
    padding: 0.3em 0.5em;
    text-align: center;
    vertical-align: middle;
    white-space: nowrap;
}
th { background: #e6edf7; font-weight: normal; }
thead th { font-weight: bold; }
.notes { margin-top: 0.8em; }
.notes p { margin: 0.2em 0; }
.links { list-style: none; padding: 0; margin: 0; display: flex; flex-wrap: wrap; gap: 0.4em; }
.links a {
    display: inline-block;
    min-width: 3em;
    padding: 0.35em 0.6em;
    border: 1px solid #bbb;
    border-radius: 4px;
    text-align: center;
    text-decoration: none;
}
@media (max-width: 480px) {
    body { margin: 0.5rem; }
    h1 { font-size: 1.15rem; }
    th, td { padding: 0.2em 0.25em; font-size: 0.85rem; }
}
@page { size: A4 portrait; margin: 12mm; }
@page wide { size: A4 landscape; margin: 10mm; }
@media print {
    body { margin: 0; }
    body.landscape { page: wide; }
    nav { display: none; }
    a { color: inherit; text-decoration: none; }
    .table-box { overflow: visible; }
    table { width: 100%; break-inside: avoid; page-break-inside: avoid; }
    th, td { white-space: normal; }
    th { background: none; }
    body.landscape th, body.landscape td { padding: 0.1em; font-size: 7pt; }
}
)css";

using html::appendEscaped;

void appendLines(std::string& out, const Lines& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += "<br>";
        appendEscaped(out, lines[i]);
    }
}

void appendSpanAttributes(std::string& out, const char* name, int count) {
    if (count > 1)
        out += std::string(" ") + name + "=\"" + std::to_string(count) + "\"";
}

// The group starting at head i, or nullptr; covered tells whether any group spans head i.
const Span* groupAt(const std::vector<Span>& groups, int i, bool& covered) {
    covered = false;
    for (const Span& span : groups) {
        if (span.first == i)
            return &(covered = true, span);
        if (span.first < i && i < span.first + span.count)
            covered = true;
    }
    return nullptr;
}

void appendHead(std::string& out, const std::string& title) {
    out += "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    appendEscaped(out, title);
    out += "</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n";
}

void appendTableHead(std::string& out, const Page& page) {
    const bool grouped = !page.columnGroups.empty();
    const int columns = static_cast<int>(page.columnHeads.size());
    out += "<thead>\n<tr><th";
    appendSpanAttributes(out, "rowspan", grouped ? 2 : 1);
    appendSpanAttributes(out, "colspan", page.rowGroups.empty() ? 1 : 2);
    out += ">";
    appendEscaped(out, page.corner);
    out += "</th>";
    for (int c = 0; c < columns; ++c) {
        bool covered = false;
        const Span* group = grouped ? groupAt(page.columnGroups, c, covered) : nullptr;
        if (group) {
            out += "<th";
            appendSpanAttributes(out, "colspan", group->count);
            out += ">";
            appendEscaped(out, group->text);
            out += "</th>";
        } else if (!covered) {
            out += "<th";
            appendSpanAttributes(out, "rowspan", grouped ? 2 : 1);
            out += ">";
            appendEscaped(out, page.columnHeads[static_cast<std::size_t>(c)]);
            out += "</th>";
        }
    }
    out += "</tr>\n";
    if (grouped) {
        out += "<tr>";
        for (int c = 0; c < columns; ++c) {
            bool covered = false;
            groupAt(page.columnGroups, c, covered);
            if (covered) {
                out += "<th>";
                appendEscaped(out, page.columnHeads[static_cast<std::size_t>(c)]);
                out += "</th>";
            }
        }
        out += "</tr>\n";
    }
    out += "</thead>\n";
}

void appendTableBody(std::string& out, const Page& page) {
    out += "<tbody>\n";
    const bool grouped = !page.rowGroups.empty();
    for (std::size_t r = 0; r < page.rowHeads.size(); ++r) {
        out += "<tr>";
        bool covered = false;
        const Span* group =
            grouped ? groupAt(page.rowGroups, static_cast<int>(r), covered) : nullptr;
        if (group) {
            out += "<th";
            appendSpanAttributes(out, "rowspan", group->count);
            out += ">";
            appendEscaped(out, group->text);
            out += "</th>";
        }
        out += "<th";
        appendSpanAttributes(out, "colspan", grouped && !covered ? 2 : 1);
        out += ">";
        appendLines(out, page.rowHeads[r]);
        out += "</th>";
        for (std::size_t c = 0; c < page.columnHeads.size(); ++c) {
            out += "<td>";
            if (r < page.cells.size() && c < page.cells[r].size())
                appendLines(out, page.cells[r][c]);
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n";
}

std::string pageHtml(const Page& page) {
    std::string out;
    appendHead(out, page.title);
    out += page.landscape ? "<body class=\"landscape\">\n" : "<body>\n";
    out += "<nav><a href=\"index.html\">返回目录</a></nav>\n<h1>";
    appendEscaped(out, page.title);
    out += "</h1>\n<div class=\"table-box\">\n<table>\n";
    appendTableHead(out, page);
    appendTableBody(out, page);
    out += "</table>\n</div>\n";
    if (!page.notes.empty()) {
        out += "<div class=\"notes\">\n";
        for (const std::string& note : page.notes) {
            out += "<p>";
            appendEscaped(out, note);
            out += "</p>\n";
        }
        out += "</div>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}

// The grades in the school's order, then any other grade in page order.
std::vector<std::string> gradesOf(const std::vector<Page>& pages) {
    std::vector<std::string> grades;
    auto add = [&grades](const std::string& grade) {
        if (std::find(grades.begin(), grades.end(), grade) == grades.end())
            grades.push_back(grade);
    };
    for (const std::string_view grade : school::kGradeNames)
        for (const Page& page : pages)
            if (page.kind != PageKind::Teacher && page.grade == grade)
                add(page.grade);
    for (const Page& page : pages)
        if (page.kind != PageKind::Teacher)
            add(page.grade);
    return grades;
}

void appendLinks(std::string& out, const std::vector<Page>& pages,
                 const std::vector<std::string>& stems, auto&& wanted, bool byTitle) {
    std::string items;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (!wanted(pages[i]))
            continue;
        items += "<li><a href=\"" + stems[i] + ".html\">";
        appendEscaped(items, byTitle && !pages[i].title.empty() ? pages[i].title : pages[i].name);
        items += "</a></li>\n";
    }
    if (!items.empty())
        out += "<ul class=\"links\">\n" + items + "</ul>\n";
}

std::string indexHtml(const std::vector<Page>& pages, const std::vector<std::string>& stems) {
    std::string out;
    appendHead(out, std::string(kIndexTitle));
    out += "<body class=\"index\">\n<h1>";
    out += kIndexTitle;
    out += "</h1>\n";
    for (const std::string& grade : gradesOf(pages)) {
        out += "<section>\n<h2>";
        appendEscaped(out, grade.empty() ? "其他" : grade);
        out += "</h2>\n";
        appendLinks(
            out, pages, stems,
            [&grade](const Page& p) { return p.kind == PageKind::Class && p.grade == grade; },
            false);
        appendLinks(
            out, pages, stems,
            [&grade](const Page& p) {
                return (p.kind == PageKind::Overview || p.kind == PageKind::Assignment) &&
                       p.grade == grade;
            },
            true);
        out += "</section>\n";
    }
    const bool anyTeacher = std::any_of(pages.begin(), pages.end(),
                                        [](const Page& p) { return p.kind == PageKind::Teacher; });
    if (anyTeacher) {
        out += "<section>\n<h2>教师</h2>\n";
        appendLinks(
            out, pages, stems, [](const Page& p) { return p.kind == PageKind::Teacher; }, false);
        out += "</section>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}

} // namespace

void writeSite(const std::vector<Page>& pages, const std::filesystem::path& targetDir, bool replace,
               const Progress& progress) {
    PublishedFolder folder(targetDir, replace);
    const std::vector<std::string> stems = pageFileStems(pages);
    const int total = static_cast<int>(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        folder.write(stems[i] + ".html", pageHtml(pages[i]));
        PublishedFolder::stepped(progress, static_cast<int>(i) + 1, total);
    }
    folder.write("style.css", kStyle);
    folder.write("index.html", indexHtml(pages, stems));
    folder.commit();
}

} // namespace publish
