// Applying a cover plan: one [attendance] record per missed lesson that is not swapped —
// the absent teacher (the 6 bytes the attendance form shows), the week, the class, the date,
// the weekday, the period, the category and 补课 = the substitute (empty when nobody covers
// it, the remark then saying "无人代课") — so the weekly, monthly and term statistics count
// them as they count the form's records. A swapped lesson writes nothing.
//
// applyPlan() works on the school as it is now (a fresh CoverPlanner): when the timetable's
// digest differs from the plan's, the user is asked whether to apply all the same (否: nothing
// is written); every substitute and swap is checked again (conflicts(): someone given a class
// meanwhile, a record of another cover at that period, a leave) and, if any fails, nothing is
// written and the lessons are named. Otherwise the records the plan owns are replaced by the
// plan's, in one transaction: applying a plan twice, or again after a change, never doubles a
// record; when they are already exactly the plan's nothing is written at all.
#pragma once

#include "core/Messenger.h"
#include "cover/CoverPlan.h"
#include "cover/CoverPlanner.h"
#include "store/CATRecord.h"

#include <string>
#include <vector>

namespace cover {

inline constexpr const char* kUncoveredRemark = "无人代课";
inline constexpr const char* kTimetableChanged =
    "制定这份代课安排之后，课程表已经修改过，安排中的课可能已不在原来的节次。仍然应用吗？";

std::vector<store::AttendanceRow> attendanceRows(const CoverPlan& plan);

struct ApplyOutcome {
    enum class Kind { Applied, Unchanged, Declined, Conflicts };
    Kind kind = Kind::Applied;
    int written = 0;                    // records written
    std::vector<std::string> conflicts; // the lessons that no longer hold
    // What to tell the user: "已写入 14 条出勤记录。" and so on.
    std::string message() const;
};

// Throws store::DbError when the write fails (nothing written then); ui::Declined when the
// overwrite question of the store was answered 否.
ApplyOutcome applyPlan(const CoverPlan& plan, const CoverPlanner& now, ui::Messenger& messenger);

} // namespace cover
