#include "optimise/Problem.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <unordered_set>
#include <utility>

namespace optimise {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// The first four samelesson rows of the grade as they stand (day, period), as the engine
// takes them: they count in the weekly total and steer where the double may start.
std::vector<std::pair<int, int>> unifiedRows(const timetable::AutoOrderData& data, int grade) {
    std::vector<std::pair<int, int>> rows;
    for (const timetable::UnifiedCourse& row : data.sameLessons) {
        if (rows.size() < at(timetable::kUnifiedSlots) &&
            row.grade == school::kGradeNames[at(grade)]) {
            rows.emplace_back(row.day, row.period);
        }
    }
    return rows;
}

// A plan bound pair as the cells it covers within 1..limit (see PlanRange).
std::pair<int, int> planBounds(int first, int last, int limit) {
    first = first >= 1 && first <= 7 ? first : 0;
    last = last >= 1 && last <= 7 ? last : 0;
    if (first == 0 && last == 0) {
        return {1, limit};
    }
    first = first == 0 ? last : first;
    last = last == 0 ? first : last;
    return {std::min(first, last), std::min(std::max(first, last), limit)};
}

} // namespace

Problem::Problem(const timetable::AutoOrderData& data, const Request& request)
    : m_input(request.timetable) {
    for (const int g : request.grades) {
        if (g >= 0 && g < school::kGrades) {
            m_grades.push_back(g);
        }
    }
    std::sort(m_grades.begin(), m_grades.end());
    m_grades.erase(std::unique(m_grades.begin(), m_grades.end()), m_grades.end());

    for (const timetable::SubjectResource& row : data.resources) {
        if (row.limit <= 0 || gbk::isBlank(row.course)) {
            continue;
        }
        auto same = std::find_if(m_resources.begin(), m_resources.end(),
                                 [&](const Resource& r) { return r.course == row.course; });
        if (same == m_resources.end()) {
            m_resources.push_back({row.course, row.limit, {}});
        } else {
            same->limit = std::min(same->limit, row.limit); // every row is checked
        }
    }

    for (const int g : m_grades) {
        const auto unified = unifiedRows(data, g);
        long long unifiedCount = 0;
        for (const auto& row : unified) {
            unifiedCount += row.second > 0 && row.second < 8 ? 1 : 0;
        }
        int position = 0;
        for (int c = 0; c < school::kMaxClasses; ++c) {
            const timetable::ClassCourseList& list = data.classList(g, c);
            long long total = unifiedCount;
            bool planned = false;
            for (const timetable::CourseEntry& entry : list.entries) {
                planned = planned || !gbk::isBlank(entry.course);
                total += timetable::namesTeacher(entry.teacher) ? entry.weekly : 0;
            }
            if (total < timetable::kMinWeekly || total > timetable::kMaxWeekly) {
                if (planned) {
                    m_dropped.push_back({school::className(g, c + 1), total});
                }
                continue;
            }
            addClass(data, g, c, position++, unified);
        }
    }

    addLocks(request);
    addFixedCells(data, request);
    applyPlan(request);

    // Teachers: day limits and presets. presetBlocks() is asked only for teachers that have
    // a preset row at all.
    std::unordered_set<std::string> withPreset;
    for (const timetable::TeacherPreset& preset : data.presets) {
        withPreset.insert(preset.teacher);
    }
    for (Teacher& teacher : m_teachers) {
        teacher.weekly = timetable::weeklyLoad(data, teacher.name);
        teacher.limit = timetable::dayLimit(teacher.weekly);
        if (withPreset.count(teacher.name) > 0) {
            for (int cell = 0; cell < kCells; ++cell) {
                if (timetable::presetBlocks(data, teacher.name, dayOf(cell), periodOf(cell))) {
                    teacher.preset |= bit(cell);
                }
            }
        }
    }
    for (Group& group : m_groups) {
        group.forbidden |= m_teachers[at(group.teacher)].preset;
    }

    // Free periods; a class that locks leave too little room loses lessons from its last
    // groups (the shortfall is a violation).
    for (ClassModel& cls : m_classes) {
        int lessons = 0;
        for (const int g : cls.groups) {
            lessons += m_groups[at(g)].movable;
        }
        cls.freePeriods = std::popcount(cls.movable) - lessons;
        for (auto it = cls.groups.rbegin(); cls.freePeriods < 0 && it != cls.groups.rend(); ++it) {
            Group& group = m_groups[at(*it)];
            const int cut = std::min(group.movable, -cls.freePeriods);
            group.movable -= cut;
            group.missing += cut;
            cls.freePeriods += cut;
        }
    }
}

Problem::Problem(WeekShape shape, std::vector<ClassModel> classes, std::vector<Group> groups,
                 std::vector<Teacher> teachers)
    : m_shape(shape), m_classes(std::move(classes)), m_groups(std::move(groups)),
      m_teachers(std::move(teachers)) {
    for (Teacher& teacher : m_teachers) {
        teacher.groups.clear();
    }
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        m_teachers[at(m_groups[g].teacher)].groups.push_back(static_cast<int>(g));
    }
}

int Problem::internTeacher(const std::string& name) {
    const auto [it, added] = m_teacherIndex.try_emplace(name, static_cast<int>(m_teachers.size()));
    if (added) {
        m_teachers.push_back({});
        m_teachers.back().name = name;
    }
    return it->second;
}

void Problem::addClass(const timetable::AutoOrderData& data, int grade, int classIndex,
                       int position, const std::vector<std::pair<int, int>>& unified) {
    const timetable::ClassCourseList& list = data.classList(grade, classIndex);
    ClassModel cls;
    cls.grade = grade;
    cls.classIndex = classIndex;
    cls.position = position;
    cls.name = school::className(grade, classIndex + 1);
    const int index = static_cast<int>(m_classes.size());

    bool unifiedToday[school::kDays] = {};
    bool unifiedEarly = false;
    for (const auto& [day, period] : unified) {
        if (day >= 1 && day <= school::kDays) {
            unifiedToday[day - 1] = true;
            if (period >= 1 && period <= school::kPeriods) {
                cls.unified |= bit(cellAt(day - 1, period));
            }
        }
        unifiedEarly = unifiedEarly || period < 7;
    }
    for (int cell = 0; cell < kCells; ++cell) {
        cls.fixed[at(cell)] = (cls.unified & bit(cell)) != 0 ? kUnified : kFree;
        if (periodOf(cell) <= 2 && (cls.unified & bit(cell)) == 0) {
            cls.early |= bit(cell);
        }
    }
    cls.movable = ~cls.unified & ((CellMask{1} << kCells) - 1);

    // Groups: one per teacher, in the order of their first entry.
    int chineseEntry = -1;
    for (int i = 0; i < timetable::kEntries; ++i) {
        const timetable::CourseEntry& entry = list.entries[at(i)];
        if (entry.course == timetable::kChinese) {
            if (entry.weekly >= 2 && timetable::namesTeacher(entry.teacher)) {
                chineseEntry = i;
            }
            break;
        }
    }
    for (int i = 0; i < timetable::kEntries; ++i) {
        const timetable::CourseEntry& entry = list.entries[at(i)];
        if (!timetable::namesTeacher(entry.teacher) || entry.weekly <= 0) {
            continue;
        }
        const int teacher = internTeacher(entry.teacher);
        auto same = std::find_if(cls.groups.begin(), cls.groups.end(),
                                 [&](int g) { return m_groups[at(g)].teacher == teacher; });
        if (same != cls.groups.end()) {
            Group& group = m_groups[at(*same)];
            group.count += entry.weekly;
            if (std::find(group.courses.begin(), group.courses.end(), entry.course) ==
                group.courses.end()) {
                group.courses.push_back(entry.course);
            }
            group.chinese = group.chinese || i == chineseEntry;
            continue;
        }
        Group group;
        group.cls = index;
        group.teacher = teacher;
        group.count = entry.weekly;
        group.chinese = i == chineseEntry;
        // A cell's text is read through the first entry of its teacher (inCourseNames and the
        // main-course rule do so): that entry gives the course and whether it is a main one.
        int first = 0;
        while (list.entries[at(first)].teacher != entry.teacher) {
            ++first;
        }
        group.main = first < timetable::kMainCourses;
        group.courses.push_back(list.entries[at(first)].course);
        if (entry.course != group.courses.front()) {
            group.courses.push_back(entry.course);
        }
        for (std::size_t r = 0; r < m_resources.size(); ++r) {
            if (m_resources[r].course == group.courses.front()) {
                group.resource = static_cast<int>(r);
            }
        }
        cls.groups.push_back(static_cast<int>(m_groups.size()));
        m_teachers[at(teacher)].groups.push_back(static_cast<int>(m_groups.size()));
        m_groups.push_back(std::move(group));
    }
    for (const int g : cls.groups) {
        Group& group = m_groups[at(g)];
        group.movable = group.count;
        const int units = group.count - (group.chinese ? 1 : 0);
        group.low = units / school::kDays;
        group.high = (units + school::kDays - 1) / school::kDays;
        if (group.chinese) {
            cls.chinese = g;
        }
    }
    // Where the double may start: period 3 always, 5 unless a unified slot lies that day
    // before period 7, 6 only on a day without a unified slot (the engine's draw).
    if (cls.chinese >= 0) {
        for (int d = 0; d < school::kDays; ++d) {
            for (const int p : {3, 5, 6}) {
                const bool drawn = p == 3 || (p == 5 && (!unifiedToday[d] || !unifiedEarly)) ||
                                   (p == 6 && !unifiedToday[d]);
                const CellMask pair = bit(cellAt(d, p)) | bit(cellAt(d, p + 1));
                if (drawn && (pair & cls.unified) == 0) {
                    cls.doubleStarts |= bit(cellAt(d, p));
                }
            }
        }
    }
    m_classes.push_back(std::move(cls));
}

void Problem::addLocks(const Request& request) {
    for (const CellRef& ref : request.locked) {
        if (ref.grade < 0 || ref.grade >= school::kGrades || ref.position < 0 ||
            ref.position >= school::kMaxClasses || ref.day < 0 || ref.day >= school::kDays ||
            ref.period < 1 || ref.period > school::kPeriods ||
            std::find(m_grades.begin(), m_grades.end(), ref.grade) == m_grades.end()) {
            continue; // other grades keep every cell anyway
        }
        const std::string& text = m_input.cell(ref.grade, ref.position, ref.day, ref.period);
        const auto id = school::parseClassName(m_input.cell(ref.grade, ref.position, 0, 0));
        auto cls = std::find_if(m_classes.begin(), m_classes.end(), [&](const ClassModel& c) {
            return id && id->gradeIndex == ref.grade && c.grade == ref.grade &&
                   c.classIndex == id->classNumber - 1;
        });
        if (cls == m_classes.end()) {
            if (timetable::isLessonText(text) &&
                std::find(m_strayLocks.begin(), m_strayLocks.end(), ref) == m_strayLocks.end()) {
                m_strayLocks.push_back(ref);
            }
            continue;
        }
        const int cell = cellAt(ref.day, ref.period);
        if ((cls->locked & bit(cell)) != 0) {
            continue;
        }
        cls->locked |= bit(cell);
        cls->movable &= ~bit(cell);
        cls->lockedText[at(cell)] = text;
        if (!timetable::isLessonText(text)) {
            cls->fixed[at(cell)] = (cls->unified & bit(cell)) != 0 ? kUnified : kFree;
            continue;
        }
        const int teacher = internTeacher(text);
        cls->fixed[at(cell)] = kForeign;
        for (const int g : cls->groups) {
            if (m_groups[at(g)].teacher == teacher) {
                cls->fixed[at(cell)] = static_cast<std::int16_t>(g);
                Group& group = m_groups[at(g)];
                group.movable = std::max(0, group.movable - 1);
            }
        }
    }
}

void Problem::addFixedCells(const timetable::AutoOrderData& data, const Request& request) {
    const auto arranged = [&](int g) {
        return std::find(m_grades.begin(), m_grades.end(), g) != m_grades.end();
    };
    bool anyFixedGrade = false;
    for (int g = 0; g < school::kGrades; ++g) {
        if (arranged(g)) {
            continue;
        }
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                for (int p = 1; p <= school::kPeriods; ++p) {
                    const std::string& text = m_input.cell(g, c, d, p);
                    if (timetable::isLessonText(text)) {
                        Teacher& teacher = m_teachers[at(internTeacher(text))];
                        ++teacher.fixedOccupancy[at(cellAt(d, p))];
                        ++teacher.fixedLoad[at(d)];
                        anyFixedGrade = true;
                    }
                }
            }
        }
    }
    if (anyFixedGrade && !m_resources.empty()) {
        const school::SchoolTimetable courses = timetable::inCourseNames(data, request.timetable);
        for (int g = 0; g < school::kGrades; ++g) {
            for (int c = 0; c < school::kMaxClasses && !arranged(g); ++c) {
                for (int d = 0; d < school::kDays; ++d) {
                    for (int p = 1; p <= school::kPeriods; ++p) {
                        for (Resource& resource : m_resources) {
                            if (courses.cell(g, c, d, p) == resource.course) {
                                ++resource.fixedUse[at(cellAt(d, p))];
                            }
                        }
                    }
                }
            }
        }
    }
    // Locked lessons of the arranged classes are as fixed as the other grades.
    for (const ClassModel& cls : m_classes) {
        for (int cell = 0; cell < kCells; ++cell) {
            if ((cls.locked & bit(cell)) == 0 ||
                !timetable::isLessonText(cls.lockedText[at(cell)])) {
                continue;
            }
            const std::string& text = cls.lockedText[at(cell)];
            Teacher& teacher = m_teachers[at(internTeacher(text))];
            ++teacher.fixedOccupancy[at(cell)];
            ++teacher.fixedLoad[at(dayOf(cell))];
            const int g = cls.fixed[at(cell)];
            for (std::size_t r = 0; r < m_resources.size(); ++r) {
                const bool holds = g >= 0 ? m_groups[at(g)].resource == static_cast<int>(r)
                                          : text == m_resources[r].course;
                if (holds) {
                    ++m_resources[r].fixedUse[at(cell)];
                }
            }
        }
    }
}

void Problem::applyPlan(const Request& request) {
    for (const PlanRange& range : request.plan) {
        const auto id = school::parseClassName(range.className);
        if (!id || gbk::isBlank(range.course)) {
            continue;
        }
        const auto [firstDay, lastDay] = planBounds(range.firstDay, range.lastDay, school::kDays);
        const auto [firstPeriod, lastPeriod] =
            planBounds(range.firstPeriod, range.lastPeriod, school::kPeriods);
        CellMask cells = 0;
        for (int d = firstDay; d <= lastDay; ++d) {
            for (int p = firstPeriod; p <= lastPeriod; ++p) {
                cells |= bit(cellAt(d - 1, p));
            }
        }
        for (const ClassModel& cls : m_classes) {
            if (cls.grade != id->gradeIndex || cls.classIndex != id->classNumber - 1) {
                continue;
            }
            for (const int g : cls.groups) {
                Group& group = m_groups[at(g)];
                if (std::find(group.courses.begin(), group.courses.end(), range.course) !=
                    group.courses.end()) {
                    group.forbidden |= cells;
                    group.planned |= cells;
                }
            }
        }
    }
}

bool Problem::arranges(int grade) const {
    return std::find(m_grades.begin(), m_grades.end(), grade) != m_grades.end();
}

std::string Problem::courseText(const Group& group) const {
    std::string text;
    for (const std::string& course : group.courses) {
        text += (text.empty() ? "" : "/") + course;
    }
    return text;
}

school::SchoolTimetable Problem::frame() const {
    school::SchoolTimetable timetable = m_input;
    for (const int g : m_grades) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (auto& day : timetable.week(g, c)) {
                day.fill(std::string());
            }
        }
    }
    for (const ClassModel& cls : m_classes) {
        for (int d = 0; d < school::kDays; ++d) {
            timetable.cell(cls.grade, cls.position, d, 0) = cls.name;
        }
    }
    return timetable;
}

} // namespace optimise
