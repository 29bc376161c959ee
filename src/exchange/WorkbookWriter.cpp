#include "exchange/WorkbookWriter.h"

#include "exchange/ImportNames.h"
#include "exchange/RowText.h"
#include "exchange/WorkbookFormat.h"
#include "publish/OutputTarget.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>

namespace exchange {
namespace {

using Cells = std::vector<std::string>;

Sheet headedSheet(const SheetFormat& format) {
    Sheet sheet;
    sheet.name = std::string(format.name);
    sheet.rows.emplace_back(format.columns.begin(), format.columns.end());
    return sheet;
}

std::vector<Cells> teacherRows(const SchoolTables& tables) {
    std::vector<Cells> rows;
    for (const auto& teacher : tables.teachername) {
        std::string courses;
        for (const auto& course : tables.coursename) {
            const store::CourseteacherRow pair{course.name, teacher.name};
            if (std::find(tables.courseteacher.begin(), tables.courseteacher.end(), pair) !=
                tables.courseteacher.end()) {
                courses += (courses.empty() ? "" : "、") + course.name;
            }
        }
        rows.push_back({teacher.name, courses});
    }
    return rows;
}

std::vector<Cells> presetRows(const SchoolTables& tables) {
    std::vector<Cells> rows;
    for (const auto& preset : tables.lessonprearrange) {
        const auto days = maskPeriods(preset.prearrange);
        const std::size_t before = rows.size();
        for (std::size_t d = 0; d < days.size(); ++d) {
            if (!days[d].empty()) {
                rows.push_back(
                    {preset.teacher, dayText(static_cast<int>(d) + 1), periodsText(days[d])});
            }
        }
        if (rows.size() == before) {
            rows.push_back({preset.teacher, "", ""});
        }
    }
    return rows;
}

// The data rows of a sheet, by its place in sheetFormats().
std::vector<Cells> dataRows(std::size_t sheet, const SchoolTables& tables) {
    std::vector<Cells> rows;
    switch (sheet) {
    case 0:
        for (const auto& row : tables.coursename) {
            rows.push_back({row.name});
        }
        break;
    case 1:
        return teacherRows(tables);
    case 2:
        for (const auto& row : tables.gradeclass) {
            rows.push_back({row.grade, std::to_string(row.classes)});
        }
        break;
    case 3:
        for (const auto& row : tables.gradecourse) {
            rows.push_back({row.grade, row.course, std::to_string(row.weekly),
                            row.days > 0 ? std::to_string(row.days) : std::string()});
        }
        break;
    case 4:
        for (const auto& row : tables.classcourse) {
            rows.push_back({row.className, row.course, row.teacher, std::to_string(row.weekly)});
        }
        break;
    case 5:
        return presetRows(tables);
    case 6:
        for (const auto& row : tables.samelesson) {
            rows.push_back({row.grade, dayText(row.day), std::to_string(row.period), row.course});
        }
        break;
    default:
        for (const auto& row : tables.courseshare) {
            rows.push_back({row.course, std::to_string(row.share)});
        }
        break;
    }
    return rows;
}

struct BookDeleter {
    void operator()(lxw_workbook* book) const { workbook_close(book); }
};

void check(lxw_error error, const std::string& sheet) {
    if (error != LXW_NO_ERROR) {
        throw publish::PublishError("不能写出工作表“" + sheet + "”：" + lxw_strerror(error));
    }
}

} // namespace

Workbook schoolWorkbook(const SchoolTables& tables) {
    Workbook workbook;
    const auto& formats = sheetFormats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        Sheet sheet = headedSheet(formats[i]);
        for (Cells& row : dataRows(i, tables)) {
            sheet.rows.push_back(std::move(row));
        }
        workbook.sheets.push_back(std::move(sheet));
    }
    return workbook;
}

Workbook templateWorkbook() {
    Workbook workbook;
    for (const SheetFormat& format : sheetFormats()) {
        Sheet sheet = headedSheet(format);
        sheet.rows.emplace_back(format.example.begin(), format.example.end());
        workbook.sheets.push_back(std::move(sheet));
    }
    return workbook;
}

void writeWorkbookFile(const Workbook& workbook, const std::filesystem::path& target,
                       bool replace) {
    publish::OutputTarget output(target, publish::OutputTarget::Shape::File, replace);
    std::unique_ptr<lxw_workbook, BookDeleter> book(workbook_new(output.workPath().c_str()));
    if (!book) {
        throw publish::PublishError("不能写入 " + output.target().string());
    }
    for (const Sheet& sheet : workbook.sheets) {
        lxw_worksheet* page = workbook_add_worksheet(book.get(), sheet.name.c_str());
        if (page == nullptr) {
            throw publish::PublishError("不能建立工作表“" + sheet.name + "”");
        }
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const auto row = static_cast<lxw_row_t>(r);
            for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const std::string& text = sheet.rows[r][c];
                const auto column = static_cast<lxw_col_t>(c);
                const std::optional<int> value = wholeNumber(text);
                if (text.empty()) {
                    continue;
                }
                if (value && std::to_string(*value) == text) {
                    check(worksheet_write_number(page, row, column, *value, nullptr), sheet.name);
                } else {
                    check(worksheet_write_string(page, row, column, text.c_str(), nullptr),
                          sheet.name);
                }
            }
        }
    }
    const lxw_error closed = workbook_close(book.release());
    if (closed != LXW_NO_ERROR) {
        throw publish::PublishError("不能写入 " + output.target().string() + "：" +
                                    lxw_strerror(closed));
    }
    output.commit();
}

} // namespace exchange
