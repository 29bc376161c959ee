// TimetableTeachers: what the teacher replacements do to the arranged timetable (table
// [gradelesson]) and what they tell the user about it afterwards.
//
// replaceInTimetable() rewrites, in place (the rows keep their order), every Monday to Friday
// cell of the named classes that holds exactly a teacher of the class's swap list; Saturday and
// Sunday are never touched. It works on the connection of the class plans' record set, inside
// the transaction the caller opened there for the plans, so both tables change together or
// not at all (the caller commits); store::DbError carries the driver's text. It returns how
// many cells changed. cellsToReplace() counts the same cells, writing nothing.
//
// clashLines() lists, over the school in teacher names (timetable::loadTeacherTimetable), every
// period in which one of the given teachers teaches a class of the given grade (or of one
// class of it) and at least one other class at the same time: "付庆晓 星期一第三节：初二⑴、
// 高一⑵", day by day, then period by period, then class by class. Text is UTF-8.
#pragma once

#include "core/SchoolTimetable.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace store {
class RecordSet;
}

namespace maintain {

// Per class (grade number·100 + class number, as number div 100), former teacher → new one.
using TeacherSwaps = std::map<int, std::map<std::string, std::string>>;

int replaceInTimetable(const TeacherSwaps& swaps, store::RecordSet& plans);
int cellsToReplace(const TeacherSwaps& swaps);

// Grade 0..5; position 0..19 limits the list to that class.
std::vector<std::string> clashLines(const school::SchoolTimetable& teachers,
                                    const std::set<std::string>& names, int grade,
                                    std::optional<int> position = std::nullopt);

} // namespace maintain
