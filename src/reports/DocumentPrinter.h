// "打印" on a paged device: the steps every print of a report takes, whatever draws the
// pages, and a PDF file as the device for headless use. Qt Gui only: the default printer,
// which needs PrintSupport and with it Widgets, is ReportPrinter's, built on these steps.
//
// The steps: fill the report's temporary print file in the working directory, read the
// pages back from it as they were written, draw them on the device, tell the user it is
// done and delete the temporary file.
//
// Messages: a report that is not printed, a missing or short template, text GBK cannot
// encode, a temporary file that cannot be written or read back: their error, nothing
// printed. A PDF file that cannot be written: an error, nothing printed. Done: kPrinted
// with caption kPrintedCaption.
#pragma once

#include "core/Messenger.h"
#include "reports/ReportLayout.h"
#include "reports/ReportTable.h"

#include <filesystem>
#include <functional>
#include <string>

namespace reports {

class PageRenderer;

inline constexpr const char* kPrinted = "打印完毕!";
inline constexpr const char* kPrintedCaption = "提示";

enum class PrintOutcome { Printed, NotPrintable, Failed, NoPrinter };

class DocumentPrinter {
public:
    explicit DocumentPrinter(ui::Messenger& messenger);

    // title: UTF-8, as the report's dialog composes it (ReportTitles.h).
    PrintOutcome printToPdf(ReportKind kind, const std::string& title, const ReportTable& table,
                            const std::filesystem::path& workDir,
                            const std::filesystem::path& pdfPath);

protected:
    // Opens the device, draws the renderer's pages on it and returns Printed, or reports
    // why not and returns Failed (the temporary file is deleted) or NoPrinter (the device
    // is not there: the temporary file is left).
    using DrawPages = std::function<PrintOutcome(const PageRenderer& renderer)>;

    PrintOutcome printOn(ReportKind kind, const std::string& title, const ReportTable& table,
                         const std::filesystem::path& workDir, const DrawPages& draw);

    ui::Messenger& m_messenger;
};

} // namespace reports
