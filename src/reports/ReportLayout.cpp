#include "reports/ReportLayout.h"

#include <array>

namespace reports {
namespace {

// Body cells: the weekly, monthly, timetable and lesson-count lines are printed over their
// whole text width. The teacher list and the duty roster are printed one cell wider than their
// classic 60 and 41 cells: 41 cells end at column 81 and would leave the roster's last
// column (columns 82-87) off the paper, and the list's right border stands at columns
// 120-121 when all 15 columns are in use.
constexpr std::array<ReportLayout, 8> kLayouts = {{
    {ReportKind::Weekly,
     "weekly",
     "weeks",
     3956,
     43,
     92,
     "week.wps",
     "保存周出勤表",
     true,
     true,
     {11, 120, 90, 20, 50, 45, 20, 31, 124, 32}},
    {ReportKind::Monthly,
     "monthly",
     "months",
     4290,
     55,
     78,
     "tavlen/month.wps",
     "保存月工作量统计表",
     true,
     false,
     {8, 200, 90, 0, 40, 38, 20, 31, 50, 26}},
    {ReportKind::Term,
     "term",
     "months",
     4290,
     55,
     78,
     "tavlen/term.wps",
     "保存学期工作量统计表",
     true,
     false,
     {8, 200, 90, 0, 40, 36, 20, 31, 50, 26}},
    {ReportKind::TeacherList,
     "teachers",
     "teachers",
     5084,
     41,
     124,
     "tavlen/teacher.wps",
     "保存年段课程表",
     true,
     true,
     {22, 200, 60, 20, 50, 61, 20, 31, 124, 32}},
    {ReportKind::DutyRoster,
     "supervise",
     "supervis",
     11316,
     123,
     92,
     "tavlen/supervise.wps",
     "保存年段督修表",
     true,
     true,
     {22, 200, 60, 20, 50, 45, 20, 31, 124, 32}},
    {ReportKind::GradeTimetable,
     "lessons",
     "lessons",
     6840,
     45,
     152,
     "lesson.wps",
     "保存年段课程表",
     true,
     true,
     {24, 200, 60, 20, 50, 75, 20, 31, 124, 32}},
    {ReportKind::ReviewTimetable,
     "lessonr",
     "lessonr",
     6840,
     45,
     152,
     "tavlen/lessonr.wps",
     "保存年段复习课程表",
     false,
     false,
     {}},
    {ReportKind::LessonCounts,
     "weekwork",
     "",
     1944,
     54,
     36,
     "weekwork.txt",
     "保存教师周课时一览表",
     true,
     true,
     {8, 100, 50, 20, 40, 17, 20, 31, 100, 40}},
}};

} // namespace

const ReportLayout& layoutOf(ReportKind kind) {
    for (const ReportLayout& layout : kLayouts) {
        if (layout.kind == kind) {
            return layout;
        }
    }
    return kLayouts.front(); // unreachable: every kind has a layout
}

std::optional<ReportKind> kindFromCliName(std::string_view name) {
    for (const ReportLayout& layout : kLayouts) {
        if (layout.cliName == name) {
            return layout.kind;
        }
    }
    return std::nullopt;
}

} // namespace reports
