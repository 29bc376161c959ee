#include "exchange/WorkloadCheck.h"

#include "optimise/Causes.h"
#include "optimise/Problem.h"
#include "timetable/AutoOrderData.h"

namespace exchange {

WorkloadFindings checkWorkload(const SchoolTables& tables) {
    // the rows in the order the arrangement loads them
    timetable::AutoOrderData data;
    for (const auto& row : tables.courseshare) {
        data.addCourseshare(row.course, row.share);
    }
    for (const auto& row : tables.classcourse) {
        data.addClasscourse(row.className, row.course, row.teacher, row.weekly);
    }
    data.cleanUp();
    for (const auto& row : tables.lessonprearrange) {
        data.addPreset(row.teacher, row.prearrange);
    }
    for (const auto& row : tables.samelesson) {
        data.addSamelesson(row.grade, row.day, row.period, row.course);
    }
    optimise::Request request;
    for (int g = 0; g < school::kGrades; ++g) {
        request.grades.push_back(g);
    }
    const optimise::Problem problem(data, request);
    WorkloadFindings found;
    for (const optimise::DroppedClass& dropped : problem.dropped()) {
        found.dropped.push_back({dropped.name, dropped.weeklyTotal});
    }
    found.causes = optimise::findCauses(problem);
    return found;
}

} // namespace exchange
