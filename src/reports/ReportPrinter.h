// "打印" on the default printer: the report's pages drawn through DocumentPrinter's steps
// (the temporary print file, the same drawing code) on the machine's default printer. The
// printer needs Qt PrintSupport, hence this class lives in the widget-level target; the PDF
// output it inherits does not.
//
// Messages: those of DocumentPrinter. No default printer: kNoPrinter; then, when a PDF
// chooser is given, kOfferPdf (是/否): on 是 the chooser names the file (nothing happens when
// it is cancelled) and the same pages are written there as printToPdf() writes them. A job
// that cannot start: an error, nothing printed. With `preview` the pages are shown in Qt's
// print preview first and printed from there; closing the preview prints nothing. Either way
// the temporary file is gone.
#pragma once

#include "reports/DocumentPrinter.h"

#include <functional>
#include <optional>

class QWidget;

namespace reports {

inline constexpr const char* kNoPrinter = "没有默认打印机,或者没有安装打印机!";
inline constexpr const char* kOfferPdf = "是否另存为 PDF 文件？";
inline constexpr const char* kPrintJobName = "printer";

class ReportPrinter : public DocumentPrinter {
public:
    // The PDF file to write instead, starting from the proposed path; nullopt: cancelled.
    using PdfChooser =
        std::function<std::optional<std::filesystem::path>(const std::filesystem::path&)>;
    struct Options {
        PdfChooser choosePdf{}; // empty: no PDF is offered
        bool preview = false;   // show Qt's print preview before printing
        QWidget* parent = nullptr;
    };

    explicit ReportPrinter(ui::Messenger& messenger) : DocumentPrinter(messenger) {}
    ReportPrinter(ui::Messenger& messenger, Options options)
        : DocumentPrinter(messenger), m_options(std::move(options)) {}

    // title: UTF-8, as the report's dialog composes it (ReportTitles.h). A PDF written in
    // place of the print counts as Printed; a declined or cancelled one is NoPrinter; a
    // preview closed without printing is Cancelled.
    PrintOutcome print(ReportKind kind, const std::string& title, const ReportTable& table,
                       const std::filesystem::path& workDir);

    // The PDF proposed in place of the report's print: its export file with ".pdf".
    static std::filesystem::path proposedPdf(ReportKind kind, const std::filesystem::path& workDir);

private:
    Options m_options;
};

} // namespace reports
