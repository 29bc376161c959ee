#include "arrange/ExchangeCheck.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <algorithm>
#include <cstddef>

namespace arrange {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::string placeKey(int position, int day, int period) {
    return std::to_string(position) + "/" + std::to_string(day) + "/" + std::to_string(period);
}

void addOnce(std::vector<std::string>& texts, const std::string& text) {
    if (std::find(texts.begin(), texts.end(), text) == texts.end()) {
        texts.push_back(text);
    }
}

} // namespace

int ExchangeVerdict::hardChange() const {
    const auto hard = [](const std::vector<RuleIssue>& issues) {
        return static_cast<int>(std::count_if(issues.begin(), issues.end(),
                                              [](const RuleIssue& i) { return i.hard(); }));
    };
    return hard(broken) - hard(fixed);
}

std::string ExchangeVerdict::reason() const {
    std::string text = locked ? std::string(ExchangeCheck::kLocked) : std::string();
    for (const bool hard : {true, false}) {
        for (const RuleIssue& issue : broken) {
            if (issue.hard() == hard) {
                text += (text.empty() ? "" : "\n") + issue.text;
            }
        }
    }
    return text;
}

std::string overrunText(const timetable::ResourceOverrun& overrun) {
    return overrun.course + periodName(overrun.period) + "共" + std::to_string(overrun.classes) +
           "个班上课，上限" + std::to_string(overrun.limit) + "个班";
}

ExchangeCheck::ExchangeCheck(const timetable::AutoOrderData& data,
                             const school::SchoolTimetable& held, int grade)
    : m_data(data), m_grade(grade), m_held(held), m_teachers(timetable::inTeacherNames(data, held)),
      m_courses(timetable::inCourseNames(data, held)),
      m_unified(timetable::unifiedSlotsOf(data, grade)) {
    for (int c = 0; c < school::kMaxClasses; ++c) {
        m_named[at(c)] = !gbk::isBlank(held.cell(grade, c, 0, 0), 3);
    }
}

const std::string& ExchangeCheck::teacherAt(const GridPlace& place) const {
    return m_teachers.cell(m_grade, place.position, place.day, place.period);
}

bool ExchangeCheck::isUnified(int day, int period) const {
    return std::any_of(m_unified.begin(), m_unified.end(), [&](const timetable::UnifiedCourse& u) {
        return u.day - 1 == day && u.period == period;
    });
}

int ExchangeCheck::limitOf(const std::string& teacher) {
    const auto [it, added] = m_limits.try_emplace(teacher, 0);
    if (added) {
        it->second = timetable::dayLimit(timetable::weeklyLoad(m_data, teacher));
    }
    return it->second;
}

// Whether a named class of the grade holds text then: the grade's review lists only such.
bool ExchangeCheck::heldInGrade(const school::SchoolTimetable& timetable, int day, int period,
                                const std::string& text) const {
    for (int c = 0; c < school::kMaxClasses; ++c) {
        if (m_named[at(c)] && timetable.cell(m_grade, c, day, period) == text) {
            return true;
        }
    }
    return false;
}

// The cell's teacher and course read afresh from what it holds, as the whole-school readings
// would read it.
void ExchangeCheck::refresh(const GridPlace& place) {
    const timetable::ClassCourseList& list =
        timetable::courseListAt(m_data, m_held, m_grade, place.position);
    const std::string& cell = m_held.cell(m_grade, place.position, place.day, place.period);
    m_teachers.cell(m_grade, place.position, place.day, place.period) =
        timetable::teacherText(list, m_unified, place.day, place.period, cell);
    m_courses.cell(m_grade, place.position, place.day, place.period) =
        timetable::courseText(list, cell);
}

void ExchangeCheck::apply(const std::vector<Exchange>& exchanges) {
    for (const auto& [a, b] : exchanges) {
        std::swap(m_held.cell(m_grade, a.position, a.day, a.period),
                  m_held.cell(m_grade, b.position, b.day, b.period));
        refresh(a);
        refresh(b);
    }
}

void ExchangeCheck::undo(const std::vector<Exchange>& exchanges) {
    for (auto it = exchanges.rbegin(); it != exchanges.rend(); ++it) {
        std::swap(m_held.cell(m_grade, it->first.position, it->first.day, it->first.period),
                  m_held.cell(m_grade, it->second.position, it->second.day, it->second.period));
        refresh(it->first);
        refresh(it->second);
    }
}

// The problems of the grade that involve the given cells of a class, the teachers and the
// courses they hold before or after, as they stand now.
std::map<std::string, RuleIssue> ExchangeCheck::issues(int position,
                                                       const std::vector<GridPlace>& cells,
                                                       const std::vector<std::string>& teachers,
                                                       const std::vector<std::string>& courses) {
    using Kind = RuleIssue::Kind;
    std::map<std::string, RuleIssue> found;
    const auto add = [&found](Kind kind, std::string key, std::string text) {
        found.try_emplace(key, RuleIssue{kind, key, std::move(text)});
    };
    const std::string& className = m_held.cell(m_grade, position, 0, 0);
    const timetable::ClassCourseList* own = timetable::ownCourseList(m_data, m_grade, className);
    for (const GridPlace& cell : cells) {
        const int d = cell.day;
        const int p = cell.period;
        for (const std::string& teacher : teachers) {
            if (!timetable::isLessonText(teacher)) {
                continue;
            }
            const std::vector<timetable::ClassRef> holders =
                timetable::holdersOf(m_teachers, d, p, teacher);
            if (holders.size() > 1 && heldInGrade(m_teachers, d, p, teacher)) {
                std::string others;
                for (const timetable::ClassRef& h : holders) {
                    if (!(h == timetable::ClassRef{m_grade, position})) {
                        others += (others.empty() ? "" : "、") +
                                  m_teachers.cell(h.grade, h.position, 0, 0);
                    }
                }
                add(Kind::Clash, "clash/" + placeKey(0, d, p) + teacher,
                    teacher + " " + periodName(p) + "已在" + others + "上课");
            }
            const int lessons = timetable::lessonsOnDay(m_teachers, d, teacher);
            const int limit = limitOf(teacher);
            if (lessons > limit) {
                add(Kind::Overload, "day/" + std::to_string(d) + teacher,
                    teacher + dayName(d) + "共" + std::to_string(lessons) + "节，超过每日" +
                        std::to_string(limit) + "节");
            }
        }
        const std::string& held = m_teachers.cell(m_grade, position, d, p);
        if (timetable::isLessonText(held)) {
            if (timetable::presetBlocks(m_data, held, d, p)) {
                add(Kind::Preset, "preset/" + placeKey(position, d, p) + held,
                    held + "预设此时不排课");
            }
            if (isUnified(d, p)) {
                add(Kind::Unified, "unified/" + placeKey(position, d, p) + held,
                    dayName(d) + periodName(p) + "是统一课时段");
            }
        }
        if (p <= 2 && !isUnified(d, p) && timetable::missesMainCourse(own, held)) {
            add(Kind::MainCourse, "main/" + placeKey(position, d, p),
                dayName(d) + periodName(p) + "没有主课");
        }
        for (std::size_t r = 0; r < m_data.resources.size(); ++r) {
            const timetable::SubjectResource& resource = m_data.resources[r];
            if (std::find(courses.begin(), courses.end(), resource.course) == courses.end()) {
                continue;
            }
            const auto overrun = timetable::overrunAt(resource, m_courses, d, p);
            if (overrun && heldInGrade(m_courses, d, p, resource.course)) {
                add(Kind::Overrun, "resource/" + std::to_string(r) + "/" + placeKey(0, d, p),
                    dayName(d) + overrunText(*overrun));
            }
        }
    }
    const timetable::ClassCourseList& list =
        timetable::courseListAt(m_data, m_held, m_grade, position);
    if (timetable::missesChineseDouble(list, m_teachers, m_grade, position)) {
        add(Kind::Double, "double/" + std::to_string(position), "语文连堂被拆开");
    }
    return found;
}

ExchangeVerdict ExchangeCheck::judge(const std::vector<Exchange>& exchanges) {
    ExchangeVerdict verdict;
    if (exchanges.empty()) {
        return verdict;
    }
    const int position = exchanges.front().first.position;
    std::vector<GridPlace> cells;
    for (const auto& [a, b] : exchanges) {
        for (const GridPlace& place : {a, b}) {
            if (std::find(cells.begin(), cells.end(), place) == cells.end()) {
                cells.push_back(place);
            }
        }
    }
    std::vector<std::string> teachers;
    std::vector<std::string> courses;
    const auto collect = [&] {
        for (const GridPlace& place : cells) {
            addOnce(teachers, teacherAt(place));
            addOnce(courses, m_courses.cell(m_grade, place.position, place.day, place.period));
        }
    };
    collect();
    apply(exchanges);
    collect();
    const std::map<std::string, RuleIssue> after = issues(position, cells, teachers, courses);
    undo(exchanges);
    const std::map<std::string, RuleIssue> before = issues(position, cells, teachers, courses);
    for (const auto& [key, issue] : after) {
        if (before.count(key) == 0) {
            verdict.broken.push_back(issue);
        }
    }
    for (const auto& [key, issue] : before) {
        if (after.count(key) == 0) {
            verdict.fixed.push_back(issue);
        }
    }
    const bool hard = std::any_of(verdict.broken.begin(), verdict.broken.end(),
                                  [](const RuleIssue& i) { return i.hard(); });
    verdict.shade = hard ? Shade::Red : verdict.broken.empty() ? Shade::Green : Shade::Yellow;
    return verdict;
}

std::vector<ExchangeCheck::Exchange> ExchangeCheck::movesTo(const std::vector<GridPlace>& picked,
                                                            const GridPlace& target) {
    std::vector<Exchange> moves;
    for (std::size_t i = 0; i < picked.size(); ++i) {
        const GridPlace to{target.position, target.day, target.period + static_cast<int>(i)};
        const bool onPicked = std::find(picked.begin(), picked.end(), to) != picked.end();
        if (to.period > school::kPeriods || (onPicked && picked.size() > 1)) {
            return {};
        }
        if (!onPicked) {
            moves.emplace_back(picked[i], to);
        }
    }
    return moves;
}

ExchangeCheck::Week
ExchangeCheck::shadeWeek(const std::vector<GridPlace>& picked,
                         const std::function<bool(const GridPlace&)>& isLocked) {
    Week week{};
    if (picked.empty()) {
        return week;
    }
    const bool pickedLocked = std::any_of(picked.begin(), picked.end(), isLocked);
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            const GridPlace target{picked.front().position, d, p};
            ExchangeVerdict& verdict = week[at(d)][at(p)];
            if (std::find(picked.begin(), picked.end(), target) != picked.end()) {
                continue;
            }
            const std::vector<Exchange> moves = movesTo(picked, target);
            const bool targetLocked = std::any_of(
                moves.begin(), moves.end(), [&](const Exchange& e) { return isLocked(e.second); });
            if (moves.empty() && picked.size() > 1) {
                verdict.shade = Shade::Red;
                verdict.broken.push_back({RuleIssue::Kind::Double, "", "连堂放不下"});
                continue;
            }
            if (pickedLocked || targetLocked) {
                verdict.shade = Shade::Red;
                verdict.locked = true;
                continue;
            }
            verdict = judge(moves);
        }
    }
    return week;
}

} // namespace arrange
