#include "optimise/Causes.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "timetable/AutoOrderData.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace optimise {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::string n(long long value) {
    return std::to_string(value);
}

std::string dayName(int day) {
    return std::string(school::kDayNames[at(day)]);
}

std::string where(int cell) {
    return dayName(dayOf(cell)) + ' ' + std::string(school::kPeriodNames[at(periodOf(cell) - 1)]);
}

CellMask dayCells(int day) {
    return ((CellMask{1} << school::kPeriods) - 1) << (day * school::kPeriods);
}

int count(CellMask mask) {
    return std::popcount(mask);
}

class Finder {
public:
    explicit Finder(const Problem& problem)
        : m_problem(problem), m_classes(problem.classes()), m_groups(problem.groups()),
          m_teachers(problem.teachers()) {}

    std::vector<std::string> run() {
        weeks();
        locks();
        teachers();
        classDays();
        groups();
        resources();
        return std::move(m_causes);
    }

private:
    void add(std::string text) { m_causes.push_back(std::move(text)); }

    std::string label(const Group& group) const {
        return m_classes[at(group.cls)].name + ' ' + m_problem.courseText(group) + "（" +
               m_teachers[at(group.teacher)].name + "）";
    }

    // Locked cells of the group on a day.
    int lockedOn(const Group& group, int groupIndex, int day) const {
        const ClassModel& cls = m_classes[at(group.cls)];
        int locked = 0;
        for (CellMask cells = cls.locked & dayCells(day); cells != 0; cells &= cells - 1) {
            locked += cls.fixed[at(std::countr_zero(cells))] == groupIndex ? 1 : 0;
        }
        return locked;
    }

    // Cells where the group's class can take a lesson of it.
    CellMask open(const Group& group) const {
        return m_classes[at(group.cls)].movable & ~group.forbidden;
    }

    void weeks() {
        for (const DroppedClass& dropped : m_problem.dropped()) {
            add("班级 " + dropped.name + "：周课时（含统一课）共 " + n(dropped.weeklyTotal) +
                " 节，" +
                (dropped.weeklyTotal > timetable::kMaxWeekly ? "超过 35 节" : "不足 15 节") +
                "，不能编排");
        }
        for (const CellRef& ref : m_problem.strayLocks()) {
            add("锁定的格子 " + std::string(school::kGradeNames[at(ref.grade)]) + " 第 " +
                n(ref.position + 1) + " 个位置 " + where(cellAt(ref.day, ref.period)) + "（" +
                m_problem.input().cell(ref.grade, ref.position, ref.day, ref.period) +
                "）：这里没有参加编排的班级");
        }
    }

    void locks() {
        for (const ClassModel& cls : m_classes) {
            for (CellMask cells = cls.locked; cells != 0; cells &= cells - 1) {
                const int cell = std::countr_zero(cells);
                const int what = cls.fixed[at(cell)];
                const std::string& text = cls.lockedText[at(cell)];
                const std::string head = "锁定的格子 " + cls.name + ' ' + where(cell) + "：";
                if (what == kForeign) {
                    add(head + text + " 不是本班的任课教师");
                }
                if ((what >= 0 || what == kForeign) && (cls.unified & bit(cell)) != 0) {
                    add(head + "统一课的时间排了 " + text);
                }
                if (what < 0) {
                    continue;
                }
                const Group& group = m_groups[at(what)];
                if ((m_teachers[at(group.teacher)].preset & bit(cell)) != 0) {
                    add(head + text + " 预设这时不排课");
                }
                if ((group.planned & bit(cell)) != 0) {
                    add(head + m_problem.courseText(group) + "（" + text +
                        "）在编排计划不排的范围内");
                }
            }
        }
        for (std::size_t g = 0; g < m_groups.size(); ++g) {
            const Group& group = m_groups[g];
            int locked = 0;
            for (int d = 0; d < school::kDays; ++d) {
                const int onDay = lockedOn(group, static_cast<int>(g), d);
                locked += onDay;
                if (onDay > group.high + (group.chinese ? 1 : 0)) {
                    add("锁定的格子 " + label(group) + "：" + dayName(d) + "锁定 " + n(onDay) +
                        " 节，超过每天 " + n(group.high) + " 节" +
                        (group.chinese ? "（连堂算一节）" : ""));
                }
            }
            if (locked > group.count) {
                add("锁定的格子 " + label(group) + "：锁定 " + n(locked) + " 节，超过每周 " +
                    n(group.count) + " 节");
            }
            if (group.missing > 0) {
                add("锁定的格子 " + m_classes[at(group.cls)].name + "：余下的时间不够，" +
                    m_teachers[at(group.teacher)].name + " 少排 " + n(group.missing) + " 节");
            }
        }
        // Breaks among the cells that stay as they are, where a lock takes part.
        for (const Teacher& teacher : m_teachers) {
            CellMask lockedCells = 0;
            for (const ClassModel& cls : m_classes) {
                for (CellMask cells = cls.locked; cells != 0; cells &= cells - 1) {
                    const int cell = std::countr_zero(cells);
                    lockedCells |= cls.lockedText[at(cell)] == teacher.name ? bit(cell) : 0;
                }
            }
            for (CellMask cells = lockedCells; cells != 0; cells &= cells - 1) {
                const int cell = std::countr_zero(cells);
                if (teacher.fixedOccupancy[at(cell)] >= 2) {
                    add("锁定的格子 " + where(cell) + "：" + teacher.name + " 同时在 " +
                        holders(teacher.name, cell) + " 上课");
                }
            }
            for (int d = 0; d < school::kDays; ++d) {
                if ((lockedCells & dayCells(d)) != 0 && teacher.fixedLoad[at(d)] > teacher.limit) {
                    add("锁定的格子 " + teacher.name + ' ' + dayName(d) + "：已有 " +
                        n(teacher.fixedLoad[at(d)]) + " 节，超过每天上限 " + n(teacher.limit) +
                        " 节");
                }
            }
        }
        for (std::size_t r = 0; r < m_problem.resources().size(); ++r) {
            const Resource& resource = m_problem.resources()[r];
            CellMask lockedCells = 0;
            for (const ClassModel& cls : m_classes) {
                for (CellMask cells = cls.locked; cells != 0; cells &= cells - 1) {
                    const int cell = std::countr_zero(cells);
                    const int what = cls.fixed[at(cell)];
                    const bool holds = what >= 0
                                           ? m_groups[at(what)].resource == static_cast<int>(r)
                                           : cls.lockedText[at(cell)] == resource.course;
                    lockedCells |= holds ? bit(cell) : 0;
                }
            }
            for (CellMask cells = lockedCells; cells != 0; cells &= cells - 1) {
                const int cell = std::countr_zero(cells);
                if (resource.fixedUse[at(cell)] > resource.limit) {
                    add("锁定的格子 " + resource.course + ' ' + where(cell) + "：已有 " +
                        n(resource.fixedUse[at(cell)]) + " 个班，超过上限 " + n(resource.limit));
                }
            }
        }
    }

    // The classes holding the teacher in a cell among those that stay as they are.
    std::string holders(const std::string& teacher, int cell) const {
        std::string names;
        const school::SchoolTimetable& input = m_problem.input();
        for (const auto& ref : timetable::holdersOf(input, dayOf(cell), periodOf(cell), teacher)) {
            if (!m_problem.arranges(ref.grade)) {
                const std::string& name = input.cell(ref.grade, ref.position, 0, 0);
                names +=
                    (names.empty() ? "" : " ") +
                    (gbk::isBlank(name, 3) ? school::className(ref.grade, ref.position + 1) : name);
            }
        }
        for (const ClassModel& cls : m_classes) {
            if ((cls.locked & bit(cell)) != 0 && cls.lockedText[at(cell)] == teacher) {
                names += (names.empty() ? "" : " ") + cls.name;
            }
        }
        return names;
    }

    void teachers() {
        const WeekShape& shape = m_problem.shape();
        for (const Teacher& teacher : m_teachers) {
            int lessons = 0;
            CellMask usable = 0;
            std::array<int, school::kDays> need{};
            for (const int g : teacher.groups) {
                const Group& group = m_groups[at(g)];
                lessons += group.movable;
                usable |= open(group);
                for (int d = 0; d < school::kDays; ++d) {
                    need[at(d)] += std::max(0, group.low - lockedOn(group, g, d));
                }
            }
            if (lessons == 0) {
                continue;
            }
            // The plain count first: more lessons than the week has periods.
            int fixed = 0;
            for (int cell = 0; cell < kCells; ++cell) {
                fixed += teacher.fixedOccupancy[at(cell)];
                usable &= teacher.fixedOccupancy[at(cell)] > 0 ? ~bit(cell) : ~CellMask{0};
            }
            const bool overfull = lessons + fixed > kCells;
            if (overfull) {
                add("教师" + teacher.name + "每周 " + n(lessons + fixed) + " 节，超过一周可排的 " +
                    n(kCells) + " 节");
            }
            // After it, a day or the week's room only where presets, unified slots, locks or
            // other grades' lessons make it smaller than the day limit alone would.
            const int plainDay = std::min(teacher.limit, shape.cellsPerDay);
            int room = 0;
            for (int d = 0; d < school::kDays; ++d) {
                const int left = std::max(0, teacher.limit - teacher.fixedLoad[at(d)]);
                const int free = std::min(left, count(usable & dayCells(d)));
                room += free;
                if (need[at(d)] > free && (!overfull || free < plainDay)) {
                    add("教师 " + teacher.name + ' ' + dayName(d) + "：要给各班上 " +
                        n(need[at(d)]) + " 节（每班每天至少的节数），这天只有 " + n(free) +
                        " 节可排");
                }
            }
            if (lessons > room && (!overfull || room < plainDay * school::kDays)) {
                add("教师 " + teacher.name + "：要排 " + n(lessons) + " 节，除去预设、统一课、" +
                    "已排的课和每天最多 " + n(teacher.limit) + " 节的上限，只能排 " + n(room) +
                    " 节");
            }
        }
    }

    void classDays() {
        for (const ClassModel& cls : m_classes) {
            for (int d = 0; d < school::kDays; ++d) {
                int need = 0;
                for (const int g : cls.groups) {
                    need += std::max(0, m_groups[at(g)].low - lockedOn(m_groups[at(g)], g, d));
                }
                const int free = count(cls.movable & dayCells(d));
                if (need > free) {
                    add("班级 " + cls.name + ' ' + dayName(d) + "：每天至少要排 " + n(need) +
                        " 节，只有 " + n(free) + " 节空");
                }
            }
        }
    }

    void groups() {
        for (std::size_t g = 0; g < m_groups.size(); ++g) {
            const Group& group = m_groups[g];
            const int room = count(open(group));
            if (group.movable > room) {
                add(label(group) + "：每周 " + n(group.count) + " 节，除去教师预设、编排计划、" +
                    "统一课和锁定的格子只剩 " + n(room) + " 个时间");
            }
            if (!group.chinese) {
                continue;
            }
            const ClassModel& cls = m_classes[at(group.cls)];
            CellMask takes = open(group);
            for (CellMask cells = cls.locked; cells != 0; cells &= cells - 1) {
                const int cell = std::countr_zero(cells);
                takes |= cls.fixed[at(cell)] == static_cast<int>(g) ? bit(cell) : 0;
            }
            bool any = false;
            for (CellMask starts = cls.doubleStarts; starts != 0 && !any; starts &= starts - 1) {
                const int start = std::countr_zero(starts);
                any = (takes & bit(start)) != 0 && (takes & bit(start + 1)) != 0;
            }
            if (!any) {
                add(label(group) + "：找不到排连堂的时间（从第三、五或六节起）");
            }
        }
    }

    void resources() {
        const auto& resources = m_problem.resources();
        for (std::size_t r = 0; r < resources.size(); ++r) {
            const ResourceRoom room = resourceRoom(m_problem, static_cast<int>(r));
            if (room.lessons > room.room) {
                add("资源 " + resources[r].course + "：要排 " + n(room.lessons) + " 节，每节最多 " +
                    n(resources[r].limit) + " 个班，只能排 " + n(room.room) + " 节");
            }
        }
    }

    const Problem& m_problem;
    const std::vector<ClassModel>& m_classes;
    const std::vector<Group>& m_groups;
    const std::vector<Teacher>& m_teachers;
    std::vector<std::string> m_causes;
};

} // namespace

ResourceRoom resourceRoom(const Problem& problem, int resource) {
    const Resource& r = problem.resources()[at(resource)];
    ResourceRoom room;
    CellMask usable = 0;
    for (const Group& group : problem.groups()) {
        if (group.resource == resource) {
            room.lessons += group.movable;
            usable |= problem.classes()[at(group.cls)].movable & ~group.forbidden;
        }
    }
    for (int cell = 0; cell < kCells; ++cell) {
        if ((usable & bit(cell)) != 0) {
            room.room += std::max(0, r.limit - r.fixedUse[at(cell)]);
        }
    }
    return room;
}

std::vector<std::string> findCauses(const Problem& problem) {
    return Finder(problem).run();
}

} // namespace optimise
