#include "reports/DocumentBuilder.h"

#include "core/Gbk.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace reports {
namespace {

using std::size_t;

constexpr int kWeeklyPerPage = 40;
constexpr int kWeeklyValues = 6;
constexpr int kMonthlyPerPage = 25;
constexpr int kMonthlyValues = 9;
constexpr int kTeacherRows = 20;
constexpr int kTeacherGridColumns = 20;
constexpr int kTeacherColumnsPerPage = 15; // 2 + 8c must stay left of the right border
constexpr int kTeacherRightBorder = 120;
constexpr int kDutyRowsPerPage = 60; // the heading row and 59 classes
constexpr int kDutyCells = 11;
constexpr int kTimetableClasses = 20;
constexpr int kTimetableCells = 35;
constexpr int kPeriods = 7;
constexpr int kMaxReviewDays = 10;
constexpr std::array<const char*, 5> kReviewSecondPageDays = {"六", "七", "八", "九", "十"};
constexpr std::array<int, 5> kReviewSecondPageColumns = {21, 50, 78, 106, 134};
constexpr const char* kSelfStudy = "自习";

// A document under construction: pages of one template, written by (page, line, column).
class Pages {
public:
    Pages(ReportKind kind, std::string_view templateBytes)
        : m_layout(layoutOf(kind)), m_template(templateBytes.substr(0, m_layout.templateSize)) {}

    // Appends a fresh copy of the template; returns its index.
    int addPage() {
        m_bytes.append(m_template);
        return pageCount() - 1;
    }
    int pageCount() const { return static_cast<int>(m_bytes.size() / m_layout.templateSize); }

    // Writes a UTF-8 text at a byte offset of the page, never over the line's CR LF.
    void put(int page, int line, int column, std::string_view utf8) {
        if (!m_error.empty() || utf8.empty()) {
            return;
        }
        std::optional<std::string> encoded = gbk::toGbk(utf8);
        if (!encoded) {
            m_error = "“" + std::string(utf8) + "”中的“" + gbk::firstUnencodable(utf8) +
                      "”不能用GBK编码，报表没有写出。";
            return;
        }
        const size_t room = static_cast<size_t>(textBytes() - column);
        if (encoded->size() > room) {
            encoded = gbk::toGbk(gbk::cut(utf8, room));
        }
        std::copy(encoded->begin(), encoded->end(), m_bytes.begin() + offset(page, line, column));
    }
    void putNumber(int page, int line, int column, long long value) {
        put(page, line, column, std::to_string(value));
    }

    // Trimming: the template's last line (the table's bottom border) over `line`.
    void copyBottomBorder(int page, int line) {
        const std::string_view last =
            std::string_view(m_template).substr(size_t(m_layout.lines - 1) * size_t(lineBytes()));
        std::copy(last.begin(), last.end(), m_bytes.begin() + offset(page, line, 0));
    }
    // Every line after `line` to the end of the page becomes zero bytes.
    void zeroAfter(int page, int line) {
        const auto from = m_bytes.begin() + offset(page, line + 1, 0);
        std::fill(from, m_bytes.begin() + offset(page + 1, 0, 0), '\0');
    }
    // Every line after `line` becomes spaces ending in a line feed.
    void blankAfter(int page, int line) {
        for (int l = line + 1; l < m_layout.lines; ++l) {
            const auto from = m_bytes.begin() + offset(page, l, 0);
            std::fill(from, from + m_layout.lineBytes - 1, ' ');
            *(from + m_layout.lineBytes - 1) = '\n';
        }
    }
    // Moves the two bytes at `fromColumn` of lines 0 … lastLine to `toColumn` and fills the
    // columns between with spaces; CR LF stays.
    void moveRightBorder(int page, int lastLine, int fromColumn, int toColumn) {
        for (int l = 0; l <= lastLine; ++l) {
            const auto line = m_bytes.begin() + offset(page, l, 0);
            std::copy(line + fromColumn, line + fromColumn + 2, line + toColumn);
            std::fill(line + toColumn + 2, line + fromColumn + 2, ' ');
        }
    }

    void fail(std::string error) {
        if (m_error.empty()) {
            m_error = std::move(error);
        }
    }

    BuildResult finish(ReportKind kind, std::vector<PrintedPage> printed) {
        if (!m_error.empty()) {
            return {std::nullopt, m_error};
        }
        return {Document{kind, std::move(m_bytes), std::move(printed)}, {}};
    }

private:
    int lineBytes() const { return m_layout.lineBytes; }
    int textBytes() const { return m_layout.lineBytes - 2; }
    std::ptrdiff_t offset(int page, int line, int column) const {
        return static_cast<std::ptrdiff_t>(size_t(page) * m_layout.templateSize +
                                           size_t(line) * size_t(lineBytes()) + size_t(column));
    }

    const ReportLayout& m_layout;
    std::string m_template;
    std::string m_bytes;
    std::string m_error;
};

std::string valueCountError(size_t entry, size_t wanted, size_t found) {
    return "第" + std::to_string(entry + 1) + "项应有" + std::to_string(wanted) + "个数值，实有" +
           std::to_string(found) + "个。";
}

// Entries 0 … n−1 at page k div 40; per page two halves of 20 rows.
BuildResult buildWeekly(Pages& pages, const ReportTable& table) {
    const size_t n = table.counts.size();
    const int pageCount = static_cast<int>(n / kWeeklyPerPage) + 1;
    for (int p = 0; p < pageCount; ++p) {
        pages.addPage();
    }
    for (size_t k = 0; k < n; ++k) {
        const CountEntry& entry = table.counts[k];
        if (entry.values.size() != kWeeklyValues) {
            pages.fail(valueCountError(k, kWeeklyValues, entry.values.size()));
            break;
        }
        const int page = static_cast<int>(k / kWeeklyPerPage);
        const int half = static_cast<int>(k % kWeeklyPerPage) / 20;
        const int row = static_cast<int>(k % 20);
        const int line = 3 + 2 * row;
        pages.put(page, line, 2 + 44 * half, entry.name);
        for (int j = 0; j < kWeeklyValues; ++j) {
            pages.putNumber(page, line, 12 + 6 * j + 44 * half, entry.values[size_t(j)]);
        }
    }
    // The print shows the first page only (40 teachers); the export holds every page.
    return pages.finish(ReportKind::Weekly, {{0, layoutOf(ReportKind::Weekly).lines}});
}

BuildResult buildMonthly(Pages& pages, ReportKind kind, const ReportTable& table) {
    const size_t n = table.counts.size();
    const int pageCount = static_cast<int>(n / kMonthlyPerPage) + 1;
    std::vector<PrintedPage> printed;
    for (int p = 0; p < pageCount; ++p) {
        pages.addPage();
        printed.push_back({p, layoutOf(kind).lines});
    }
    for (size_t k = 0; k < n; ++k) {
        const CountEntry& entry = table.counts[k];
        if (gbk::isBlank(entry.name)) {
            continue;
        }
        if (entry.values.size() != kMonthlyValues) {
            pages.fail(valueCountError(k, kMonthlyValues, entry.values.size()));
            break;
        }
        const int page = static_cast<int>(k / kMonthlyPerPage);
        const int line = 5 + 2 * static_cast<int>(k % kMonthlyPerPage);
        pages.put(page, line, 6, entry.name);
        for (int j = 0; j < kMonthlyValues; ++j) {
            pages.putNumber(page, line, 16 + 6 * j, entry.values[size_t(j)]);
        }
    }
    return pages.finish(kind, std::move(printed));
}

const std::string& cellOf(const std::vector<std::vector<std::string>>& grid, size_t row,
                          size_t column) {
    static const std::string empty;
    if (row >= grid.size() || column >= grid[row].size()) {
        return empty;
    }
    return grid[row][column];
}

// Rows in use: the first row from 1 whose first cell is blank, at most maxRows.
int rowsInUse(const std::vector<std::vector<std::string>>& grid, int maxRows) {
    int rows = 1;
    while (rows < maxRows && !gbk::isBlank(cellOf(grid, size_t(rows), 0))) {
        ++rows;
    }
    return rows;
}

// One page: rows 0 … R−1 with the grid columns listed in `columns`. The template is
// trimmed first and the cells written over it, so a name that runs past the last column
// covers the moved right border instead of losing its end to it.
void teacherPage(Pages& pages, const ReportTable& table, int rows,
                 const std::vector<int>& columns) {
    const int page = pages.addPage();
    pages.copyBottomBorder(page, 2 * rows);
    pages.zeroAfter(page, 2 * rows);
    const int used = static_cast<int>(columns.size());
    pages.moveRightBorder(page, 2 * rows, kTeacherRightBorder, 8 * used);
    for (int r = 0; r < rows; ++r) {
        for (size_t c = 0; c < columns.size(); ++c) {
            pages.put(page, 2 * r + 1, 2 + 8 * static_cast<int>(c),
                      cellOf(table.grid, size_t(r), size_t(columns[c])));
        }
    }
}

// The list is one page while its columns fit (15 with the class column); the columns past
// the 15th go to a second page that repeats the class column, rather than over the right
// border and the line ends.
BuildResult buildTeacherList(Pages& pages, const ReportTable& table) {
    const int rows = rowsInUse(table.grid, kTeacherRows);
    int columns = 1;
    while (columns < kTeacherGridColumns && !gbk::isBlank(cellOf(table.grid, 0, size_t(columns)))) {
        ++columns;
    }
    std::vector<int> first;
    for (int c = 0; c < std::min(columns, kTeacherColumnsPerPage); ++c) {
        first.push_back(c);
    }
    teacherPage(pages, table, rows, first);
    std::vector<PrintedPage> printed = {{0, 2 * rows + 1}};
    if (columns > kTeacherColumnsPerPage) {
        std::vector<int> second = {0};
        for (int c = kTeacherColumnsPerPage; c < columns; ++c) {
            second.push_back(c);
        }
        teacherPage(pages, table, rows, second);
        printed.push_back({1, 2 * rows + 1});
    }
    return pages.finish(ReportKind::TeacherList, std::move(printed));
}

// Row r on line 2r + 3: cell 0, then cell 10, then cells 1 … 9. A roster of more classes
// than one page holds (59) goes on over further pages, each headed by row 0.
BuildResult buildDutyRoster(Pages& pages, const ReportTable& table) {
    const int rows =
        rowsInUse(table.grid, static_cast<int>(std::max<size_t>(table.grid.size(), 1)));
    const int classes = rows - 1;
    constexpr int perPage = kDutyRowsPerPage - 1;
    const int pageCount = std::max(1, (classes + perPage - 1) / perPage);
    constexpr std::array<int, kDutyCells> order = {0, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<PrintedPage> printed;
    for (int p = 0; p < pageCount; ++p) {
        const int page = pages.addPage();
        const int first = 1 + p * perPage;
        const int onPage = std::min(perPage, classes - p * perPage);
        const int pageRows = 1 + std::max(0, onPage);
        for (int r = 0; r < pageRows; ++r) {
            const size_t gridRow = r == 0 ? 0 : size_t(first + r - 1);
            const int line = 2 * r + 3;
            pages.put(page, line, 2, cellOf(table.grid, gridRow, 0));
            for (int j = 1; j < kDutyCells; ++j) {
                pages.put(page, line, 2 + 8 * j,
                          cellOf(table.grid, gridRow, size_t(order[size_t(j)])));
            }
        }
        pages.copyBottomBorder(page, 2 * pageRows + 2);
        pages.zeroAfter(page, 2 * pageRows + 2);
        printed.push_back({page, 2 * pageRows + 3});
    }
    return pages.finish(ReportKind::DutyRoster, std::move(printed));
}

// Leading classes with a name of at least 4 bytes, at most 20.
int classesInUse(const ReportTable& table) {
    int n = 0;
    while (n < kTimetableClasses && size_t(n) < table.classes.size() &&
           !gbk::isBlank(table.classes[size_t(n)].className)) {
        ++n;
    }
    return n;
}

// A period cell as the report shows it: empty or blank cells read "自习", then its first
// two bytes (one Chinese character).
std::string reportCell(const ClassTimetable& row, int index) {
    const std::string& text =
        size_t(index) < row.cells.size() ? row.cells[size_t(index)] : std::string();
    if (gbk::isBlank(text) || text.front() == ' ') {
        return gbk::cut(kSelfStudy, 2);
    }
    return gbk::cut(text, 2);
}

BuildResult buildGradeTimetable(Pages& pages, const ReportTable& table) {
    const int n = classesInUse(table);
    const int page = pages.addPage();
    for (int p = 0; p < n; ++p) {
        const ClassTimetable& row = table.classes[size_t(p)];
        const int line = 5 + 2 * p;
        pages.put(page, line, 2, row.className);
        for (int j = 1; j <= kTimetableCells; ++j) {
            pages.put(page, line, 6 + 4 * j, reportCell(row, j - 1));
        }
    }
    pages.copyBottomBorder(page, 4 + 2 * n);
    pages.zeroAfter(page, 4 + 2 * n);
    return pages.finish(ReportKind::GradeTimetable, {{page, 2 * n + 5}});
}

// A cell of a review day after the last one (7D < index < 35 on the first page) is not
// made self-study: only its first two bytes are shown, as the timetable holds it.
std::string cellAsHeld(const ClassTimetable& row, int index) {
    return size_t(index) < row.cells.size() ? gbk::cut(row.cells[size_t(index)], 2) : std::string();
}

BuildResult buildReviewTimetable(Pages& pages, const ReportTable& table) {
    const int days = table.reviewDays;
    if (days < 0 || days > kMaxReviewDays) {
        return {std::nullopt, "复习天数应在0到10之间，实为" + std::to_string(days) + "天。"};
    }
    const int n = classesInUse(table);
    const int pageCount = (days - 1) / 5 + 1;
    for (int p = 0; p < pageCount; ++p) {
        pages.addPage();
        pages.copyBottomBorder(p, 4 + 2 * n);
        pages.blankAfter(p, 4 + 2 * n);
    }
    const int cells = kPeriods * days;
    for (int p = 0; p < n; ++p) {
        const ClassTimetable& row = table.classes[size_t(p)];
        const int line = 5 + 2 * p;
        const std::string name = gbk::cut(row.className, 6);
        pages.put(0, line, 2, name);
        for (int j = 1; j <= kTimetableCells; ++j) {
            pages.put(0, line, 6 + 4 * j,
                      j <= cells ? reportCell(row, j - 1) : cellAsHeld(row, j - 1));
        }
        if (pageCount > 1) {
            pages.put(1, line, 2, name);
            for (int j = kTimetableCells + 1; j <= cells; ++j) {
                pages.put(1, line, 6 + 4 * (j - kTimetableCells), reportCell(row, j - 1));
            }
        }
    }
    if (pageCount > 1) {
        for (size_t d = 0; d < kReviewSecondPageDays.size(); ++d) {
            pages.put(1, 1, kReviewSecondPageColumns[d], kReviewSecondPageDays[d]);
        }
    }
    return pages.finish(ReportKind::ReviewTimetable, {});
}

} // namespace

BuildResult buildDocument(ReportKind kind, const ReportTable& table,
                          std::string_view templateBytes) {
    const ReportLayout& layout = layoutOf(kind);
    if (templateBytes.size() < layout.templateSize) {
        return {std::nullopt, "报表模板“" + std::string(layout.templateName) + "”只有" +
                                  std::to_string(templateBytes.size()) + "字节，应有" +
                                  std::to_string(layout.templateSize) + "字节。"};
    }
    Pages pages(kind, templateBytes);
    switch (kind) {
    case ReportKind::Weekly:
        return buildWeekly(pages, table);
    case ReportKind::Monthly:
    case ReportKind::Term:
        return buildMonthly(pages, kind, table);
    case ReportKind::TeacherList:
        return buildTeacherList(pages, table);
    case ReportKind::DutyRoster:
        return buildDutyRoster(pages, table);
    case ReportKind::GradeTimetable:
        return buildGradeTimetable(pages, table);
    case ReportKind::ReviewTimetable:
        return buildReviewTimetable(pages, table);
    }
    return {std::nullopt, "未知的报表种类。"};
}

} // namespace reports
