#include "reports/DocumentPrinter.h"

#include "core/Gbk.h"
#include "reports/DocumentBuilder.h"
#include "reports/DocumentFile.h"
#include "reports/PageRenderer.h"
#include "reports/TemplateFile.h"

#include <QPageSize>
#include <QPdfWriter>
#include <system_error>

namespace reports {

DocumentPrinter::DocumentPrinter(ui::Messenger& messenger) : m_messenger(messenger) {}

PrintOutcome DocumentPrinter::printToPdf(ReportKind kind, const std::string& title,
                                         const ReportTable& table,
                                         const std::filesystem::path& workDir,
                                         const std::filesystem::path& pdfPath) {
    return printOn(kind, title, table, workDir, [&](const PageRenderer& renderer) {
        QPdfWriter writer(QString::fromStdString(pdfPath.string()));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(renderer.orientation());
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("tavlen"));
        if (!renderer.render(writer)) {
            m_messenger.error("无法写入文件“" + pdfPath.string() + "”，没有打印。");
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    });
}

PrintOutcome DocumentPrinter::printOn(ReportKind kind, const std::string& title,
                                      const ReportTable& table,
                                      const std::filesystem::path& workDir, const DrawPages& draw) {
    const ReportLayout& layout = layoutOf(kind);
    if (layout.printFile.empty()) {
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

    // The pages are printed from the temporary file, as they were written.
    const std::filesystem::path temporary = workDir / layout.printFile;
    if (const std::string error = writeFile(temporary, built.document->bytes); !error.empty()) {
        m_messenger.error(error);
        return PrintOutcome::Failed;
    }
    Document document = *built.document;
    if (const std::string error = readFile(temporary, document.bytes); !error.empty()) {
        m_messenger.error(error);
        return PrintOutcome::Failed;
    }
    std::error_code ignored;
    if (document.bytes.size() != built.document->bytes.size()) {
        m_messenger.error("临时文件“" + temporary.string() + "”读回的内容不完整，没有打印。");
        std::filesystem::remove(temporary, ignored);
        return PrintOutcome::Failed;
    }

    const PrintOutcome drawn = draw(PageRenderer(document, *titleGbk));
    if (drawn == PrintOutcome::NoPrinter) {
        return drawn;
    }
    std::filesystem::remove(temporary, ignored);
    if (drawn != PrintOutcome::Printed) {
        return drawn;
    }
    m_messenger.notice(kPrintedCaption, kPrinted);
    return PrintOutcome::Printed;
}

} // namespace reports
