#include "cli/ReportOutput.h"

#include "core/Messenger.h"
#include "reports/DocumentPrinter.h"
#include "reports/ReportExport.h"

#include <QGuiApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// Whether two paths name one file: the same path once links are resolved, or, for files that
// exist, the same file under two names.
bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec) && !ec) {
        return true;
    }
    return fs::equivalent(a, b, ec) && !ec;
}

// Whether path lies in the folder (once links are resolved).
bool isInside(const fs::path& path, const fs::path& folder) {
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(path, ec), ec);
    const fs::path within = fs::weakly_canonical(folder, ec);
    if (ec) {
        return false;
    }
    const auto [end, rest] =
        std::mismatch(within.begin(), within.end(), resolved.begin(), resolved.end());
    return end == within.end() && rest != resolved.end();
}

// The refusal of targets that may not be written, empty when all may.
std::string refusal(reports::ReportKind kind, const ReportTargets& targets,
                    const fs::path& workDir) {
    if (targets.pdf && !reports::layoutOf(kind).printable) {
        return "复习课程表只能导出，不能打印。没有写出任何文件。";
    }
    if (targets.output && targets.pdf && sameFile(*targets.output, *targets.pdf)) {
        return "-o 与 --pdf 是同一个文件“" + targets.pdf->string() + "”，没有写出任何文件。";
    }
    for (const auto* target : {&targets.output, &targets.pdf}) {
        if (!*target) {
            continue;
        }
        const fs::path& path = **target;
        // The database has the writer's own refusal; the templates beside it have this one.
        if (isInside(path, workDir / "tavlen") &&
            !sameFile(path, workDir / "tavlen" / "tavlen.mdb")) {
            return "“" + path.string() +
                   "”在 tavlen 文件夹中：那里是本程序读取的数据库和报表模板，不能写在那里。"
                   "没有写出任何文件。";
        }
        for (const fs::path& input : targets.inputs) {
            if (sameFile(path, input)) {
                return "“" + path.string() +
                       "”是本命令读取的数据文件，不能写在它上面。"
                       "没有写出任何文件。";
            }
        }
    }
    return {};
}

} // namespace

std::unique_ptr<QGuiApplication> drawingApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Without a session (cron, ssh, CI) there is no runtime folder: the one Qt would choose
    // itself, made beforehand so that its warning does not reach the command's output.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const std::string folder = "/tmp/runtime-" + std::to_string(::getuid());
        if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) {
            struct stat info {};
            if (::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
                info.st_uid == ::getuid() && (info.st_mode & 077) == 0) {
                qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder));
            }
        }
    }
    static int argc = 1;
    static char name[] = "tavlen-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int writeReport(reports::ReportKind kind, const reports::ReportTable& table,
                const std::string& title, const ReportTargets& targets, const std::string& prefix,
                std::ostream& out, std::ostream& err) {
    const fs::path workDir = fs::current_path();
    StreamMessenger messenger(out, err, prefix);
    if (const std::string refused = refusal(kind, targets, workDir); !refused.empty()) {
        messenger.error(refused);
        return 1;
    }
    if (targets.output) {
        FixedChooser chooser(*targets.output);
        if (reports::exportReport(kind, table, workDir, chooser, messenger) !=
            reports::ExportOutcome::Written) {
            return 1;
        }
        out << "已写出 " << targets.output->string() << '\n';
    }
    if (targets.pdf) {
        const std::unique_ptr<QGuiApplication> app = drawingApplication();
        reports::DocumentPrinter printer(messenger);
        if (printer.printToPdf(kind, title, table, workDir, *targets.pdf) !=
            reports::PrintOutcome::Printed) {
            return 1;
        }
    }
    return 0;
}

} // namespace cli
