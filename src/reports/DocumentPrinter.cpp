#include "reports/DocumentPrinter.h"

#include "core/Gbk.h"
#include "reports/DocumentBuilder.h"
#include "reports/DocumentFile.h"
#include "reports/PageRenderer.h"
#include "reports/PdfTextRepair.h"
#include "reports/TemplateFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageSize>
#include <QPdfWriter>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace reports {

DocumentPrinter::DocumentPrinter(ui::Messenger& messenger) : m_messenger(messenger) {}

PrintOutcome DocumentPrinter::printToPdf(ReportKind kind, const std::string& title,
                                         const ReportTable& table,
                                         const std::filesystem::path& workDir,
                                         const std::filesystem::path& pdfPath) {
    return printOn(kind, title, table, workDir, [&](const PageRenderer& renderer) {
        // Drawn into memory and written as any document is: every write checked, the file
        // replaced only when it is whole, and only where a document may go.
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        bool drawn = false;
        {
            QPdfWriter writer(&pdf);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageOrientation(renderer.orientation());
            writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
            writer.setTitle(QString::fromStdString(title));
            writer.setCreator(QStringLiteral("tavlen"));
            drawn = renderer.render(writer);
        }
        if (!drawn) {
            m_messenger.error(std::string(kPdfFailure) + "“" + pdfPath.string() + "”，没有打印。");
            return PrintOutcome::Failed;
        }
        const QByteArray& bytes = pdf.data();
        const std::string_view drawnBytes(bytes.constData(), std::size_t(bytes.size()));
        const std::optional<std::string> repaired = repairedPdfText(drawnBytes);
        if (const std::string error = writeFile(
                pdfPath, repaired ? std::string_view(*repaired) : drawnBytes, workDir, kPdfFailure);
            !error.empty()) {
            m_messenger.error(error);
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    });
}

PrintOutcome DocumentPrinter::printOn(ReportKind kind, const std::string& title,
                                      const ReportTable& table,
                                      const std::filesystem::path& workDir, const DrawPages& draw) {
    const ReportLayout& layout = layoutOf(kind);
    if (!layout.printable) {
        m_messenger.error("复习课程表只能导出，不能打印。");
        return PrintOutcome::NotPrintable;
    }
    const std::optional<std::string> titleGbk = gbk::toGbk(title);
    if (!titleGbk) {
        m_messenger.error("标题“" + title + "”中的“" + gbk::firstUnencodable(title) +
                          "”不能用GBK编码，没有打印。");
        return PrintOutcome::Failed;
    }
    const TemplateResult tpl = readTemplate(kind, workDir);
    if (!tpl.error.empty()) {
        m_messenger.error(tpl.error);
        return PrintOutcome::Failed;
    }
    const BuildResult built = buildDocument(kind, table, tpl.bytes);
    if (!built) {
        m_messenger.error(built.error);
        return PrintOutcome::Failed;
    }

    // The pages are printed from the temporary file, as they were written. The file is this
    // print's own, never one a user may have made or exported; it goes when the print ends.
    PrivateFile temporary;
    if (const std::string error = temporary.write(built.document->bytes); !error.empty()) {
        m_messenger.error(error);
        return PrintOutcome::Failed;
    }
    Document document = *built.document;
    if (const std::string error = readFile(temporary.path(), document.bytes); !error.empty()) {
        m_messenger.error(error);
        return PrintOutcome::Failed;
    }
    if (document.bytes.size() != built.document->bytes.size()) {
        m_messenger.error("临时文件“" + temporary.path().string() +
                          "”读回的内容不完整，没有打印。");
        return PrintOutcome::Failed;
    }

    // A title wider than the page is cut, never the page shrunk to make room for it.
    const std::string fitted = PageRenderer::fittedTitle(kind, *titleGbk);
    if (fitted.size() < titleGbk->size()) {
        m_messenger.info("标题比页宽长，只打印前面的“" + gbk::fromGbk(fitted) + "”。");
    }
    const PrintOutcome drawn = draw(PageRenderer(document, fitted));
    if (drawn != PrintOutcome::Printed) {
        return drawn;
    }
    m_messenger.notice(kPrintedCaption, kPrinted);
    return PrintOutcome::Printed;
}

} // namespace reports
