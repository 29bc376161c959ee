// Classteacher: the logic behind "课任教师选用", which gives one teacher one course in many
// classes of a grade at once. The user chooses a grade, a course and a teacher; twenty
// class positions (⑴ … ⒇ of the grade, whatever its class count) then tell in which classes
// this teacher teaches this course according to table [classcourse], and toggling a
// position adds or removes the class.
//
// load() reads the course names (at most 20), the roster (at most 200) and each course's
// allowed teachers from [courseteacher] (at most 199 a course); without course names or
// teachers the dialog is unusable and unusableMessage() says why. Once grade, course and
// teacher are all chosen the classes are read from [classcourse]; a change of any of them
// reads them again: with unsaved toggles the user is asked first (kDiscardQuestion), and 否
// keeps the choice and the toggles as they were. load() also reads the grades' class counts
// ([gradeclass]): a class beyond its grade's count cannot be chosen (its button is disabled
// with a tool tip saying why); one the table already gives the teacher can still be removed.
//
// save() changes only the [classcourse] rows of the grade's toggled classes for the chosen
// course, in place, in one transaction: a removed teacher becomes eight spaces on every row
// where it taught the course in that class; an added class gets the teacher on its first
// row of the course. A class without any rows gets the grade's normal plan ([gradecourse],
// 天数 0) with the teacher on the course's row; a class whose plan lacks the course gets a
// row for it at the end, with the grade's weekly count for the course (0 if the grade has
// none). A save that cannot place a teacher (no plan for the class and none for the grade,
// or a class already holding 20 courses) writes nothing and says why. Other rows, other
// courses, other grades and the row order stay as they are.
//
// Text is UTF-8. load(), the choices that complete a selection and save() touch the
// database and may throw store::DbError.
#pragma once

#include "core/GradeClasses.h"
#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace planning {

class Classteacher {
public:
    static constexpr std::size_t kMaxCourses = 20;
    static constexpr std::size_t kMaxTeachers = 200;
    static constexpr std::size_t kMaxCourseTeachers = 199;
    // The most rows a class plan holds; the class course dialog shows no more.
    static constexpr std::size_t kMaxPlanRows = 20;
    static constexpr int kClasses = 20;

    static constexpr const char* kTitle = "课任教师选用";
    static constexpr const char* kNoCourses = "请设置学科课程名称!";
    static constexpr const char* kNoTeachers = "请输入全校教师姓名!";
    // What [教师] holds once this dialog has taken the teacher away.
    static constexpr const char* kRemovedTeacher = "        ";
    static constexpr const char* kDiscardQuestion = "课任教师选用已修改，放弃未存盘的修改吗？";

    explicit Classteacher(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the course names, the roster and the course teachers. False when the dialog
    // cannot be used.
    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The entries of the three selectors, in their order.
    static std::vector<std::string> gradeNames();
    const std::vector<std::string>& courses() const { return m_courses; }
    // The teachers offered: the roster at first; see refreshTeachers().
    const std::vector<std::string>& offeredTeachers() const { return m_offered; }

    // The selectors' choices. A text that is not among the entries offered chooses nothing.
    // When grade, course and teacher are all chosen the classes are read from the table.
    // False when the user declined to drop unsaved toggles: nothing changed.
    bool setGrade(const std::string& grade);
    bool setCourse(const std::string& course);
    bool setTeacher(const std::string& teacher);
    const std::string& grade() const { return m_grade; }
    const std::string& course() const { return m_course; }
    const std::string& teacher() const { return m_teacher; }
    // Grade, course and teacher chosen and the classes read: the class buttons work.
    bool complete() const { return m_loaded; }

    // Runs when the pointer moves over the dialog: the teachers offered become the chosen
    // course's allowed teachers, or the whole roster when the course has none (or no course
    // is chosen). A chosen teacher stays chosen and stays offered. True when the offered
    // list changed.
    bool refreshTeachers();

    // Class position k = 1..20 of the chosen grade.
    std::string buttonCaption(int k) const;
    bool isSelected(int k) const;
    // Whether button k works: the selection is complete and class k exists (or is selected).
    bool buttonEnabled(int k) const;
    // Why a button does not work: the grade's class count; empty otherwise.
    std::string buttonToolTip(int k) const;
    // Adds or removes class k; false (nothing changes) while the selection is incomplete,
    // k is out of range or names a class the grade does not have.
    bool toggleClass(int k);
    // Toggles not yet saved.
    bool modified() const { return m_loaded && m_current != m_stored; }
    // The selected class names in class order, the first seven on the first line and the
    // others on a second one.
    std::string selectionText() const;

    // Writes the toggled classes. True when saved, also when there was nothing to save;
    // false when refused (the user has been told and nothing was written).
    bool save();

private:
    void readClasses();
    // Whether a change of the selectors may drop the toggles (asking when there are some).
    bool mayDrop(bool changes);
    // Sets one of the selector fields to `chosen` and reads the classes; false when declined.
    bool choose(std::string& field, std::string chosen);
    const std::vector<std::string>* allowedTeachers(const std::string& course) const;

    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_courses;
    std::vector<std::string> m_roster;
    std::vector<std::vector<std::string>> m_courseTeachers; // parallel to m_courses
    std::vector<std::string> m_offered;
    std::string m_grade;
    int m_gradeIndex = -1;
    std::string m_course;
    std::string m_teacher;
    bool m_loaded = false;
    std::array<bool, kClasses> m_stored{};
    std::array<bool, kClasses> m_current{};
    school::GradeClasses m_classCounts;
};

} // namespace planning
