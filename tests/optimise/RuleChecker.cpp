#include "RuleChecker.h"

#include "EngineTestSupport.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <set>

namespace optimisetest {
namespace {

using school::kDays;
using school::kPeriods;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::string place(const std::string& cls, int day, int period) {
    return cls + " day " + std::to_string(day) + " period " + std::to_string(period);
}

bool arranges(const optimise::Request& request, int grade) {
    return std::find(request.grades.begin(), request.grades.end(), grade) != request.grades.end();
}

// The classes of the grade that must get a week: a plan with a weekly total (lessons with a
// teacher plus unified rows on the grid's periods) in 15..35.
std::vector<int> expectedClasses(const timetable::AutoOrderData& data, int grade) {
    int unified = 0;
    for (const auto& [day, period] : enginetest::unifiedSlots(data, grade)) {
        unified += period >= 1 && period <= 7 ? 1 : 0;
    }
    std::vector<int> classes;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        long long total = unified;
        bool planned = false;
        for (const timetable::CourseEntry& entry : data.classList(grade, c).entries) {
            planned = planned || !gbk::isBlank(entry.course);
            total += timetable::namesTeacher(entry.teacher) ? entry.weekly : 0;
        }
        if (planned && total >= 15 && total <= 35) {
            classes.push_back(c);
        }
    }
    return classes;
}

bool isUnifiedCell(const timetable::AutoOrderData& data, int grade, int day, int period) {
    const auto slots = enginetest::unifiedSlots(data, grade);
    return std::find(slots.begin(), slots.end(), std::make_pair(day, period)) != slots.end();
}

// The teacher of the class's first 语文 entry when it gets a double period, else empty.
std::string chineseTeacher(const timetable::ClassCourseList& list) {
    for (const timetable::CourseEntry& entry : list.entries) {
        if (entry.course == "语文") {
            return entry.weekly >= 2 && timetable::namesTeacher(entry.teacher) ? entry.teacher : "";
        }
    }
    return "";
}

// Lessons of a text in the other grades (those not arranged) at a day, or a period of it.
int heldElsewhere(const optimise::Request& request, const school::SchoolTimetable& result,
                  const std::string& text, int day, int period) {
    int n = 0;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses && !arranges(request, g); ++c) {
            for (int p = 1; p <= kPeriods; ++p) {
                n += (period == 0 || p == period) && result.cell(g, c, day, p) == text ? 1 : 0;
            }
        }
    }
    return n;
}

class Checker {
public:
    Checker(const timetable::AutoOrderData& data, const optimise::Request& request,
            const school::SchoolTimetable& result)
        : m_data(data), m_request(request), m_result(result) {}

    std::vector<std::string> run() {
        for (int g = 0; g < school::kGrades; ++g) {
            if (!arranges(m_request, g)) {
                for (int c = 0; c < school::kMaxClasses; ++c) {
                    if (!(m_result.week(g, c) == m_request.timetable.week(g, c))) {
                        fail("grade " + std::to_string(g) + " changed at position " +
                             std::to_string(c));
                    }
                }
                continue;
            }
            const std::vector<int> classes = expectedClasses(m_data, g);
            for (int pos = 0; pos < school::kMaxClasses; ++pos) {
                if (pos < static_cast<int>(classes.size())) {
                    checkClass(g, pos, classes[at(pos)]);
                } else {
                    for (int d = 0; d < kDays; ++d) {
                        for (int s = 0; s < school::kSlots; ++s) {
                            if (!m_result.cell(g, pos, d, s).empty()) {
                                fail("grade " + std::to_string(g) + " position " +
                                     std::to_string(pos) + " holds text beyond its classes");
                            }
                        }
                    }
                }
            }
        }
        checkResources();
        checkLocks();
        return m_broken;
    }

private:
    void fail(std::string text) { m_broken.push_back(std::move(text)); }

    bool locked(int grade, int pos, int day, int period) const {
        const std::string& name = m_result.cell(grade, pos, 0, 0);
        for (const optimise::CellRef& ref : m_request.locked) {
            if (ref.grade == grade && ref.day == day && ref.period == period &&
                m_request.timetable.cell(ref.grade, ref.position, 0, 0) == name) {
                return true;
            }
        }
        return false;
    }

    void checkClass(int g, int pos, int classIndex) {
        const std::string name = school::className(g, classIndex + 1);
        const timetable::ClassCourseList& list = m_data.classList(g, classIndex);
        for (int d = 0; d < kDays; ++d) {
            if (m_result.cell(g, pos, d, 0) != name) {
                fail(name + " not at position " + std::to_string(pos) + " on day " +
                     std::to_string(d));
            }
        }
        if (enginetest::lessonsOf(m_result, g, pos) != enginetest::plannedLessons(list)) {
            fail(name + " weekly counts differ");
        }
        for (int d = 0; d < kDays; ++d) {
            for (int p = 1; p <= kPeriods; ++p) {
                const std::string& text = m_result.cell(g, pos, d, p);
                if (!timetable::isLessonText(text)) {
                    continue;
                }
                if (isUnifiedCell(m_data, g, d, p)) {
                    fail(place(name, d, p) + " unified slot holds " + text);
                }
                if (locked(g, pos, d, p)) {
                    continue;
                }
                const auto holders = timetable::holdersOf(m_result, d, p, text);
                if (holders.size() > 1) {
                    fail(place(name, d, p) + " clash of " + text);
                }
                if (timetable::presetBlocks(m_data, text, d, p)) {
                    fail(place(name, d, p) + " preset of " + text);
                }
                const int limit = timetable::dayLimit(timetable::weeklyLoad(m_data, text));
                const int onDay = timetable::lessonsOnDay(m_result, d, text);
                if (onDay > std::max(limit, heldElsewhere(m_request, m_result, text, d, 0))) {
                    fail(name + " day " + std::to_string(d) + " overload of " + text);
                }
            }
        }
        checkSpreadAndDouble(name, g, pos, list);
        checkPlan(name, g, pos, list);
    }

    void checkSpreadAndDouble(const std::string& name, int g, int pos,
                              const timetable::ClassCourseList& list) {
        const std::string chinese = chineseTeacher(list);
        std::set<std::string> teachers;
        for (const auto& [teacher, count] : enginetest::lessonsOf(m_result, g, pos)) {
            teachers.insert(teacher);
        }
        int doubleDay = -1;
        for (int d = 0; d < kDays && !chinese.empty(); ++d) {
            for (const int p : {3, 5, 6}) {
                if (doubleDay < 0 && m_result.cell(g, pos, d, p) == chinese &&
                    m_result.cell(g, pos, d, p + 1) == chinese) {
                    doubleDay = d;
                }
            }
        }
        if (!chinese.empty() && doubleDay < 0) {
            fail(name + " has no double period of " + chinese);
        }
        for (const std::string& teacher : teachers) {
            std::array<int, kDays> cells{};
            std::array<int, kDays> units{};
            for (int d = 0; d < kDays; ++d) {
                for (int p = 1; p <= kPeriods; ++p) {
                    cells[at(d)] += m_result.cell(g, pos, d, p) == teacher ? 1 : 0;
                }
                units[at(d)] = cells[at(d)] - (teacher == chinese && d == doubleDay ? 1 : 0);
            }
            const auto [low, high] = std::minmax_element(units.begin(), units.end());
            if (*high - *low > 1) {
                fail(name + " spread of " + teacher + " (double as one)");
            }
            const int fewest = *std::min_element(cells.begin(), cells.end());
            for (int d = 0; d < kDays; ++d) {
                for (int p = 1; p <= kPeriods; ++p) {
                    if (m_result.cell(g, pos, d, p) != teacher) {
                        continue;
                    }
                    const bool exempt =
                        teacher == chinese &&
                        ((p > 1 && m_result.cell(g, pos, d, p - 1) == teacher) ||
                         (p < kPeriods && m_result.cell(g, pos, d, p + 1) == teacher));
                    if (!exempt && cells[at(d)] > fewest + 1) {
                        fail(place(name, d, p) + " spread of " + teacher + " (cells)");
                    }
                }
            }
        }
    }

    void checkPlan(const std::string& name, int g, int pos,
                   const timetable::ClassCourseList& list) {
        for (const optimise::PlanRange& range : m_request.plan) {
            if (range.className != name) {
                continue;
            }
            std::set<std::string> teachers;
            for (const timetable::CourseEntry& entry : list.entries) {
                if (entry.course == range.course && timetable::namesTeacher(entry.teacher)) {
                    teachers.insert(entry.teacher);
                }
            }
            for (int d = range.firstDay; d <= range.lastDay && d <= kDays; ++d) {
                for (int p = range.firstPeriod; p <= range.lastPeriod; ++p) {
                    if (teachers.count(m_result.cell(g, pos, d - 1, p)) > 0 &&
                        !locked(g, pos, d - 1, p)) {
                        fail(place(name, d - 1, p) + " plan range of " + range.course);
                    }
                }
            }
        }
    }

    void checkResources() {
        const school::SchoolTimetable courses = timetable::inCourseNames(m_data, m_result);
        for (const timetable::SubjectResource& resource : m_data.resources) {
            if (resource.limit <= 0) {
                continue;
            }
            for (int d = 0; d < kDays; ++d) {
                for (int p = 1; p <= kPeriods; ++p) {
                    int total = 0;
                    int arranged = 0;
                    for (int g = 0; g < school::kGrades; ++g) {
                        for (int c = 0; c < school::kMaxClasses; ++c) {
                            const bool holds = courses.cell(g, c, d, p) == resource.course;
                            total += holds ? 1 : 0;
                            arranged += holds && arranges(m_request, g) ? 1 : 0;
                        }
                    }
                    if (arranged > 0 && total > std::max(resource.limit, total - arranged)) {
                        fail(resource.course + " over its limit on day " + std::to_string(d) +
                             " period " + std::to_string(p));
                    }
                }
            }
        }
    }

    void checkLocks() {
        for (const optimise::CellRef& ref : m_request.locked) {
            if (!arranges(m_request, ref.grade)) {
                continue;
            }
            const std::string& name = m_request.timetable.cell(ref.grade, ref.position, 0, 0);
            bool kept = false;
            for (int pos = 0; pos < school::kMaxClasses; ++pos) {
                kept = kept ||
                       (m_result.cell(ref.grade, pos, 0, 0) == name &&
                        m_result.cell(ref.grade, pos, ref.day, ref.period) ==
                            m_request.timetable.cell(ref.grade, ref.position, ref.day, ref.period));
            }
            if (!kept) {
                fail(place(name, ref.day, ref.period) + " lock lost");
            }
        }
    }

    const timetable::AutoOrderData& m_data;
    const optimise::Request& m_request;
    const school::SchoolTimetable& m_result;
    std::vector<std::string> m_broken;
};

} // namespace

std::vector<std::string> brokenRules(const timetable::AutoOrderData& data,
                                     const optimise::Request& request,
                                     const school::SchoolTimetable& result) {
    return Checker(data, request, result).run();
}

int earlyMisses(const timetable::AutoOrderData& data, const optimise::Request& request,
                const school::SchoolTimetable& result) {
    int misses = 0;
    for (const int g : request.grades) {
        for (int pos = 0; pos < school::kMaxClasses; ++pos) {
            const auto id = school::parseClassName(result.cell(g, pos, 0, 0));
            if (!id) {
                continue;
            }
            std::set<std::string> mains;
            const auto& entries = data.classList(g, id->classNumber - 1).entries;
            for (int i = 0; i < timetable::kMainCourses; ++i) {
                if (timetable::namesTeacher(entries[at(i)].teacher)) {
                    mains.insert(entries[at(i)].teacher);
                }
            }
            for (int d = 0; d < kDays; ++d) {
                for (int p = 1; p <= 2; ++p) {
                    misses +=
                        !isUnifiedCell(data, g, d, p) && mains.count(result.cell(g, pos, d, p)) == 0
                            ? 1
                            : 0;
                }
            }
        }
    }
    return misses;
}

} // namespace optimisetest
