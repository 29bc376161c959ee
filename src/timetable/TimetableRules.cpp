#include "timetable/TimetableRules.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace timetable {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// A copy in which every period cell of the school is read(list, unified slots, day, period,
// cell), with its class's course list and its grade's unified slots.
template <class Read>
school::SchoolTimetable readEveryCell(const AutoOrderData& data,
                                      const school::SchoolTimetable& timetable, Read read) {
    school::SchoolTimetable copy = timetable;
    for (int g = 0; g < school::kGrades; ++g) {
        const std::vector<UnifiedCourse> unified = unifiedSlotsOf(data, g);
        for (int c = 0; c < school::kMaxClasses; ++c) {
            const ClassCourseList& list = courseListAt(data, timetable, g, c);
            for (int d = 0; d < school::kDays; ++d) {
                for (int p = 1; p <= school::kPeriods; ++p) {
                    std::string& cell = copy.cell(g, c, d, p);
                    cell = read(list, unified, d, p, cell);
                }
            }
        }
    }
    return copy;
}

} // namespace

bool isLessonText(std::string_view text) {
    return namesTeacher(text);
}

const ClassCourseList& courseListAt(const AutoOrderData& data,
                                    const school::SchoolTimetable& timetable, int grade,
                                    int position) {
    return courseListNamed(data, grade, position, timetable.cell(grade, position, 0, 0));
}

const ClassCourseList& courseListNamed(const AutoOrderData& data, int grade, int position,
                                       std::string_view className) {
    const ClassCourseList* own = ownCourseList(data, grade, className);
    return own != nullptr ? *own : data.classList(grade, position);
}

const ClassCourseList* ownCourseList(const AutoOrderData& data, int grade,
                                     std::string_view className) {
    const auto id = school::parseClassName(className);
    if (!id || id->gradeIndex != grade) {
        return nullptr;
    }
    return &data.classList(grade, id->classNumber - 1);
}

std::vector<UnifiedCourse> unifiedSlotsOf(const AutoOrderData& data, int grade) {
    std::vector<UnifiedCourse> unified;
    for (const UnifiedCourse& row : data.sameLessons) {
        if (unified.size() < static_cast<std::size_t>(kUnifiedSlots) &&
            row.grade == school::kGradeNames[at(grade)]) {
            unified.push_back(row);
        }
    }
    return unified;
}

std::string teacherText(const ClassCourseList& list, const std::vector<UnifiedCourse>& unified,
                        int day, int period, const std::string& cell) {
    if (gbk::isBlank(cell)) {
        return cell;
    }
    for (const CourseEntry& entry : list.entries) {
        if (entry.teacher == cell) {
            return cell;
        }
    }
    for (const UnifiedCourse& slot : unified) {
        if (slot.day - 1 == day && slot.period == period && slot.course == cell) {
            return kUnifiedBlank;
        }
    }
    for (const CourseEntry& entry : list.entries) {
        if (entry.course == cell && namesTeacher(entry.teacher)) {
            return entry.teacher;
        }
    }
    return cell;
}

std::vector<ClassRef> holdersOf(const school::SchoolTimetable& timetable, int day, int period,
                                std::string_view text) {
    std::vector<ClassRef> holders;
    if (!isLessonText(text)) {
        return holders;
    }
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            if (timetable.cell(g, c, day, period) == text) {
                holders.push_back({g, c});
            }
        }
    }
    return holders;
}

bool presetBlocks(const AutoOrderData& data, std::string_view teacher, int day, int period) {
    for (const TeacherPreset& preset : data.presets) {
        if (preset.teacher == teacher) {
            const std::size_t index = at(day * school::kPeriods + period - 1);
            return preset.mask.size() >= 30 && index < preset.mask.size() &&
                   preset.mask[index] == '1';
        }
    }
    return false;
}

long long weeklyLoad(const AutoOrderData& data, std::string_view teacher) {
    long long load = 0;
    for (const auto& grade : data.classes) {
        for (const ClassCourseList& list : grade) {
            for (const CourseEntry& entry : list.entries) {
                load += entry.teacher == teacher ? entry.weekly : 0;
            }
        }
    }
    return load;
}

int dayLimit(long long weeklyLoad) {
    return weeklyLoad >= 20 ? 5 : 4;
}

int lessonsOnDay(const school::SchoolTimetable& timetable, int day, std::string_view teacher) {
    int n = 0;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                n += timetable.cell(g, c, day, p) == teacher ? 1 : 0;
            }
        }
    }
    return n;
}

bool isCourseView(const AutoOrderData& data, const school::SchoolTimetable& timetable, int grade) {
    const std::string& first = timetable.cell(grade, 0, 0, 1);
    if (gbk::isBlank(first)) {
        return false;
    }
    for (const SubjectResource& resource : data.resources) {
        if (resource.course == first) {
            return true;
        }
    }
    return false;
}

school::SchoolTimetable inTeacherNames(const AutoOrderData& data,
                                       const school::SchoolTimetable& timetable) {
    return readEveryCell(data, timetable, teacherText);
}

school::SchoolTimetable inCourseNames(const AutoOrderData& data,
                                      const school::SchoolTimetable& timetable) {
    return readEveryCell(data, timetable,
                         [](const ClassCourseList& list, const std::vector<UnifiedCourse>&, int,
                            int, const std::string& cell) { return courseText(list, cell); });
}

std::string courseText(const ClassCourseList& list, const std::string& cell) {
    if (gbk::isBlank(cell)) {
        return cell;
    }
    for (const CourseEntry& entry : list.entries) {
        if (entry.teacher == cell) {
            return entry.course;
        }
    }
    return cell;
}

bool missesMainCourse(const ClassCourseList* list, std::string_view teacher) {
    int entry = -1;
    for (int i = 0; list != nullptr && i < kEntries && entry < 0; ++i) {
        entry = list->entries[at(i)].teacher == teacher ? i : -1;
    }
    return !isLessonText(teacher) || entry < 0 || entry >= kMainCourses;
}

bool missesChineseDouble(const ClassCourseList& list, const school::SchoolTimetable& teachers,
                         int grade, int position) {
    const auto chinese = std::find_if(list.entries.begin(), list.entries.end(),
                                      [](const CourseEntry& e) { return e.course == kChinese; });
    if (chinese == list.entries.end() || chinese->weekly < 2 || !namesTeacher(chinese->teacher)) {
        return false;
    }
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p < school::kPeriods; ++p) {
            if (teachers.cell(grade, position, d, p) == chinese->teacher &&
                teachers.cell(grade, position, d, p + 1) == chinese->teacher) {
                return false;
            }
        }
    }
    return true;
}

int classesHolding(const school::SchoolTimetable& courseNames, int day, int period,
                   std::string_view course) {
    int classes = 0;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            classes += courseNames.cell(g, c, day, period) == course ? 1 : 0;
        }
    }
    return classes;
}

std::optional<ResourceOverrun> overrunAt(const SubjectResource& resource,
                                         const school::SchoolTimetable& courseNames, int day,
                                         int period) {
    if (resource.limit <= 0 || gbk::isBlank(resource.course)) {
        return std::nullopt;
    }
    const int classes = classesHolding(courseNames, day, period, resource.course);
    if (classes <= resource.limit) {
        return std::nullopt;
    }
    return ResourceOverrun{resource.course, day, period, classes, resource.limit};
}

std::vector<ResourceOverrun> resourceOverruns(const AutoOrderData& data,
                                              const school::SchoolTimetable& courseNames, int day) {
    std::vector<ResourceOverrun> overruns;
    for (const SubjectResource& resource : data.resources) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            if (auto overrun = overrunAt(resource, courseNames, day, p)) {
                overruns.push_back(std::move(*overrun));
            }
        }
    }
    return overruns;
}

} // namespace timetable
