#include "publish/WorkbookOutput.h"

#include "core/Gbk.h"
#include "core/Typeface.h"
#include "publish/OutputTarget.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

namespace publish {
namespace {

constexpr const char* kForbidden = "[]:*?/\\";
constexpr const char* kReplacement = "_";
constexpr uint8_t kPaperA4 = 9;
// Row heights in points: a line of the 11 point body in the CJK face, and the room around it.
constexpr double kLineHeight = 16;
constexpr double kRowRoom = 4;

struct Character {
    std::string text;
    char32_t code;
};

std::vector<Character> characters(std::string_view text) {
    std::vector<Character> result;
    while (!text.empty()) {
        char32_t code = 0;
        const std::size_t length = gbk::decodeUtf8(text, code);
        result.push_back({std::string(text.substr(0, length)), code});
        text.remove_prefix(length);
    }
    return result;
}

// Excel counts a name's length in UTF-16 units.
std::size_t units(const Character& ch) {
    return ch.code > 0xFFFF ? 2 : 1;
}

// The name's characters fitted: forbidden ones replaced, an apostrophe at either end too.
std::vector<Character> fitted(const std::string& name) {
    std::vector<Character> result = characters(name);
    for (Character& ch : result) {
        if (ch.code < 0x80 && std::string_view(kForbidden).find(static_cast<char>(ch.code)) !=
                                  std::string_view::npos) {
            ch = {kReplacement, U'_'};
        }
    }
    if (!result.empty() && result.front().code == U'\'') {
        result.front() = {kReplacement, U'_'};
    }
    if (!result.empty() && result.back().code == U'\'') {
        result.back() = {kReplacement, U'_'};
    }
    if (result.empty()) {
        result = characters("Sheet");
    }
    return result;
}

// The longest start of the name within limit units, and the suffix.
std::string joined(const std::vector<Character>& name, std::size_t limit,
                   const std::string& suffix) {
    std::string result;
    std::size_t used = 0;
    for (const Character& ch : name) {
        if (used + units(ch) > limit) {
            break;
        }
        used += units(ch);
        result += ch.text;
    }
    // an apostrophe the cut brought to the end is not allowed there either
    if (suffix.empty() && !result.empty() && result.back() == '\'') {
        result.back() = '_';
    }
    return result + suffix;
}

std::string foldedCase(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return name;
}

std::string pageSheetName(const Page& page) {
    switch (page.kind) {
    case PageKind::Overview:
        return page.name + "总课表";
    case PageKind::Assignment:
        return page.name + "任课表";
    case PageKind::Class:
    case PageKind::Teacher:
    case PageKind::Notice:
        break;
    }
    return page.name;
}

// Column widths count a wide (CJK) character as two.
double textWidth(const std::string& text) {
    double width = 0;
    for (const Character& ch : characters(text)) {
        width += ch.code < 0x1100 ? 1 : 2;
    }
    return width;
}

std::string joinedLines(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

struct Formats {
    lxw_format* title;
    lxw_format* head;
    lxw_format* cell;
    lxw_format* note;
};

Formats formatsOf(lxw_workbook* book) {
    const auto make = [book](double size, bool bold, bool bordered, bool centred) {
        lxw_format* format = workbook_add_format(book);
        format_set_font_name(format, typeface::kCjkFamily);
        format_set_font_size(format, size);
        if (bold) {
            format_set_bold(format);
        }
        if (bordered) {
            format_set_border(format, LXW_BORDER_THIN);
        }
        format_set_align(format, centred ? LXW_ALIGN_CENTER : LXW_ALIGN_LEFT);
        format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        format_set_text_wrap(format);
        return format;
    };
    return {make(16, true, false, true), make(11, true, true, true), make(11, false, true, true),
            make(10, false, false, false)};
}

class Sheet {
public:
    Sheet(lxw_worksheet* sheet, const std::string& name) : m_sheet(sheet), m_name(name) {}

    void check(lxw_error error) const {
        if (error != LXW_NO_ERROR) {
            throw PublishError("不能写出工作表“" + m_name + "”：" + lxw_strerror(error));
        }
    }
    // Writes text into the range, merged when it is more than one cell.
    void put(int row, int column, int rows, int columns, const std::string& text,
             lxw_format* format) const {
        const auto r = static_cast<lxw_row_t>(row);
        const auto c = static_cast<lxw_col_t>(column);
        if (rows > 1 || columns > 1) {
            check(worksheet_merge_range(m_sheet, r, c, static_cast<lxw_row_t>(row + rows - 1),
                                        static_cast<lxw_col_t>(column + columns - 1), text.c_str(),
                                        format));
        } else if (text.empty()) {
            check(worksheet_write_blank(m_sheet, r, c, format));
        } else {
            check(worksheet_write_string(m_sheet, r, c, text.c_str(), format));
        }
    }
    lxw_worksheet* get() const { return m_sheet; }

private:
    lxw_worksheet* m_sheet;
    const std::string& m_name;
};

void writeSheet(const Sheet& sheet, const Page& page, const Formats& formats) {
    const int groupColumns = page.rowGroups.empty() ? 0 : 1;
    const int groupRows = page.columnGroups.empty() ? 0 : 1;
    const int rows = static_cast<int>(page.rowHeads.size());
    const int columns = static_cast<int>(page.columnHeads.size());
    const int c0 = groupColumns + 1;
    const int headRow = 1 + groupRows;
    const int r0 = headRow + 1;
    const int width = c0 + columns;

    std::vector<double> widths(static_cast<std::size_t>(width), 4);
    const auto widen = [&](int column, const std::string& text) {
        double& w = widths[static_cast<std::size_t>(column)];
        w = std::max(w, textWidth(text) + 2);
    };

    sheet.put(0, 0, 1, width, page.title, formats.title);
    sheet.check(worksheet_set_row(sheet.get(), 0, 30, nullptr));
    sheet.put(1, 0, headRow, c0, page.corner, formats.head);
    std::vector<bool> headCovered(static_cast<std::size_t>(columns), false);
    for (const Span& group : page.columnGroups) {
        const int first = std::max(0, group.first);
        const int count = std::min(columns, group.first + group.count) - first;
        if (count > 0) {
            sheet.put(1, c0 + first, 1, count, group.text, formats.head);
            std::fill_n(headCovered.begin() + first, count, true);
        }
    }
    for (int c = 0; c < columns; ++c) {
        const std::string& head = page.columnHeads[static_cast<std::size_t>(c)];
        const bool up = groupRows && !headCovered[static_cast<std::size_t>(c)];
        sheet.put(up ? 1 : headRow, c0 + c, up ? 2 : 1, 1, head, formats.head);
        widen(c0 + c, head);
    }
    for (int r = 1; r < r0; ++r) {
        sheet.check(worksheet_set_row(sheet.get(), static_cast<lxw_row_t>(r), 22, nullptr));
    }

    std::vector<bool> rowCovered(static_cast<std::size_t>(rows), false);
    for (const Span& group : page.rowGroups) {
        const int first = std::max(0, group.first);
        const int count = std::min(rows, group.first + group.count) - first;
        if (count > 0) {
            sheet.put(r0 + first, 0, count, 1, group.text, formats.head);
            std::fill_n(rowCovered.begin() + first, count, true);
            widen(0, group.text);
        }
    }
    for (int r = 0; r < rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        std::size_t lines = std::max<std::size_t>(1, page.rowHeads[row].size());
        const bool left = groupColumns && !rowCovered[row];
        sheet.put(r0 + r, left ? 0 : groupColumns, 1, left ? 2 : 1, joinedLines(page.rowHeads[row]),
                  formats.cell);
        for (const std::string& line : page.rowHeads[row]) {
            widen(groupColumns, line);
        }
        for (int c = 0; c < columns; ++c) {
            const auto column = static_cast<std::size_t>(c);
            const Lines none;
            const Lines& cell = row < page.cells.size() && column < page.cells[row].size()
                                    ? page.cells[row][column]
                                    : none;
            sheet.put(r0 + r, c0 + c, 1, 1, joinedLines(cell), formats.cell);
            for (const std::string& line : cell) {
                widen(c0 + c, line);
            }
            lines = std::max(lines, cell.size());
        }
        sheet.check(worksheet_set_row(sheet.get(), static_cast<lxw_row_t>(r0 + r),
                                      static_cast<double>(lines) * kLineHeight + kRowRoom,
                                      nullptr));
    }
    widen(groupColumns, page.corner);

    // the notes in rows of their own under the table, across its width
    double tableWidth = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = std::min(widths[c], 40.0);
        tableWidth += widths[c];
        sheet.check(worksheet_set_column(sheet.get(), static_cast<lxw_col_t>(c),
                                         static_cast<lxw_col_t>(c), widths[c], nullptr));
    }
    int noteRow = r0 + rows;
    for (const std::string& note : page.notes) {
        sheet.put(noteRow, 0, 1, width, note, formats.note);
        const double lines = std::max(1.0, std::ceil(textWidth(note) / std::max(1.0, tableWidth)));
        sheet.check(worksheet_set_row(sheet.get(), static_cast<lxw_row_t>(noteRow),
                                      lines * kLineHeight + kRowRoom, nullptr));
        ++noteRow;
    }

    lxw_worksheet* ws = sheet.get();
    worksheet_set_paper(ws, kPaperA4);
    if (page.landscape) {
        worksheet_set_landscape(ws);
    } else {
        worksheet_set_portrait(ws);
    }
    worksheet_fit_to_pages(ws, 1, 1);
    worksheet_center_horizontally(ws);
    worksheet_set_margins(ws, 0.4, 0.4, 0.5, 0.5);
}

struct BookDeleter {
    void operator()(lxw_workbook* book) const { lxw_workbook_free(book); }
};

} // namespace

std::vector<std::string> sheetNames(const std::vector<Page>& pages) {
    std::vector<std::string> names;
    std::set<std::string> used;
    for (const Page& page : pages) {
        const std::vector<Character> base = fitted(pageSheetName(page));
        std::string name = joined(base, kSheetNameLimit, "");
        for (int n = 2; used.count(foldedCase(name)) != 0; ++n) {
            const std::string suffix = "(" + std::to_string(n) + ")";
            name = joined(base, kSheetNameLimit - suffix.size(), suffix);
        }
        used.insert(foldedCase(name));
        names.push_back(name);
    }
    return names;
}

void writeWorkbook(const std::vector<Page>& pages, const std::filesystem::path& target,
                   bool replace, const Progress& progress) {
    if (pages.empty()) {
        throw PublishError("没有可写出的页");
    }
    OutputTarget output(target, OutputTarget::Shape::File, replace);
    std::unique_ptr<lxw_workbook, BookDeleter> book(workbook_new(output.workPath().c_str()));
    if (!book) {
        throw PublishError("不能写入 " + output.target().string());
    }
    const Formats formats = formatsOf(book.get());
    const std::vector<std::string> names = sheetNames(pages);
    const int total = static_cast<int>(pages.size());
    for (int i = 0; i < total; ++i) {
        const auto at = static_cast<std::size_t>(i);
        lxw_worksheet* sheet = workbook_add_worksheet(book.get(), names[at].c_str());
        if (!sheet) {
            throw PublishError("不能建立工作表“" + names[at] + "”");
        }
        writeSheet(Sheet(sheet, names[at]), pages[at], formats);
        if (!progress.report(i + 1, total)) {
            throw Cancelled();
        }
    }
    const lxw_error closed = workbook_close(book.release());
    if (closed != LXW_NO_ERROR) {
        throw PublishError("不能写入 " + output.target().string() + "：" + lxw_strerror(closed));
    }
    output.commit();
}

} // namespace publish
