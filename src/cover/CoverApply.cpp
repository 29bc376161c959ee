#include "cover/CoverApply.h"

#include "attendance/Attendanceinput.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <algorithm>

namespace cover {

std::vector<store::AttendanceRow> attendanceRows(const CoverPlan& plan) {
    const auto shown = [](const std::string& name) {
        return gbk::cut(name, attendance::Attendanceinput::kShownNameBytes);
    };
    std::vector<store::AttendanceRow> rows;
    for (const CoverLesson& lesson : plan.lessons) {
        if (lesson.swap) {
            continue;
        }
        store::AttendanceRow row;
        row.teacher = shown(plan.request.teacher);
        row.week = std::to_string(lesson.week);
        row.className = lesson.className;
        row.date = lesson.date;
        row.weekday = std::string(school::kDayNames[static_cast<std::size_t>(lesson.day)]);
        row.period = std::string(school::kPeriodNames[static_cast<std::size_t>(lesson.period - 1)]);
        row.kind = plan.request.category;
        row.substitute = shown(lesson.substitute);
        row.remark = lesson.substitute.empty() ? kUncoveredRemark : "";
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string ApplyOutcome::message() const {
    switch (kind) {
    case Kind::Applied:
        return "已写入 " + std::to_string(written) + " 条出勤记录。";
    case Kind::Unchanged:
        return "这份代课安排已经应用过，出勤记录没有变化。";
    case Kind::Declined:
        return "没有应用代课安排。";
    case Kind::Conflicts:
        break;
    }
    std::string text = "下列课的安排已不成立，没有写入任何记录，请重新选择：";
    for (const std::string& line : conflicts) {
        text += "\n" + line;
    }
    return text;
}

ApplyOutcome applyPlan(const CoverPlan& plan, const CoverPlanner& now, ui::Messenger& messenger) {
    ApplyOutcome outcome;
    if (plan.timetableDigest != now.school().timetableDigest &&
        !messenger.confirm(kTimetableChanged)) {
        outcome.kind = ApplyOutcome::Kind::Declined;
        return outcome;
    }
    outcome.conflicts = now.conflicts(plan);
    if (!outcome.conflicts.empty()) {
        outcome.kind = ApplyOutcome::Kind::Conflicts;
        return outcome;
    }
    const std::vector<store::AttendanceRow> rows = attendanceRows(plan);
    std::vector<store::AttendanceRow> owned;
    for (const store::AttendanceRow& record : now.school().attendance) {
        if (now.owns(plan, record)) {
            owned.push_back(record);
        }
    }
    if (std::is_permutation(owned.begin(), owned.end(), rows.begin(), rows.end())) {
        outcome.kind = ApplyOutcome::Kind::Unchanged;
        return outcome;
    }
    store::CATRecord().replace(
        [&](const store::AttendanceRow& record) { return now.owns(plan, record); }, rows);
    outcome.written = static_cast<int>(rows.size());
    return outcome;
}

} // namespace cover
