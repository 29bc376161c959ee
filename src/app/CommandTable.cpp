#include "app/CommandTable.h"

#include "arrange/GradelessonDialog.h"
#include "arrange/ReviewlessonDialog.h"
#include "attendance/AttendancecountDialog.h"
#include "attendance/AttendanceinputDialog.h"
#include "attendance/AttendancemonthDialog.h"
#include "attendance/AttendancesquireDialog.h"
#include "attendance/AttendancetermDialog.h"
#include "attendance/WeekworkSetDialog.h"
#include "cover/CoverPlanningDialog.h"
#include "exchange/WorkbookImportDialog.h"
#include "maintain/GTBrowseDialog.h"
#include "maintain/GTReplaceDialog.h"
#include "maintain/TReplaceDialog.h"
#include "maintain/TeachertableDialog.h"
#include "maintain/WeekworkDialog.h"
#include "masterdata/CoursePropertysetDialog.h"
#include "masterdata/CoursenameDialog.h"
#include "masterdata/FacilitiesSetDialog.h"
#include "masterdata/GradeclassDialog.h"
#include "masterdata/GradeteachereditDialog.h"
#include "masterdata/SamelessonDialog.h"
#include "masterdata/SchoolSettingsEditDialog.h"
#include "masterdata/TeachernameEditDialog.h"
#include "planning/ClasscourseDialog.h"
#include "planning/ClassteacherDialog.h"
#include "planning/GradecourseDialog.h"
#include "planning/GradelessonInitDialog.h"
#include "planning/LessonorderPlanDialog.h"
#include "planning/PrearrangeLessonDialog.h"
#include "publish/TimetablePublishDialog.h"
#include "supervise/SuperviseOrderDialog.h"
#include "supervise/SupervisebrowseDialog.h"

#include "core/Reported.h"

namespace app {
namespace {

// The dialogs, one line each. A module without a dialog yet stays {} (entry disabled).
// For example: const DialogFactory kCoursename = modal<CoursenameDialog>();
const DialogFactory kCoursename = modal<masterdata::CoursenameDialog>();
const DialogFactory kSamelesson = masterdata::SamelessonDialog::run;
const DialogFactory kFacilitiesSet = masterdata::FacilitiesSetDialog::run;
const DialogFactory kTeachernameEdit = modal<masterdata::TeachernameEditDialog>();
const DialogFactory kGradeteacheredit = masterdata::GradeteachereditDialog::run;
const DialogFactory kGradeclass = modal<masterdata::GradeclassDialog>();
const DialogFactory kSchoolSettingsEdit = modal<masterdata::SchoolSettingsEditDialog>();
const DialogFactory kTimetablePublish = modal<publish::TimetablePublishDialog>();
const DialogFactory kWorkbookImport = modal<exchange::WorkbookImportDialog>();
const DialogFactory kWorkbookExport = exchange::WorkbookImportDialog::exportToWorkbook;
const DialogFactory kGradelessonInit = planning::GradelessonInitDialog::run;
const ModeDialogFactory kGradecourse = modalWithMode<planning::GradecourseDialog>();
const DialogFactory kClasscourse = planning::ClasscourseDialog::run;
const DialogFactory kClassteacher = planning::ClassteacherDialog::run;
const DialogFactory kPrearrangeLesson = planning::PrearrangeLessonDialog::run;
const DialogFactory kCoursePropertyset = masterdata::CoursePropertysetDialog::run;
const DialogFactory kGradelesson = arrange::GradelessonDialog::run;
const DialogFactory kReviewlesson = arrange::ReviewlessonDialog::run;
const DialogFactory kLessonorderPlan = planning::LessonorderPlanDialog::run;
const DialogFactory kGTReplace = modal<maintain::GTReplaceDialog>();
const DialogFactory kTReplace = modal<maintain::TReplaceDialog>();
const DialogFactory kSuperviseOrder = supervise::SuperviseOrderDialog::run;
const DialogFactory kTeachertable = maintain::TeachertableDialog::run;
const DialogFactory kWeekwork = maintain::WeekworkDialog::run;
const DialogFactory kGTBrowse = modal<maintain::GTBrowseDialog>();
const DialogFactory kSupervisebrowse = modal<supervise::SupervisebrowseDialog>();
const DialogFactory kAttendanceinput = attendance::AttendanceinputDialog::run;
const DialogFactory kAttendancesquire = modal<attendance::AttendancesquireDialog>();
const DialogFactory kAttendancecount = modal<attendance::AttendancecountDialog>();
const DialogFactory kAttendancemonth = modal<attendance::AttendancemonthDialog>();
const DialogFactory kAttendanceterm = modal<attendance::AttendancetermDialog>();
const DialogFactory kWeekworkSet = modal<attendance::WeekworkSetDialog>();
const DialogFactory kCoverPlanning = cover::CoverPlanningDialog::run;

} // namespace

CommandTable commandTable() {
    return commandTable(kGradecourse);
}

CommandTable commandTable(const ModeDialogFactory& gradecourse) {
    const std::string settings = "系统设置";
    const std::string courses = "课程设置";
    const std::string arrange = "课程编排";
    const std::string manage = "课程管理";
    const std::string query = "课程查询";
    const std::string attendance = "出勤管理";
    return {
        {settings, "课程名称设置", "设置全部课程名称", "Coursename", kCoursename},
        {settings, "统一课程设置", "设置同一年段中在某天某节的统一课程", "Samelesson", kSamelesson},
        {settings, "学科资源设置", "", "FacilitiesSet", kFacilitiesSet},
        {settings, "教师名单编辑", "全校教师名单编辑", "TeachernameEdit", kTeachernameEdit},
        {settings, "学科教师编辑", "设置各个年段中的课任教师", "Gradeteacheredit",
         kGradeteacheredit},
        {settings, "年段班级编辑", "设置各个年段中的班级数", "Gradeclass", kGradeclass},
        {settings, "课程初始化", "删除整个年段的班级课程设置与课程表", "GradelessonInit",
         kGradelessonInit},
        // Not on the original: the school's name and the times of the school day.
        {.menu = settings,
         .caption = "学校信息与作息时间",
         .prompt = "设置学校名称、第一周的日期和每节课的时间",
         .module = "SchoolSettingsEdit",
         .open = kSchoolSettingsEdit,
         .separatorBefore = true},
        // The school's data in from its spreadsheets, and back out.
        {settings, "从工作簿导入…", "从 Excel 工作簿或 CSV 文件导入教师、课程、班级与课务分工",
         "WorkbookImport", kWorkbookImport},
        {settings, "导出到工作簿…", "把学校数据或空白模板写成 Excel 工作簿", "WorkbookExport",
         kWorkbookExport},
        {.menu = courses,
         .caption = "年段课程设置",
         .prompt = "年段课程设置",
         .module = "Gradecourse",
         .open = withMode(gradecourse, 0),
         .toolBarGroup = 0,
         .toolBarGlyph = "年"},
        {.menu = courses,
         .caption = "班级课程设置",
         .prompt = "设置一个班级学科、课时、课任教师",
         .module = "Classcourse",
         .open = kClasscourse,
         .toolBarGroup = 0,
         .toolBarGlyph = "班"},
        {courses, "课任教师选用", "", "Classteacher", kClassteacher},
        {courses, "教师课程预设", "", "PrearrangeLesson", kPrearrangeLesson},
        {courses, "复习课程设置", "", "Gradecourse", withMode(gradecourse, 1)},
        {courses, "课程性质设置", "", "CoursePropertyset", kCoursePropertyset},
        {.menu = arrange,
         .caption = "年段课程编排",
         .prompt = "年段课程编排",
         .module = "Gradelesson",
         .open = kGradelesson,
         .toolBarGroup = 0,
         .toolBarGlyph = "排"},
        {arrange, "复习课程编排", "", "Reviewlesson", kReviewlesson},
        // No menu entry on the original; the arrangement plan is reached from here.
        {.menu = arrange,
         .caption = "编排计划设置",
         .prompt = "设置班级课程不参与编排的时段",
         .module = "LessonorderPlan",
         .open = kLessonorderPlan,
         .separatorBefore = true},
        {.menu = manage,
         .caption = "年段任课教师替换",
         .prompt = "把整个年段任课教师替换到另一个年段任课教师",
         .module = "GTReplace",
         .open = kGTReplace,
         .shortcut = "Ctrl+X"},
        {manage, "个别任课教师替换", "", "TReplace", kTReplace},
        {manage, "早晚督修教师安排", "", "SuperviseOrder", kSuperviseOrder},
        {query, "任课教师周课程表", "", "Teachertable", kTeachertable},
        {query, "教师周课时数浏览", "", "Weekwork", kWeekwork},
        {query, "年段任课教师浏览", "年段各班任课教师浏览", "GTBrowse", kGTBrowse},
        {query, "早晚督修教师浏览", "", "Supervisebrowse", kSupervisebrowse},
        // Beyond the described menu: the timetables handed out, per class and per teacher.
        {.menu = query,
         .caption = "课表发布",
         .prompt = "发布每班、每位教师的课表与年段总课表：PDF、Excel、网页、日历",
         .module = "TimetablePublish",
         .open = kTimetablePublish,
         .separatorBefore = true},
        {.menu = attendance,
         .caption = "出勤情况录入",
         .prompt = "出勤情况录入",
         .module = "Attendanceinput",
         .open = kAttendanceinput,
         .toolBarGroup = 1,
         .toolBarGlyph = "录"},
        {.menu = attendance,
         .caption = "出勤情况预览",
         .prompt = "出勤情况查询",
         .module = "Attendancesquire",
         .open = kAttendancesquire,
         .toolBarGroup = 1,
         .toolBarGlyph = "览"},
        {.menu = attendance,
         .caption = "出勤情况周统计",
         .prompt = "出勤情况周统计",
         .module = "Attendancecount",
         .open = kAttendancecount,
         .toolBarGroup = 1,
         .toolBarGlyph = "周"},
        {.menu = attendance,
         .caption = "出勤情况月统计",
         .prompt = "出勤情况月统计",
         .module = "Attendancemonth",
         .open = kAttendancemonth,
         .toolBarGroup = 2,
         .toolBarGlyph = "月"},
        {attendance, "出勤情况学期统计", "", "Attendanceterm", kAttendanceterm},
        {attendance, "工作量设置", "各科标准工作量设定", "WeekworkSet", kWeekworkSet},
        // Beyond the described menu: a teacher's absence planned, applied and noticed at once.
        {.menu = attendance,
         .caption = "代课安排",
         .prompt = "为缺课教师安排代课或调课，写入出勤记录，打印代课通知单",
         .module = "CoverPlanning",
         .open = kCoverPlanning,
         .separatorBefore = true},
    };
}

DialogFactory withMode(const ModeDialogFactory& factory, int mode) {
    if (!factory) {
        return {};
    }
    return [factory, mode](QWidget* parent) { factory(parent, mode); };
}

bool runCommand(const DialogFactory& open, QWidget* parent, ui::Messenger& messenger) {
    if (!open) {
        return false; // no dialog yet; its entry is disabled, so only code gets here
    }
    return ui::reported(messenger, [&] { open(parent); });
}

} // namespace app
