#include "exchange/WorkbookImport.h"

#include "exchange/ImportWrite.h"
#include "exchange/SchoolTables.h"
#include "exchange/WorkbookReader.h"
#include "exchange/WorkbookWriter.h"

#include <algorithm>

namespace exchange {

void WorkbookImport::chooseFiles(std::vector<std::filesystem::path> files) {
    m_files = std::move(files);
    m_workbook.reset();
    m_plan.reset();
    m_readProblem.clear();
    if (m_files.empty())
        return;
    try {
        m_workbook = readWorkbooks(m_files);
    } catch (const ReadError& e) {
        m_readProblem = e.what();
        return;
    }
    replan();
}

void WorkbookImport::chooseMode(ImportMode mode) {
    m_mode = mode;
    if (m_workbook)
        replan();
}

void WorkbookImport::replan() {
    m_plan = planImport(*m_workbook, readSchoolTables(), m_mode);
}

std::vector<WorkbookImport::Line> WorkbookImport::lines() const {
    std::vector<Line> lines;
    if (!m_readProblem.empty())
        return {Line{m_readProblem, -1, true}};
    if (!m_plan)
        return lines;
    const std::vector<std::string> texts = previewLines(*m_plan);
    // the problems come last but for the closing count
    const std::size_t firstProblem = texts.size() - 1 - m_plan->problems.size();
    for (std::size_t k = 0; k < texts.size(); ++k) {
        Line line{texts[k]};
        if (k >= firstProblem && k + 1 < texts.size()) {
            line.problem = static_cast<int>(k - firstProblem);
            line.error = m_plan->problems[k - firstProblem].severity == Severity::Error;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string WorkbookImport::rowOf(const Line& line) const {
    if (!m_plan || !m_workbook || line.problem < 0)
        return {};
    const ImportProblem& problem = m_plan->problems[static_cast<std::size_t>(line.problem)];
    const Sheet* sheet = m_workbook->sheet(problem.sheet);
    if (sheet == nullptr || problem.place.row < 1 ||
        static_cast<std::size_t>(problem.place.row) > sheet->rows.size())
        return {};
    std::string shown = problem.sheet + " 第 " + std::to_string(problem.place.row) + " 行：";
    const auto& cells = sheet->rows[static_cast<std::size_t>(problem.place.row - 1)];
    for (std::size_t c = 0; c < cells.size(); ++c)
        shown += (c ? " | " : "") + cells[c];
    return shown;
}

bool WorkbookImport::canImport() const {
    if (!m_plan || m_plan->hasErrors())
        return false;
    for (const TableChanges& table : m_plan->changes) {
        if (!table.added.empty() || !table.changed.empty() || !table.removed.empty())
            return true;
    }
    return false;
}

std::string WorkbookImport::runImport() {
    writeImport(*m_plan);
    std::vector<std::string> sheets; // a sheet may fill two tables (教师: names and subjects)
    for (const TableChanges& table : m_plan->changes) {
        const bool changes =
            !table.added.empty() || !table.changed.empty() || !table.removed.empty();
        if (changes && std::find(sheets.begin(), sheets.end(), table.sheet) == sheets.end())
            sheets.push_back(table.sheet);
    }
    replan();
    std::string said = "已导入：";
    for (std::size_t k = 0; k < sheets.size(); ++k)
        said += (k ? "、" : "") + sheets[k];
    return said;
}

std::string exportSchool(const std::filesystem::path& file, bool templateOnly) {
    writeWorkbookFile(templateOnly ? templateWorkbook() : schoolWorkbook(readSchoolTables()), file,
                      true);
    return "已导出：" + file.string();
}

} // namespace exchange
