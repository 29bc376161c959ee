#include "cli/Command.h"

#include "cli/CoverCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InitCommand.h"
#include "cli/PublishCommand.h"
#include "cli/ReportCommand.h"
#include "cli/ShowCommand.h"
#include "cli/SubstitutesCommand.h"

namespace cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"init", "建立数据库 DIR/tavlen/tavlen.mdb（或服务器数据库中的表），可填入示范学校",
         &initUsage, &defineInit},
        {"show", "列出 ./tavlen/tavlen.mdb 中学校的概况", &showUsage, &defineShow},
        {"report", "由 TSV 数据文件写出报表文档", &reportUsage, &defineReport},
        leanCommands()[0], // arrange
        leanCommands()[1], // review
        {"export", "由数据库写出报表文档（课表、复习课表、任课教师、统计表…）或学校工作簿",
         &exportUsage, &defineExport},
        {"import", "由学校工作簿（.xlsx 或 .csv）导入课程、教师、班级和课务分工等，先检查并预览",
         &importUsage, &defineImport},
        {"substitutes", "为缺课的一节课排列可代课的教师", &substitutesUsage, &defineSubstitutes},
        {"cover", "为缺课教师制定代课安排（列出、写入出勤记录、写出代课通知单）", &coverUsage,
         &defineCover},
        {"publish", "发布课表：每班、每位教师一页，或年段总课表、任课表；PDF、Excel、网页或日历",
         &publishUsage, &definePublish},
    };
    return table;
}

int dispatch(const Args& argv, std::ostream& out, std::ostream& err) {
    return dispatchWith(commands(), argv, out, err);
}

} // namespace cli
