#include "overview/OverviewText.h"

#include "core/HtmlText.h"

#include <sstream>

namespace overview {
namespace {

using html::escaped;

std::string link(const std::string& entry) {
    return "<a href=\"" + std::string(kEntryLink) + escaped(entry) + "\">" + escaped(entry) +
           "</a>";
}

std::string weeksText(const std::vector<int>& weeks) {
    if (weeks.empty()) {
        return "还没有出勤记录";
    }
    std::string text = std::to_string(weeks.size()) + " 周（第 " + std::to_string(weeks.front());
    if (weeks.size() > 1) {
        text += "–" + std::to_string(weeks.back());
    }
    return text + " 周）";
}

void gradeRow(std::ostream& out, const GradeStanding& grade) {
    out << "<tr><td>" << school::kGradeNames[static_cast<std::size_t>(grade.grade)] << "</td>";
    if (!grade.classes) {
        out << "<td colspan=\"5\">未设置班级数</td></tr>";
        return;
    }
    const int classes = grade.classCount();
    out << "<td align=\"right\">" << classes << "</td><td align=\"right\">" << grade.planned
        << "</td><td align=\"right\">" << grade.staffed << "</td><td align=\"right\">"
        << grade.arranged << "</td><td>";
    if (grade.arranged == 0) {
        out << "—";
    } else if (grade.remaining.any()) {
        out << "<span style=\"color:#b00000\">" << escaped(grade.remaining.line) << "</span>";
    } else {
        out << "无";
    }
    out << "</td></tr>";
}

} // namespace

std::string overviewHtml(const Standing& standing, const NextStep& next) {
    std::ostringstream out;
    out << "<h3>学校概况</h3><p>" << escaped(standing.database) << "</p>";
    out << "<p><b>下一步：</b>";
    if (next.entries.empty()) {
        out << escaped(next.reason);
    } else {
        for (std::size_t i = 0; i < next.entries.size(); ++i) {
            out << (i == 0 ? "" : " / ") << link(next.entries[i]);
        }
        out << "（" << escaped(next.reason) << "）";
    }
    out << "</p>";
    out << "<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\">"
           "<tr><th>年段</th><th>班级</th><th>有课程计划</th><th>教师已选齐</th><th>已编排</th>"
           "<th>课表剩余问题</th></tr>";
    for (const GradeStanding& grade : standing.grades) {
        gradeRow(out, grade);
    }
    out << "</table>";
    out << "<p>课程名称 " << standing.courseNames << " 门，教师 " << standing.teachers
        << " 人，学科教师 " << standing.courseTeachers << " 条</p>";
    out << "<p>出勤记录：" << weeksText(standing.attendanceWeeks);
    if (standing.attendanceRecords > 0) {
        out << "，共 " << standing.attendanceRecords << " 条";
    }
    out << "</p><p>早晚督修：已安排 " << standing.dutyFilled << " 个班次（共 " << standing.dutySlots
        << " 个：各班 × 14 个时间）</p>";
    return out.str();
}

std::string unreadableHtml(const std::string& database, const std::string& error) {
    return "<h3>学校概况</h3><p>" + escaped(database) +
           "</p><p style=\"color:#b00000\">无法读取数据库：" + escaped(error) + "</p>";
}

} // namespace overview
