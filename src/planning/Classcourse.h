// Classcourse: the logic of the dialog "班级课程设置": for one class at a time, its courses, the
// teacher of each and the weekly lesson counts (table [classcourse], one row per class and
// course). The rows of a class are written in slot order, and that order matters: the
// arrangement takes the first four rows of a class as its main courses, and the row "语文"
// receives the double period.
//
// load() reads the master data once, in this order, stopping at the first that is missing:
// the course names (at most 20), the class counts of the grades, the teacher roster (at most
// 200) and the teachers allowed for each course (at most 199 a course). When one is missing
// the dialog is unusable and unusableMessage() says why; the logic itself says nothing then.
//
// chooseClass() reads the class's rows (at most 20); a class without rows is offered its
// grade's normal plan, without teachers, and a class whose grade has none either cannot be
// edited (the dialog closes with its message). A stored weekly count outside 0..30 shows
// as 0, whether it comes from the class or from the grade plan. Until the class's rows have
// been read no class counts as chosen, so a failed read never leads to a save that deletes
// the class's rows.
//
// The 18 slots show plan entries 1 to 18; entries 19 and 20 are kept and written back. take()
// copies the slots into the plan and refuses a weekly count that is not a whole number in
// 0..30 in a slot that has a course. save() replaces the chosen class's rows (rows of other
// classes stay) in one transaction: a failure leaves the table as it was and throws
// store::DbError. Without a chosen class nothing is written.
// Text is UTF-8; load(), chooseClass() and save() touch the database and may throw.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace planning {

class Classcourse {
public:
    static constexpr int kSlots = 18;   // shown in the grid, 6 rows of 3
    static constexpr int kEntries = 20; // kept in the plan and written back
    static constexpr int kMaxWeekly = 30;
    static constexpr std::size_t kMaxCourses = 20;
    static constexpr std::size_t kMaxTeachers = 200;
    static constexpr std::size_t kMaxCourseTeachers = 199;
    static constexpr std::size_t kNameBytes = 10;

    static constexpr const char* kTitle = "班级课程设置";
    static constexpr const char* kNoCourses = "请设置学科名称!";
    static constexpr const char* kNoClasses = "请设置年段的班级数!";
    static constexpr const char* kNoTeachers = "请输入全校教师姓名!";
    static constexpr const char* kNoCourseTeachers = "请编辑各学科教师!";
    static constexpr const char* kNoGradePlan = "请先进行年段课程设置！";
    static constexpr const char* kChooseClass = "请选择班级！";
    static constexpr const char* kChooseClassFirst = "请先选择班级！";
    static constexpr const char* kWeeklyRange = "周课时请输入一个 0 到 30 之间的整数。";
    static constexpr const char* kTooManyRows = "这个班级的课程超过20门，存盘时只保留前20门。";
    static constexpr const char* kDiscardQuestion = "班级课程已修改，放弃未存盘的修改吗？";

    struct Entry {
        std::string course{};
        std::string teacher{};
        int weekly = 0;
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    using Plan = std::array<Entry, kEntries>;

    // One slot as its controls hold it.
    struct SlotText {
        std::string course{};
        std::string teacher{};
        std::string weekly{};
    };
    using Slots = std::array<SlotText, kSlots>;

    enum class ClassChoice {
        Shown,  // the class's plan (or its grade's proposal) is in the plan
        NoPlan, // neither the class nor its grade has a plan: told, the dialog closes
    };

    explicit Classcourse(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the master data. False when the dialog cannot be used.
    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // All classes, grade by grade in the fixed order, each grade's first N ("初一⑴" …).
    const std::vector<std::string>& classNames() const { return m_classNames; }
    // What every course box offers: the first name, then each next while it is at least
    // 3 bytes long.
    std::vector<std::string> courseChoices() const;
    // The same for the whole roster, what every teacher box offers at first.
    std::vector<std::string> rosterChoices() const;
    // What the teacher box of slot 0..17 offers now.
    const std::vector<std::string>& teacherChoices(int slot) const;
    // The teachers allowed for a course (empty for a course without any).
    std::vector<std::string> courseTeachers(const std::string& course) const;

    // Each slot whose course has allowed teachers offers them from now on; other slots keep
    // what they offered. Returns the slots whose offer changed. Called whenever the pointer
    // moves over the dialog; the slots' texts themselves stay as they are.
    std::vector<int> refreshTeacherChoices(const Slots& slots);

    // Makes classNames()[index] the class and reads its plan; an index outside the list
    // chooses no class and clears the plan.
    ClassChoice chooseClass(int index);
    bool hasClass() const { return !m_className.empty(); }
    const std::string& className() const { return m_className; }

    const Plan& plan() const { return m_plan; }
    // Plan entry 0..17 as its slot shows it.
    SlotText slotText(int slot) const;

    // A course or teacher was chosen in a slot: in slot 0 without a class the user is
    // reminded to choose one; the choice stays.
    void courseChosen(int slot);
    void teacherChosen(int slot);

    // Whether the slots hold a plan other than the one read or last taken, as take() and save()
    // would store it: a slot without a course never counts, counts are compared as numbers.
    // Choosing another class asks kDiscardQuestion first when this holds.
    bool edited(const Slots& slots) const;

    // Copies the slots into plan entries 1..18. A slot with a course (at least 4 bytes)
    // whose weekly count is not a whole number in 0..30 is refused: the user is told,
    // nothing changes, and its slot comes back.
    std::optional<int> take(const Slots& slots);

    // Replaces the class's rows by the plan's entries with a course of at least 4 bytes, in
    // entry order. False (told to the user) without a class.
    bool save();

private:
    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_courses;
    std::vector<std::string> m_roster;
    std::vector<std::string> m_classNames;
    // Teachers allowed for the first course names (while they are at least 4 bytes).
    std::vector<std::pair<std::string, std::vector<std::string>>> m_courseTeachers;
    std::array<std::vector<std::string>, kSlots> m_teacherChoices;
    std::string m_className;
    Plan m_plan{};
};

} // namespace planning
