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

#include <iosfwd>
#include <string>

namespace publish {
class PublishError;
}

namespace cli {

Run definePublish(CLI::App& command);
std::string publishUsage();

// Says on err, after prefix, why a published file was refused or not written (with
// "（用 --force 替换）" for an existing one); returns 1, the exit code.
int publishFailure(std::ostream& err, const std::string& prefix, const publish::PublishError& e);

} // namespace cli
