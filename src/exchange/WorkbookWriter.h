// The school's workbook out of the tables: every sheet of WorkbookFormat, each a header row
// and one row per stored row (课程, 教师 with each teacher's courses joined by "、" in course
// order, 班级, 年段课程 with 复习天数 only for the review plan, 课务分工, 教师不排 as one row per
// day of a teacher's presets (a teacher without any: one row with empty 星期 and 节次),
// 统一课程, 资源), so that importing it (替换) into an empty database gives the same rows in
// the same order. The template is the same sheets with their header and one example row.
//
// schoolWorkbook() and templateWorkbook() are pure. writeWorkbookFile() writes a workbook
// with libxlsxwriter through publish::OutputTarget, so the file appears whole or not at all;
// a cell holding a whole number in its shortest form is written as a number, any other as
// text. Refusals and failures throw publish::PublishError (an existing file is replaced only
// when replace is true).
#pragma once

#include "exchange/SchoolTables.h"
#include "exchange/Workbook.h"

#include <filesystem>

namespace exchange {

Workbook schoolWorkbook(const SchoolTables& tables);
Workbook templateWorkbook();

void writeWorkbookFile(const Workbook& workbook, const std::filesystem::path& target, bool replace);

} // namespace exchange
