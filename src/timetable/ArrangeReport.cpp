#include "timetable/ArrangeReport.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <set>
#include <utility>

namespace timetable {

GradeReview reviewGrade(const AutoOrderData& data, int grade, const school::SchoolTimetable& held) {
    return reviewGrade(data, grade, inTeacherNames(data, held), inCourseNames(data, held));
}

GradeReview reviewGrade(const AutoOrderData& data, int grade,
                        const school::SchoolTimetable& timetable,
                        const school::SchoolTimetable& courses) {
    GradeReview review;
    std::vector<std::pair<int, int>> unified;
    for (const UnifiedCourse& row : unifiedSlotsOf(data, grade)) {
        unified.emplace_back(row.day, row.period);
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
        const ClassCourseList* list = ownCourseList(data, grade, name);
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                const std::string& text = timetable.cell(grade, c, d, p);
                if (isLessonText(text)) {
                    teachers.insert(text);
                    if (isUnified(d, p)) {
                        review.unifiedFilled.push_back({name, d, p, text});
                    }
                    if (presetBlocks(data, text, d, p)) {
                        review.presets.push_back({name, d, p, text});
                    }
                }
                if (p <= 2 && !isUnified(d, p) && missesMainCourse(list, text)) {
                    review.mainCourseFirst.push_back({name, d, p, text});
                }
            }
        }
    }

    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            std::set<std::string> seen;
            for (int c : positions) {
                const std::string& text = timetable.cell(grade, c, d, p);
                const std::vector<ClassRef> holders = holdersOf(timetable, d, p, text);
                if (holders.size() < 2 || !seen.insert(text).second) {
                    continue;
                }
                TeacherClash clash{d, p, text, {}};
                for (const ClassRef& holder : holders) {
                    clash.classes.push_back(timetable.cell(holder.grade, holder.position, 0, 0));
                }
                review.clashes.push_back(std::move(clash));
            }
        }
    }

    for (const std::string& teacher : teachers) {
        const int limit = dayLimit(weeklyLoad(data, teacher));
        for (int d = 0; d < school::kDays; ++d) {
            const int n = lessonsOnDay(timetable, d, teacher);
            if (n > limit) {
                review.overloads.push_back({teacher, d, n, limit});
            }
        }
    }

    for (int d = 0; d < school::kDays; ++d) {
        for (ResourceOverrun& overrun : resourceOverruns(data, courses, d)) {
            bool inGrade = false;
            for (int c : positions) {
                inGrade = inGrade || courses.cell(grade, c, d, overrun.period) == overrun.course;
            }
            if (inGrade) {
                review.resourceOverruns.push_back(std::move(overrun));
            }
        }
    }
    return review;
}

namespace {

std::string counted(const char* what, std::size_t n) {
    return std::string(what) + " " + std::to_string(n) + " 处";
}

} // namespace

std::string qualityLine(const GradeReview& review) {
    int arranged = 0;
    for (const ClassOutcome& outcome : review.classes) {
        arranged += outcome.arranged ? 1 : 0;
    }
    return "质量：已编排 " + std::to_string(arranged) + "/" +
           std::to_string(review.classes.size()) + " 个班，" +
           counted("碰课", review.clashes.size()) + "，" +
           counted("教师日超量", review.overloads.size()) + "，" +
           counted("主课优先违例", review.mainCourseFirst.size()) + "，" +
           counted("预设违例", review.presets.size()) + "，" +
           counted("统一课占用", review.unifiedFilled.size()) + "，" +
           counted("资源超量", review.resourceOverruns.size());
}

std::string remainingLine(const GradeReview& review) {
    return "剩余：" + counted("碰课", review.clashes.size()) + "，" +
           counted("教师日超量", review.overloads.size()) + "，" +
           counted("预设违例", review.presets.size()) + "，" +
           counted("资源超量", review.resourceOverruns.size());
}

} // namespace timetable
