#include "reports/ReportPrinter.h"

#include "reports/PageRenderer.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace reports {

std::filesystem::path ReportPrinter::proposedPdf(ReportKind kind,
                                                 const std::filesystem::path& workDir) {
    return (workDir / std::filesystem::path(layoutOf(kind).exportDefault))
        .replace_extension(".pdf");
}

PrintOutcome ReportPrinter::print(ReportKind kind, const std::string& title,
                                  const ReportTable& table, const std::filesystem::path& workDir) {
    const PrintOutcome outcome =
        printOn(kind, title, table, workDir, [this](const PageRenderer& renderer) {
            const QPrinterInfo info = QPrinterInfo::defaultPrinter();
            std::optional<QPrinter> printer;
            if (!info.isNull()) {
                printer.emplace(info, QPrinter::HighResolution);
            }
            if (!printer || !printer->isValid()) {
                m_messenger.error(kNoPrinter);
                return PrintOutcome::NoPrinter;
            }
            printer->setDocName(QString::fromUtf8(kPrintJobName));
            printer->setPageOrientation(renderer.orientation());
            if (m_options.preview) {
                QPrintPreviewDialog preview(&*printer, m_options.parent);
                bool drawn = true;
                QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                                 [&](QPrinter* device) { drawn = renderer.render(*device); });
                if (preview.exec() != QDialog::Accepted) {
                    return PrintOutcome::Cancelled;
                }
                return drawn ? PrintOutcome::Printed : PrintOutcome::Failed;
            }
            if (!renderer.render(*printer)) {
                m_messenger.error("打印作业无法开始，没有打印。");
                return PrintOutcome::Failed;
            }
            return PrintOutcome::Printed;
        });
    if (outcome != PrintOutcome::NoPrinter || !m_options.choosePdf ||
        !m_messenger.confirm(kOfferPdf)) {
        return outcome;
    }
    const std::optional<std::filesystem::path> pdf =
        m_options.choosePdf(proposedPdf(kind, workDir));
    return pdf ? printToPdf(kind, title, table, workDir, *pdf) : outcome;
}

} // namespace reports
