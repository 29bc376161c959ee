// 打印 and 导出 of one published page, as the class and teacher week windows offer them: 打印
// goes through the print preview (PagePrint.h); 导出 asks for a file in the save dialog,
// "PDF 文件 (*.pdf)" or "Excel 工作簿 (*.xlsx)" (the filter chosen decides, and adds the
// suffix when the name has none), writes the page there and says "已导出：<file>". An
// existing file is replaced after the save dialog asked, or, when the suffix was added to
// the name given, after "“…”已存在，要替换吗？". A refusal shows its text.
#pragma once

#include "publish/Page.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace ui {
class Messenger;
}

namespace publish {

void printPage(const Page& page, QWidget* parent);

// The file chosen and whether it is a workbook; nullopt when the dialog was cancelled.
struct ExportChoice {
    std::filesystem::path file;
    bool workbook = false;
    bool replaceAsked = false; // the dialog asked about this very name
};
using ExportChooser = std::function<std::optional<ExportChoice>(const Page& page)>;

// The save dialog over parent, in the working directory, proposing the page's name (and
// "课程表" after it, but for a notice).
ExportChooser exportDialog(QWidget* parent);

void exportPage(const Page& page, ui::Messenger& messenger, const ExportChooser& choose);
// The same for several pages in one file (a page a sheet), the first page proposing the name.
void exportPages(const std::vector<Page>& pages, ui::Messenger& messenger,
                 const ExportChooser& choose);

} // namespace publish
