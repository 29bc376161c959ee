// Test support: a small school (two classes of 初一, four courses, four teachers) as the
// tables an import fills, and workbooks written cell by cell.
#pragma once

#include "exchange/SchoolTables.h"
#include "exchange/Workbook.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace exchangetest {

inline exchange::SchoolTables smallSchool() {
    exchange::SchoolTables t;
    t.coursename = {{"语文"}, {"数学"}, {"英语"}, {"体育"}};
    t.teachername = {{"张明"}, {"李华"}, {"王芳"}, {"赵强"}};
    t.courseteacher = {{"语文", "张明"}, {"数学", "李华"}, {"英语", "王芳"}, {"体育", "赵强"}};
    t.gradeclass = {{"初一", 2}};
    t.gradecourse = {{"初一", "语文", 6, 0},
                     {"初一", "数学", 6, 0},
                     {"初一", "英语", 5, 0},
                     {"初一", "体育", 3, 0}};
    for (const char* cls : {"初一⑴", "初一⑵"}) {
        t.classcourse.push_back({cls, "语文", "张明", 6});
        t.classcourse.push_back({cls, "数学", "李华", 6});
        t.classcourse.push_back({cls, "英语", "王芳", 5});
        t.classcourse.push_back({cls, "体育", "赵强", 3});
    }
    t.lessonprearrange = {{"张明", std::string("1111000") + std::string(28, '0')}};
    t.samelesson = {{"初一", 5, 7, "体育"}};
    t.courseshare = {{"体育", 2}};
    return t;
}

inline exchange::Sheet sheet(std::string name,
                             std::initializer_list<std::vector<std::string>> rows) {
    exchange::Sheet s;
    s.name = std::move(name);
    s.rows.assign(rows.begin(), rows.end());
    return s;
}

inline exchange::Workbook book(std::initializer_list<exchange::Sheet> sheets) {
    exchange::Workbook w;
    w.sheets.assign(sheets.begin(), sheets.end());
    return w;
}

} // namespace exchangetest
