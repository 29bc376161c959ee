// One publishing job, as the command line and the dialog "课表发布" both run it: what to
// publish (class pages, teacher pages, grade overviews or assignment tables), for which
// grades, in which format, to which target. The pages are built once (PageBuilder.h) and
// handed to the format's output:
//  - PDF: the chosen pages;
//  - workbook and web site: class and teacher pages are followed by the chosen grades'
//    总课表 and 任课表 pages, so one file holds what a school hands out together;
//  - calendars: class and teacher pages only (an overview has no lessons of its own).
#pragma once

#include "publish/CalendarOutput.h"
#include "publish/PageBuilder.h"
#include "publish/Progress.h"

#include <filesystem>
#include <string>
#include <vector>

namespace publish {

enum class Format { Pdf, Workbook, Site, Calendars };

struct PublishRequest {
    PageKind kind = PageKind::Class;
    GradeChoice grade;
    Format format = Format::Pdf;
    std::filesystem::path target;
    bool replace = false;
    int weeks = kDefaultCalendarWeeks; // calendars: 1..kMaxCalendarWeeks
};

struct PublishResult {
    int pages = 0;                     // pages written
    std::vector<std::string> warnings; // said beside success ("未设置第一周星期一…")
};

// The pages a request publishes, before they go to the output.
std::vector<Page> pagesFor(const SchoolSource& source, const PublishRequest& request);

// Builds and writes; throws PublishError (refused target, nothing to publish) or Cancelled.
PublishResult publish(const SchoolSource& source, const PublishRequest& request,
                      const Progress& progress = {});

// Whether the format writes a folder (web site, calendars) rather than a file.
bool writesFolder(Format format);

} // namespace publish
