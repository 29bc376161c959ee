#include "optimise/ReviewProblem.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace optimise {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::string n(long long value) {
    return std::to_string(value);
}

// The cells of one kind over the days: the double periods, or period 7.
CellMask kindCells(int days, bool doubles) {
    CellMask cells = 0;
    for (int d = 0; d < days; ++d) {
        for (int slot = 0; slot < ReviewProblem::kCellsPerDay; ++slot) {
            if (ReviewProblem::doubleSlot(slot) == doubles) {
                cells |= bit(d * ReviewProblem::kCellsPerDay + slot);
            }
        }
    }
    return cells;
}

std::string cellName(int cell) {
    const int slot = cell % ReviewProblem::kCellsPerDay;
    return school::reviewDayName(cell / ReviewProblem::kCellsPerDay) + ' ' +
           std::string(school::kPeriodNames[at(ReviewProblem::firstPeriod(slot) - 1)]);
}

} // namespace

ReviewProblem::ReviewProblem(const timetable::ReviewData& data)
    : m_grade(data.grade()), m_days(data.reviewDays()) {
    const std::string gradeName(school::kGradeNames[at(m_grade)]);
    std::vector<ClassModel> classes;
    if (m_days <= 0) {
        m_causes.push_back("复习计划：" + gradeName + " 没有复习计划（年段课程设置中天数都为 0）");
    }
    for (int q = 0; q < school::kMaxClasses && m_days > 0; ++q) {
        const std::vector<timetable::ReviewEntry> entries = data.entries(q + 1);
        int total = 0;
        for (const timetable::ReviewEntry& entry : entries) {
            total += gbk::width(entry.teacher) > 2 ? entry.periods : 0;
        }
        if (total < 15) {
            if (!data.pairs(q + 1).empty()) {
                m_causes.push_back("复习课时不足：" + school::className(m_grade, q + 1) + " 共 " +
                                   n(total) + " 节（不足 15 节，不排复习课表）");
            }
            continue;
        }
        addClass(q + 1, entries, classes);
    }
    // One group of double periods and one of period-7 lessons per teacher, in entry order;
    // then, class by class, the doubles the days cannot hold.
    std::vector<int> teacherSingles(m_teachers.size(), 0);
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        teacherSingles[at(m_groups[g].teacher)] += m_doubles[g] ? 0 : m_groups[g].count;
    }
    for (ClassModel& cls : classes) {
        settleClass(cls, teacherSingles);
    }
    countCauses();
    WeekShape shape;
    shape.days = std::max(m_days, 1);
    shape.cellsPerDay = kCellsPerDay;
    m_problem.emplace(shape, std::move(classes), m_groups, m_teachers);
}

int ReviewProblem::internTeacher(const std::string& name) {
    for (std::size_t t = 0; t < m_teachers.size(); ++t) {
        if (m_teachers[t].name == name) {
            return static_cast<int>(t);
        }
    }
    Teacher teacher;
    teacher.name = name;
    teacher.limit = kCellsPerDay; // a teacher may review in every period of a day
    m_teachers.push_back(std::move(teacher));
    return static_cast<int>(m_teachers.size()) - 1;
}

void ReviewProblem::addClass(int classNumber, const std::vector<timetable::ReviewEntry>& entries,
                             std::vector<ClassModel>& classes) {
    ClassModel cls;
    cls.grade = m_grade;
    cls.classIndex = classNumber - 1;
    cls.position = static_cast<int>(classes.size());
    cls.name = school::className(m_grade, classNumber);
    cls.fixed.fill(kFree);
    cls.movable = (CellMask{1} << (m_days * kCellsPerDay)) - 1;

    for (const timetable::ReviewEntry& entry : entries) {
        if (entry.periods <= 0) {
            continue;
        }
        const int teacher = internTeacher(entry.teacher);
        for (const auto& [doubles, lessons] :
             {std::pair{true, entry.periods / 2}, std::pair{false, entry.periods % 2}}) {
            if (lessons == 0) {
                continue;
            }
            Group& group = m_groups[at(groupOf(cls, teacher, doubles))];
            group.count += lessons;
            if (std::find(group.courses.begin(), group.courses.end(), entry.course) ==
                group.courses.end()) {
                group.courses.push_back(entry.course);
            }
        }
    }

    m_classNumbers.push_back(classNumber);
    classes.push_back(std::move(cls));
}

// The doubles beyond the days', the period-7 lessons beyond the days, and what the search
// reads of every group: teacherSingles holds each teacher's period-7 lessons over the grade.
void ReviewProblem::settleClass(ClassModel& cls, std::vector<int>& teacherSingles) {
    // Doubles beyond the days' double periods go to period 7 as two lessons each, from the
    // last entries on: the review arrangement puts every lesson there once the doubles are
    // full.
    int doubles = 0;
    for (const int g : cls.groups) {
        doubles += m_doubles[at(g)] ? m_groups[at(g)].count : 0;
    }
    // A double goes to the last entry's teacher with period-7 room left over the grade (else
    // to the last entry's, and the shortfall is named).
    std::vector<std::pair<int, int>> splits; // double group, doubles split
    std::vector<int> left(cls.groups.size());
    for (std::size_t i = 0; i < cls.groups.size(); ++i) {
        left[i] = m_doubles[at(cls.groups[i])] ? m_groups[at(cls.groups[i])].count : 0;
    }
    for (; doubles > 3 * m_days; --doubles) {
        std::size_t chosen = cls.groups.size();
        for (std::size_t i = cls.groups.size(); i-- > 0;) {
            const int teacher = m_groups[at(cls.groups[i])].teacher;
            if (left[i] > 0 &&
                (chosen == cls.groups.size() || teacherSingles[at(teacher)] + 2 <= m_days)) {
                const bool room = teacherSingles[at(teacher)] + 2 <= m_days;
                chosen = i;
                if (room) {
                    break;
                }
            }
        }
        --left[chosen];
        teacherSingles[at(m_groups[at(cls.groups[chosen])].teacher)] += 2;
        splits.emplace_back(cls.groups[chosen], 1);
    }
    int split = 0;
    for (const auto& [g, count] : splits) {
        m_groups[at(g)].count -= count;
        const std::vector<std::string> courses = m_groups[at(g)].courses;
        Group& single = m_groups[at(groupOf(cls, m_groups[at(g)].teacher, false))];
        single.count += 2 * count;
        for (const std::string& course : courses) {
            if (std::find(single.courses.begin(), single.courses.end(), course) ==
                single.courses.end()) {
                single.courses.push_back(course);
            }
        }
        split += 2 * count;
    }
    // Period-7 lessons beyond the days stay out, from the last groups on.
    int singles = 0;
    for (const int g : cls.groups) {
        Group& group = m_groups[at(g)];
        group.movable = group.count;
        singles += m_doubles[at(g)] ? 0 : group.count;
    }
    if (singles > m_days) {
        m_causes.push_back("第七节过多：" + cls.name + " 需 " + n(singles) + " 节第七节单节" +
                           (split > 0 ? "（其中 " + n(split) + " 节是连堂排不下的）" : "") + "，" +
                           n(m_days) + " 天只有 " + n(m_days) + " 个");
    }
    for (auto it = cls.groups.rbegin(); it != cls.groups.rend() && singles > m_days; ++it) {
        Group& group = m_groups[at(*it)];
        if (!m_doubles[at(*it)]) {
            const int cut = std::min(group.count, singles - m_days);
            group.movable -= cut;
            group.missing = cut;
            singles -= cut;
        }
    }
    int lessons = 0;
    for (const int g : cls.groups) {
        Group& group = m_groups[at(g)];
        group.low = group.movable / m_days;
        group.high = (group.movable + m_days - 1) / m_days;
        lessons += group.movable;
    }
    cls.freePeriods = m_days * kCellsPerDay - lessons;
}

int ReviewProblem::groupOf(ClassModel& cls, int teacher, bool doubles) {
    for (const int g : cls.groups) {
        if (m_groups[at(g)].teacher == teacher && m_doubles[at(g)] == doubles) {
            return g;
        }
    }
    Group group;
    group.cls = cls.position;
    group.teacher = teacher;
    group.forbidden = kindCells(m_days, !doubles);
    cls.groups.push_back(static_cast<int>(m_groups.size()));
    m_groups.push_back(std::move(group));
    m_doubles.push_back(doubles);
    return cls.groups.back();
}

void ReviewProblem::countCauses() {
    for (std::size_t t = 0; t < m_teachers.size(); ++t) {
        for (const bool doubles : {true, false}) {
            int lessons = 0;
            for (std::size_t g = 0; g < m_groups.size(); ++g) {
                const Group& group = m_groups[g];
                lessons += group.teacher == static_cast<int>(t) && m_doubles[g] == doubles
                               ? group.movable
                               : 0;
            }
            const int room = doubles ? 3 * m_days : m_days;
            if (lessons > room) {
                m_causes.push_back((doubles ? "教师连堂过多：" : "教师第七节过多：") +
                                   m_teachers[t].name + " 全年段 " + n(lessons) +
                                   (doubles ? " 个连堂，" : " 节第七节单节，") + n(m_days) +
                                   " 天只有 " + n(room) + " 个");
            }
        }
    }
}

school::ReviewTimetable ReviewProblem::timetable(const Search& search) const {
    school::ReviewTimetable result;
    const auto& classes = problem().classes();
    for (std::size_t k = 0; k < classes.size(); ++k) {
        const ClassModel& cls = classes[k];
        for (int d = 0; d < m_days; ++d) {
            result.cell(m_grade, cls.position, d, 0) = cls.name;
        }
        for (int cell = 0; cell < m_days * kCellsPerDay; ++cell) {
            const int g = search.lessonAt(static_cast<int>(k), cell);
            if (g < 0) {
                continue;
            }
            const std::string& teacher = m_teachers[at(m_groups[at(g)].teacher)].name;
            const int day = cell / kCellsPerDay;
            const int slot = cell % kCellsPerDay;
            // A lesson in a cell of the other kind takes the cell's first period alone (a
            // violation names it).
            const int period = doubleSlot(slot) ? firstPeriod(slot) : 7;
            result.cell(m_grade, cls.position, day, period) = teacher;
            if (doubleSlot(slot) && m_doubles[at(g)]) {
                result.cell(m_grade, cls.position, day, period + 1) = teacher;
            }
        }
    }
    return result;
}

std::vector<std::string> ReviewProblem::violations(const Search& search) const {
    std::vector<std::string> out;
    const auto& classes = problem().classes();
    const auto who = [&](const Group& group) {
        return m_teachers[at(group.teacher)].name + "（" + problem().courseText(group) + "）";
    };
    for (std::size_t k = 0; k < classes.size(); ++k) {
        const ClassModel& cls = classes[k];
        std::vector<int> perDay(m_groups.size() * at(m_days), 0);
        for (int cell = 0; cell < m_days * kCellsPerDay; ++cell) {
            const int g = search.lessonAt(static_cast<int>(k), cell);
            if (g < 0) {
                continue;
            }
            ++perDay[at(g * m_days + cell / kCellsPerDay)];
            if ((m_groups[at(g)].forbidden & bit(cell)) != 0) {
                out.push_back(std::string(m_doubles[at(g)] ? "连堂位置：" : "单节位置：") +
                              cls.name + ' ' + cellName(cell) + ' ' + who(m_groups[at(g)]) +
                              (m_doubles[at(g)] ? " 的连堂不能排在第七节" : " 的单节应排在第七节"));
            }
        }
        for (const int g : cls.groups) {
            const Group& group = m_groups[at(g)];
            for (int d = 0; d < m_days; ++d) {
                const int lessons = perDay[at(g * m_days + d)];
                if (lessons < group.low || lessons > group.high) {
                    out.push_back("分布不均：" + cls.name + ' ' + who(group) +
                                  school::reviewDayName(d) + ' ' + n(lessons) +
                                  (m_doubles[at(g)] ? " 个连堂" : " 节第七节") + "（每天应为 " +
                                  n(group.low) +
                                  (group.low == group.high ? "" : " 至 " + n(group.high)) +
                                  (m_doubles[at(g)] ? " 个）" : " 节）"));
                }
            }
            if (group.missing > 0) {
                out.push_back("课时未排：" + cls.name + ' ' + who(group) + " 少 " +
                              n(group.missing * (m_doubles[at(g)] ? 2 : 1)) + " 节");
            }
        }
    }
    return out;
}

} // namespace optimise
