// The grade timetable as a report document's table: the leading classes of a grade whose
// slot 0 holds a name of at least 4 GBK bytes, each with its 35 period cells as held
// (Monday periods 1..7, then Tuesday …), and the print title. The report module fills the
// empty and blank cells with "自习" and cuts every cell to one character in the document
// only: the timetable itself is never changed. The dialog and `tavlen-cli export lessons`
// both build their documents from here.
#pragma once

#include "core/SchoolTimetable.h"
#include "reports/ReportTable.h"

#include <string>

namespace arrange {

reports::ReportTable gradeTimetableTable(const school::SchoolTimetable& timetable, int grade);

// 20 spaces, the grade's two characters spread out, then "  年  段  总  课  程  表".
std::string gradeTimetablePrintTitle(int grade);

} // namespace arrange
