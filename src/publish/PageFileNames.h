// The file names the web site and the calendars give their pages: plain ASCII, the same on
// every run for the same pages, unique within one output even on a file system that folds
// case, and never longer than a file system allows. One rule for every output, so that
// class-1-01.html and class-1-01.ics belong together:
//  - a class page named like "初一⑴": class-<grade 1..6>-<class 01..20> ("class-1-01");
//  - a grade's overview and assignment table: overview-<grade 1..6>, assignment-<grade 1..6>;
//  - a teacher page: teacher-<the UTF-8 bytes of the name in lower-case hex> ("张三":
//    teacher-e5bca0e4b889), so a teacher keeps the name when others join or leave;
//  - a class or grade name outside the school's scheme is written in hex the same way
//    (class-<hex>, overview-<hex>, assignment-<hex>);
//  - hex is cut to 96 digits; a name already given (a cut or a repeated name) takes -2, -3 …
//    in page order.
// The stems carry no extension; index and style are never among them.
#pragma once

#include "publish/Page.h"

#include <string>
#include <string_view>
#include <vector>

namespace publish {

// Lower-case hex of the bytes: "ab" gives "6162".
std::string hexOf(std::string_view bytes);

// One stem per page, in page order.
std::vector<std::string> pageFileStems(const std::vector<Page>& pages);

} // namespace publish
