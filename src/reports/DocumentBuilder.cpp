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
constexpr std::array<const char*, kMaxReviewDays> kDayNumbers = {"一", "二", "三", "四", "五",
                                                                 "六", "七", "八", "九", "十"};
// Days six to ten replace the number in the headings "第一天" … "第五天" of the second page.
constexpr std::array<int, 5> kReviewSecondPageColumns = {21, 50, 78, 106, 134};
constexpr const char* kSelfStudy = "自习";
constexpr int kCountRowsPerPage = 50;
constexpr int kCountFirstLine = 3; // after the top rule, the headings and their rule
constexpr std::array<int, 3> kCountColumns = {2, 14, 26}; // teacher, subject, weekly count
constexpr std::array<int, 3> kCountWidths = {10, 10, 6};

// Field widths in bytes: each field ends where the template's next frame character stands.
constexpr int kNameWidth = 6;   // a name or a class name: three Chinese characters
constexpr int kCountWidth = 2;  // a count: two digits
constexpr int kPeriodWidth = 2; // a period cell: one Chinese character
constexpr std::array<const char*, kWeeklyValues> kWeeklyColumns = {"迟到", "早退", "事假",
                                                                   "公假", "缺勤", "公代"};
constexpr std::array<const char*, kMonthlyValues> kMonthlyColumns = {
    "督修出席", "督修缺席", "迟到", "早退", "事假", "公假", "缺勤", "公派代课", "超课时"};

// Where a text or number goes: its line, the byte column it begins at, and its width.
struct Field {
    int line;
    int column;
    int width;
};

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

    // Writes a UTF-8 text into a field, cut to its width at a character boundary. Text GBK
    // cannot encode fails the build whole, before any cut; `where` names the field.
    void putText(int page, const Field& field, std::string_view utf8, const std::string& where) {
        if (!m_error.empty() || utf8.empty()) {
            return;
        }
        if (!gbk::encodable(utf8)) {
            m_error = where + "：“" + std::string(utf8) + "”中的“" + gbk::firstUnencodable(utf8) +
                      "”不能用GBK编码，报表没有写出。";
            return;
        }
        write(page, field, gbk::toGbk(gbk::cut(utf8, size_t(field.width))).value_or(""));
    }
    // Writes a number's decimal digits into a field; a number wider than the field fails
    // the build, since a cut number would be a wrong one.
    void putNumber(int page, const Field& field, long long value, const std::string& where) {
        if (!m_error.empty()) {
            return;
        }
        const std::string digits = std::to_string(value);
        if (digits.size() > size_t(field.width)) {
            m_error = where + "为" + digits + "，超出了栏宽（最多" + std::to_string(field.width) +
                      "位），报表没有写出。";
            return;
        }
        write(page, field, digits);
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
    void write(int page, const Field& field, std::string_view gbkBytes) {
        std::copy(gbkBytes.begin(), gbkBytes.end(),
                  m_bytes.begin() + offset(page, field.line, field.column));
    }
    int lineBytes() const { return m_layout.lineBytes; }
    std::ptrdiff_t offset(int page, int line, int column) const {
        return static_cast<std::ptrdiff_t>(size_t(page) * m_layout.templateSize +
                                           size_t(line) * size_t(lineBytes()) + size_t(column));
    }

    const ReportLayout& m_layout;
    std::string m_template;
    std::string m_bytes;
    std::string m_error;
};

std::string entryWhere(size_t entry) {
    return "第" + std::to_string(entry + 1) + "项";
}

std::string valueCountError(size_t entry, size_t wanted, size_t found) {
    return entryWhere(entry) + "应有" + std::to_string(wanted) + "个数值，实有" +
           std::to_string(found) + "个。";
}

// An entry of a count report: its name, then its values in the columns of `columns`.
template <size_t N>
void putCounts(Pages& pages, int page, const CountEntry& entry, size_t k, const Field& name,
               int firstValue, const std::array<const char*, N>& columns) {
    pages.putText(page, name, entry.name, entryWhere(k) + "的姓名");
    for (size_t j = 0; j < N; ++j) {
        pages.putNumber(page, {name.line, firstValue + 6 * int(j), kCountWidth}, entry.values[j],
                        entryWhere(k) + "（" + entry.name + "）的“" + columns[j] + "”");
    }
}

// Where a grid cell comes from, for messages: its row and column in the table, from 1.
std::string gridWhere(size_t row, size_t column) {
    return "第" + std::to_string(row + 1) + "行第" + std::to_string(column + 1) + "列";
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
        putCounts(pages, page, entry, k, {line, 2 + 44 * half, kNameWidth}, 12 + 44 * half,
                  kWeeklyColumns);
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
        putCounts(pages, page, entry, k, {line, 6, kNameWidth}, 16, kMonthlyColumns);
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

// One page: rows 0 … R−1 with the grid columns listed in `columns`, each cut to its field
// of 6 bytes, so that no name reaches the next column's rule or the moved right border.
void teacherPage(Pages& pages, const ReportTable& table, int rows,
                 const std::vector<int>& columns) {
    const int page = pages.addPage();
    pages.copyBottomBorder(page, 2 * rows);
    pages.zeroAfter(page, 2 * rows);
    const int used = static_cast<int>(columns.size());
    pages.moveRightBorder(page, 2 * rows, kTeacherRightBorder, 8 * used);
    for (int r = 0; r < rows; ++r) {
        for (size_t c = 0; c < columns.size(); ++c) {
            const size_t column = size_t(columns[c]);
            pages.putText(page, {2 * r + 1, 2 + 8 * static_cast<int>(c), kNameWidth},
                          cellOf(table.grid, size_t(r), column), gridWhere(size_t(r), column));
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
            for (int j = 0; j < kDutyCells; ++j) {
                const size_t column = size_t(order[size_t(j)]);
                pages.putText(page, {line, 2 + 8 * j, kNameWidth},
                              cellOf(table.grid, gridRow, column), gridWhere(gridRow, column));
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

// A period cell as the report shows it: empty or blank cells read "自习", and the field
// shows the first character. Text GBK cannot encode is never hidden behind the fill: it is
// handed on whole, to be refused.
std::string reportCell(const ClassTimetable& row, int index) {
    const std::string& text =
        size_t(index) < row.cells.size() ? row.cells[size_t(index)] : std::string();
    if (gbk::encodable(text) && (gbk::isBlank(text) || text.front() == ' ')) {
        return kSelfStudy;
    }
    return text;
}

// Where cell `index` of a class stands, for messages: "初一⑴星期二第3节"; the review
// timetable counts its days ("初一⑴第六天第3节").
std::string periodWhere(ReportKind kind, const ClassTimetable& row, int index) {
    const std::string day = kDayNumbers[size_t(index / kPeriods)];
    return row.className +
           (kind == ReportKind::ReviewTimetable ? "第" + day + "天" : "星期" + day) + "第" +
           std::to_string(index % kPeriods + 1) + "节";
}

// The class name and cells first … last (from 1) of a class on a timetable page, the
// first of them in the first period column.
template <typename CellText>
void putClass(Pages& pages, ReportKind kind, int page, int p, const ClassTimetable& row, int first,
              int last, CellText cellText) {
    const int line = 5 + 2 * p;
    pages.putText(page, {line, 2, kNameWidth}, row.className,
                  "第" + std::to_string(p + 1) + "个班的班级名");
    for (int j = first; j <= last; ++j) {
        pages.putText(page, {line, 6 + 4 * (j - first + 1), kPeriodWidth}, cellText(j - 1),
                      periodWhere(kind, row, j - 1));
    }
}

BuildResult buildGradeTimetable(Pages& pages, const ReportTable& table) {
    const int n = classesInUse(table);
    const int page = pages.addPage();
    for (int p = 0; p < n; ++p) {
        const ClassTimetable& row = table.classes[size_t(p)];
        putClass(pages, ReportKind::GradeTimetable, page, p, row, 1, kTimetableCells,
                 [&row](int index) { return reportCell(row, index); });
    }
    pages.copyBottomBorder(page, 4 + 2 * n);
    pages.zeroAfter(page, 4 + 2 * n);
    return pages.finish(ReportKind::GradeTimetable, {{page, 2 * n + 5}});
}

// A cell of a review day after the last one (7D < index < 35 on the first page) is not
// made self-study: it is shown as the timetable holds it.
std::string cellAsHeld(const ClassTimetable& row, int index) {
    return size_t(index) < row.cells.size() ? row.cells[size_t(index)] : std::string();
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
        putClass(pages, ReportKind::ReviewTimetable, 0, p, row, 1, kTimetableCells,
                 [&row, cells](int index) {
                     return index < cells ? reportCell(row, index) : cellAsHeld(row, index);
                 });
        if (pageCount > 1) {
            putClass(pages, ReportKind::ReviewTimetable, 1, p, row, kTimetableCells + 1, cells,
                     [&row](int index) { return reportCell(row, index); });
        }
    }
    if (pageCount > 1) {
        for (size_t d = 0; d < kReviewSecondPageColumns.size(); ++d) {
            pages.putText(1, {1, kReviewSecondPageColumns[d], 2}, kDayNumbers[5 + d], {});
        }
    }
    return pages.finish(ReportKind::ReviewTimetable, {});
}

// One teacher a line, 50 a page: name, subject and weekly count (digits, never cut). The
// last page's bottom rule follows its last teacher, and the lines after it are blank.
BuildResult buildLessonCounts(Pages& pages, const ReportTable& table) {
    const int n = static_cast<int>(table.grid.size());
    const int pageCount = std::max(1, (n + kCountRowsPerPage - 1) / kCountRowsPerPage);
    std::vector<PrintedPage> printed;
    for (int p = 0; p < pageCount; ++p) {
        const int page = pages.addPage();
        const int rows = std::min(kCountRowsPerPage, n - p * kCountRowsPerPage);
        for (int r = 0; r < rows; ++r) {
            const auto k = static_cast<size_t>(p * kCountRowsPerPage + r);
            for (size_t c = 0; c < kCountColumns.size(); ++c) {
                const Field field{kCountFirstLine + r, kCountColumns[c], kCountWidths[c]};
                const std::string& text = cellOf(table.grid, k, c);
                if (c + 1 == kCountColumns.size() && text.size() > size_t(field.width)) {
                    pages.fail(gridWhere(k, c) + "为" + text + "，超出了栏宽（最多" +
                               std::to_string(field.width) + "位），报表没有写出。");
                }
                pages.putText(page, field, text, gridWhere(k, c));
            }
        }
        const int bottom = kCountFirstLine + std::max(rows, 0);
        pages.copyBottomBorder(page, bottom);
        pages.blankAfter(page, bottom);
        printed.push_back({page, bottom + 1});
    }
    return pages.finish(ReportKind::LessonCounts, std::move(printed));
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
    case ReportKind::LessonCounts:
        return buildLessonCounts(pages, table);
    }
    return {std::nullopt, "未知的报表种类。"};
}

} // namespace reports
