#include "attendance/WorkloadTable.h"

#include "attendance/AttendanceTerms.h"
#include "attendance/StatisticsInput.h"
#include "core/Gbk.h"
#include "maintain/Weekwork.h"

#include <algorithm>

namespace attendance {
namespace {

enum Value {
    kDutySlots,
    kDutyAbsent,
    kFirstCategory, // 迟  到; 早  退, 事  假, 公  假, 缺  勤 follow
    kSubstitutions = 7,
    kWeeklyLoad = 8,
};

// The duty times a teacher is credited for, each once.
constexpr std::array<std::string_view, 10> kDutyTimes{"周一早", "周一晚", "周二早", "周二晚",
                                                      "周三早", "周三晚", "周四早", "周四晚",
                                                      "周五早", "周日晚"};
// The categories that count as absent from a supervised study.
constexpr std::array<std::string_view, 3> kDutyAbsences{"事  假", "公  假", "缺  勤"};
// The categories that break full attendance.
constexpr std::array<std::string_view, 4> kBreaksFullAttendance{"迟  到", "早  退", "事  假",
                                                                "缺  勤"};
// A name as the attendance dialog keeps it.
constexpr std::size_t kRecordNameBytes = 6;

template <class Range> bool contains(const Range& range, std::string_view text) {
    return std::find(range.begin(), range.end(), text) != range.end();
}

// The roster teacher a record names: the exact name, else the first whose name cut to the
// record's width is the record's name; null for none.
TeacherWorkload* teacherNamed(std::vector<TeacherWorkload>& teachers, const std::string& name) {
    if (namesNobody(name)) {
        return nullptr;
    }
    const auto exact = std::find_if(teachers.begin(), teachers.end(),
                                    [&](const TeacherWorkload& t) { return t.name == name; });
    if (exact != teachers.end()) {
        return &*exact;
    }
    const auto cut = std::find_if(teachers.begin(), teachers.end(), [&](const TeacherWorkload& t) {
        return !gbk::isBlank(t.name) && gbk::cut(t.name, kRecordNameBytes) == name;
    });
    return cut != teachers.end() ? &*cut : nullptr;
}

} // namespace

bool TeacherWorkload::fullAttendance() const {
    for (std::size_t c = 0; c < kCountedCategories; ++c) {
        if (contains(kBreaksFullAttendance, kCategories[c]) && values[kFirstCategory + c] > 0) {
            return false;
        }
    }
    return true;
}

const std::array<const char*, TeacherWorkload::kValues + 2>& workloadHeadings() {
    static const std::array<const char*, TeacherWorkload::kValues + 2> headings{
        "姓名", "督修出席", "督修缺席", "迟到",   "早退", "事假",
        "公假", "缺勤",     "公派代课", "超课时", "满勤"};
    return headings;
}

std::string fullAttendanceMark(const TeacherWorkload& teacher) {
    return teacher.fullAttendance() ? "√" : "";
}

void countDuties(std::vector<TeacherWorkload>& teachers,
                 std::span<const store::SuperviseRow> supervise) {
    for (TeacherWorkload& teacher : teachers) {
        if (gbk::isBlank(teacher.name)) {
            continue;
        }
        teacher.values[kDutySlots] = static_cast<int>(
            std::count_if(kDutyTimes.begin(), kDutyTimes.end(), [&](std::string_view time) {
                return std::any_of(supervise.begin(), supervise.end(),
                                   [&](const store::SuperviseRow& row) {
                                       return row.teacher == teacher.name && row.time == time;
                                   });
            }));
    }
}

void countAttendance(std::vector<TeacherWorkload>& teachers,
                     std::span<const store::AttendanceRow> records, WeekRange range) {
    for (const store::AttendanceRow& record : records) {
        const std::optional<int> week = wholeNumber(record.week);
        if (!week || *week < range.first || *week > range.last) {
            continue;
        }
        TeacherWorkload* teacher = teacherNamed(teachers, record.teacher);
        if (teacher == nullptr || !contains(recognisedPeriods(), record.period)) {
            continue;
        }
        if (contains(teachingPeriods(), record.period)) {
            for (std::size_t c = 0; c < kCountedCategories; ++c) {
                if (kCategories[c] == record.kind) {
                    ++teacher->values[kFirstCategory + c];
                }
            }
        } else if (contains(kDutyAbsences, record.kind)) {
            ++teacher->values[kDutyAbsent];
        }
        if (record.kind == kOfficialLeave) {
            if (TeacherWorkload* substitute = teacherNamed(teachers, record.substitute)) {
                ++substitute->values[kSubstitutions];
            }
        }
    }
}

Workload readWorkload(WeekRange range) {
    maintain::Weekwork weekwork;
    weekwork.count();
    Workload workload;
    for (const maintain::Weekwork::Entry& entry : weekwork.entries()) {
        TeacherWorkload teacher{entry.teacher, {}};
        teacher.values[kWeeklyLoad] = entry.weekly;
        workload.teachers.push_back(std::move(teacher));
    }

    store::CSORecord duties;
    const std::vector<store::SuperviseRow> supervise = duties.readAll();
    duties.close();
    countDuties(workload.teachers, supervise);

    store::CATRecord attendance;
    const std::vector<store::AttendanceRow> records = attendance.readAll();
    attendance.close();
    workload.attendanceEmpty = records.empty();
    countAttendance(workload.teachers, records, range);
    return workload;
}

reports::ReportTable workloadTable(const Workload& workload) {
    reports::ReportTable table;
    for (const TeacherWorkload& teacher : workload.teachers) {
        table.counts.push_back({teacher.name, {teacher.values.begin(), teacher.values.end()}});
    }
    return table;
}

} // namespace attendance
