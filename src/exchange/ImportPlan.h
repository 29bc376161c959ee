// What importing a school's workbook would do, worked out before anything is written: the
// rows each touched table would hold afterwards, the rows added, changed and removed, and the
// problems found, each with its sheet, row and column and a severity (错误 blocks the import,
// 警告 does not). Pure: it reads the workbook and the tables as given and touches no database.
//
// Only the tables of the sheets present are touched. 替换 (ImportMode::Replace) makes a touched
// table hold exactly the sheet's rows; 合并 (ImportMode::Merge) keeps the stored rows, updates
// those whose key the sheet names (a course or teacher by its name, a class course by class
// and course, a grade plan row by grade, course and plan, a unified slot by grade, day and
// period, a preset or a resource by teacher or course) in place and adds the others at the
// end. Either way rows are stored in the forms the dialogs store: canonical grade and class
// names, the class's courses in the order of its grade's plan, a teacher's presets as one
// 35-character mask, gradeclass in grade order with one row per grade that has classes.
//
// The problems' texts are listed in docs/exchange.md.
#pragma once

#include "exchange/SchoolTables.h"
#include "exchange/Workbook.h"

#include <array>
#include <string>
#include <vector>

namespace exchange {

enum class ImportMode { Replace, Merge };
enum class Severity { Error, Warning };

struct ImportProblem {
    std::string sheet;
    CellPlace place; // row 0: the sheet as a whole
    Severity severity = Severity::Error;
    std::string text;
    friend bool operator==(const ImportProblem&, const ImportProblem&) = default;
};

// "错误 课务分工!B3：未知课程“物里”"; "警告 统一课程：…" when the problem names no row.
std::string problemLine(const ImportProblem& problem);

struct TableChanges {
    std::string sheet;
    std::string table;
    std::vector<std::string> added;   // "初一⑴ 语文 张明 6"
    std::vector<std::string> changed; // "初一⑴ 语文 张明 6 → 初一⑴ 语文 李华 6"
    std::vector<std::string> removed;
};

struct ImportPlan {
    SchoolTables result;
    std::array<bool, kSchoolTables> touched{}; // in the order of forEachTable()
    std::vector<TableChanges> changes;         // one a touched table, in that order
    std::vector<ImportProblem> problems;       // in sheet and row order, then the warnings
                                               // about the whole school
    bool hasErrors() const;
    int count(Severity severity) const;
};

ImportPlan planImport(const Workbook& workbook, const SchoolTables& current, ImportMode mode);

// The preview as text lines: per touched table a summary line and its row lines, then the
// problems and a closing count.
std::vector<std::string> previewLines(const ImportPlan& plan);

} // namespace exchange
