// GradelessonInit: the logic behind "年段课程初始化", which clears planning data before a
// grade or a class is planned afresh. The user names a target (a grade "初一" … "高三" or one
// of its twenty class names, 126 entries in all, whatever the grade's class count) and a
// choice (a course name, "所有" for everything or "课程表" for the timetable only); after a
// question answered 确定 (its default button is 取消, so Return deletes nothing) remove()
// deletes:
//   - 课程表: the target's rows of [gradelesson] (a grade's rows are those whose number
//     belongs to the grade, a class's those whose class is its name);
//   - 所有:   those rows and the target's rows of [classcourse] (a grade's rows are those
//     whose class name begins with the grade name);
//   - a course: the target's [classcourse] rows of that course, and in the target's timetable
//     rows every cell holding the course name, or the name of a teacher of that course in
//     the row's own class, becomes two blanks; the timetable rows themselves stay.
// A teacher's cells are matched in the classes where the teacher gives the course only, so
// the lessons a teacher gives of another course in another class of the grade survive. In a
// class where the same teacher gives two courses the cells cannot be told apart (they hold
// the name only) and both go.
//
// Every other row, and the order of all rows, stays as it was. Each table is changed in one
// transaction, the timetable first; when the class plans then fail, the timetable is put back
// as it was, so a failed initialisation changes nothing and the driver's text reaches the
// user. Text is UTF-8; load() and remove() touch the database and may throw store::DbError.
#pragma once

#include "core/Messenger.h"

#include <cstddef>
#include <string>
#include <vector>

namespace planning {

class GradelessonInit {
public:
    static constexpr std::size_t kMaxCourses = 20;

    static constexpr const char* kTitle = "年段课程初始化";
    static constexpr const char* kNoCourses = "请设置学科课程名称";
    static constexpr const char* kNoTarget = "请输入删除年段或班级！";
    static constexpr const char* kNoChoice = "请输入删除学科或课程表！";
    static constexpr const char* kEverything = "所有";
    static constexpr const char* kTimetable = "课程表";
    static constexpr const char* kQuestionCaption = "!删除年段或班级课程";
    static constexpr const char* kDoneCaption = "删除信息";
    // What a cleared timetable cell holds.
    static constexpr const char* kBlankCell = "  ";

    explicit GradelessonInit(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the course names. False (and unusableMessage() says why) without any.
    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The selectors' entries: each grade followed by its twenty classes; the course names in
    // table order followed by "所有" and "课程表".
    static std::vector<std::string> targets();
    std::vector<std::string> choices() const;

    // A text that is not among the entries offered chooses nothing.
    void setTarget(const std::string& target);
    void setChoice(const std::string& choice);
    const std::string& target() const { return m_target; }
    const std::string& choice() const { return m_choice; }

    // The question asked before anything is deleted, under kQuestionCaption.
    std::string confirmationText() const;

    // Deletes what the target and choice name, after the user has confirmed. True when
    // deleted (and reported to the user); false when refused for a missing target or choice,
    // or when the user declined: nothing was written then.
    bool remove();

private:
    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_courses;
    std::string m_target;
    std::string m_choice;
};

} // namespace planning
