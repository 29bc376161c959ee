// Substitution candidates over a small 初一 without a database: busy teachers, a preset and a
// teacher at his day load are never offered (one with 20 weekly lessons may take a fifth);
// teachers of the subject in the class's grade come first (the grade's plan, or the subject's
// teacher list while that plan names nobody for it), then those of the subject in other grades,
// then the rest; within each fewer lessons that day, then that week; the class decides the grade.
#include "attendance/SubstituteCandidates.h"

#include "core/SchoolNames.h"
#include "store/CCCRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using attendance::Absence;
using attendance::Candidate;
using attendance::SubjectMatch;
using attendance::SubstituteCandidates;
using Candidates = std::vector<Candidate>;

constexpr int kTuesday = 1;

struct Lesson {
    const char* teacher;
    int position; // class 初一⑴ = 0 …
    int day;
    int period;
};

SubstituteCandidates tuesdaySchool() {
    timetable::AutoOrderData data;
    const std::vector<store::ClasscourseRow> plans = {
        {"初一⑴", "数学", "欧阳文忠", 5}, {"初一⑵", "数学", "李娜", 5},
        {"初一⑵", "语文", "张强", 6},     {"初一⑶", "英语", "刘洋", 4},
        {"初一⑶", "音乐", "孙丽", 2},     {"初一⑷", "英语", "陈静", 4},
        {"初一⑸", "体育", "吴刚", 20},    {"初一⑶", "物理", "赵敏", 2},
        {"高一⑴", "数学", "郑华", 5}};
    for (const auto& row : plans) {
        data.addClasscourse(row.className, row.course, row.teacher, row.weekly);
    }
    data.cleanUp();
    std::string mask(35, '0');
    mask[kTuesday * 7 + 2] = '1'; // 赵敏 must not teach on Tuesday, period 3
    data.addPreset("赵敏", mask);

    school::SchoolTimetable timetable;
    for (int c = 0; c < 5; ++c) {
        for (int d = 0; d < school::kDays; ++d) {
            timetable.cell(0, c, d, 0) = school::className(0, c + 1);
        }
    }
    const std::vector<Lesson> lessons = {{"欧阳文忠", 0, kTuesday, 3},
                                         {"欧阳文忠", 0, 0, 1},
                                         {"李娜", 1, kTuesday, 1},
                                         {"李娜", 1, 0, 1},
                                         {"李娜", 1, 2, 1},
                                         {"张强", 1, kTuesday, 3},
                                         {"刘洋", 2, kTuesday, 5},
                                         {"孙丽", 2, kTuesday, 6},
                                         {"孙丽", 2, 3, 6},
                                         {"陈静", 3, kTuesday, 1},
                                         {"陈静", 3, kTuesday, 2},
                                         {"陈静", 3, kTuesday, 4},
                                         {"陈静", 3, kTuesday, 5},
                                         {"吴刚", 4, kTuesday, 1},
                                         {"吴刚", 4, kTuesday, 2},
                                         {"吴刚", 4, kTuesday, 4},
                                         {"吴刚", 4, kTuesday, 5}};
    for (const Lesson& l : lessons) {
        timetable.cell(0, l.position, l.day, l.period) = l.teacher;
    }
    return {{"欧阳文忠", "李娜", "张强", "刘洋", "孙丽", "陈静", "吴刚", "赵敏", "周杰", "郑华"},
            data,
            timetable,
            {{"数学", "周杰"}, {"语文", "张强"}, {"语文", "郑华"}}};
}

std::vector<std::string> names(const Candidates& candidates) {
    std::vector<std::string> out;
    for (const Candidate& c : candidates) {
        out.push_back(c.teacher);
    }
    return out;
}

TEST(SubstituteCandidatesTest, RanksTheFreeTeachersSameSubjectFirst) {
    const SubstituteCandidates school = tuesdaySchool();
    // 张强 teaches then, 赵敏's preset blocks the period, 陈静 has her four lessons that day.
    const Candidates ranked = school.rank({"欧阳文忠", kTuesday, 3, ""});
    // 李娜 teaches 数学 in 初一; 周杰 is listed for it and 郑华 teaches it in 高一.
    EXPECT_EQ(ranked, (Candidates{{"李娜", SubjectMatch::InGrade, 1, 3},
                                  {"周杰", SubjectMatch::OtherGrade, 0, 0},
                                  {"郑华", SubjectMatch::OtherGrade, 0, 0},
                                  {"刘洋", SubjectMatch::None, 1, 1},
                                  {"孙丽", SubjectMatch::None, 1, 2},
                                  {"吴刚", SubjectMatch::None, 4, 4}}));
    EXPECT_EQ(ranked[0].reason(), "同科 · 当天1节 · 本周3节");
    EXPECT_EQ(ranked[1].reason(), "外年段同科 · 当天0节 · 本周0节");
    EXPECT_EQ(ranked[3].reason(), "当天1节 · 本周1节");
    EXPECT_EQ(school.lessonClass({"欧阳文忠", kTuesday, 3, ""}), "初一⑴");
    EXPECT_EQ(school.subject({"欧阳文忠", kTuesday, 3, ""}), "数学");
}

TEST(SubstituteCandidatesTest, TheClassAndTheShownNameDecide) {
    const SubstituteCandidates school = tuesdaySchool();
    struct Case {
        Absence absence;
        std::vector<std::string> expected;
        SubjectMatch first = SubjectMatch::None; // how the first candidate matches
    };
    const std::vector<Case> cases = {
        // The form shows names cut to 6 bytes.
        {{"欧阳文", kTuesday, 3, ""},
         {"李娜", "周杰", "郑华", "刘洋", "孙丽", "吴刚"},
         SubjectMatch::InGrade},
        // In a 高一 class 郑华 teaches the subject in the grade, 李娜 in another grade.
        {{"欧阳文忠", kTuesday, 3, "高一⑴"},
         {"郑华", "周杰", "李娜", "刘洋", "孙丽", "吴刚"},
         SubjectMatch::InGrade},
        // 高一's plan names nobody for 语文: its teacher list decides, so 郑华 counts for 高一;
        // in 初一, whose plan has 张强 alone for it, the list puts him among the other grades.
        {{"张强", kTuesday, 3, "高一⑴"},
         {"郑华", "周杰", "刘洋", "孙丽", "李娜", "吴刚"},
         SubjectMatch::InGrade},
        {{"张强", kTuesday, 3, "初一⑵"},
         {"郑华", "周杰", "刘洋", "孙丽", "李娜", "吴刚"},
         SubjectMatch::OtherGrade},
        // Period 1: 李娜, 陈静 and 吴刚 teach then, 张强 and 赵敏 are free; the absent teacher
        // has no lesson then, so a teacher of his subject in any grade counts.
        {{"欧阳文忠", kTuesday, 1, ""},
         {"周杰", "郑华", "赵敏", "张强", "刘洋", "孙丽"},
         SubjectMatch::InGrade},
        {{"无名氏", kTuesday, 3, ""}, {}},
        {{"欧阳文忠", 5, 3, ""}, {}},
        {{"欧阳文忠", kTuesday, 8, ""}, {}},
    };
    for (const Case& c : cases) {
        const Candidates ranked = school.rank(c.absence);
        EXPECT_EQ(names(ranked), c.expected)
            << c.absence.teacher << " " << c.absence.period << " " << c.absence.className;
        if (!ranked.empty()) {
            EXPECT_EQ(ranked.front().subject, c.first) << c.absence.className;
        }
    }
    // Before any timetable is arranged nobody can be judged free.
    const SubstituteCandidates unarranged({"欧阳文忠", "李娜"}, timetable::AutoOrderData(), {}, {});
    EXPECT_TRUE(unarranged.rank({"欧阳文忠", kTuesday, 3, ""}).empty());
}

} // namespace
