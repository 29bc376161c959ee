#include "publish/PagePrint.h"

#include "publish/OutputTarget.h"
#include "publish/PagePainter.h"
#include "publish/PdfOutput.h"
#include "reports/ReportActions.h"
#include "reports/SaveFileDialog.h"
#include "widgets/QtMessenger.h"

#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <optional>

namespace publish {

reports::PrintOutcome PagePrint::preview(QPrinter& printer, const std::vector<Page>& pages) const {
    printer.setDocName(QString::fromStdString(pages.front().title));
    printer.setPageSize(QPageSize(QPageSize::A4));
    bool drawn = true;
    const bool printed = m_preview(printer, [&](QPrinter* device) {
        drawn = PagePainter::paintPages(*device, pages) && drawn;
    });
    if (!printed) {
        return reports::PrintOutcome::Cancelled;
    }
    return drawn ? reports::PrintOutcome::Printed : reports::PrintOutcome::Failed;
}

reports::PrintOutcome PagePrint::print(const std::vector<Page>& pages) const {
    if (pages.empty()) {
        return reports::PrintOutcome::NotPrintable;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        QPrinter printer(info, QPrinter::HighResolution);
        if (printer.isValid()) {
            return preview(printer, pages);
        }
    }
    m_messenger.error(reports::kNoPrinter);
    if (!m_messenger.confirm(reports::kOfferPdf)) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        return preview(pdf, pages);
    }
    const std::optional<std::filesystem::path> file =
        m_choosePdf ? m_choosePdf(std::filesystem::current_path() / kProposedPdf) : std::nullopt;
    if (!file) {
        return reports::PrintOutcome::NoPrinter;
    }
    try {
        writePdf(pages, *file, true);
    } catch (const PublishError& failure) {
        m_messenger.error(failure.what());
        return reports::PrintOutcome::Failed;
    }
    m_messenger.notice(reports::kPrintedCaption, reports::kPrinted);
    return reports::PrintOutcome::Printed;
}

PagePrint::Preview PagePrint::previewDialog(QWidget* parent) {
    return [parent](QPrinter& printer, const std::function<void(QPrinter*)>& draw) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, draw);
        return dialog.exec() == QDialog::Accepted;
    };
}

void printPages(const std::vector<Page>& pages, QWidget* parent) {
    widgets::QtMessenger messenger(parent);
    const PagePrint print(
        messenger,
        [parent](const std::filesystem::path& proposed) {
            reports::SaveFileDialog chooser(parent);
            return chooser.chooseSaveFile(reports::pdfRequest(proposed));
        },
        PagePrint::previewDialog(parent));
    print.print(pages);
}

} // namespace publish
