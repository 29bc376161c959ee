#include "cli/ReportOutput.h"

#include "core/Messenger.h"
#include "reports/DocumentPrinter.h"
#include "reports/ReportExport.h"

#include <QGuiApplication>
#include <memory>
#include <ostream>

namespace cli {
namespace {

namespace fs = std::filesystem;

class StreamMessenger : public ui::Messenger {
public:
    StreamMessenger(std::ostream& out, std::ostream& err, std::string prefix)
        : m_out(out), m_err(err), m_prefix(std::move(prefix)) {}
    void info(const std::string& text) override { m_out << text << '\n'; }
    void notice(const std::string&, const std::string& text) override { info(text); }
    void error(const std::string& text) override { m_err << m_prefix << text << '\n'; }
    // A script has said where to write: an existing file is replaced.
    bool confirm(const std::string&) override { return true; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    std::string m_prefix;
};

// The file of -o stands in for the save dialog's answer.
class FixedChooser : public reports::SaveFileChooser {
public:
    explicit FixedChooser(fs::path path) : m_path(std::move(path)) {}
    std::optional<fs::path> chooseSaveFile(const reports::SaveRequest&) override { return m_path; }

private:
    fs::path m_path;
};

} // namespace

int writeReport(reports::ReportKind kind, const reports::ReportTable& table,
                const std::string& title, const ReportTargets& targets, const std::string& prefix,
                std::ostream& out, std::ostream& err) {
    const fs::path workDir = fs::current_path();
    StreamMessenger messenger(out, err, prefix);
    if (targets.output) {
        FixedChooser chooser(*targets.output);
        if (reports::exportReport(kind, table, workDir, chooser, messenger) !=
            reports::ExportOutcome::Written) {
            return 1;
        }
        out << "已写出 " << targets.output->string() << '\n';
    }
    if (targets.pdf) {
        // Drawing needs a GUI application object; without a display, the offscreen one.
        std::unique_ptr<QGuiApplication> app;
        if (QGuiApplication::instance() == nullptr) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            static int argc = 1;
            static char name[] = "tavlen-cli";
            static char* argv[] = {name, nullptr};
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        reports::DocumentPrinter printer(messenger);
        if (printer.printToPdf(kind, title, table, workDir, *targets.pdf) !=
            reports::PrintOutcome::Printed) {
            return 1;
        }
    }
    return 0;
}

} // namespace cli
