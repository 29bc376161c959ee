#include "publish/PublishJob.h"

#include "publish/CalendarOutput.h"
#include "publish/OutputTarget.h"
#include "publish/PdfOutput.h"
#include "publish/SiteOutput.h"
#include "publish/WorkbookOutput.h"

namespace publish {
namespace {

std::vector<Page> built(const SchoolSource& source, PageKind kind, GradeChoice grade) {
    switch (kind) {
    case PageKind::Class:
        return classPages(source, grade);
    case PageKind::Teacher:
        return teacherPages(source, grade);
    case PageKind::Overview:
        return overviewPages(source, grade);
    case PageKind::Notice:
        return {};
    case PageKind::Assignment:
        break;
    }
    return assignmentPages(source, grade);
}

void append(std::vector<Page>& pages, std::vector<Page> more) {
    pages.insert(pages.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
}

} // namespace

bool writesFolder(Format format) {
    return format == Format::Site || format == Format::Calendars;
}

std::vector<Page> pagesFor(const SchoolSource& source, const PublishRequest& request) {
    const bool weekPages = request.kind == PageKind::Class || request.kind == PageKind::Teacher;
    if (request.format == Format::Calendars && !weekPages)
        throw PublishError("总课表和任课表没有日历，请选择班级课表或教师课表");
    std::vector<Page> pages = built(source, request.kind, request.grade);
    if (weekPages && (request.format == Format::Workbook || request.format == Format::Site)) {
        append(pages, overviewPages(source, request.grade));
        try {
            append(pages, assignmentPages(source, request.grade));
        } catch (const PublishError&) {
            // a grade arranged from a plan since removed keeps its timetable pages
        }
    }
    return pages;
}

PublishResult publish(const SchoolSource& source, const PublishRequest& request,
                      const Progress& progress) {
    const std::vector<Page> pages = pagesFor(source, request);
    PublishResult result;
    switch (request.format) {
    case Format::Pdf:
        writePdf(pages, request.target, request.replace, progress);
        break;
    case Format::Workbook:
        writeWorkbook(pages, request.target, request.replace, progress);
        break;
    case Format::Site:
        writeSite(pages, request.target, request.replace, progress);
        break;
    case Format::Calendars: {
        result.warnings = writeCalendars(pages, source.settings, request.weeks, request.target,
                                         request.replace, progress);
        break;
    }
    }
    result.pages = static_cast<int>(pages.size());
    return result;
}

} // namespace publish
