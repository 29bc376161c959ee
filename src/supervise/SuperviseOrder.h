// SuperviseOrder: the logic behind "早晚督修安排", which assigns one teacher to the morning or
// evening supervised study of classes of a grade. The user chooses a grade, a time and a
// teacher; the twenty class positions (⑴ … ⒇ of the grade) then tell which classes this
// teacher supervises at that time according to table [supervise], and toggling a position
// adds or removes the class.
//
// load() reads the roster (at most 200 names, up to the first blank one); without a name the
// dialog is unusable (kNoTeachers). choose() reads the classes once grade, time and teacher
// are all given; a choice with any of them blank reads nothing and changes nothing. Reading
// also notes, for every class of the grade, who is on duty there at the chosen time, so that
// the buttons can show the whole time slot while the user assigns. A choice that changes the
// grade, time or teacher while toggles are unsaved asks first (kDiscardQuestion); 否 keeps
// everything as it was. Classes beyond the grade's class count ([gradeclass], read by load())
// cannot be selected; their buttons are disabled with a tool tip saying why, unless the table
// already has them, so that they can be taken off.
//
// save() adds the rows of the selected classes that lack one and deletes the rows of the
// classes unselected since the classes were read, in one transaction. A class holds one
// teacher a time: when a selected class already has another teacher at that time the user is
// asked once, for all such classes, whether to change them to the chosen teacher; 是 replaces
// those rows, 否 saves nothing. Other times, other grades and the order of the other rows stay
// as they are.
//
// Text is UTF-8. load(), choose() and save() touch the database and may throw store::DbError;
// the selection is kept when they do.
#pragma once

#include "core/GradeClasses.h"
#include "core/Messenger.h"
#include "core/SchoolNames.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace supervise {

class SuperviseOrder {
public:
    static constexpr std::size_t kMaxTeachers = 200;
    static constexpr int kClasses = school::kMaxClasses;

    static constexpr const char* kTitle = "早晚督修安排";
    static constexpr const char* kNoTeachers = "请输入所有教师姓名!";
    static constexpr const char* kDiscardQuestion = "督修安排已修改，放弃未存盘的修改吗？";

    explicit SuperviseOrder(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the roster; false when it holds no name.
    bool load();
    const std::vector<std::string>& teachers() const { return m_teachers; }
    static std::vector<std::string> gradeNames();
    static std::vector<std::string> timeNames();

    // The three boxes' texts after a choice in any of them. False when the user declined to
    // drop unsaved toggles: nothing changed, and grade(), time() and teacher() tell what the
    // boxes should show again.
    bool choose(const std::string& grade, const std::string& time, const std::string& teacher);
    std::string grade() const;
    const std::string& time() const { return m_time; }
    const std::string& teacher() const { return m_teacher; }
    // The classes have been read for a grade, time and teacher: the class buttons work.
    bool loaded() const { return m_loaded; }

    // Class position k = 1..20: the class name, and on a second line whoever is on duty
    // there at the chosen time as saved; empty before the classes are read.
    std::string buttonCaption(int k) const;
    // "周三晚督修：张三", or "周三晚尚无督修教师"; empty before the classes are read.
    std::string buttonToolTip(int k) const;
    bool isSelected(int k) const;
    // Whether button k works: the classes are read and class k exists (or is selected).
    bool buttonEnabled(int k) const;
    // Selects or unselects class k; false (nothing changes) before the classes are read or
    // for a class the grade does not have.
    bool toggleClass(int k);
    // The selected classes for "选定班级：", the first seven on the first line.
    std::string selectionText() const;
    // Toggles not yet saved.
    bool modified() const { return m_loaded && m_selected != m_hadRow; }

    // Writes the selection. True when saved, also when there was nothing to save; false when
    // the user answered 否 (nothing written).
    bool save();

private:
    void readClasses();

    ui::Messenger& m_messenger;
    std::vector<std::string> m_teachers;
    int m_grade = -1;
    std::string m_time;
    std::string m_teacher;
    bool m_loaded = false;
    std::array<bool, kClasses> m_selected{};
    std::array<bool, kClasses> m_hadRow{};
    std::array<std::vector<std::string>, kClasses> m_onDuty{}; // as saved, chosen time
    school::GradeClasses m_classCounts;
};

} // namespace supervise
