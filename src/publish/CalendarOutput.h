// The timetable as calendars (iCalendar, made with libical): one .ics file per class page
// and per teacher page (overview and assignment pages have none), named as the web site
// names its pages (PageFileNames.h) with ".ics".
//
// Each lesson is one weekly event for the term: DTSTART/DTEND on its weekday of week 1 at
// the period's start and end time (TZID Asia/Shanghai, +0800, no daylight saving, the
// VTIMEZONE included), RRULE FREQ=WEEKLY;COUNT=weeks, SUMMARY "<course> <class>"
// ("语文 初一⑴"), DESCRIPTION "教师：<teacher>" when the lesson has one. A double period stays
// two events. The UID is made of the owner page, the day and the period and the school
// ("tavlen-c-<hex of the class>-d1-p3@<hex of the school name, or tavlen>"; -t- for a
// teacher), so a second run gives the same UIDs and a calendar program updates what it
// imported before instead of doubling it. X-WR-CALNAME is the page's title.
//
// Missing settings are never an error; what was assumed comes back as warning lines for the
// caller to show:
//  - no (or no readable) week-1 Monday: the Monday of the current week (China time); a date
//    that is not a Monday: the Monday of its week;
//  - a period without a readable start and end (end after start): the lesson becomes an
//    all-day event saying which period ("第三节 语文 初一⑴").
// PublishError before anything is written when weeks lies outside 1..30; the folder is
// written whole or not at all (PublishedFolder.h), Cancelled when progress returns false.
// Progress counts the calendars written.
#pragma once

#include "core/SchoolSettings.h"
#include "publish/Page.h"
#include "publish/Progress.h"

#include <filesystem>
#include <string>
#include <vector>

namespace publish {

inline constexpr int kDefaultCalendarWeeks = 18;
inline constexpr int kMaxCalendarWeeks = 30;

// The warnings (empty when every setting was there).
std::vector<std::string> writeCalendars(const std::vector<Page>& pages,
                                        const school::SchoolSettings& settings, int weeks,
                                        const std::filesystem::path& targetDir, bool replace,
                                        const Progress& progress = {});

} // namespace publish
