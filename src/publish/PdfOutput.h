// The timetable as a PDF file: every page drawn by PagePainter on an A4 page of its own,
// portrait or landscape as the page asks (Page::landscape), the text in typeface::kCjkFamily
// (Noto Sans CJK SC), whose glyphs the file embeds, so it reads the same on any machine.
// The document's title is the first page's title; its creator is "tavlen". The text reads
// back as it was drawn (reports/PdfTextRepair.h: "一", not the radical "⼀" of the same glyph).
//
// The file is written through OutputTarget: it appears whole or not at all. Refusals and
// failures throw PublishError (see OutputTarget.h; no pages at all: nothing is written
// either). progress is told after each page; a cancel throws Cancelled and leaves the target
// as it was.
#pragma once

#include "publish/Page.h"
#include "publish/Progress.h"

#include <filesystem>
#include <vector>

namespace publish {

inline constexpr const char* kPdfCreator = "tavlen";

void writePdf(const std::vector<Page>& pages, const std::filesystem::path& target, bool replace,
              const Progress& progress = {});

} // namespace publish
