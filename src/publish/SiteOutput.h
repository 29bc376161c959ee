// The timetable as a static web site: one HTML file per page, index.html linking them, and
// one style.css. Plain HTML and CSS, no script, UTF-8, readable on a phone (the table scrolls
// sideways inside its box) and printable (A4, one sheet per page, no navigation; the wide
// pages landscape).
//
// index.html lists, per grade in the school's order (then any other grade in page order),
// the grade's classes and its overview and assignment pages, then all teachers in page
// order. Each page shows its title, its table exactly as the Page holds it (column groups and
// heads in the head, row groups as cells spanning their rows, each line of a cell on a line
// of its own), its notes and a link back to the index. Every text is escaped (& < > " ').
// File names follow pageFileStems() (PageFileNames.h) with ".html".
//
// The folder is written whole or not at all (PublishedFolder.h): PublishError when the
// target is a file, exists without replace (Kind::Exists, left untouched) or cannot be
// written; Cancelled when progress returns false, with nothing left behind. Progress counts
// the pages written.
#pragma once

#include "publish/Page.h"
#include "publish/Progress.h"

#include <filesystem>
#include <vector>

namespace publish {

void writeSite(const std::vector<Page>& pages, const std::filesystem::path& targetDir, bool replace,
               const Progress& progress = {});

} // namespace publish
