// ExchangeCheck: where a picked lesson can go. For an exchange of cells within one class of a
// grade (a lesson with another cell, or the two halves of a double period with two
// neighbouring cells) it tells which problems of the grade the exchange would bring and which
// it would remove, in the terms of the grade's review (ArrangeReport.h) and the rules of
// TimetableRules.h: a teacher clash with any class of the school, a teacher's day over its
// limit, a lesson in a teacher's preset period or in a unified slot, a subject resource over
// its limit, the class's Chinese double period broken, and periods 1–2 without a main course.
//
// Only the cells the exchange touches, their teachers and their courses are looked at, before
// and after, so a whole row of targets is judged in a few milliseconds; the result is the
// same as reviewing the whole grade on a copy with the exchange applied. A target is green
// when the exchange brings no new problem, yellow when it only leaves periods 1–2 without a
// main course, red otherwise or when a cell it touches is locked. Pure C++; the timetable is
// copied at construction (it may be held in teacher or course names) and never changed.
#pragma once

#include "arrange/GridEditor.h"
#include "core/SchoolTimetable.h"
#include "timetable/AutoOrderData.h"
#include "timetable/TimetableRules.h"

#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace arrange {

struct RuleIssue {
    enum class Kind { Clash, Overload, Preset, Unified, Overrun, Double, MainCourse };
    Kind kind = Kind::Clash;
    std::string key;  // the same problem has the same key before and after an exchange
    std::string text; // in the user's words: "张伟 第三节已在初二⑷上课"
    bool hard() const { return kind != Kind::MainCourse; }
};

struct ExchangeVerdict {
    Shade shade = Shade::None;
    bool locked = false;
    std::vector<RuleIssue> broken; // problems the exchange brings
    std::vector<RuleIssue> fixed;  // problems it removes
    int hardChange() const;        // hard problems after minus before
    // The tooltip: why a target is red or yellow, one reason a line.
    std::string reason() const;
};

// The tooltip line of a resource over its limit: "物理第三节共3个班上课，上限2个班".
std::string overrunText(const timetable::ResourceOverrun& overrun);

class ExchangeCheck {
public:
    static constexpr const char* kLocked = "已锁定，不能移动";
    using Exchange = std::pair<GridPlace, GridPlace>;
    using Week = std::array<std::array<ExchangeVerdict, school::kSlots>, school::kDays>;

    ExchangeCheck(const timetable::AutoOrderData& data, const school::SchoolTimetable& held,
                  int grade);

    // The exchanges, applied in turn, within the class of their places.
    ExchangeVerdict judge(const std::vector<Exchange>& exchanges);

    // What moving the picked lesson (one place, or the two halves of a double period in period
    // order) to target means: the picked places exchanged with target and the periods after
    // it. Empty when the move is none (the target is picked) or cannot be made (a pair whose
    // second half would fall off the day or onto the pair itself).
    static std::vector<Exchange> movesTo(const std::vector<GridPlace>& picked,
                                         const GridPlace& target);

    // The verdict of every cell of the picked lesson's class, [day][period] (period 0 unused;
    // Shade::None where no move is made). isLocked tells the locked places of the grade.
    Week shadeWeek(const std::vector<GridPlace>& picked,
                   const std::function<bool(const GridPlace&)>& isLocked);

    // The teacher a cell stands for, whatever view its grade is held in.
    const std::string& teacherAt(const GridPlace& place) const;

private:
    void apply(const std::vector<Exchange>& exchanges);
    void undo(const std::vector<Exchange>& exchanges);
    void refresh(const GridPlace& place);
    std::map<std::string, RuleIssue> issues(int position, const std::vector<GridPlace>& cells,
                                            const std::vector<std::string>& teachers,
                                            const std::vector<std::string>& courses);
    bool heldInGrade(const school::SchoolTimetable& timetable, int day, int period,
                     const std::string& text) const;
    bool isUnified(int day, int period) const;
    int limitOf(const std::string& teacher);

    const timetable::AutoOrderData& m_data;
    int m_grade;
    school::SchoolTimetable m_held;
    school::SchoolTimetable m_teachers;
    school::SchoolTimetable m_courses;
    std::vector<timetable::UnifiedCourse> m_unified;
    std::array<bool, school::kMaxClasses> m_named{};
    std::map<std::string, int> m_limits;
};

} // namespace arrange
