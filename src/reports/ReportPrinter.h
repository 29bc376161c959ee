// "打印" on the default printer: the report's pages drawn through DocumentPrinter's steps
// (the temporary print file, the same drawing code) on the machine's default printer. The
// printer needs Qt PrintSupport, hence this class lives in the widget-level target; the PDF
// output it inherits does not.
//
// Messages: those of DocumentPrinter. No default printer: kNoPrinter. A job that cannot
// start: an error, nothing printed. Either way the temporary file is gone.
#pragma once

#include "reports/DocumentPrinter.h"

namespace reports {

inline constexpr const char* kNoPrinter = "没有默认打印机,或者没有安装打印机!";
inline constexpr const char* kPrintJobName = "printer";

class ReportPrinter : public DocumentPrinter {
public:
    using DocumentPrinter::DocumentPrinter;

    // title: UTF-8, as the report's dialog composes it (ReportTitles.h).
    PrintOutcome print(ReportKind kind, const std::string& title, const ReportTable& table,
                       const std::filesystem::path& workDir);
};

} // namespace reports
