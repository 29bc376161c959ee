// WorkloadTable: the nine values per teacher behind "教师月份工作量统计表" and
// "教师学期工作量统计表" and their "months" document, for a range of school weeks.
//
// The teachers are the first 200 rows of [teachername], in table order. For each teacher:
//   value 0 "督修出席"  how many of the ten duty times 周一早 … 周五早, 周日晚 the teacher's
//                      [supervise] rows name, each time once (two classes on 周一早 count 1;
//                      周六早 and the other times count nothing);
//   value 1 "督修缺席"  records at 早督修 or 晚督修 whose category is 事  假, 公  假 or 缺  勤;
//   values 2 … 6      records 迟  到, 早  退, 事  假, 公  假, 缺  勤 in a teaching period
//                      (第一节 … 第七节);
//   value 7 "公派代课"  records 公  假 at a teaching or supervised-study period whose substitute
//                      is this teacher;
//   value 8 "超课时"    the weekly lessons of the teacher's [classcourse] rows, as the weekly
//                      lesson overview counts them (maintain::Weekwork);
// and "满勤" when no 迟  到, 早  退, 事  假 or 缺  勤 stands in a teaching period (an official
// leave does not break it).
//
// Attendance records count when their week text, read as a whole number, lies in the range,
// their teacher is on the roster and their period is a teaching or supervised-study period;
// any other record is passed over. The attendance dialog keeps a teacher's name to its first
// 6 GBK bytes, so a record's name matches the roster teacher of that name, else the first
// roster teacher whose name cut to 6 bytes is that name ("欧阳明" is 欧阳明月's record). The
// substitute is matched the same way.
//
// A roster row with a blank name keeps its position (its values stay 0): the document writes
// teacher i at entry position i and leaves blank ones out. Text is UTF-8; readWorkload() reads
// the database and may throw store::DbError.
#pragma once

#include "reports/ReportTable.h"
#include "store/CATRecord.h"
#include "store/CSORecord.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace attendance {

struct WeekRange {
    int first = 1;
    int last = 1;
};

// The term: school weeks 1 to 25.
inline constexpr WeekRange kTermWeeks{1, 25};

struct TeacherWorkload {
    static constexpr std::size_t kValues = 9;

    std::string name;
    std::array<int, kValues> values{};

    bool fullAttendance() const;

    friend bool operator==(const TeacherWorkload&, const TeacherWorkload&) = default;
};

struct Workload {
    std::vector<TeacherWorkload> teachers; // roster order, blank names included
    bool attendanceEmpty = true;           // [attendance] holds no record at all
};

// The list's column headings: "姓名", the nine values', "满勤".
const std::array<const char*, TeacherWorkload::kValues + 2>& workloadHeadings();

// "√" for a teacher with full attendance, "" otherwise.
std::string fullAttendanceMark(const TeacherWorkload& teacher);

// Values 0, 1 … 7 for teachers whose names and value 8 are set.
void countDuties(std::vector<TeacherWorkload>& teachers,
                 std::span<const store::SuperviseRow> supervise);
void countAttendance(std::vector<TeacherWorkload>& teachers,
                     std::span<const store::AttendanceRow> records, WeekRange range);

Workload readWorkload(WeekRange range);

// The "months" document's table: every teacher at its position, its nine values.
reports::ReportTable workloadTable(const Workload& workload);

} // namespace attendance
