#include "cover/CoverPlanner.h"

#include "attendance/Attendanceinput.h"
#include "attendance/StatisticsInput.h"
#include "attendance/WorkloadTable.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <map>
#include <utility>

namespace cover {
namespace {

std::string periodName(int period) {
    return std::string(school::kPeriodNames[static_cast<std::size_t>(period - 1)]);
}

std::string dayName(int day) {
    return std::string(school::kDayNames[static_cast<std::size_t>(day)]);
}

bool sameDay(const school::DateTime& a, const school::DateTime& b) {
    return a.valid() && b.valid() && dayNumber(a) == dayNumber(b);
}

bool isCoverCategory(std::string_view kind) {
    return std::find(kCoverCategories.begin(), kCoverCategories.end(), kind) !=
           kCoverCategories.end();
}

std::string withoutSpaces(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ') {
            out += c;
        }
    }
    return out;
}

// The class standing at a position: the name in its slot 0, else the position's own name.
std::string classNameAt(const school::SchoolTimetable& timetable, int grade, int position) {
    const std::string& named = timetable.cell(grade, position, 0, 0);
    return school::parseClassName(named) ? named : school::className(grade, position + 1);
}

// The resources' excess over their limits in one period of a day.
int excessAt(const timetable::AutoOrderData& data, const school::SchoolTimetable& courses, int day,
             int period) {
    int excess = 0;
    for (const timetable::ResourceOverrun& overrun :
         timetable::resourceOverruns(data, courses, day)) {
        if (overrun.period == period) {
            excess += overrun.over();
        }
    }
    return excess;
}

bool withinDayLoad(const timetable::AutoOrderData& data, const school::SchoolTimetable& teachers,
                   int day, const std::string& teacher) {
    return timetable::lessonsOnDay(teachers, day, teacher) <
           timetable::dayLimit(timetable::weeklyLoad(data, teacher));
}

} // namespace

std::string CoverChoice::reason() const {
    return candidate.reason() + " · 本学期代课 " + std::to_string(termCovers) + " 节";
}

std::string lessonLabel(const CoverLesson& lesson) {
    return shortDate(lesson.date) + " " + dayName(lesson.day) + " " + periodName(lesson.period) +
           " " + lesson.className;
}

std::string swapText(const Swap& swap) {
    return "调课：与 " + shortDate(swap.date) + " " + dayName(swap.day) + " " +
           periodName(swap.period) + " " + swap.course + "（" + swap.teacher + "）对调";
}

CoverPlanner::CoverPlanner(CoverSchool school)
    : m_school(std::move(school)),
      m_candidates(m_school.roster, m_school.data, m_school.timetable, m_school.courseTeachers),
      m_teachers(timetable::inTeacherNames(m_school.data, m_school.timetable)),
      m_courses(timetable::inCourseNames(m_school.data, m_school.timetable)) {}

std::optional<CoverCalendar> CoverPlanner::calendar() const {
    if (const auto monday = parseDate(m_school.settings.weekOneMonday);
        monday && monday->weekday() == 1) {
        return CoverCalendar(*monday);
    }
    return std::nullopt;
}

bool CoverPlanner::recordNames(std::string_view recorded, const std::string& teacher) {
    return recorded == teacher ||
           recorded == gbk::cut(teacher, attendance::Attendanceinput::kShownNameBytes);
}

void CoverPlanner::addNamed(std::set<std::string>& names, std::string_view recorded) const {
    bool found = false;
    for (const std::string& teacher : m_school.roster) {
        if (recordNames(recorded, teacher)) {
            names.insert(teacher);
            found = true;
        }
    }
    if (!found) {
        names.insert(std::string(recorded));
    }
}

CoverPlanner::Made CoverPlanner::plan(std::string_view teacher, std::string_view from,
                                      std::string_view to, std::string_view category) const {
    CoverRequest request;
    request.teacher = std::string(teacher);
    const std::string kind = withoutSpaces(category.empty() ? kCoverCategories[0] : category);
    for (const std::string_view known : kCoverCategories) {
        if (withoutSpaces(known) == kind) {
            request.category = std::string(known);
        }
    }
    if (request.category.empty()) {
        return {std::nullopt, "性质应为 事  假、公  假 或 缺  勤。"};
    }
    const std::optional<school::DateTime> first = parseDate(from);
    const std::optional<school::DateTime> last = to.empty() ? first : parseDate(to);
    if (!first || !last) {
        return {std::nullopt, "请输入日期，如 2024-09-09。"};
    }
    request.from = *first;
    request.to = *last;
    return plan(request);
}

CoverPlanner::Made CoverPlanner::plan(const CoverRequest& request) const {
    const std::optional<std::string> teacher = m_candidates.rosterName(request.teacher);
    if (!teacher) {
        return {std::nullopt, "教师名单中没有“" + request.teacher + "”。"};
    }
    if (!isCoverCategory(request.category)) {
        return {std::nullopt, "性质应为 事  假、公  假 或 缺  勤。"};
    }
    if (!request.from.valid() || !request.to.valid()) {
        return {std::nullopt, "请输入日期，如 2024-09-09。"};
    }
    if (dayNumber(request.from) > dayNumber(request.to)) {
        return {std::nullopt, "起始日期不能晚于终止日期。"};
    }
    const std::optional<CoverCalendar> weeks = calendar();
    if (!weeks) {
        return {std::nullopt, "请先在“学校信息与作息时间”中设置第一周星期一的日期。"};
    }
    if (weeks->weekOf(request.from) < kFirstWeek) {
        return {std::nullopt, "日期 " + dateText(request.from) + " 在第一周之前（第一周从 " +
                                  dateText(weeks->weekOneMonday()) + " 开始）。"};
    }
    if (weeks->weekOf(request.to) > kLastWeek) {
        return {std::nullopt, "日期 " + dateText(request.to) + " 在第 " +
                                  std::to_string(kLastWeek) + " 周之后。"};
    }

    CoverPlan plan;
    plan.request = request;
    plan.request.teacher = *teacher;
    plan.timetableDigest = m_school.timetableDigest;
    for (const SchoolDay& day : weeks->schoolDays(request.from, request.to)) {
        for (int period = 1; period <= school::kPeriods; ++period) {
            for (const timetable::ClassRef& at :
                 timetable::holdersOf(m_teachers, day.day, period, *teacher)) {
                CoverLesson lesson;
                lesson.date = day.date;
                lesson.week = day.week;
                lesson.day = day.day;
                lesson.period = period;
                lesson.className = classNameAt(m_teachers, at.grade, at.position);
                lesson.course = m_courses.cell(at.grade, at.position, day.day, period);
                plan.lessons.push_back(std::move(lesson));
            }
        }
    }
    if (plan.lessons.empty() && !m_candidates.anyLesson()) {
        return {std::nullopt, "课程表中还没有课，请先编排并保存年段课程表。"};
    }
    if (plan.lessons.empty()) {
        const std::string range = sameDay(request.from, request.to)
                                      ? dateText(request.from)
                                      : dateText(request.from) + " 至 " + dateText(request.to);
        return {std::nullopt, *teacher + " 在 " + range + " 没有课。"};
    }
    return {std::move(plan), {}};
}

bool CoverPlanner::owns(const CoverPlan& plan, const store::AttendanceRow& record) const {
    if (!recordNames(record.teacher, plan.request.teacher)) {
        return false;
    }
    return std::any_of(plan.lessons.begin(), plan.lessons.end(), [&](const CoverLesson& lesson) {
        return sameDay(record.date, lesson.date) && record.period == periodName(lesson.period) &&
               record.className == lesson.className;
    });
}

bool CoverPlanner::absentOn(const CoverPlan& plan, const school::DateTime& date) const {
    const long day = dayNumber(date);
    return day >= dayNumber(plan.request.from) && day <= dayNumber(plan.request.to);
}

std::set<std::string> CoverPlanner::taken(const CoverPlan& plan, std::size_t except,
                                          const school::DateTime& date, int period) const {
    std::set<std::string> names;
    for (std::size_t j = 0; j < plan.lessons.size(); ++j) {
        const CoverLesson& other = plan.lessons[j];
        if (j == except) {
            continue;
        }
        if (sameDay(other.date, date) && other.period == period) {
            if (!other.substitute.empty()) {
                names.insert(other.substitute);
            }
            if (other.swap) {
                names.insert(other.swap->teacher);
            }
        }
        // The absent teacher gives the exchanged lesson in its place.
        if (other.swap && sameDay(other.swap->date, date) && other.swap->period == period) {
            names.insert(plan.request.teacher);
        }
    }
    for (const store::AttendanceRow& record : m_school.attendance) {
        if (!sameDay(record.date, date) || record.period != periodName(period) ||
            owns(plan, record)) {
            continue;
        }
        if (!attendance::namesNobody(record.substitute)) {
            addNamed(names, record.substitute);
        }
        if (isCoverCategory(record.kind)) {
            addNamed(names, record.teacher);
        }
    }
    return names;
}

int CoverPlanner::coversOn(const CoverPlan& plan, std::size_t except, const school::DateTime& date,
                           const std::string& teacher) const {
    int covers = 0;
    for (std::size_t j = 0; j < plan.lessons.size(); ++j) {
        const CoverLesson& lesson = plan.lessons[j];
        if (j != except && sameDay(lesson.date, date) &&
            (lesson.substitute == teacher || (lesson.swap && lesson.swap->teacher == teacher))) {
            ++covers;
        }
    }
    for (const store::AttendanceRow& record : m_school.attendance) {
        if (sameDay(record.date, date) && !attendance::namesNobody(record.substitute) &&
            recordNames(record.substitute, teacher) && !owns(plan, record)) {
            ++covers;
        }
    }
    return covers;
}

int CoverPlanner::termCovers(const CoverPlan& plan, std::size_t except,
                             const std::string& teacher) const {
    const auto inTerm = [](int week) {
        return week >= attendance::kTermWeeks.first && week <= attendance::kTermWeeks.last;
    };
    int covers = 0;
    for (const store::AttendanceRow& record : m_school.attendance) {
        const std::optional<int> week = attendance::wholeNumber(record.week);
        if (week && inTerm(*week) && !attendance::namesNobody(record.substitute) &&
            recordNames(record.substitute, teacher) && !owns(plan, record)) {
            ++covers;
        }
    }
    for (std::size_t j = 0; j < plan.lessons.size(); ++j) {
        const CoverLesson& lesson = plan.lessons[j];
        if (j != except && lesson.substitute == teacher && inTerm(lesson.week)) {
            ++covers;
        }
    }
    return covers;
}

std::vector<CoverChoice> CoverPlanner::candidates(const CoverPlan& plan, std::size_t lesson) const {
    const CoverLesson& missed = plan.lessons.at(lesson);
    const std::set<std::string> busy = taken(plan, lesson, missed.date, missed.period);
    std::vector<CoverChoice> choices;
    for (attendance::Candidate& candidate :
         m_candidates.rank({plan.request.teacher, missed.day, missed.period, missed.className})) {
        const int load =
            candidate.lessonsToday + coversOn(plan, lesson, missed.date, candidate.teacher);
        if (busy.count(candidate.teacher) == 0 &&
            load < timetable::dayLimit(timetable::weeklyLoad(m_school.data, candidate.teacher))) {
            const int covers = termCovers(plan, lesson, candidate.teacher);
            choices.push_back({std::move(candidate), covers});
        }
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const CoverChoice& a, const CoverChoice& b) {
                         if (a.candidate.subject != b.candidate.subject) {
                             return a.candidate.subject < b.candidate.subject;
                         }
                         return a.termCovers < b.termCovers;
                     });
    return choices;
}

bool CoverPlanner::cleanSwap(const CoverLesson& lesson, const std::string& absent, int grade,
                             int position, int day, int period, const std::string& other,
                             school::SchoolTimetable& courses) const {
    const timetable::AutoOrderData& data = m_school.data;
    if (!timetable::holdersOf(m_teachers, lesson.day, lesson.period, other).empty() ||
        !timetable::holdersOf(m_teachers, day, period, absent).empty() ||
        timetable::presetBlocks(data, other, lesson.day, lesson.period) ||
        timetable::presetBlocks(data, absent, day, period)) {
        return false;
    }
    if (day != lesson.day && (!withinDayLoad(data, m_teachers, lesson.day, other) ||
                              !withinDayLoad(data, m_teachers, day, absent))) {
        return false;
    }
    std::string& missedCell = courses.cell(grade, position, lesson.day, lesson.period);
    std::string& otherCell = courses.cell(grade, position, day, period);
    // Only a limited resource among the two courses can run over.
    if (std::none_of(data.resources.begin(), data.resources.end(),
                     [&](const timetable::SubjectResource& resource) {
                         return resource.course == missedCell || resource.course == otherCell;
                     })) {
        return true;
    }
    const int before = excessAt(data, courses, lesson.day, lesson.period);
    const int beforeOther = excessAt(data, courses, day, period);
    std::swap(missedCell, otherCell);
    const bool clean = excessAt(data, courses, lesson.day, lesson.period) <= before &&
                       excessAt(data, courses, day, period) <= beforeOther;
    std::swap(missedCell, otherCell);
    return clean;
}

std::vector<Swap> CoverPlanner::swaps(const CoverPlan& plan, std::size_t lesson) const {
    const CoverLesson& missed = plan.lessons.at(lesson);
    const std::optional<CoverCalendar> weeks = calendar();
    const std::string& absent = plan.request.teacher;
    if (!weeks) {
        return {};
    }
    // Where the missed lesson stands in the timetable.
    std::optional<timetable::ClassRef> at;
    for (const timetable::ClassRef& ref :
         timetable::holdersOf(m_teachers, missed.day, missed.period, absent)) {
        if (classNameAt(m_teachers, ref.grade, ref.position) == missed.className) {
            at = ref;
        }
    }
    if (!at) {
        return {};
    }
    const std::set<std::string> busyThen = taken(plan, lesson, missed.date, missed.period);
    school::SchoolTimetable courses = m_courses;
    std::vector<Swap> found;
    for (int day = 0; day < school::kDays; ++day) {
        const school::DateTime date = weeks->dateOf(missed.week, day);
        if (absentOn(plan, date)) {
            continue;
        }
        for (int period = 1; period <= school::kPeriods; ++period) {
            const std::string& other = m_teachers.cell(at->grade, at->position, day, period);
            if (!timetable::isLessonText(other) || other == absent || busyThen.count(other) > 0) {
                continue;
            }
            const bool used =
                std::any_of(plan.lessons.begin(), plan.lessons.end(), [&](const CoverLesson& l) {
                    return &l != &missed && l.swap && l.className == missed.className &&
                           sameDay(l.swap->date, date) && l.swap->period == period;
                });
            if (used || taken(plan, lesson, date, period).count(absent) > 0 ||
                !cleanSwap(missed, absent, at->grade, at->position, day, period, other, courses)) {
                continue;
            }
            found.push_back(
                {date, day, period, other, courses.cell(at->grade, at->position, day, period)});
        }
    }
    return found;
}

void CoverPlanner::assignFirst(CoverPlan& plan) const {
    for (std::size_t i = 0; i < plan.lessons.size(); ++i) {
        if (plan.lessons[i].uncovered()) {
            const std::vector<CoverChoice> choices = candidates(plan, i);
            if (!choices.empty()) {
                plan.lessons[i].substitute = choices.front().candidate.teacher;
            }
        }
    }
}

std::vector<std::string> CoverPlanner::conflicts(const CoverPlan& plan) const {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < plan.lessons.size(); ++i) {
        const CoverLesson& lesson = plan.lessons[i];
        if (!lesson.substitute.empty()) {
            const std::vector<CoverChoice> choices = candidates(plan, i);
            if (std::none_of(choices.begin(), choices.end(), [&](const CoverChoice& c) {
                    return c.candidate.teacher == lesson.substitute;
                })) {
                lines.push_back(lessonLabel(lesson) + "：" + lesson.substitute + " 已不能代课");
            }
        }
        if (lesson.swap) {
            const std::vector<Swap> options = swaps(plan, i);
            if (std::find(options.begin(), options.end(), *lesson.swap) == options.end()) {
                lines.push_back(lessonLabel(lesson) + "：调课已不能进行");
            }
        }
    }
    return lines;
}

} // namespace cover
