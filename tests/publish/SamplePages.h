// Test support: small published pages made by hand, as the page builders make them: a class's
// week with 上午 / 下午 over its rows, a teacher's week, and a grade's overview with the days
// over its 35 period columns.
#pragma once

#include "publish/Page.h"

#include <string>
#include <vector>

namespace publishtest {

inline const std::vector<std::string> kDays = {"星期一", "星期二", "星期三", "星期四", "星期五"};
inline const std::vector<std::string> kPeriods = {"第一节", "第二节", "第三节", "第四节",
                                                  "第五节", "第六节", "第七节"};
inline const std::vector<std::string> kCourses = {"语文", "数学", "英语", "物理",
                                                  "化学", "历史", "地理"};
inline const std::vector<std::string> kNumbers = {"⑴", "⑵", "⑶", "⑷", "⑸", "⑹", "⑺", "⑻", "⑼", "⑽",
                                                  "⑾", "⑿", "⒀", "⒁", "⒂", "⒃", "⒄", "⒅", "⒆", "⒇"};
// Too long for any cell: drawn smaller and elided, never whole.
inline const std::string kLongCourse = "信息技术与通用技术综合实践活动课程";

inline publish::Page classWeek() {
    publish::Page page;
    page.kind = publish::PageKind::Class;
    page.name = "初一⑴";
    page.grade = "初一";
    page.title = "实验中学 初一⑴班课程表";
    page.corner = "节次";
    page.columnHeads = kDays;
    page.rowGroups = {{"上午", 0, 4}, {"下午", 4, 3}};
    for (std::size_t p = 0; p < kPeriods.size(); ++p) {
        const std::string hour = std::to_string(8 + p);
        page.rowHeads.push_back({kPeriods[p], (hour.size() < 2 ? "0" : "") + hour + ":00"});
        std::vector<publish::Lines> row;
        for (std::size_t d = 0; d < kDays.size(); ++d) {
            row.push_back({kCourses[(p + d) % kCourses.size()], "王" + std::to_string(d)});
        }
        page.cells.push_back(row);
    }
    page.cells[6][4] = {};
    page.cells[5][3] = {kLongCourse, "李"};
    page.notes = {"班主任：王老师", "每周课时：34"};
    return page;
}

inline publish::Page teacherWeek() {
    publish::Page page;
    page.kind = publish::PageKind::Teacher;
    page.name = "张三丰";
    page.grade = "初二";
    page.title = "实验中学 张三丰老师课程表";
    page.columnHeads = kDays;
    for (std::size_t p = 0; p < kPeriods.size(); ++p) {
        page.rowHeads.push_back({kPeriods[p]});
        page.cells.push_back(std::vector<publish::Lines>(kDays.size()));
    }
    page.cells[0][0] = {"初二⑶", "数学"};
    page.cells[2][4] = {"初二⑷", "数学"};
    return page;
}

inline publish::Page overview(int classes = 20) {
    publish::Page page;
    page.kind = publish::PageKind::Overview;
    page.name = "初一";
    page.grade = "初一";
    page.title = "实验中学 初一总课表";
    page.landscape = true;
    page.corner = "班级";
    for (int d = 0; d < 5; ++d) {
        page.columnGroups.push_back({kDays[static_cast<std::size_t>(d)], d * 7, 7});
        for (int p = 1; p <= 7; ++p) {
            page.columnHeads.push_back(std::to_string(p));
        }
    }
    for (int c = 0; c < classes; ++c) {
        page.rowHeads.push_back({"初一" + kNumbers[static_cast<std::size_t>(c)]});
        std::vector<publish::Lines> row;
        for (int s = 0; s < 35; ++s) {
            row.push_back({kCourses[static_cast<std::size_t>((c + s) % 7)], "张"});
        }
        page.cells.push_back(row);
    }
    return page;
}

} // namespace publishtest
