// The timetable as an Excel workbook (.xlsx, written by libxlsxwriter): one sheet per page,
// drawn from the same page form as the PDF. A sheet holds the title in a merged, bold,
// larger row across the table; the column groups merged over their heads (the days over the
// overview's periods); the row groups merged down beside theirs (上午 / 下午); every cell's
// lines in one wrapped cell, one line under the other, with thin borders; the notes in rows
// under the table. Columns and rows are sized to show their text. Each sheet prints on one
// A4 page, portrait or landscape as the page asks, centred.
//
// Sheet names: a class or a teacher page is named by its class or teacher (Page::name), an
// overview by the grade and "总课表" ("初一总课表"), an assignment table by the grade and
// "任课表". Excel refuses some names, so each is made fit:
//  - the characters [ ] : * ? / \ become "_", and so does an apostrophe at either end;
//  - a name left empty becomes "Sheet";
//  - it is cut to 31 characters (characters, not bytes; one beyond Unicode's first plane
//    counts two, as Excel counts it);
//  - a name used before (letters compared regardless of case) gets "(2)", "(3)" … appended,
//    the name cut shorter so that it still has at most 31 characters.
//
// The file is written through OutputTarget: it appears whole or not at all. Refusals and
// failures throw PublishError (see OutputTarget.h; no pages: nothing is written). progress
// is told after each sheet; a cancel throws Cancelled and leaves the target as it was.
#pragma once

#include "publish/Page.h"
#include "publish/Progress.h"

#include <filesystem>
#include <string>
#include <vector>

namespace publish {

inline constexpr std::size_t kSheetNameLimit = 31;

// The names of the pages' sheets, in order, made fit and unique as described above.
std::vector<std::string> sheetNames(const std::vector<Page>& pages);

void writeWorkbook(const std::vector<Page>& pages, const std::filesystem::path& target,
                   bool replace, const Progress& progress = {});

} // namespace publish
