// WorkbookImport: the logic of "从工作簿导入…" (系统设置). The user chooses one .xlsx
// workbook or several .csv files and the mode (替换 or 合并); the files are read, checked
// against the tables as they stand and previewed (ImportPlan.h: per sheet the rows added,
// changed and removed, then the problems). Choosing a problem's line shows its row as the
// file holds it. 导入 is possible only when the files were read, nothing is an error and
// something would change; it writes in one transaction (ImportWrite.h) and previews afresh.
// "导出到工作簿…" writes the school's workbook, or the empty template, through exportSchool().
// Plain C++; reading and writing may throw store::DbError.
#pragma once

#include "exchange/ImportPlan.h"
#include "exchange/Workbook.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace exchange {

class WorkbookImport {
public:
    struct Line {
        std::string text;
        int problem = -1; // index into the plan's problems, or -1
        bool error = false;
    };

    // Reads and plans; a file that cannot be read leaves no plan and its refusal in
    // readProblem().
    void chooseFiles(std::vector<std::filesystem::path> files);
    void chooseMode(ImportMode mode);
    ImportMode mode() const { return m_mode; }
    const std::vector<std::filesystem::path>& files() const { return m_files; }

    const std::string& readProblem() const { return m_readProblem; }
    const std::optional<ImportPlan>& plan() const { return m_plan; }
    std::vector<Line> lines() const;
    // "课务分工 第 3 行：初一⑴ | 物里 | 张伟 | 5", or "" for a line naming no row.
    std::string rowOf(const Line& line) const;

    bool canImport() const;
    // Writes the plan; returns "已导入：课务分工、教师" (the sheets that changed). Throws
    // ui::Declined when the user kept another program's changes, store::DbError on a failure
    // (nothing written).
    std::string runImport();

private:
    void replan();

    std::vector<std::filesystem::path> m_files;
    ImportMode m_mode = ImportMode::Replace;
    std::optional<Workbook> m_workbook;
    std::optional<ImportPlan> m_plan;
    std::string m_readProblem;
};

// Writes the school's workbook (or the empty template) to file, replacing it; returns
// "已导出：<file>".
std::string exportSchool(const std::filesystem::path& file, bool templateOnly);

} // namespace exchange
