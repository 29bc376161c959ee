// "打印" on a paged device: the steps every print of a report takes, whatever draws the
// pages, and a PDF file as the device for headless use. Qt Gui only: the default printer,
// which needs PrintSupport and with it Widgets, is ReportPrinter's, built on these steps.
//
// The steps: fill a temporary print file of this print's own (PrivateFile: never a file in
// the working directory, so no exported or other user's file is ever replaced or deleted),
// read the pages back from it as they were written, draw them on the device, tell the user
// it is done. The temporary file is deleted whatever the outcome.
//
// A PDF is drawn into memory, its text made to read back as drawn (PdfTextRepair.h), then
// written as a document is (DocumentFile.h): every write is checked, the file appears only
// whole, and it is refused where a document may not go.
//
// Messages: a report that is not printed, a missing or short template, text GBK cannot
// encode or a value too wide for its field, a temporary file that cannot be written or read
// back: their error, nothing printed. A PDF file that cannot be written (whatever the cause:
// a missing folder, a full disk, a file-size limit): "无法写出 PDF 文件“<path>”：<reason>。",
// nothing printed and no part of it left. Done: kPrinted with caption kPrintedCaption.
#pragma once

#include "core/Messenger.h"
#include "reports/ReportLayout.h"
#include "reports/ReportTable.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace reports {

class PageRenderer;

inline constexpr const char* kPrinted = "打印完毕!";
inline constexpr const char* kPrintedCaption = "提示";
inline constexpr std::string_view kPdfFailure = "无法写出 PDF 文件";

enum class PrintOutcome { Printed, NotPrintable, Failed, NoPrinter, Cancelled };

class DocumentPrinter {
public:
    explicit DocumentPrinter(ui::Messenger& messenger);

    // title: UTF-8, as the report's dialog composes it (ReportTitles.h).
    PrintOutcome printToPdf(ReportKind kind, const std::string& title, const ReportTable& table,
                            const std::filesystem::path& workDir,
                            const std::filesystem::path& pdfPath);

protected:
    // Opens the device, draws the renderer's pages on it and returns Printed, or reports
    // why not and returns Failed, or NoPrinter when the device is not there.
    using DrawPages = std::function<PrintOutcome(const PageRenderer& renderer)>;

    PrintOutcome printOn(ReportKind kind, const std::string& title, const ReportTable& table,
                         const std::filesystem::path& workDir, const DrawPages& draw);

    ui::Messenger& m_messenger;
};

} // namespace reports
