#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace cli {

void describeInChinese(CLI::App& app) {
    app.set_help_flag("-h,--help", "显示本帮助并退出");
    app.option_defaults()->group("选项");
    const auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("Usage", "用法");
    formatter->label("OPTIONS", "选项");
    formatter->label("SUBCOMMAND", "命令");
    formatter->label("SUBCOMMANDS", "命令");
    formatter->label("Positionals", "参数");
    formatter->label("Subcommands", "命令");
    formatter->label("REQUIRED", "必需");
    formatter->column_width(34);
    app.formatter(formatter);
    app.get_help_ptr()->group("选项");
    app.group("命令"); // how the command's parent lists it
}

void addText(CLI::App& app, const std::string& name, std::string& value,
             const std::string& typeName, const std::string& about) {
    // A positional shows its name already.
    app.add_option(name, value, about)
        ->type_name(name.starts_with('-') ? typeName : std::string())
        ->allow_extra_args(false);
}

int usageError(std::ostream& err, const std::string& command, const std::string& problem) {
    err << "tavlen-cli " << command << ": " << problem << '\n';
    for (const Command& known : dispatchedCommands()) {
        if (command == known.name) {
            err << known.usage();
        }
    }
    return 2;
}

bool noExtra(const Args& extra, std::ostream& err, const std::string& command) {
    if (extra.empty()) {
        return true;
    }
    const std::string& first = extra.front();
    usageError(err, command,
               (first.size() > 1 && first[0] == '-' ? "未知的选项 " : "多余的参数 ") + first);
    return false;
}

} // namespace cli
