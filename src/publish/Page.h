// One published page: a titled table with headings over its columns and rows, and notes
// under it. The builders (PageBuilder.h) make every page (a class's week, a teacher's week,
// a grade's overview, a grade's assignment table) in this one form, and every output (PDF
// and printing, the workbook, the web site) draws it as it stands, so the layout exists
// once. The lessons beside the table are what the calendars are made of.
//
// Cells are [row][column] and hold lines of text, top to bottom (course over teacher); an
// empty cell has no lines. Row heads hold lines too ("第一节" over "08:00-08:45"). A group
// spans heads: the days over the overview's 35 period columns, 上午 / 下午 over the rows of a
// week. All text is UTF-8.
#pragma once

#include <string>
#include <vector>

namespace publish {

// A notice (the cover notice of a day) is no timetable: it is never published with them,
// its sheet and file are named by its name.
enum class PageKind { Class, Teacher, Overview, Assignment, Notice };

struct Span {
    std::string text;
    int first = 0; // first head spanned
    int count = 1;
    friend bool operator==(const Span&, const Span&) = default;
};

using Lines = std::vector<std::string>;

// One lesson of a class or a teacher, for the calendars.
struct Lesson {
    int day = 0;    // 0..4, Monday..Friday
    int period = 1; // 1..7
    std::string course;
    std::string className;
    std::string teacher; // empty for a unified slot
    friend bool operator==(const Lesson&, const Lesson&) = default;
};

struct Page {
    PageKind kind = PageKind::Class;
    std::string name;  // the class, the teacher or the grade: what a sheet or a file is named by
    std::string grade; // "初一" … "高三"; for a teacher the first grade taught
    std::string title; // "实验中学 初一⑴班课程表"
    bool landscape = false;
    std::string corner;             // the top left cell
    std::vector<Span> columnGroups; // over columnHeads; empty when none
    std::vector<std::string> columnHeads;
    std::vector<Span> rowGroups; // over rowHeads; empty when none
    std::vector<Lines> rowHeads;
    std::vector<std::vector<Lines>> cells; // [row][column], rowHeads.size() × columnHeads.size()
    std::vector<std::string> notes;        // lines under the table
    std::vector<Lesson> lessons;           // class and teacher pages only, by day and period
    friend bool operator==(const Page&, const Page&) = default;
};

} // namespace publish
