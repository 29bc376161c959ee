// "打印" of published pages: Qt's print preview of the pages as PagePainter draws them, each
// page on an A4 sheet of its orientation, printed from the preview on the default printer.
//
// Without a printer it goes as every print of the program goes (reports/ReportPrinter.h):
// reports::kNoPrinter, then reports::kOfferPdf; on 是 the PDF chooser names a file (nothing
// happens when it is cancelled) and the pages are written there as writePdf() writes them,
// followed by reports::kPrinted; on 否 the preview still shows the pages, on a PDF device.
// A PDF that cannot be written: its PublishError's text, nothing left behind.
#pragma once

#include "publish/Page.h"
#include "reports/DocumentPrinter.h"
#include "reports/ReportPrinter.h"

#include <functional>
#include <vector>

class QPrinter;
class QWidget;

namespace publish {

// The PDF proposed in place of a print, in the working directory.
inline constexpr const char* kProposedPdf = "课程表.pdf";

class PagePrint {
public:
    // Shows the preview of the pages on printer, drawn by draw; true when they were printed.
    using Preview =
        std::function<bool(QPrinter& printer, const std::function<void(QPrinter*)>& draw)>;

    PagePrint(ui::Messenger& messenger, reports::ReportPrinter::PdfChooser choosePdf,
              Preview preview)
        : m_messenger(messenger), m_choosePdf(std::move(choosePdf)), m_preview(std::move(preview)) {
    }

    reports::PrintOutcome print(const std::vector<Page>& pages) const;

    // QPrintPreviewDialog over parent.
    static Preview previewDialog(QWidget* parent);

private:
    reports::PrintOutcome preview(QPrinter& printer, const std::vector<Page>& pages) const;

    ui::Messenger& m_messenger;
    reports::ReportPrinter::PdfChooser m_choosePdf;
    Preview m_preview;
};

// The print with the program's message boxes, save-file dialog and print preview.
void printPages(const std::vector<Page>& pages, QWidget* parent);

} // namespace publish
