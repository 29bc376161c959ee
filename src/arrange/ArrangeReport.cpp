#include "arrange/ArrangeReport.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace arrange {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

bool isLesson(const std::string& text) {
    return namesTeacher(text);
}

// The class course list of the class whose name stands in slot 0, if it belongs to grade.
const ClassCourseList* listOf(const AutoOrderData& data, int grade, const std::string& name) {
    const auto id = school::parseClassName(name);
    if (!id || id->gradeIndex != grade) {
        return nullptr;
    }
    return &data.classList(grade, id->classNumber - 1);
}

long long weeklyLoad(const AutoOrderData& data, const std::string& teacher) {
    long long load = 0;
    for (const auto& g : data.classes) {
        for (const ClassCourseList& list : g) {
            for (const CourseEntry& entry : list.entries) {
                load += entry.teacher == teacher ? entry.weekly : 0;
            }
        }
    }
    return load;
}

bool presetBlocks(const AutoOrderData& data, const std::string& teacher, int day, int period) {
    for (const TeacherPreset& preset : data.presets) {
        if (preset.teacher == teacher) {
            const std::size_t index = at(day * 7 + period - 1);
            return preset.mask.size() >= 30 && index < preset.mask.size() &&
                   preset.mask[index] == '1';
        }
    }
    return false;
}

} // namespace

GradeReview reviewGrade(const AutoOrderData& data, int grade,
                        const school::SchoolTimetable& timetable) {
    GradeReview review;
    std::vector<std::pair<int, int>> unified;
    for (const UnifiedCourse& row : data.sameLessons) {
        if (unified.size() < static_cast<std::size_t>(kUnifiedSlots) &&
            row.grade == school::kGradeNames[at(grade)]) {
            unified.emplace_back(row.day, row.period);
        }
    }
    const auto isUnified = [&](int day, int period) {
        return std::find(unified.begin(), unified.end(), std::make_pair(day + 1, period)) !=
               unified.end();
    };

    std::vector<int> positions; // classes of the grade that hold a name
    std::set<std::string> named;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        const std::string& name = timetable.cell(grade, c, 0, 0);
        if (!gbk::isBlank(name, 3)) {
            positions.push_back(c);
            named.insert(name);
        }
    }

    for (int c = 0; c < school::kMaxClasses; ++c) {
        const ClassCourseList& list = data.classList(grade, c);
        long long total = 0;
        bool planned = false;
        for (const CourseEntry& entry : list.entries) {
            planned = planned || !gbk::isBlank(entry.course);
            total += namesTeacher(entry.teacher) ? entry.weekly : 0;
        }
        if (!planned) {
            continue;
        }
        for (const auto& slot : unified) {
            total += slot.second > 0 && slot.second < 8 ? 1 : 0;
        }
        const std::string name = school::className(grade, c + 1);
        review.classes.push_back({name, total, named.count(name) > 0});
    }

    std::set<std::string> teachers;
    for (int c : positions) {
        const std::string& name = timetable.cell(grade, c, 0, 0);
        const ClassCourseList* list = listOf(data, grade, name);
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                const std::string& text = timetable.cell(grade, c, d, p);
                if (isLesson(text)) {
                    teachers.insert(text);
                    if (isUnified(d, p)) {
                        review.unifiedFilled.push_back({name, d, p, text});
                    }
                    if (presetBlocks(data, text, d, p)) {
                        review.presets.push_back({name, d, p, text});
                    }
                }
                if (p <= 2 && !isUnified(d, p)) {
                    int entry = -1;
                    for (int i = 0; list != nullptr && i < kEntries && entry < 0; ++i) {
                        entry = list->entries[at(i)].teacher == text ? i : -1;
                    }
                    if (!isLesson(text) || entry < 0 || entry >= kMainCourses) {
                        review.mainCourseFirst.push_back({name, d, p, text});
                    }
                }
            }
        }
    }

    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            std::map<std::string, std::vector<std::string>> holders;
            for (int g = 0; g < school::kGrades; ++g) {
                for (int c = 0; c < school::kMaxClasses; ++c) {
                    const std::string& text = timetable.cell(g, c, d, p);
                    if (teachers.count(text) > 0) {
                        holders[text].push_back(timetable.cell(g, c, 0, 0));
                    }
                }
            }
            for (auto& [teacher, classes] : holders) {
                if (classes.size() > 1) {
                    review.clashes.push_back({d, p, teacher, std::move(classes)});
                }
            }
        }
    }

    for (const std::string& teacher : teachers) {
        const long long load = weeklyLoad(data, teacher);
        const int limit = load >= 20 ? 5 : 4;
        for (int d = 0; d < school::kDays; ++d) {
            int n = 0;
            for (int g = 0; g < school::kGrades; ++g) {
                for (int c = 0; c < school::kMaxClasses; ++c) {
                    for (int p = 1; p <= school::kPeriods; ++p) {
                        n += timetable.cell(g, c, d, p) == teacher ? 1 : 0;
                    }
                }
            }
            if (n > limit) {
                review.overloads.push_back({teacher, d, n, limit});
            }
        }
    }
    return review;
}

std::string qualityLine(const GradeReview& review) {
    int arranged = 0;
    for (const ClassOutcome& outcome : review.classes) {
        arranged += outcome.arranged ? 1 : 0;
    }
    return "质量：已编排 " + std::to_string(arranged) + "/" +
           std::to_string(review.classes.size()) + " 个班，碰课 " +
           std::to_string(review.clashes.size()) + " 处，教师日超量 " +
           std::to_string(review.overloads.size()) + " 处，主课优先违例 " +
           std::to_string(review.mainCourseFirst.size()) + " 处，预设违例 " +
           std::to_string(review.presets.size()) + " 处，统一课占用 " +
           std::to_string(review.unifiedFilled.size()) + " 处";
}

} // namespace arrange
