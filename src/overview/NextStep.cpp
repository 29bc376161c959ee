#include "overview/NextStep.h"

#include <algorithm>

namespace overview {
namespace {

std::string gradeName(const GradeStanding& grade) {
    return std::string(school::kGradeNames[static_cast<std::size_t>(grade.grade)]);
}

const GradeStanding* firstGrade(const Standing& standing,
                                bool (*missing)(const GradeStanding& grade)) {
    for (const GradeStanding& grade : standing.grades) {
        if (grade.classCount() > 0 && missing(grade)) {
            return &grade;
        }
    }
    return nullptr;
}

} // namespace

NextStep nextStep(const Standing& standing) {
    if (standing.courseNames == 0) {
        return {{"课程名称设置"}, "还没有课程名称"};
    }
    const auto& grades = standing.grades;
    if (std::none_of(grades.begin(), grades.end(),
                     [](const GradeStanding& grade) { return grade.classCount() > 0; })) {
        return {{"年段班级编辑"}, "还没有设置任何年段的班级数"};
    }
    if (standing.teachers == 0) {
        return {{"教师名单编辑"}, "还没有教师名单"};
    }
    if (standing.courseTeachers == 0) {
        return {{"学科教师编辑"}, "还没有设置各学科的课任教师"};
    }
    // A grade whose classes all have plans of their own needs no grade plan.
    if (const GradeStanding* grade = firstGrade(standing, [](const GradeStanding& g) {
            return !g.gradePlan && g.planned < g.classCount();
        })) {
        return {{"年段课程设置"}, gradeName(*grade) + " 还没有年段课程设置"};
    }
    if (const GradeStanding* grade = firstGrade(
            standing, [](const GradeStanding& g) { return g.planned < g.classCount(); })) {
        return {{"班级课程设置", "课任教师选用"},
                gradeName(*grade) + " 有 " + std::to_string(grade->classCount() - grade->planned) +
                    " 个班还没有课程计划"};
    }
    if (const GradeStanding* grade =
            firstGrade(standing, [](const GradeStanding& g) { return g.staffed < g.planned; })) {
        return {{"班级课程设置", "课任教师选用"}, grade->unstaffed + " 还没有课任教师"};
    }
    if (const GradeStanding* grade = firstGrade(
            standing, [](const GradeStanding& g) { return g.arranged < g.classCount(); })) {
        return {{"年段课程编排"},
                gradeName(*grade) + " 有 " + std::to_string(grade->classCount() - grade->arranged) +
                    " 个班还没有编排课表"};
    }
    if (const GradeStanding* grade =
            firstGrade(standing, [](const GradeStanding& g) { return g.remaining.any(); })) {
        return {{"年段课程编排"}, gradeName(*grade) + " 的课表" + grade->remaining.line};
    }
    return {{}, "各年段都已设置并编排完毕"};
}

} // namespace overview
