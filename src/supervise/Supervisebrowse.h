// The duty roster as "早晚督修教师浏览" shows it and the duty roster document made from it;
// the browse dialog and `tavlen-cli export supervis` both read and build through here.
//
// The grid holds the heading row ("班级" and the fourteen times) and one row per class, in the
// order [supervise] first names the classes, every class however many. Each cell holds the
// teacher on duty at that time (a later row for the same class and time names the teacher),
// cut to 8 GBK bytes like every cell. A row without a class name (fewer than 4 bytes) names no
// class and is passed over; a row whose time is none of the fourteen only lists its class.
// The rare times "周五晚", "周六早", "周六晚" and "周日早" are dropped when no class has a
// teacher there, the later columns moving left, so that usually cell 10 holds "周日晚".
//
// The document takes each row's cell 0, cell 10, then cells 1 … 9: a week read from Sunday
// evening. Reading may throw store::DbError. Text is UTF-8.
#pragma once

#include "reports/ReportTable.h"
#include "store/CSORecord.h"

#include <span>
#include <string>
#include <vector>

namespace supervise {

using DutyGrid = std::vector<std::vector<std::string>>;

inline constexpr const char* kBrowseTitle = "早晚督促修教师表";
inline constexpr std::size_t kGridCells = 15;

DutyGrid dutyGrid(std::span<const store::SuperviseRow> rows);
DutyGrid readDutyGrid();

// The list's headings: cell 0 and the times up to the first empty heading.
std::vector<std::string> shownHeadings(const DutyGrid& grid);

reports::ReportTable dutyRosterTable(const DutyGrid& grid);
// "班  级  年  段  督  修  表".
std::string dutyRosterPrintTitle(const DutyGrid& grid);

} // namespace supervise
