#include "publish/CalendarOutput.h"

#include "core/DateTime.h"
#include "core/SchoolNames.h"
#include "publish/OutputTarget.h"
#include "publish/PageFileNames.h"
#include "publish/PublishedFolder.h"

#include <libical/ical.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace publish {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr const char* kZone = "Asia/Shanghai";

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct Clock {
    int hour = 0;
    int minute = 0;
    int minutes() const { return hour * 60 + minute; }
};

// "8:00" or "08:00"; nullopt for anything else.
std::optional<Clock> parseClock(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != colon && (text[i] < '0' || text[i] > '9'))
            return std::nullopt;
    const Clock clock{std::stoi(text.substr(0, colon)), std::stoi(text.substr(colon + 1))};
    if (clock.hour > 23 || clock.minute > 59)
        return std::nullopt;
    return clock;
}

struct PeriodSpan {
    Clock start;
    Clock end;
};

std::optional<PeriodSpan> periodSpan(const school::SchoolSettings& settings, int period) {
    if (period < 1 || period > school::kPeriods)
        return std::nullopt;
    const school::PeriodTime& time = settings.periods[static_cast<std::size_t>(period - 1)];
    const auto start = parseClock(time.start);
    const auto end = parseClock(time.end);
    if (!start || !end || end->minutes() <= start->minutes())
        return std::nullopt;
    return PeriodSpan{*start, *end};
}

std::string dateText(sys_days day) {
    const std::chrono::year_month_day ymd(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}

sys_days mondayOf(sys_days day) {
    const std::chrono::weekday weekday(day);
    return day - days((weekday.c_encoding() + 6) % 7);
}

sys_days weekOneMonday(const std::string& text, std::vector<std::string>& warnings) {
    if (const auto date = school::DateTime::fromText(text); date && date->valid()) {
        const sys_days day{std::chrono::year(date->year) /
                           std::chrono::month(static_cast<unsigned>(date->month)) /
                           std::chrono::day(static_cast<unsigned>(date->day))};
        const sys_days monday = mondayOf(day);
        if (monday != day)
            warnings.push_back("第一周的星期一设为 " + text +
                               "，这天不是星期一，日历从那一周的星期一（" + dateText(monday) +
                               "）开始");
        return monday;
    }
    const auto chinaNow = std::chrono::system_clock::now() + std::chrono::hours(8);
    const sys_days monday = mondayOf(std::chrono::floor<days>(chinaNow));
    if (text.empty())
        warnings.push_back("没有设置第一周的星期一，日历从本周一（" + dateText(monday) + "）开始");
    else
        warnings.push_back("第一周的星期一“" + text + "”不是日期，日历从本周一（" +
                           dateText(monday) + "）开始");
    return monday;
}

icaltimetype localTime(sys_days day, std::optional<Clock> clock) {
    const std::chrono::year_month_day ymd(day);
    icaltimetype t = icaltime_null_time();
    t.year = static_cast<int>(ymd.year());
    t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    if (clock) {
        t.hour = clock->hour;
        t.minute = clock->minute;
    } else {
        t.is_date = 1;
    }
    return t;
}

void addTimed(icalcomponent* event, icalproperty* property, bool allDay) {
    if (allDay)
        icalproperty_add_parameter(property, icalparameter_new_value(ICAL_VALUE_DATE));
    else
        icalproperty_add_parameter(property, icalparameter_new_tzid(kZone));
    icalcomponent_add_property(event, property);
}

icalproperty* xProperty(const char* name, const std::string& value) {
    icalproperty* property = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(property, name);
    return property;
}

icalcomponent* chinaZone() {
    icalcomponent* zone = icalcomponent_new_vtimezone();
    icalcomponent_add_property(zone, icalproperty_new_tzid(kZone));
    icalcomponent* standard = icalcomponent_new_xstandard();
    icaltimetype epoch = icaltime_null_time();
    epoch.year = 1970;
    epoch.month = 1;
    epoch.day = 1;
    icalcomponent_add_property(standard, icalproperty_new_dtstart(epoch));
    icalcomponent_add_property(standard, icalproperty_new_tzoffsetfrom(8 * 3600));
    icalcomponent_add_property(standard, icalproperty_new_tzoffsetto(8 * 3600));
    icalcomponent_add_property(standard, icalproperty_new_tzname("CST"));
    icalcomponent_add_component(zone, standard);
    return zone;
}

struct CalendarContext {
    const school::SchoolSettings& settings;
    int weeks;
    sys_days monday;
    std::string uidDomain;
    icaltimetype stamp;
};

std::string summaryOf(const Lesson& lesson) {
    std::string summary = lesson.course;
    if (!lesson.className.empty())
        summary += (summary.empty() ? "" : " ") + lesson.className;
    return summary;
}

icalcomponent* lessonEvent(const Lesson& lesson, const std::string& uid,
                           const CalendarContext& context) {
    icalcomponent* event = icalcomponent_new_vevent();
    icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(context.stamp));
    const sys_days day = context.monday + days(lesson.day);
    const std::optional<PeriodSpan> span = periodSpan(context.settings, lesson.period);
    std::string summary = summaryOf(lesson);
    if (span) {
        addTimed(event, icalproperty_new_dtstart(localTime(day, span->start)), false);
        addTimed(event, icalproperty_new_dtend(localTime(day, span->end)), false);
    } else {
        addTimed(event, icalproperty_new_dtstart(localTime(day, std::nullopt)), true);
        addTimed(event, icalproperty_new_dtend(localTime(day + days(1), std::nullopt)), true);
        if (lesson.period >= 1 && lesson.period <= school::kPeriods)
            summary =
                std::string(school::kPeriodNames[static_cast<std::size_t>(lesson.period - 1)]) +
                " " + summary;
    }
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    rule.freq = ICAL_WEEKLY_RECURRENCE;
    rule.count = context.weeks;
    icalcomponent_add_property(event, icalproperty_new_rrule(rule));
    icalcomponent_add_property(event, icalproperty_new_summary(summary.c_str()));
    if (!lesson.teacher.empty())
        icalcomponent_add_property(
            event, icalproperty_new_description(("教师：" + lesson.teacher).c_str()));
    return event;
}

std::string calendarText(const Page& page, const CalendarContext& context) {
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent* root = calendar.get();
    icalcomponent_add_property(root, icalproperty_new_version("2.0"));
    icalcomponent_add_property(root, icalproperty_new_prodid("-//tavlen//timetable//ZH"));
    icalcomponent_add_property(root, icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(
        root, xProperty("X-WR-CALNAME", page.title.empty() ? page.name : page.title));
    icalcomponent_add_property(root, xProperty("X-WR-TIMEZONE", kZone));
    icalcomponent_add_component(root, chinaZone());

    const std::string owner =
        std::string("tavlen-") + (page.kind == PageKind::Teacher ? "t-" : "c-") + hexOf(page.name);
    std::map<std::pair<int, int>, int> seen; // a second lesson in one slot takes -2, -3 …
    for (const Lesson& lesson : page.lessons) {
        const int n = ++seen[{lesson.day, lesson.period}];
        std::string uid =
            owner + "-d" + std::to_string(lesson.day + 1) + "-p" + std::to_string(lesson.period);
        if (n > 1)
            uid += "-" + std::to_string(n);
        icalcomponent_add_component(root,
                                    lessonEvent(lesson, uid + "@" + context.uidDomain, context));
    }
    char* text = icalcomponent_as_ical_string_r(root);
    std::string result = text ? text : "";
    icalmemory_free_buffer(text);
    return result;
}

void warnUntimedPeriods(const std::vector<Page>& pages, const school::SchoolSettings& settings,
                        std::vector<std::string>& warnings) {
    std::string names;
    for (int period = 1; period <= school::kPeriods; ++period) {
        if (periodSpan(settings, period))
            continue;
        const bool used = std::any_of(pages.begin(), pages.end(), [period](const Page& page) {
            return (page.kind == PageKind::Class || page.kind == PageKind::Teacher) &&
                   std::any_of(page.lessons.begin(), page.lessons.end(),
                               [period](const Lesson& l) { return l.period == period; });
        });
        if (used)
            names += (names.empty() ? "" : "、") +
                     std::string(school::kPeriodNames[static_cast<std::size_t>(period - 1)]);
    }
    if (!names.empty())
        warnings.push_back(names + "没有上下课时间，这些课排为全天事件");
}

} // namespace

std::vector<std::string> writeCalendars(const std::vector<Page>& pages,
                                        const school::SchoolSettings& settings, int weeks,
                                        const std::filesystem::path& targetDir, bool replace,
                                        const Progress& progress) {
    if (weeks < 1 || weeks > kMaxCalendarWeeks)
        throw PublishError("周数应在 1 到 " + std::to_string(kMaxCalendarWeeks) + " 之间：" +
                           std::to_string(weeks));
    PublishedFolder folder(targetDir, replace);
    std::vector<std::string> warnings;
    const CalendarContext context{
        settings, weeks, weekOneMonday(settings.weekOneMonday, warnings),
        settings.schoolName.empty() ? std::string("tavlen") : hexOf(settings.schoolName),
        icaltime_from_timet_with_zone(std::time(nullptr), 0, icaltimezone_get_utc_timezone())};
    warnUntimedPeriods(pages, settings, warnings);

    const std::vector<std::string> stems = pageFileStems(pages);
    const int total = static_cast<int>(std::count_if(pages.begin(), pages.end(), [](const Page& p) {
        return p.kind == PageKind::Class || p.kind == PageKind::Teacher;
    }));
    int done = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (pages[i].kind != PageKind::Class && pages[i].kind != PageKind::Teacher)
            continue;
        folder.write(stems[i] + ".ics", calendarText(pages[i], context));
        PublishedFolder::stepped(progress, ++done, total);
    }
    folder.commit();
    return warnings;
}

} // namespace publish
