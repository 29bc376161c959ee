// "打印": fills the report's temporary print file in the working directory, draws its
// printed pages on the default printer (or, for headless use, into a PDF file through the
// same drawing code), tells the user it is done and deletes the temporary file.
//
// Messages: a missing or short template, text GBK cannot encode, a temporary file that
// cannot be written: their error, nothing printed. No default printer: kNoPrinter, and the
// temporary file is left. A job that cannot start: an error, nothing printed. Done:
// kPrinted with caption kPrintedCaption.
#pragma once

#include "core/Messenger.h"
#include "reports/ReportLayout.h"
#include "reports/ReportTable.h"

#include <filesystem>
#include <functional>
#include <string>

namespace reports {

inline constexpr const char* kNoPrinter = "没有默认打印机,或者没有安装打印机!";
inline constexpr const char* kPrinted = "打印完毕!";
inline constexpr const char* kPrintedCaption = "提示";
inline constexpr const char* kPrintJobName = "printer";

enum class PrintOutcome { Printed, NotPrintable, Failed, NoPrinter };

class ReportPrinter {
public:
    explicit ReportPrinter(ui::Messenger& messenger);

    // title: UTF-8, as the report's dialog composes it (ReportTitles.h).
    PrintOutcome print(ReportKind kind, const std::string& title, const ReportTable& table,
                       const std::filesystem::path& workDir);

    PrintOutcome printToPdf(ReportKind kind, const std::string& title, const ReportTable& table,
                            const std::filesystem::path& workDir,
                            const std::filesystem::path& pdfPath);

private:
    enum class Target { DefaultPrinter, Pdf };
    PrintOutcome run(Target target, ReportKind kind, const std::string& title,
                     const ReportTable& table, const std::filesystem::path& workDir,
                     const std::filesystem::path& pdfPath);

    ui::Messenger& m_messenger;
};

} // namespace reports
