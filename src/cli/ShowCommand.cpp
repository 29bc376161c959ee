#include "cli/ShowCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CATRecord.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCPRecord.h"
#include "store/CCSRecord.h"
#include "store/CCWRecord.h"
#include "store/CGCRecord.h"
#include "store/CGLRecord.h"
#include "store/CGSRecord.h"
#include "store/CLPRecord.h"
#include "store/COPRecord.h"
#include "store/CRLRecord.h"
#include "store/CSLRecord.h"
#include "store/CSORecord.h"
#include "store/CTNRecord.h"
#include "store/DbError.h"

#include <ostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

namespace cli {
namespace {

constexpr std::size_t kTeachersShown = 12;

// A teacher cell counts as empty when blank or, after a removal, spaces only.
bool isTeacherName(const std::string& text) {
    return !gbk::isBlank(text) && text.front() != ' ';
}

std::string slotName(int day, int period) {
    if (day >= 1 && day <= school::kDays && period >= 1 && period <= school::kPeriods) {
        return std::string(school::kDayNames[static_cast<std::size_t>(day - 1)]) +
               std::string(school::kPeriodNames[static_cast<std::size_t>(period - 1)]);
    }
    return "星期" + std::to_string(day) + "第" + std::to_string(period) + "节";
}

void writeGrades(std::ostream& out, const std::vector<store::GradeclassRow>& grades) {
    long long total = 0;
    for (const auto& row : grades) {
        total += row.classes;
    }
    out << "年段班级（共 " << total << " 个班）：\n";
    for (const auto& row : grades) {
        out << "  " << row.grade << ' ' << row.classes << " 个班\n";
    }
}

void writeCourses(std::ostream& out, const std::vector<store::CoursenameRow>& courses) {
    out << "课程（" << courses.size() << " 门）：";
    for (std::size_t i = 0; i < courses.size(); ++i) {
        out << (i == 0 ? "" : " ") << courses[i].name;
    }
    out << '\n';
}

void writeTeachers(std::ostream& out, const std::vector<store::TeachernameRow>& teachers) {
    out << "教师（" << teachers.size() << " 人）：";
    for (std::size_t i = 0; i < teachers.size() && i < kTeachersShown; ++i) {
        out << (i == 0 ? "" : " ") << teachers[i].name;
    }
    if (teachers.size() > kTeachersShown) {
        out << " 等";
    }
    out << '\n';
}

// The normal plan of each grade (rows with 天数 0) and its unified slots.
void writeGradePlans(std::ostream& out, const std::vector<store::GradecourseRow>& plans,
                     const std::vector<store::SamelessonRow>& unified) {
    out << "年段周课程：\n";
    for (const std::string_view grade : school::kGradeNames) {
        long long total = 0;
        std::string courses;
        for (const auto& row : plans) {
            if (row.grade == grade && row.days == 0) {
                total += row.weekly;
                courses +=
                    (courses.empty() ? "" : "，") + row.course + ' ' + std::to_string(row.weekly);
            }
        }
        std::string slots;
        for (const auto& row : unified) {
            if (row.grade == grade) {
                slots +=
                    (slots.empty() ? "" : "；") + slotName(row.day, row.period) + ' ' + row.course;
            }
        }
        if (courses.empty() && slots.empty()) {
            continue;
        }
        out << "  " << grade << " 周课时 " << total << "：" << courses << '\n';
        if (!slots.empty()) {
            out << "    统一课：" << slots << '\n';
        }
    }
}

// One line per class, classes in the order the table first names them.
void writeClassPlans(std::ostream& out, const std::vector<store::ClasscourseRow>& rows) {
    struct ClassPlan {
        std::string name;
        long long total = 0;
        std::string courses;
    };
    std::vector<ClassPlan> plans;
    std::unordered_map<std::string, std::size_t> byName; // any number of classes, no rescans
    for (const auto& row : rows) {
        const auto [it, added] = byName.try_emplace(row.className, plans.size());
        if (added) {
            plans.push_back({row.className, 0, {}});
        }
        ClassPlan& plan = plans[it->second];
        plan.total += row.weekly;
        plan.courses += (plan.courses.empty() ? "" : "，") + row.course + ' ' +
                        (isTeacherName(row.teacher) ? row.teacher : "（未定）");
    }
    out << "班级课程（" << plans.size() << " 个班）：\n";
    for (const ClassPlan& plan : plans) {
        out << "  " << plan.name << ' ' << plan.total << " 节：" << plan.courses << '\n';
    }
}

template <class RecordSetType> std::size_t rowCount() {
    RecordSetType recordSet;
    return recordSet.readAll().size();
}

} // namespace

void writeSummary(std::ostream& out) {
    std::vector<std::string> ignored;
    const auto valid = [&ignored](auto&& recordSet) {
        auto checked = recordSet.readChecked();
        ignored.insert(ignored.end(), checked.invalid.begin(), checked.invalid.end());
        return std::move(checked.rows);
    };
    const auto grades = valid(store::CGSRecord());
    const auto courses = store::CCNRecord().readAll();
    const auto teachers = store::CTNRecord().readAll();
    const auto plans = valid(store::CGCRecord());
    const auto unified = valid(store::CSLRecord());
    const auto classPlans = valid(store::CCCRecord());
    const auto shares = valid(store::CCSRecord());
    const std::size_t gradeLessons = valid(store::CGLRecord()).size();
    const std::size_t reviewLessons = valid(store::CRLRecord()).size();

    writeIgnoredRows(out, ignored);
    writeGrades(out, grades);
    writeCourses(out, courses);
    writeTeachers(out, teachers);
    writeGradePlans(out, plans, unified);
    writeClassPlans(out, classPlans);

    std::size_t reviewRows = 0;
    for (const auto& row : plans) {
        reviewRows += row.days != 0 ? 1 : 0;
    }
    out << "其他：\n";
    out << "  学科资源限制 " << shares.size() << " 条";
    for (std::size_t i = 0; i < shares.size(); ++i) {
        out << (i == 0 ? "：" : "，") << shares[i].course << ' ' << shares[i].share;
    }
    out << '\n';
    out << "  课程性质 " << rowCount<store::CCPRecord>() << " 条\n";
    out << "  教师课程预设 " << rowCount<store::CLPRecord>() << " 条\n";
    out << "  统一课程 " << unified.size() << " 条\n";
    out << "  早晚督修 " << rowCount<store::CSORecord>() << " 条\n";
    out << "  出勤记录 " << rowCount<store::CATRecord>() << " 条\n";
    out << "  学科周工作量 " << rowCount<store::CCWRecord>() << " 条\n";
    out << "  复习课程 " << reviewRows << " 条\n";
    out << "  年段课表 " << gradeLessons << " 行\n";
    out << "  复习课表 " << reviewLessons << " 行\n";
    out << "  安排计划 " << rowCount<store::COPRecord>() << " 条\n";
}

std::string showUsage() {
    return "usage: tavlen-cli show [--dsn NAME | --connect STRING | --connect-file FILE]\n";
}

Run defineShow(CLI::App&) {
    return [](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "show")) {
            return 2;
        }
        if (!useWorkingDatabase(err)) {
            return 1;
        }
        std::ostringstream summary;
        try {
            writeSummary(summary);
        } catch (const store::DbError& e) {
            err << "tavlen-cli show: " << e.what() << '\n';
            return 1;
        }
        out << "数据库 " << (serverDatabase() ? serverDatabase()->shownAs : kDatabasePath) << '\n'
            << summary.str();
        return 0;
    };
}

} // namespace cli
