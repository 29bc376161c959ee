// tavlen-cli publish classes|teachers|overview|assignments [GRADE|all]
//     (--pdf FILE | --xlsx FILE | --html DIR | --ics DIR) [--weeks N] [--force]:
// the published timetables of ./tavlen/tavlen.mdb (publish/PublishJob.h): one page per class
// or per teacher, or a grade's 总课表 or 任课表, as a PDF file, a workbook, a static web site
// or one calendar per class or teacher. GRADE is 初一 … 高三 or 1 … 6; without it, all.
// An existing target is replaced only with --force. Says "已写出 N 页：TARGET" on success.
// Exit codes: 0 written; 1 no database, a database error, nothing to publish or a target
// refused; 2 wrong arguments (the usage follows the message).
#pragma once

#include "cli/Command.h"

#include <string>

namespace cli {

Run definePublish(CLI::App& command);
std::string publishUsage();

} // namespace cli
