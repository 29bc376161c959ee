#include "publish/PageActions.h"

#include "core/Messenger.h"
#include "publish/OutputTarget.h"
#include "publish/PagePrint.h"
#include "publish/PdfOutput.h"
#include "publish/WorkbookOutput.h"
#include "widgets/TextConvert.h"

#include <QDir>
#include <QFileDialog>

namespace publish {

void printPage(const Page& page, QWidget* parent) {
    printPages({page}, parent);
}

ExportChooser exportDialog(QWidget* parent) {
    return [parent](const Page& page) -> std::optional<ExportChoice> {
        const QString pdf = QStringLiteral("PDF 文件 (*.pdf)");
        const QString xlsx = QStringLiteral("Excel 工作簿 (*.xlsx)");
        QString filter = pdf;
        const QString proposed = QDir::current().filePath(widgets::toQString(
            page.name + (page.kind == PageKind::Notice ? "" : "课程表") + ".pdf"));
        QString chosen = QFileDialog::getSaveFileName(parent, QStringLiteral("导出"), proposed,
                                                      pdf + QStringLiteral(";;") + xlsx, &filter);
        if (chosen.isEmpty())
            return std::nullopt;
        const bool workbook = filter == xlsx || chosen.endsWith(QStringLiteral(".xlsx"));
        const QString suffix = workbook ? QStringLiteral(".xlsx") : QStringLiteral(".pdf");
        const bool asked = chosen.endsWith(suffix, Qt::CaseInsensitive);
        if (!asked) {
            chosen += suffix;
        }
        return ExportChoice{std::filesystem::path(widgets::toStdString(chosen)), workbook, asked};
    };
}

void exportPage(const Page& page, ui::Messenger& messenger, const ExportChooser& choose) {
    exportPages({page}, messenger, choose);
}

void exportPages(const std::vector<Page>& pages, ui::Messenger& messenger,
                 const ExportChooser& choose) {
    if (pages.empty())
        return;
    const std::optional<ExportChoice> choice = choose(pages.front());
    if (!choice)
        return;
    std::error_code ec;
    if (!choice->replaceAsked && std::filesystem::exists(choice->file, ec) &&
        !messenger.confirm("“" + choice->file.string() + "”已存在，要替换吗？"))
        return;
    try {
        if (choice->workbook)
            writeWorkbook(pages, choice->file, true);
        else
            writePdf(pages, choice->file, true);
    } catch (const PublishError& e) {
        messenger.error(e.what());
        return;
    }
    messenger.info("已导出：" + choice->file.string());
}

} // namespace publish
