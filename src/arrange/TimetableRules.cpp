#include "arrange/TimetableRules.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <cstddef>

namespace arrange {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// Replaces, in every period cell of the grade, a text found in `from` of the class's list
// by the same entry's `to`.
template <class From, class To>
void convertGrade(const AutoOrderData& data, school::SchoolTimetable& timetable, int grade,
                  From from, To to) {
    for (int c = 0; c < school::kMaxClasses; ++c) {
        const ClassCourseList& list = courseListAt(data, timetable, grade, c);
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                std::string& cell = timetable.cell(grade, c, d, p);
                if (gbk::isBlank(cell)) {
                    continue;
                }
                for (const CourseEntry& entry : list.entries) {
                    if (from(entry) == cell) {
                        cell = to(entry);
                        break;
                    }
                }
            }
        }
    }
}

} // namespace

bool isLessonText(std::string_view text) {
    return namesTeacher(text);
}

const ClassCourseList& courseListAt(const AutoOrderData& data,
                                    const school::SchoolTimetable& timetable, int grade,
                                    int position) {
    const auto id = school::parseClassName(timetable.cell(grade, position, 0, 0));
    if (id && id->gradeIndex == grade) {
        return data.classList(grade, id->classNumber - 1);
    }
    return data.classList(grade, position);
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
    school::SchoolTimetable copy = timetable;
    for (int g = 0; g < school::kGrades; ++g) {
        if (isCourseView(data, timetable, g)) {
            convertGrade(
                data, copy, g, [](const CourseEntry& e) -> const std::string& { return e.course; },
                [](const CourseEntry& e) -> const std::string& { return e.teacher; });
        }
    }
    return copy;
}

school::SchoolTimetable inCourseNames(const AutoOrderData& data,
                                      const school::SchoolTimetable& timetable) {
    school::SchoolTimetable copy = timetable;
    for (int g = 0; g < school::kGrades; ++g) {
        if (!isCourseView(data, timetable, g)) {
            convertGrade(
                data, copy, g, [](const CourseEntry& e) -> const std::string& { return e.teacher; },
                [](const CourseEntry& e) -> const std::string& { return e.course; });
        }
    }
    return copy;
}

std::vector<ResourceOverrun> resourceOverruns(const AutoOrderData& data,
                                              const school::SchoolTimetable& courseNames, int day) {
    std::vector<ResourceOverrun> overruns;
    for (const SubjectResource& resource : data.resources) {
        if (resource.limit <= 0 || gbk::isBlank(resource.course)) {
            continue;
        }
        for (int p = 1; p <= school::kPeriods; ++p) {
            int classes = 0;
            for (int g = 0; g < school::kGrades; ++g) {
                for (int c = 0; c < school::kMaxClasses; ++c) {
                    classes += courseNames.cell(g, c, day, p) == resource.course ? 1 : 0;
                }
            }
            if (classes > resource.limit) {
                overruns.push_back({resource.course, day, p, classes, resource.limit});
            }
        }
    }
    return overruns;
}

} // namespace arrange
