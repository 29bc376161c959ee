#include "cli/Command.h"

#include "cli/ArrangeCommand.h"
#include "cli/CommandSupport.h"
#include "cli/ExportCommand.h"
#include "cli/InitCommand.h"
#include "cli/ReportCommand.h"
#include "cli/ReviewCommand.h"
#include "cli/ShowCommand.h"
#include "cli/SubstitutesCommand.h"

#include <ostream>

namespace cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"init",
         "init DIR [--demo]   create DIR/tavlen/tavlen.mdb (with --demo: the demo school);"
         " with --dsn/--connect the tables in an empty server database",
         &runInit},
        {"show", "show                print a summary of the school in ./tavlen/tavlen.mdb",
         &runShow},
        {"report",
         "report KIND --data FILE.tsv -o OUT [--pdf OUT.pdf] [--title TEXT] [--days D]"
         "   write a report document",
         &runReport},
        {"arrange",
         "arrange GRADE|all [--save] [--seed N] [--courses] [--grid GRADE]"
         "   arrange a grade (初一…高三 or 1..6), print it and what remains",
         &runArrange},
        {"review",
         "review GRADE [--save] [--seed N]"
         "   arrange a grade's review timetable, print it and its clashes",
         &runReview},
        {"export",
         "export lessons GRADE -o OUT [--pdf OUT.pdf]"
         "   write a grade's timetable document from gradelesson",
         &runExport},
        {"substitutes",
         "substitutes TEACHER --day 星期二 --period 3 [--class 初一⑶]"
         "   rank the teachers who can take over a missed lesson",
         &runSubstitutes},
    };
    return table;
}

int dispatch(const Args& argv, std::ostream& out, std::ostream& err) {
    if (argv.size() >= 2) {
        for (const Command& command : commands()) {
            if (argv[1] == command.name) {
                Args args(argv.begin() + 2, argv.end());
                if (!takeServerOption(args, err)) {
                    return 2;
                }
                return command.run(args, out, err);
            }
        }
        err << "tavlen-cli: unknown command '" << argv[1] << "'\n";
    }
    err << "usage: tavlen-cli COMMAND [ARGS] [--dsn NAME | --connect STRING]\n";
    for (const Command& command : commands()) {
        err << "  tavlen-cli " << command.usage << '\n';
    }
    return 2;
}

} // namespace cli
