// Gradeteacheredit: which teachers teach each subject (table [courseteacher], one row per
// course and teacher, the same for every grade). The logic behind the dialog
// "一个年段所有课任教师的编辑".
//
// load() reads the course names (at most 20) and the roster (at most 200); when either
// table holds no name the dialog is unusable and unusableMessage() says why. Choosing a
// subject reads that subject's teachers from the table; when the subject chosen before has
// unsaved changes the user is asked first (kDiscardQuestion), and 否 keeps that subject and
// its changes. add/remove edit the subject's list in memory; save() replaces
// the subject's rows (rows of other subjects stay) in one transaction. Without a chosen
// subject, add and save are refused with a message and nothing is written.
// Text is UTF-8; load(), chooseSubject() and save() touch the database and may throw
// store::DbError.
#pragma once

#include "core/Messenger.h"

#include <cstddef>
#include <string>
#include <vector>

namespace masterdata {

class Gradeteacheredit {
public:
    static constexpr std::size_t kMaxCourses = 20;
    static constexpr std::size_t kMaxTeachers = 200;

    static constexpr const char* kTitle = "一个年段所有课任教师的编辑";
    static constexpr const char* kNoCourses = "请设置学科课程名称!";
    static constexpr const char* kNoTeachers = "请输入所有教师名字!";
    static constexpr const char* kNoSubject = "请先选择学科!";
    static constexpr const char* kDiscardQuestion = "学科课任教师已修改，放弃未存盘的修改吗？";

    explicit Gradeteacheredit(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the course names and the roster. False when the dialog cannot be used.
    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The subject selector's entries and the left list, in table order.
    const std::vector<std::string>& courses() const { return m_courses; }
    const std::vector<std::string>& roster() const { return m_roster; }

    // Makes courses()[index] the subject and reads its teachers; an index outside the
    // course list chooses no subject. False when the user kept unsaved changes: nothing
    // changed, and subjectIndex() tells what the selector should show again.
    bool chooseSubject(int index);
    // The chosen subject's place in courses(), or -1.
    int subjectIndex() const;
    // The subject's list differs from what was read or saved.
    bool modified() const { return hasSubject() && m_subjectTeachers != m_savedTeachers; }
    bool hasSubject() const { return !m_subject.empty(); }
    const std::string& subject() const { return m_subject; }

    // The right list: the subject's teachers in order.
    const std::vector<std::string>& subjectTeachers() const { return m_subjectTeachers; }

    // Adds roster()[rosterIndex] to the subject unless it is there already. False when
    // nothing was added (no selection, already present, list full, or no subject, which is
    // also told to the user).
    bool addTeacher(int rosterIndex);
    // Removes subjectTeachers()[index]; false when the index selects nothing.
    bool removeTeacher(int index);

    // Replaces the subject's rows by its list. False (told to the user) without a subject.
    bool save();

private:
    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_courses;
    std::vector<std::string> m_roster;
    std::string m_subject;
    std::vector<std::string> m_subjectTeachers;
    std::vector<std::string> m_savedTeachers; // as read or last saved
};

} // namespace masterdata
