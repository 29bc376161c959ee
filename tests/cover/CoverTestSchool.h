// Test support of cover planning: a small 初一 of three classes with week 1 on Monday
// 2024-09-02, in memory (CoverSchool) and stored into the temporary database. 王伟 teaches
// 数学 in ⑴ and ⑵: Monday periods 1 (⑴) and 3 (⑵), Tuesday 2 (⑴), Wednesday 1 (⑵) and
// Thursday 1 (⑴); the others as listed below.
#pragma once

#include "core/SchoolNames.h"
#include "cover/CoverSchool.h"
#include "store/CCCRecord.h"
#include "store/CCTRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"
#include "store/SchoolSettingsStore.h"
#include "timetable/SchoolTimetableStore.h"

#include <string>
#include <vector>

namespace covertest {

inline constexpr int kMonday = 0;
inline constexpr int kTuesday = 1;
inline constexpr int kWednesday = 2;
inline constexpr int kThursday = 3;
inline constexpr int kFriday = 4;

struct Placed {
    std::string teacher;
    int position = 0; // 初一⑴ = 0
    int day = 0;
    int period = 1;
};

inline std::vector<store::ClasscourseRow> plans() {
    return {{"初一⑴", "数学", "王伟", 5}, {"初一⑵", "数学", "王伟", 5},
            {"初一⑶", "数学", "李娜", 5}, {"初一⑴", "语文", "张强", 5},
            {"初一⑵", "语文", "孙丽", 5}, {"初一⑶", "语文", "孙丽", 5},
            {"初一⑴", "英语", "刘洋", 4}, {"初一⑵", "英语", "刘洋", 4},
            {"初一⑶", "英语", "赵敏", 4}, {"初一⑶", "物理", "陈静", 2}};
}

inline std::vector<std::string> roster() {
    return {"王伟", "李娜", "张强", "孙丽", "刘洋", "赵敏", "陈静", "周杰"};
}

inline std::vector<Placed> lessons() {
    return {{"王伟", 0, kMonday, 1},    {"王伟", 1, kMonday, 3},   {"王伟", 0, kTuesday, 2},
            {"王伟", 1, kWednesday, 1}, {"王伟", 0, kThursday, 1}, {"李娜", 2, kMonday, 2},
            {"李娜", 2, kTuesday, 1},   {"张强", 0, kMonday, 2},   {"张强", 0, kThursday, 3},
            {"张强", 0, kWednesday, 4}, {"孙丽", 1, kMonday, 1},   {"孙丽", 2, kMonday, 3},
            {"刘洋", 0, kMonday, 3},    {"赵敏", 2, kMonday, 1},   {"陈静", 2, kThursday, 5}};
}

inline school::SchoolTimetable timetableOf(const std::vector<Placed>& placed) {
    school::SchoolTimetable timetable;
    for (int c = 0; c < 3; ++c) {
        for (int d = 0; d < school::kDays; ++d) {
            timetable.cell(0, c, d, 0) = school::className(0, c + 1);
        }
    }
    for (const Placed& p : placed) {
        timetable.cell(0, p.position, p.day, p.period) = p.teacher;
    }
    return timetable;
}

// presets: teacher and mask (35 characters, '1' blocks day·7 + period − 1).
inline cover::CoverSchool
smallSchool(const std::vector<Placed>& extra = {},
            const std::vector<store::AttendanceRow>& records = {},
            const std::vector<std::pair<std::string, std::string>>& presets = {}) {
    cover::CoverSchool school;
    school.roster = roster();
    for (const store::ClasscourseRow& row : plans()) {
        school.data.addClasscourse(row.className, row.course, row.teacher, row.weekly);
    }
    school.data.cleanUp();
    for (const auto& [teacher, mask] : presets) {
        school.data.addPreset(teacher, mask);
    }
    std::vector<Placed> placed = lessons();
    placed.insert(placed.end(), extra.begin(), extra.end());
    school.timetable = timetableOf(placed);
    school.courseTeachers = {{"数学", "周杰"}};
    school.attendance = records;
    school.settings.schoolName = "育才中学";
    school.settings.weekOneMonday = "2024-09-02";
    school.timetableDigest = "in memory";
    return school;
}

// A preset mask blocking one period.
inline std::string blocking(int day, int period) {
    std::string mask(35, '0');
    mask[static_cast<std::size_t>(day * 7 + period - 1)] = '1';
    return mask;
}

inline store::AttendanceRow record(std::string teacher, std::string date, std::string period,
                                   std::string kind, std::string substitute,
                                   std::string className = "初一⑵", std::string week = "2") {
    store::AttendanceRow row;
    row.teacher = std::move(teacher);
    row.week = std::move(week);
    row.className = std::move(className);
    row.date = *school::DateTime::fromText(date);
    row.period = std::move(period);
    row.kind = std::move(kind);
    row.substitute = std::move(substitute);
    return row;
}

// The small school into the database the record sets point at.
inline void storeSmallSchool(const std::vector<Placed>& extra = {}) {
    std::vector<store::TeachernameRow> names;
    for (const std::string& name : roster()) {
        names.push_back({name});
    }
    store::CTNRecord().replaceAll(names);
    store::CCCRecord().replaceAll(plans());
    store::CCTRecord().replaceAll(std::vector<store::CourseteacherRow>{{"数学", "周杰"}});
    store::CGSRecord().replaceAll(std::vector<store::GradeclassRow>{{"初一", 3}});
    std::vector<Placed> placed = lessons();
    placed.insert(placed.end(), extra.begin(), extra.end());
    timetable::saveSchoolTimetable(timetableOf(placed));
    school::SchoolSettings settings;
    settings.schoolName = "育才中学";
    settings.weekOneMonday = "2024-09-02";
    store::saveSchoolSettings(settings);
}

} // namespace covertest
