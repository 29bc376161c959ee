// PrearrangeLesson: the periods of the school week in which a teacher is not to be given a
// lesson (table [lessonprearrange], one row per teacher). The logic behind the dialog
// "教师课程预设".
//
// A teacher's presets are a mask of 35 characters '0' or '1': character (day - 1) * 7 +
// (period - 1) stands for day 1..5 (Monday..Friday) and period 1..7, '1' meaning the teacher
// must not teach then. A stored mask shorter than 30 characters counts as no presets at all;
// of a longer one only the '1' characters at positions 0..34 count.
//
// load() reads the roster (at most 200 names, stopping at the first blank one); an empty
// roster makes the dialog unusable and unusableMessage() says why. Choosing a teacher reads
// that teacher's mask; unsaved marks of the teacher chosen before are given up only after the
// user agrees (kDiscardQuestion), 否 keeping that teacher and the marks. save()
// stores the marks as a 35-character mask in the teacher's row where it stands in the table's
// order (an all-'0' mask included); rows of other teachers stay as they are. The table is
// written back whole in one transaction, so its rows get new hidden keys in the same order. Without
// a chosen teacher a save is refused with a message and nothing is written. Text is UTF-8; load(),
// chooseTeacher() and save() touch the database and may throw store::DbError.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace planning {

class PrearrangeLesson {
public:
    static constexpr std::size_t kMaxTeachers = 200;
    static constexpr int kDays = 5;
    static constexpr int kPeriods = 7;
    static constexpr std::size_t kMaskLength = 35;
    // A stored mask shorter than this holds no presets.
    static constexpr std::size_t kShortestMask = 30;

    static constexpr const char* kTitle = "教师课程预设";
    static constexpr const char* kNoTeachers = "请输入所有教师姓名!";
    static constexpr const char* kNoTeacher = "请先选择教师!";
    static constexpr const char* kDiscardQuestion = "教师课程预设已修改，放弃未存盘的修改吗？";
    static constexpr const char* kMarked = "不排";
    static constexpr const char* kUnmarked = "  ";

    using Marks = std::array<bool, kMaskLength>;

    explicit PrearrangeLesson(ui::Messenger& messenger) : m_messenger(messenger) {}

    // The mask position of day 1..5 and period 1..7.
    static constexpr std::size_t position(int day, int period) {
        return static_cast<std::size_t>((day - 1) * kPeriods + (period - 1));
    }
    // The marks a stored mask holds, and the mask that stores the marks.
    static Marks marksOf(const std::string& mask);
    static std::string maskOf(const Marks& marks);

    // Reads the roster. False when the dialog cannot be used.
    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The teacher selector's entries, in table order.
    const std::vector<std::string>& roster() const { return m_roster; }

    // Makes roster()[index] the teacher and reads the teacher's mask; an index outside the
    // roster chooses no teacher. Either way the marks start afresh. False when the user kept
    // unsaved marks: nothing changed, and teacherIndex() tells what the selector should show.
    bool chooseTeacher(int index);
    int teacherIndex() const;
    bool modified() const { return hasTeacher() && m_marks != m_savedMarks; }
    bool hasTeacher() const { return !m_teacher.empty(); }
    const std::string& teacher() const { return m_teacher; }

    // The grid: day 1..5, period 1..7; anything else is never marked and cannot be toggled.
    bool isMarked(int day, int period) const;
    // The text of a grid button: "不排" when marked, two blanks when not.
    std::string cellText(int day, int period) const;
    void toggle(int day, int period);
    const Marks& marks() const { return m_marks; }

    // Stores the marks as the teacher's mask. False (told to the user) without a teacher.
    bool save();

private:
    static bool valid(int day, int period);

    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_roster;
    std::string m_teacher;
    Marks m_marks{};
    Marks m_savedMarks{}; // as read or last saved
};

} // namespace planning
