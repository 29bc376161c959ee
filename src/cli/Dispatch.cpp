#include "cli/Command.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace cli {
namespace {

constexpr const char* kToolUsage =
    "usage: tavlen-cli COMMAND [ARGS] [--dsn NAME | --connect STRING | --connect-file FILE]\n"
    "  tavlen-cli --help 列出全部命令，tavlen-cli COMMAND --help 说明一个命令\n";

// The command whose line was being read when it stopped: the deepest one named.
CLI::App* namedCommand(CLI::App& app) {
    for (CLI::App* sub : app.get_subcommands()) {
        return namedCommand(*sub);
    }
    return &app;
}

// The command-table name of what was being read: "export" also for its kinds.
std::string commandName(CLI::App& tool) {
    const std::vector<CLI::App*> named = tool.get_subcommands();
    return named.empty() ? std::string() : named.front()->get_name();
}

// What the parser's own complaint says in Chinese.
std::string problemOf(const CLI::ParseError& e) {
    const std::string what = e.what();
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr) {
        const std::string option = what.substr(0, what.find(':'));
        if (what.find("missing") != std::string::npos) {
            return "选项 " + option + " 缺少参数";
        }
        return "选项 " + option.substr(0, option.find(' ')) + " 不带参数";
    }
    return "命令行有误（" + what + "）";
}

void writeToolUsage(const std::vector<Command>& table, std::ostream& err) {
    err << kToolUsage;
    for (const Command& command : table) {
        err << "  tavlen-cli " << command.name << "    " << command.about << '\n';
    }
}

// The table of the dispatch under way, for the usage lines after a wrong argument.
const std::vector<Command>* g_dispatched = nullptr;

} // namespace

const std::vector<Command>& dispatchedCommands() {
    static const std::vector<Command> none;
    return g_dispatched != nullptr ? *g_dispatched : none;
}

int dispatchWith(const std::vector<Command>& table, const Args& argv, std::ostream& out,
                 std::ostream& err) {
    g_dispatched = &table;
    CLI::App tool("tavlen 排课系统的命令行：在当前文件夹的 ./tavlen/tavlen.mdb（或 --dsn、"
                  "--connect、--connect-file 所指的服务器数据库）上工作。",
                  "tavlen-cli");
    describeInChinese(tool);
    tool.set_version_flag("--version", std::string("tavlen-cli ") + TAVLEN_VERSION,
                          "显示版本并退出");
    tool.allow_extras();
    tool.require_subcommand(0, 1);
    tool.footer("退出码：0 完成；1 输入被拒绝、数据库或文件出错；2 命令行有误；"
                "3 优化编排未能满足全部规则。");
    ServerOptions server;
    std::vector<std::pair<CLI::App*, Run>> runs;
    for (const Command& command : table) {
        CLI::App* app = tool.add_subcommand(command.name, command.about);
        describeInChinese(*app);
        app->allow_extras();
        Run run = command.define(*app);
        addServerOptions(*app, server);
        runs.emplace_back(app, std::move(run));
    }

    std::vector<std::string> reversed(argv.rbegin(), argv.rend() - (argv.empty() ? 0 : 1));
    try {
        tool.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << tool.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << tool.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& e) {
        const std::string name = commandName(tool);
        const std::string problem = problemOf(e);
        if (isServerOption(problem) || name.empty()) {
            err << "tavlen-cli: " << problem << '\n';
            return 2;
        }
        return usageError(err, name, problem);
    }
    for (auto& [app, run] : runs) {
        if (app->parsed()) {
            if (const int refused = chooseServer(server, err); refused != 0) {
                return refused;
            }
            Args extra = namedCommand(*app)->remaining();
            const Args more = tool.remaining();
            extra.insert(extra.end(), more.begin(), more.end());
            return run(extra, out, err);
        }
    }
    const Args extra = tool.remaining();
    if (!extra.empty()) {
        err << "tavlen-cli: 未知的命令“" << extra.front() << "”\n";
    }
    writeToolUsage(table, err);
    return 2;
}

} // namespace cli
