#include "cli/PublishCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "cli/ReportOutput.h"
#include "publish/OutputTarget.h"
#include "publish/PublishJob.h"
#include "publish/SchoolSource.h"
#include "store/DbError.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <array>
#include <memory>
#include <ostream>
#include <utility>

namespace cli {
namespace {

constexpr const char* kPrefix = "tavlen-cli publish: ";

struct Given {
    std::string kind;
    std::string grade;
    std::string pdf;
    std::string xlsx;
    std::string html;
    std::string ics;
    std::string weeks;
    bool force = false;
};

int usageError(std::ostream& err, const std::string& problem) {
    return cli::usageError(err, "publish", problem);
}

constexpr std::array<std::pair<const char*, publish::PageKind>, 4> kKinds = {{
    {"classes", publish::PageKind::Class},
    {"teachers", publish::PageKind::Teacher},
    {"overview", publish::PageKind::Overview},
    {"assignments", publish::PageKind::Assignment},
}};

int runPublish(const Given& given, std::ostream& out, std::ostream& err) {
    publish::PublishRequest request;
    bool known = false;
    for (const auto& [name, kind] : kKinds) {
        if (given.kind == name) {
            request.kind = kind;
            known = true;
        }
    }
    if (!known) {
        return usageError(err,
                          given.kind.empty() ? "缺少要发布的内容" : "未知的发布内容 " + given.kind);
    }
    if (!given.grade.empty() && given.grade != "all") {
        request.grade = parseGrade(given.grade);
        if (!request.grade) {
            return usageError(err, "未知的年段 " + given.grade);
        }
    }
    const std::array<std::pair<const std::string*, publish::Format>, 4> targets = {{
        {&given.pdf, publish::Format::Pdf},
        {&given.xlsx, publish::Format::Workbook},
        {&given.html, publish::Format::Site},
        {&given.ics, publish::Format::Calendars},
    }};
    int chosen = 0;
    for (const auto& [path, format] : targets) {
        if (!path->empty()) {
            request.format = format;
            request.target = *path;
            ++chosen;
        }
    }
    if (chosen != 1) {
        return usageError(err, chosen == 0 ? "缺少 --pdf、--xlsx、--html 或 --ics"
                                           : "--pdf、--xlsx、--html 和 --ics 只能选一个");
    }
    if (!given.weeks.empty()) {
        if (request.format != publish::Format::Calendars) {
            return usageError(err, "--weeks 只用于 --ics");
        }
        const bool digits = given.weeks.size() <= 2 &&
                            given.weeks.find_first_not_of("0123456789") == std::string::npos;
        request.weeks = digits ? std::stoi(given.weeks) : 0;
        if (request.weeks < 1 || request.weeks > publish::kMaxCalendarWeeks) {
            return usageError(err, "周数 " + given.weeks + " 应为 1 到 " +
                                       std::to_string(publish::kMaxCalendarWeeks));
        }
    }
    request.replace = given.force;
    if (!useWorkingDatabase(err)) {
        return 1;
    }
    // the PDF's pages and the fonts they are measured with need a GUI application object
    const auto app = drawingApplication();
    try {
        const publish::PublishResult result =
            publish::publish(publish::loadSchoolSource(), request);
        for (const std::string& warning : result.warnings) {
            err << kPrefix << warning << '\n';
        }
        out << "已写出 " << result.pages << " 页：" << request.target.string() << '\n';
    } catch (const publish::PublishError& e) {
        return publishFailure(err, kPrefix, e);
    } catch (const store::DbError& e) {
        err << kPrefix << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int publishFailure(std::ostream& err, const std::string& prefix, const publish::PublishError& e) {
    err << prefix << e.what();
    if (e.kind() == publish::PublishError::Kind::Exists) {
        err << "（用 --force 替换）";
    }
    err << '\n';
    return 1;
}

std::string publishUsage() {
    return "usage: tavlen-cli publish classes|teachers|overview|assignments [GRADE|all] "
           "(--pdf FILE | --xlsx FILE | --html DIR | --ics DIR) [--weeks N] [--force]\n";
}

Run definePublish(CLI::App& command) {
    const auto given = std::make_shared<Given>();
    addText(command, "KIND", given->kind, "KIND",
            "classes 班级课表、teachers 教师课表、overview 年段总课表或 assignments 任课表");
    addText(command, "GRADE", given->grade, "GRADE", "年段：初一…高三或 1..6，all 或不写为全部");
    addText(command, "--pdf", given->pdf, "FILE", "写成 PDF 文件");
    addText(command, "--xlsx", given->xlsx, "FILE", "写成 Excel 工作簿");
    addText(command, "--html", given->html, "DIR", "写成网页文件夹（index.html）");
    addText(command, "--ics", given->ics, "DIR", "写成日历文件夹（每个班级或教师一个 .ics）");
    addText(command, "--weeks", given->weeks, "N", "日历的周数，1 到 30，默认 18");
    command.add_flag("--force", given->force, "替换已有的文件或文件夹");
    return [given](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "publish")) {
            return 2;
        }
        return runPublish(*given, out, err);
    };
}

} // namespace cli
