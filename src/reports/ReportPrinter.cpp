#include "reports/ReportPrinter.h"

#include "reports/PageRenderer.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace reports {

PrintOutcome ReportPrinter::print(ReportKind kind, const std::string& title,
                                  const ReportTable& table, const std::filesystem::path& workDir) {
    return printOn(kind, title, table, workDir, [this](const PageRenderer& renderer) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            m_messenger.error(kNoPrinter);
            return PrintOutcome::NoPrinter;
        }
        QPrinter printer(info, QPrinter::HighResolution);
        if (!printer.isValid()) {
            m_messenger.error(kNoPrinter);
            return PrintOutcome::NoPrinter;
        }
        printer.setDocName(QString::fromUtf8(kPrintJobName));
        printer.setPageOrientation(renderer.orientation());
        if (!renderer.render(printer)) {
            m_messenger.error("打印作业无法开始，没有打印。");
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    });
}

} // namespace reports
