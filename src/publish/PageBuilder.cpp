#include "publish/PageBuilder.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "publish/OutputTarget.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <map>
#include <set>

namespace publish {
namespace {

using timetable::ClassCourseList;
using timetable::UnifiedCourse;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// What a class has in one period: the course and its teacher (none at a unified slot).
struct Slot {
    std::string course;
    std::string teacher;
};

std::string firstCharacters(const std::string& text, int count) {
    std::size_t end = 0;
    for (int k = 0; k < count && end < text.size(); ++k) {
        char32_t ch = 0;
        const std::size_t used = gbk::decodeUtf8(std::string_view(text).substr(end), ch);
        end += std::max<std::size_t>(used, 1);
    }
    return text.substr(0, end);
}

std::string titled(const school::SchoolSettings& settings, const std::string& what) {
    return settings.schoolName.empty() ? what : settings.schoolName + " " + what;
}

bool arranged(const SchoolSource& source, int grade, int position) {
    return !gbk::isBlank(source.teachers.cell(grade, position, 0, 0), 3);
}

bool gradeArranged(const SchoolSource& source, int grade) {
    for (int c = 0; c < school::kMaxClasses; ++c) {
        if (arranged(source, grade, c))
            return true;
    }
    return false;
}

// The chosen grade, or every grade, that has what the pages need; missing names what is
// missing ("还没有课程表，请先编排"), after the grade's name when one was chosen.
template <class Has>
std::vector<int> gradesWith(GradeChoice grade, Has has, const std::string& missing) {
    if (grade) {
        if (!has(*grade))
            throw PublishError(std::string(school::kGradeNames[at(*grade)]) + missing);
        return {*grade};
    }
    std::vector<int> grades;
    for (int g = 0; g < school::kGrades; ++g) {
        if (has(g))
            grades.push_back(g);
    }
    if (grades.empty())
        throw PublishError(missing);
    return grades;
}

std::vector<int> chosenGrades(const SchoolSource& source, GradeChoice grade) {
    return gradesWith(
        grade, [&](int g) { return gradeArranged(source, g); }, "还没有课程表，请先编排");
}

std::optional<Slot> slotAt(const ClassCourseList& list, const std::vector<UnifiedCourse>& unified,
                           int day, int period, const std::string& cell) {
    if (timetable::isLessonText(cell)) {
        for (const timetable::CourseEntry& entry : list.entries) {
            if (entry.teacher == cell)
                return Slot{entry.course, cell};
        }
        for (const timetable::CourseEntry& entry : list.entries) {
            if (entry.course == cell)
                return Slot{cell, {}};
        }
        return Slot{{}, cell};
    }
    for (const UnifiedCourse& slot : unified) {
        if (slot.day == day + 1 && slot.period == period && !slot.course.empty())
            return Slot{slot.course, {}};
    }
    return std::nullopt;
}

// Every period of a class position, by day 0..4 and period 1..7.
std::map<std::pair<int, int>, Slot> slotsOf(const SchoolSource& source, int grade, int position) {
    const ClassCourseList& list =
        timetable::courseListAt(source.data, source.teachers, grade, position);
    const std::vector<UnifiedCourse> unified = timetable::unifiedSlotsOf(source.data, grade);
    std::map<std::pair<int, int>, Slot> slots;
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            if (auto slot =
                    slotAt(list, unified, d, p, source.teachers.cell(grade, position, d, p)))
                slots[{d, p}] = std::move(*slot);
        }
    }
    return slots;
}

Lines joinedLines(std::initializer_list<std::string> parts) {
    Lines lines;
    for (const std::string& part : parts) {
        if (!part.empty())
            lines.push_back(part);
    }
    return lines;
}

// The frame of a class's or a teacher's week: days across, periods down with their times,
// grouped into morning and afternoon.
Page weekFrame(const school::SchoolSettings& settings) {
    Page page;
    page.corner = "节次";
    for (std::string_view day : school::kDayNames)
        page.columnHeads.emplace_back(day);
    for (int p = 0; p < school::kPeriods; ++p) {
        const school::PeriodTime& time = settings.periods[at(p)];
        Lines head{std::string(school::kPeriodNames[at(p)])};
        if (!time.start.empty() || !time.end.empty())
            head.push_back(time.start + "-" + time.end);
        page.rowHeads.push_back(std::move(head));
        const std::string half = time.afternoon ? "下午" : "上午";
        if (page.rowGroups.empty() || page.rowGroups.back().text != half)
            page.rowGroups.push_back(Span{half, p, 1});
        else
            ++page.rowGroups.back().count;
    }
    page.cells.assign(at(school::kPeriods), std::vector<Lines>(at(school::kDays)));
    return page;
}

Page buildClassPage(const SchoolSource& source, int grade, int position) {
    const std::string className = source.teachers.cell(grade, position, 0, 0);
    Page page = weekFrame(source.settings);
    page.kind = PageKind::Class;
    page.name = className;
    page.grade = std::string(school::kGradeNames[at(grade)]);
    page.title = titled(source.settings, className + "班课程表");
    for (const auto& [when, slot] : slotsOf(source, grade, position)) {
        const auto [day, period] = when;
        page.cells[at(period - 1)][at(day)] = joinedLines({slot.course, slot.teacher});
        page.lessons.push_back(Lesson{day, period, slot.course, className, slot.teacher});
    }
    return page;
}

struct Taught {
    Lesson lesson;
    int grade = 0;
    int position = 0;
};

// Every lesson of the school with a teacher, in grade, position, day and period order.
std::vector<Taught> allLessons(const SchoolSource& source) {
    std::vector<Taught> lessons;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            if (!arranged(source, g, c))
                continue;
            const std::string className = source.teachers.cell(g, c, 0, 0);
            for (const auto& [when, slot] : slotsOf(source, g, c)) {
                if (!slot.teacher.empty())
                    lessons.push_back(
                        {Lesson{when.first, when.second, slot.course, className, slot.teacher}, g,
                         c});
            }
        }
    }
    return lessons;
}

Page buildTeacherPage(const SchoolSource& source, const std::string& teacher,
                      const std::vector<Taught>& lessons) {
    Page page = weekFrame(source.settings);
    page.kind = PageKind::Teacher;
    page.name = teacher;
    page.title = titled(source.settings, teacher + "老师课程表");
    std::vector<std::pair<int, int>> classes; // (grade, position), in order
    std::vector<std::string> classNames;
    for (const Taught& taught : lessons) {
        if (taught.lesson.teacher != teacher)
            continue;
        if (page.grade.empty())
            page.grade = std::string(school::kGradeNames[at(taught.grade)]);
        Lines& cell = page.cells[at(taught.lesson.period - 1)][at(taught.lesson.day)];
        if (cell.empty()) {
            cell = joinedLines({taught.lesson.className, taught.lesson.course});
        } else {
            // two classes at once: each on a line of its own
            if (cell.size() == 2 && page.lessons.back().className == cell[0])
                cell = {cell[0] + " " + cell[1]};
            cell.push_back(taught.lesson.className + " " + taught.lesson.course);
        }
        page.lessons.push_back(taught.lesson);
        const std::pair<int, int> where{taught.grade, taught.position};
        if (std::find(classes.begin(), classes.end(), where) == classes.end()) {
            classes.push_back(where);
            classNames.push_back(taught.lesson.className);
        }
    }
    std::sort(page.lessons.begin(), page.lessons.end(), [](const Lesson& a, const Lesson& b) {
        return std::tie(a.day, a.period) < std::tie(b.day, b.period);
    });
    page.notes.push_back("本周 " + std::to_string(page.lessons.size()) + " 节");
    std::string taughtLine = "任课班级：";
    for (std::size_t k = 0; k < classNames.size(); ++k)
        taughtLine += (k ? " " : "") + classNames[k];
    page.notes.push_back(taughtLine);
    return page;
}

// The teachers of the chosen grades, roster order first.
std::vector<std::string> teachersOf(const SchoolSource& source, const std::vector<int>& grades,
                                    const std::vector<Taught>& lessons) {
    std::vector<std::string> seen;
    for (const Taught& taught : lessons) {
        if (std::find(grades.begin(), grades.end(), taught.grade) != grades.end() &&
            std::find(seen.begin(), seen.end(), taught.lesson.teacher) == seen.end())
            seen.push_back(taught.lesson.teacher);
    }
    std::vector<std::string> ordered;
    for (const std::string& name : source.roster) {
        if (std::find(seen.begin(), seen.end(), name) != seen.end() &&
            std::find(ordered.begin(), ordered.end(), name) == ordered.end())
            ordered.push_back(name);
    }
    for (const std::string& name : seen) {
        if (std::find(ordered.begin(), ordered.end(), name) == ordered.end())
            ordered.push_back(name);
    }
    return ordered;
}

std::vector<int> arrangedPositions(const SchoolSource& source, int grade) {
    std::vector<int> positions;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        if (arranged(source, grade, c))
            positions.push_back(c);
    }
    return positions;
}

// A page about a whole grade, its classes as rows: "初一总课表", "初一任课表".
Page gradeFrame(const SchoolSource& source, int grade, PageKind kind, const std::string& what) {
    const std::string gradeName(school::kGradeNames[at(grade)]);
    Page page;
    page.kind = kind;
    page.name = gradeName;
    page.grade = gradeName;
    page.title = titled(source.settings, gradeName + what);
    page.corner = "班级";
    return page;
}

Page buildOverview(const SchoolSource& source, int grade) {
    Page page = gradeFrame(source, grade, PageKind::Overview, "总课表");
    page.landscape = true;
    for (int d = 0; d < school::kDays; ++d) {
        page.columnGroups.push_back(
            Span{std::string(school::kDayNames[at(d)]), d * school::kPeriods, school::kPeriods});
        for (int p = 1; p <= school::kPeriods; ++p)
            page.columnHeads.push_back(std::to_string(p));
    }
    for (int position : arrangedPositions(source, grade)) {
        page.rowHeads.push_back({source.teachers.cell(grade, position, 0, 0)});
        std::vector<Lines> row(page.columnHeads.size());
        for (const auto& [when, slot] : slotsOf(source, grade, position)) {
            row[at(when.first * school::kPeriods + when.second - 1)] =
                joinedLines({firstCharacters(slot.course, 2), firstCharacters(slot.teacher, 1)});
        }
        page.cells.push_back(std::move(row));
    }
    return page;
}

// A class has a plan when its list names a course.
bool planned(const ClassCourseList& list) {
    return !list.className.empty() &&
           std::any_of(list.entries.begin(), list.entries.end(),
                       [](const timetable::CourseEntry& e) { return !gbk::isBlank(e.course); });
}

bool gradePlanned(const SchoolSource& source, int grade) {
    const auto& lists = source.data.classes[at(grade)];
    return std::any_of(lists.begin(), lists.end(), planned);
}

Page buildAssignment(const SchoolSource& source, int grade) {
    Page page = gradeFrame(source, grade, PageKind::Assignment, "任课表");
    const auto& lists = source.data.classes[at(grade)];
    for (const ClassCourseList& list : lists) {
        for (const timetable::CourseEntry& entry : list.entries) {
            if (planned(list) && !gbk::isBlank(entry.course) &&
                std::find(page.columnHeads.begin(), page.columnHeads.end(), entry.course) ==
                    page.columnHeads.end())
                page.columnHeads.push_back(entry.course);
        }
    }
    for (const ClassCourseList& list : lists) {
        if (!planned(list))
            continue;
        page.rowHeads.push_back({list.className});
        std::vector<Lines> row(page.columnHeads.size());
        for (const timetable::CourseEntry& entry : list.entries) {
            if (!timetable::namesTeacher(entry.teacher) || gbk::isBlank(entry.course))
                continue;
            const auto column =
                std::find(page.columnHeads.begin(), page.columnHeads.end(), entry.course) -
                page.columnHeads.begin();
            Lines& cell = row[static_cast<std::size_t>(column)];
            if (cell.empty())
                cell.push_back(entry.teacher);
            else if (cell[0].find(entry.teacher) == std::string::npos)
                cell[0] += "、" + entry.teacher;
        }
        page.cells.push_back(std::move(row));
    }
    return page;
}

} // namespace

std::vector<Page> classPages(const SchoolSource& source, GradeChoice grade) {
    std::vector<Page> pages;
    for (int g : chosenGrades(source, grade)) {
        for (int position : arrangedPositions(source, g))
            pages.push_back(buildClassPage(source, g, position));
    }
    return pages;
}

std::vector<Page> teacherPages(const SchoolSource& source, GradeChoice grade) {
    const std::vector<int> grades = chosenGrades(source, grade);
    const std::vector<Taught> lessons = allLessons(source);
    std::vector<Page> pages;
    for (const std::string& teacher : teachersOf(source, grades, lessons))
        pages.push_back(buildTeacherPage(source, teacher, lessons));
    return pages;
}

std::vector<Page> overviewPages(const SchoolSource& source, GradeChoice grade) {
    std::vector<Page> pages;
    for (int g : chosenGrades(source, grade))
        pages.push_back(buildOverview(source, g));
    return pages;
}

std::vector<Page> assignmentPages(const SchoolSource& source, GradeChoice grade) {
    const std::vector<int> grades = gradesWith(
        grade, [&](int g) { return gradePlanned(source, g); }, "还没有班级课程设置，请先设置");
    std::vector<Page> pages;
    for (int g : grades)
        pages.push_back(buildAssignment(source, g));
    return pages;
}

std::optional<Page> classPage(const SchoolSource& source, int grade, int position) {
    if (!arranged(source, grade, position))
        return std::nullopt;
    return buildClassPage(source, grade, position);
}

std::optional<Page> teacherPage(const SchoolSource& source, const std::string& teacher) {
    const std::vector<Taught> lessons = allLessons(source);
    for (const Taught& taught : lessons) {
        if (taught.lesson.teacher == teacher)
            return buildTeacherPage(source, teacher, lessons);
    }
    return std::nullopt;
}

} // namespace publish
