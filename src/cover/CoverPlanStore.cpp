#include "cover/CoverPlanStore.h"

#include "attendance/StatisticsInput.h"
#include "core/SchoolNames.h"
#include "cover/CoverCalendar.h"

#include <algorithm>

namespace cover {
namespace {

constexpr const char* kApplied = "已应用";

std::string periodName(int period) {
    return std::string(school::kPeriodNames[static_cast<std::size_t>(period - 1)]);
}

int periodNumber(const std::string& name) {
    for (std::size_t p = 0; p < school::kPeriodNames.size(); ++p) {
        if (school::kPeriodNames[p] == name) {
            return static_cast<int>(p) + 1;
        }
    }
    return 0;
}

bool samePlan(const store::CoverplanRow& row, const CoverRequest& request) {
    return row.teacher == request.teacher && row.from == dateText(request.from) &&
           row.to == dateText(request.to);
}

std::vector<store::CoverplanRow> readRows() {
    store::CCVRecord record;
    if (!store::schema::exists(record.connection(), record.table())) {
        return {};
    }
    std::vector<store::CoverplanRow> rows = record.readAll();
    record.close();
    return rows;
}

} // namespace

std::string SavedPlan::caption() const {
    return request.teacher + " " + dateText(request.from) + " 至 " + dateText(request.to) + " " +
           request.category + "（" + std::to_string(lessons) + " 节" + (applied ? "，已应用" : "") +
           "）";
}

std::vector<store::CoverplanRow> planRows(const CoverPlan& plan) {
    std::vector<store::CoverplanRow> rows;
    for (const CoverLesson& lesson : plan.lessons) {
        store::CoverplanRow row;
        row.teacher = plan.request.teacher;
        row.from = dateText(plan.request.from);
        row.to = dateText(plan.request.to);
        row.kind = plan.request.category;
        row.date = dateText(lesson.date);
        row.week = std::to_string(lesson.week);
        row.period = periodName(lesson.period);
        row.className = lesson.className;
        row.course = lesson.course;
        row.substitute = lesson.substitute;
        if (lesson.swap) {
            row.swapDate = dateText(lesson.swap->date);
            row.swapPeriod = periodName(lesson.swap->period);
            row.swapTeacher = lesson.swap->teacher;
            row.swapCourse = lesson.swap->course;
        }
        row.timetable = plan.timetableDigest;
        row.state = plan.applied ? kApplied : "";
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<CoverPlan> plansFromRows(const std::vector<store::CoverplanRow>& rows) {
    std::vector<CoverPlan> plans;
    for (const store::CoverplanRow& row : rows) {
        const auto from = parseDate(row.from);
        const auto to = parseDate(row.to);
        const auto date = parseDate(row.date);
        const std::optional<int> week = attendance::wholeNumber(row.week);
        const int period = periodNumber(row.period);
        if (!from || !to || !date || !week || period == 0 || date->weekday() > 5) {
            continue;
        }
        auto plan = std::find_if(plans.begin(), plans.end(),
                                 [&](const CoverPlan& p) { return samePlan(row, p.request); });
        if (plan == plans.end()) {
            CoverPlan added;
            added.request = {row.teacher, *from, *to, row.kind};
            added.timetableDigest = row.timetable;
            plans.push_back(std::move(added));
            plan = plans.end() - 1;
        }
        plan->applied = plan->applied || row.state == kApplied;
        CoverLesson lesson;
        lesson.date = *date;
        lesson.week = *week;
        lesson.day = date->weekday() - 1;
        lesson.period = period;
        lesson.className = row.className;
        lesson.course = row.course;
        lesson.substitute = row.substitute;
        const auto swapDate = parseDate(row.swapDate);
        const int swapPeriod = periodNumber(row.swapPeriod);
        if (swapDate && swapPeriod > 0 && swapDate->weekday() <= 5) {
            lesson.swap = Swap{*swapDate, swapDate->weekday() - 1, swapPeriod, row.swapTeacher,
                               row.swapCourse};
        }
        plan->lessons.push_back(std::move(lesson));
    }
    return plans;
}

std::vector<SavedPlan> savedPlans() {
    std::vector<SavedPlan> saved;
    for (const CoverPlan& plan : plansFromRows(readRows())) {
        saved.push_back({plan.request, static_cast<int>(plan.lessons.size()), plan.applied});
    }
    return saved;
}

std::optional<CoverPlan> openPlan(const CoverRequest& request) {
    for (CoverPlan& plan : plansFromRows(readRows())) {
        if (plan.request.teacher == request.teacher &&
            dateText(plan.request.from) == dateText(request.from) &&
            dateText(plan.request.to) == dateText(request.to)) {
            return std::move(plan);
        }
    }
    return std::nullopt;
}

void savePlan(const CoverPlan& plan) {
    const std::vector<store::CoverplanRow> rows = planRows(plan);
    store::CCVRecord().replace(
        [&](const store::CoverplanRow& row) { return samePlan(row, plan.request); }, rows);
}

} // namespace cover
