// GTReplace: the logic behind "年段任课教师替换", which carries the course teachers of every
// class of one grade over to the same-numbered classes of another grade, typically when the
// classes move up a year and keep their teachers.
//
// replace() takes the courses that [gradecourse] plans for the new grade: its rows of 天数 0 in
// table order, at most 20 (a blank course name, or a row whose numbers cannot be read, plans
// nothing). With fewer than four the new grade is not planned yet: kNoPlan is shown, nothing is
// written and the dialog closes. Otherwise the teacher of class c of the former grade for a
// planned course is that of its last [classcourse] row of the course. Class c passes its
// teachers on only when its first planned course has a teacher (at least 4 GBK bytes); then
// every course with a teacher is written to class c of the new grade: each of that class's rows
// of the course takes the teacher and the planned weekly count, in place, and a course without
// a row gets one at the end of the table. Classes whose first course has no teacher, courses
// without a teacher, and rows of courses outside the plan stay as they are; former and new may
// be the same grade (the teachers stay, the weekly counts follow the plan).
//
// Before anything is written the user is asked, with the number of new classes whose rows
// change; 否 writes nothing. When no row would change the user is told so instead. The rows
// change in one transaction, computed from the table as it stands inside it: a failure leaves
// the table as it was and throws store::DbError with the driver's text.
//
// Beside the class plans, the new grade's timetable can follow them: when [gradelesson] holds
// a former teacher whose rows of a class all went to one new teacher (and who keeps no other
// course there), kTimetableQuestion is asked too, before anything is written. On 是 those
// Monday to Friday cells of the class take the new teacher right after the plans are written;
// should the timetable fail, the plans are put back and nothing has changed. Then every period
// in which a new teacher now teaches a class of the new grade and another class at once is
// listed after kClashesAfter ("王伟 星期一第三节：初二⑴、初三⑵", in teacher names). Text is
// UTF-8.
#pragma once

#include "core/Messenger.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace maintain {

class GTReplace {
public:
    static constexpr std::size_t kMaxCourses = 20;
    // A grade with fewer planned courses has not been planned yet.
    static constexpr std::size_t kMinCourses = 4;

    static constexpr const char* kTitle = "年段任课教师替换";
    static constexpr const char* kNoPlan = "请设置新年段学科及课时!";
    static constexpr const char* kNoGrades = "请选择原任课年段和新任课年段!";
    static constexpr const char* kNothingToReplace = "没有需要替换的任课教师。";
    static constexpr const char* kTimetableQuestion = "是否同时替换该年段课程表中的教师？";
    static constexpr const char* kClashesAfter = "替换后以下教师碰课：";

    // What the dialog does after replace().
    enum class Outcome {
        Done,    // replaced, or nothing needed replacing
        Stopped, // refused or declined: nothing written, the dialog stays open
        Close,   // the new grade is not planned: nothing written, the dialog closes
    };

    explicit GTReplace(ui::Messenger& messenger) : m_messenger(messenger) {}

    // The entries of both selectors: "初一" … "高三".
    static std::vector<std::string> grades();

    // A text that is not among the grades chooses none.
    void setFormerGrade(const std::string& grade);
    void setNewGrade(const std::string& grade);

    // The question asked before anything is written.
    std::string confirmationText(int classes) const;

    Outcome replace();

private:
    ui::Messenger& m_messenger;
    std::optional<int> m_former;
    std::optional<int> m_new;
};

} // namespace maintain
