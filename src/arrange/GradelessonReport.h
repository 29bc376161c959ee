// The grade timetable (and the review timetable) as a report document's table: the leading classes
// of a grade whose slot 0 holds a name of at least 4 GBK bytes, each with its 35 period cells as
// held (Monday periods 1..7, then Tuesday …), and the print title. The report module fills the
// empty and blank cells with "自习" and cuts every cell to one character in the document
// only: the timetable itself is never changed. The dialog and `tavlen-cli export lessons`
// both build their documents from here.
#pragma once

#include "core/SchoolTimetable.h"
#include "reports/ReportTable.h"

#include <string>

namespace arrange {

reports::ReportTable gradeTimetableTable(const school::SchoolTimetable& timetable, int grade);

// The review timetable of a grade over its review days: the leading named classes, each with
// the 70 cells of its ten days as held (day-major); the document shows days 1..days.
reports::ReportTable reviewTimetableTable(const school::ReviewTimetable& timetable, int grade,
                                          int days);

// 20 spaces, the grade's two characters spread out, then "  年  段  总  课  程  表".
std::string gradeTimetablePrintTitle(int grade);

} // namespace arrange
