#include "cli/CoverCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "cli/PublishCommand.h"
#include "cli/ReportOutput.h"
#include "core/SchoolNames.h"
#include "cover/CoverApply.h"
#include "cover/CoverNotice.h"
#include "cover/CoverPlanStore.h"
#include "cover/CoverPlanner.h"
#include "publish/OutputTarget.h"
#include "store/DbError.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <memory>
#include <ostream>

namespace cli {
namespace {

constexpr const char* kPrefix = "tavlen-cli cover: ";

struct Given {
    std::string teacher;
    std::string from;
    std::string to;
    std::string category;
    std::string notice;
    bool apply = false;
    bool force = false;
};

// The command line asks nothing: a plan made just now is never stale, and the store's
// overwrite question is not installed here.
class LineMessenger : public ui::Messenger {
public:
    explicit LineMessenger(std::ostream& err) : m_err(err) {}
    void info(const std::string& text) override { m_err << kPrefix << text << '\n'; }
    void notice(const std::string&, const std::string& text) override { info(text); }
    void error(const std::string& text) override { info(text); }
    bool confirm(const std::string& text) override {
        info(text);
        return false;
    }

private:
    std::ostream& m_err;
};

void printPlan(const cover::CoverPlanner& planner, const cover::CoverPlan& plan,
               std::ostream& out) {
    const cover::CoverRequest& request = plan.request;
    out << request.teacher << ' ' << request.category << ' ' << cover::dateText(request.from)
        << " 至 " << cover::dateText(request.to) << "：共 " << plan.lessons.size() << " 节课\n";
    int uncovered = 0;
    for (std::size_t i = 0; i < plan.lessons.size(); ++i) {
        const cover::CoverLesson& lesson = plan.lessons[i];
        out << cover::dateText(lesson.date) << '\t'
            << school::kDayNames[static_cast<std::size_t>(lesson.day)] << '\t'
            << school::kPeriodNames[static_cast<std::size_t>(lesson.period - 1)] << '\t'
            << lesson.className << '\t' << lesson.course << '\t';
        if (lesson.substitute.empty()) {
            ++uncovered;
            out << cover::kNobody << '\n';
            continue;
        }
        std::string reason;
        for (const cover::CoverChoice& choice : planner.candidates(plan, i)) {
            if (choice.candidate.teacher == lesson.substitute) {
                reason = choice.reason();
            }
        }
        out << lesson.substitute << '\t' << reason << '\n';
    }
    if (uncovered > 0) {
        out << "无人可代 " << uncovered << " 节\n";
    }
}

int runCover(const Given& given, std::ostream& out, std::ostream& err) {
    if (given.teacher.empty() || given.from.empty()) {
        return usageError(err, "cover", given.teacher.empty() ? "缺少教师" : "缺少 --from");
    }
    if (!given.notice.empty() && !cover::isNoticeFile(given.notice)) {
        return usageError(err, "cover", "--notice 应为 .pdf 或 .xlsx 文件");
    }
    if (!useWorkingDatabase(err)) {
        return 1;
    }
    // the notice's PDF pages and the fonts they are measured with need a GUI application
    std::unique_ptr<QGuiApplication> app;
    if (!given.notice.empty()) {
        app = drawingApplication();
    }
    try {
        const cover::CoverPlanner planner(cover::CoverSchool::load());
        cover::CoverPlanner::Made made =
            planner.plan(given.teacher, given.from, given.to, given.category);
        if (!made.plan) {
            err << kPrefix << made.refusal << '\n';
            return 1;
        }
        cover::CoverPlan& plan = *made.plan;
        planner.assignFirst(plan);
        printPlan(planner, plan, out);
        if (given.apply) {
            LineMessenger messenger(err);
            const cover::ApplyOutcome outcome = cover::applyPlan(plan, planner, messenger);
            if (outcome.kind != cover::ApplyOutcome::Kind::Applied &&
                outcome.kind != cover::ApplyOutcome::Kind::Unchanged) {
                err << kPrefix << outcome.message() << '\n';
                return 1;
            }
            plan.applied = true;
            cover::savePlan(plan);
            out << outcome.message() << '\n';
        }
        if (!given.notice.empty()) {
            cover::writeNotice(cover::noticePages(plan, planner.school().settings.schoolName),
                               given.notice, given.force);
            out << "已写出代课通知单：" << given.notice << '\n';
        }
    } catch (const publish::PublishError& e) {
        return publishFailure(err, kPrefix, e);
    } catch (const store::DbError& e) {
        err << kPrefix << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

std::string coverUsage() {
    return "usage: tavlen-cli cover TEACHER --from DATE [--to DATE] [--category 事假|公假|缺勤] "
           "[--apply] [--notice FILE.pdf|FILE.xlsx] [--force]\n";
}

Run defineCover(CLI::App& command) {
    const auto given = std::make_shared<Given>();
    addText(command, "TEACHER", given->teacher, "TEACHER", "缺课的教师");
    addText(command, "--from", given->from, "DATE", "第一天，如 2024-09-09");
    addText(command, "--to", given->to, "DATE", "最后一天（不写为同一天）");
    addText(command, "--category", given->category, "CATEGORY", "性质：事假（默认）、公假或缺勤");
    command.add_flag("--apply", given->apply, "把安排写入出勤记录");
    addText(command, "--notice", given->notice, "FILE", "把代课通知单写成 PDF 或 Excel 工作簿");
    command.add_flag("--force", given->force, "替换已有的通知单文件");
    return [given](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "cover")) {
            return 2;
        }
        return runCover(*given, out, err);
    };
}

} // namespace cli
