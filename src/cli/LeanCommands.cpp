#include "cli/Command.h"

#include "cli/ArrangeCommand.h"
#include "cli/ReviewCommand.h"

namespace cli {

const std::vector<Command>& leanCommands() {
    static const std::vector<Command> table = {
        {"arrange", "编排年段课表，列出课表和剩余问题", &arrangeUsage, &defineArrange},
        {"review", "编排年段复习课表，列出课表和碰课", &reviewUsage, &defineReview},
    };
    return table;
}

} // namespace cli
