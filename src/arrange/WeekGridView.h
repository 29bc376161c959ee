// What the week view of the grade timetable shows: the shown grade's named classes as rows,
// the 35 periods of the week as columns (day by day), each cell its course and its teacher in
// short forms with the whole texts, the conflicts and where the selected lesson can go in the
// tooltip; and beside the grid the week of the selected lesson's teacher and of the teacher
// under the pointer. Plain data, rebuilt by Gradelesson at every redraw.
#pragma once

#include "arrange/GridEditor.h"
#include "core/SchoolTimetable.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace arrange {

struct WeekCell {
    std::string course;  // cut to 4 GBK bytes
    std::string teacher; // cut to 6 GBK bytes
    std::string tooltip; // the whole course and teacher, the conflicts, the shade's reason
    CellMark mark = CellMark::None;
    bool locked = false;
    bool pressed = false;
    Shade shade = Shade::None;
};

struct WeekRow {
    int position = 0; // the class position in the grade
    std::string className;
    std::array<WeekCell, school::kDays * school::kPeriods> cells{}; // day·7 + period − 1
};

struct WeekGridView {
    static constexpr const char* kWeekView = "按周查看";
    static constexpr const char* kDayView = "按天查看";
    std::vector<WeekRow> rows;
    // A teacher's week for the panel: slot 0 the teacher, periods as class over course.
    using TeacherWeek = school::SchoolTimetable::Week;
    std::optional<TeacherWeek> pickedTeacher; // the selected lesson's teacher
    std::optional<TeacherWeek> targetTeacher; // another teacher in the cell under the pointer
};

} // namespace arrange
