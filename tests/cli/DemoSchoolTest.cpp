// The demo school as `init --demo` stores it, read back through the record sets: every
// row must be one the dialogs could have written, the class plans must be teachable
// (a teacher for every class course, 10 to 20 lessons a teacher, at most 35 periods a
// week) and two builds must give the same database.
#include "CliTestSupport.h"

#include "cli/DemoSchool.h"
#include "core/DateTime.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CGLRecord.h"
#include "store/COPRecord.h"
#include "store/CRLRecord.h"
#include "store/Schema.h"
#include "store/SchoolSettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace {

namespace fs = std::filesystem;

bool contains(const std::set<std::string>& set, const std::string& value) {
    return set.count(value) > 0;
}

// A dialog saves the rows of one key (a grade, a class, a subject, a week) together, so
// in a table it wrote the rows of a key stand in one run. Returns the first key that
// comes back after other keys' rows, or "" when every key forms one run.
template <class Row, class Key> std::string keyOutOfRun(const std::vector<Row>& rows, Key key) {
    std::set<std::string> finished;
    std::string current;
    for (const Row& row : rows) {
        const std::string k = key(row);
        if (k == current) {
            continue;
        }
        finished.insert(current);
        if (contains(finished, k)) {
            return k;
        }
        current = k;
    }
    return "";
}

std::string gradeOf(const std::string& className) {
    const auto id = school::parseClassName(className);
    return id ? std::string(school::kGradeNames[static_cast<std::size_t>(id->gradeIndex)]) : "";
}

class DemoSchool : public ::testing::Test {
protected:
    void SetUp() override {
        const auto result = clitest::runCli({"init", (m_dir / "school").string(), "--demo"});
        ASSERT_EQ(result.code, 0) << result.err;
        ASSERT_EQ(result.err, "");
        store::useDatabaseFile((m_dir / "school" / "tavlen" / "tavlen.mdb").string());

        m_courseRows = store::CCNRecord().readAll();
        m_gradeRows = store::CGSRecord().readAll();
        m_teacherRows = store::CTNRecord().readAll();
        for (store::GradecourseRow& row : store::CGCRecord().readAll()) {
            (row.days == 0 ? m_planRows : m_reviewRows).push_back(std::move(row));
        }
        m_classRows = store::CCCRecord().readAll();
        m_unifiedRows = store::CSLRecord().readAll();
        for (const auto& row : m_courseRows) {
            m_courses.insert(row.name);
        }
        for (const auto& row : m_teacherRows) {
            m_teachers.insert(row.name);
        }
        for (const auto& row : m_gradeRows) {
            m_classCount[row.grade] = row.classes;
        }
    }

    bool isSchoolClass(const std::string& name) const {
        const auto id = school::parseClassName(name);
        if (!id) {
            return false;
        }
        const auto it = m_classCount.find(
            std::string(school::kGradeNames[static_cast<std::size_t>(id->gradeIndex)]));
        return it != m_classCount.end() && id->classNumber <= it->second;
    }

    clitest::TempDir m_dir;
    clitest::ScopedEnv m_templates{"TAVLEN_TEMPLATES", (m_dir / "no-templates").string()};
    std::vector<store::CoursenameRow> m_courseRows;
    std::vector<store::GradeclassRow> m_gradeRows;
    std::vector<store::TeachernameRow> m_teacherRows;
    std::vector<store::GradecourseRow> m_planRows;   // the weekly plans (天数 0)
    std::vector<store::GradecourseRow> m_reviewRows; // the review plans
    std::vector<store::ClasscourseRow> m_classRows;
    std::vector<store::SamelessonRow> m_unifiedRows;
    std::set<std::string> m_courses;
    std::set<std::string> m_teachers;
    std::map<std::string, int> m_classCount;
};

TEST_F(DemoSchool, HasSixGradesOfEightToTwelveClasses) {
    ASSERT_EQ(m_gradeRows.size(), 6u);
    for (std::size_t g = 0; g < m_gradeRows.size(); ++g) {
        EXPECT_EQ(m_gradeRows[g].grade, school::kGradeNames[g]);
        EXPECT_GE(m_gradeRows[g].classes, 8) << m_gradeRows[g].grade;
        EXPECT_LE(m_gradeRows[g].classes, 12) << m_gradeRows[g].grade;
    }
}

TEST_F(DemoSchool, CourseNamesStartWithChineseAndAreValidNames) {
    ASSERT_FALSE(m_courseRows.empty());
    EXPECT_EQ(m_courseRows.front().name, "语文");
    EXPECT_GE(m_courseRows.size(), 10u);
    EXPECT_LE(m_courseRows.size(), 20u);
    EXPECT_EQ(m_courses.size(), m_courseRows.size()) << "course names repeat";
    for (const auto& row : m_courseRows) {
        EXPECT_TRUE(gbk::encodable(row.name)) << row.name;
        EXPECT_GE(gbk::width(row.name), 4u) << row.name;
        EXPECT_LE(gbk::width(row.name), 8u) << row.name;
    }
}

TEST_F(DemoSchool, TeacherRosterHoldsUniqueNamesOfTwoOrThreeCharacters) {
    EXPECT_GE(m_teacherRows.size(), 100u);
    EXPECT_LE(m_teacherRows.size(), 200u);
    EXPECT_EQ(m_teachers.size(), m_teacherRows.size()) << "teacher names repeat";
    for (const auto& row : m_teacherRows) {
        EXPECT_TRUE(gbk::encodable(row.name)) << row.name;
        EXPECT_GE(gbk::width(row.name), 4u) << row.name;
        EXPECT_LE(gbk::width(row.name), 6u) << row.name;
        EXPECT_FALSE(contains(m_courses, row.name)) << row.name;
    }
}

TEST_F(DemoSchool, GradePlansFitTheWeekWithTheirUnifiedSlots) {
    for (const auto& row : m_planRows) {
        EXPECT_TRUE(school::gradeIndex(row.grade).has_value()) << row.grade;
        EXPECT_TRUE(contains(m_courses, row.course)) << row.course;
        EXPECT_EQ(row.days, 0) << row.grade << row.course;
        EXPECT_GE(row.weekly, 1) << row.grade << row.course;
    }
    for (const auto& row : m_unifiedRows) {
        EXPECT_TRUE(school::gradeIndex(row.grade).has_value()) << row.grade;
        EXPECT_TRUE(contains(m_courses, row.course)) << row.course;
        EXPECT_TRUE(row.day >= 1 && row.day <= 5) << row.day;
        EXPECT_TRUE(row.period >= 1 && row.period <= 7) << row.period;
    }
    for (const std::string_view gradeName : school::kGradeNames) {
        const std::string grade(gradeName);
        std::vector<store::GradecourseRow> plan;
        std::copy_if(m_planRows.begin(), m_planRows.end(), std::back_inserter(plan),
                     [&](const auto& row) { return row.grade == grade; });
        ASSERT_FALSE(plan.empty()) << grade;
        EXPECT_EQ(plan.front().course, "语文") << grade;
        EXPECT_GE(plan.front().weekly, 2) << grade;
        int total = 0;
        std::set<std::string> courses;
        for (const auto& row : plan) {
            total += row.weekly;
            EXPECT_TRUE(courses.insert(row.course).second) << grade << " repeats " << row.course;
        }
        EXPECT_GE(total, 29) << grade;
        EXPECT_LE(total, 33) << grade;

        std::set<std::pair<int, int>> slots;
        for (const auto& row : m_unifiedRows) {
            if (row.grade == grade) {
                EXPECT_TRUE(slots.insert({row.day, row.period}).second) << grade;
                EXPECT_FALSE(courses.count(row.course)) << grade << " unifies a planned course";
            }
        }
        EXPECT_GE(slots.size(), 1u) << grade;
        EXPECT_LE(slots.size(), 2u) << grade;
        EXPECT_LE(total + static_cast<int>(slots.size()), 35) << grade;
    }
}

// Review plans, as 复习课程设置 stores them: 3 to 7 days, counts 0..30, courses of the grade's
// weekly plan, enough review periods (15) for a class to get a review timetable and no more
// than the days hold.
TEST_F(DemoSchool, ReviewPlansFitTheirDays) {
    ASSERT_FALSE(m_reviewRows.empty());
    std::map<std::string, std::pair<int, int>> daysAndPeriods;
    for (const auto& row : m_reviewRows) {
        EXPECT_TRUE(row.days >= 3 && row.days <= 7) << row.grade << row.course;
        EXPECT_TRUE(row.weekly >= 0 && row.weekly <= 30) << row.grade << row.course;
        EXPECT_TRUE(std::any_of(
            m_planRows.begin(), m_planRows.end(),
            [&](const auto& plan) { return plan.grade == row.grade && plan.course == row.course; }))
            << row.grade << row.course;
        auto& [days, periods] = daysAndPeriods[row.grade];
        EXPECT_TRUE(days == 0 || days == row.days) << row.grade << " review days differ";
        days = row.days;
        periods += row.weekly;
    }
    for (const auto& [grade, plan] : daysAndPeriods) {
        EXPECT_GE(plan.second, 15) << grade;
        EXPECT_LE(plan.second, 7 * plan.first) << grade;
    }
    EXPECT_EQ(keyOutOfRun(m_reviewRows, [](const auto& row) { return row.grade; }), "");
}

TEST_F(DemoSchool, EveryClassFollowsItsGradePlanWithATeacherForEveryCourse) {
    std::set<std::pair<std::string, std::string>> allowed;
    for (const auto& row : store::CCTRecord().readAll()) {
        EXPECT_TRUE(contains(m_courses, row.course)) << row.course;
        EXPECT_TRUE(contains(m_teachers, row.teacher)) << row.teacher;
        allowed.insert({row.course, row.teacher});
    }
    for (const auto& row : m_classRows) {
        EXPECT_TRUE(isSchoolClass(row.className)) << row.className;
        EXPECT_TRUE(contains(m_teachers, row.teacher))
            << row.className << ' ' << row.course << " teacher '" << row.teacher << "'";
        EXPECT_TRUE(allowed.count({row.course, row.teacher}))
            << row.teacher << " is not listed for " << row.course;
    }
    for (const auto& grade : m_gradeRows) {
        const int g = *school::gradeIndex(grade.grade);
        std::vector<std::pair<std::string, int>> plan;
        for (const auto& row : m_planRows) {
            if (row.grade == grade.grade) {
                plan.emplace_back(row.course, row.weekly);
            }
        }
        for (int c = 1; c <= grade.classes; ++c) {
            const std::string name = school::className(g, c);
            std::vector<std::pair<std::string, int>> classPlan;
            for (const auto& row : m_classRows) {
                if (row.className == name) {
                    classPlan.emplace_back(row.course, row.weekly);
                }
            }
            EXPECT_EQ(classPlan, plan) << name;
        }
    }
}

TEST_F(DemoSchool, EveryTeacherTeachesOneSubjectForTenToTwentyLessonsAWeek) {
    std::map<std::string, int> load;
    std::map<std::string, std::set<std::string>> subjects;
    for (const auto& row : m_classRows) {
        load[row.teacher] += row.weekly;
        subjects[row.teacher].insert(row.course);
    }
    for (const auto& row : m_teacherRows) {
        EXPECT_GE(load[row.name], 10) << row.name;
        EXPECT_LE(load[row.name], 20) << row.name;
        EXPECT_EQ(subjects[row.name].size(), 1u) << row.name;
    }
}

TEST_F(DemoSchool, ResourceLimitsLeaveTheArrangementRoom) {
    const auto shares = store::CCSRecord().readAll();
    EXPECT_GE(shares.size(), 2u);
    EXPECT_LE(shares.size(), 3u);
    for (const auto& row : shares) {
        EXPECT_TRUE(contains(m_courses, row.course)) << row.course;
        EXPECT_GE(row.share, 1) << row.course;
        EXPECT_LE(row.share, 29) << row.course;
        int lessons = 0;
        for (const auto& lesson : m_classRows) {
            lessons += lesson.course == row.course ? lesson.weekly : 0;
        }
        EXPECT_GT(lessons, 0) << row.course;
        // At most three quarters of the school's periods of that subject are used.
        EXPECT_LE(lessons * 4, row.share * 35 * 3) << row.course << " share " << row.share;
    }
}

TEST_F(DemoSchool, CoursePropertiesCoverEachGradePlan) {
    std::map<std::pair<std::string, std::string>, int> property;
    for (const auto& row : store::CCPRecord().readAll()) {
        EXPECT_TRUE(row.property == 0 || row.property == 1) << row.grade << row.course;
        EXPECT_TRUE(property.insert({{row.grade, row.course}, row.property}).second);
    }
    for (const auto& row : m_planRows) {
        const auto it = property.find({row.grade, row.course});
        ASSERT_NE(it, property.end()) << row.grade << row.course;
        if (row.course == "语文" || row.course == "数学" || row.course == "英语") {
            EXPECT_EQ(it->second, 1) << row.grade << row.course;
        }
    }
    EXPECT_EQ(property.size(), m_planRows.size());
}

TEST_F(DemoSchool, PresetsBlockAFewPeriodsOfAFewTeachers) {
    const auto presets = store::CLPRecord().readAll();
    EXPECT_GE(presets.size(), 3u);
    EXPECT_LE(presets.size(), 6u);
    std::set<std::string> seen;
    for (const auto& row : presets) {
        EXPECT_TRUE(contains(m_teachers, row.teacher)) << row.teacher;
        EXPECT_TRUE(seen.insert(row.teacher).second) << row.teacher;
        ASSERT_EQ(row.prearrange.size(), 35u) << row.prearrange;
        EXPECT_EQ(row.prearrange.find_first_not_of("01"), std::string::npos) << row.prearrange;
        const auto blocked = std::count(row.prearrange.begin(), row.prearrange.end(), '1');
        EXPECT_GE(blocked, 1) << row.prearrange;
        EXPECT_LE(blocked, 6) << row.prearrange;
    }
}

TEST_F(DemoSchool, DutiesUseTheRosterTheClassesAndTheFourteenSlots) {
    const std::set<std::string> slots = {"周一早", "周一晚", "周二早", "周二晚", "周三早",
                                         "周三晚", "周四早", "周四晚", "周五早", "周五晚",
                                         "周六早", "周六晚", "周日早", "周日晚"};
    const auto duties = store::CSORecord().readAll();
    EXPECT_FALSE(duties.empty());
    std::set<std::tuple<std::string, std::string, std::string>> seen;
    for (const auto& row : duties) {
        EXPECT_TRUE(isSchoolClass(row.className)) << row.className;
        EXPECT_TRUE(contains(slots, row.time)) << row.time;
        EXPECT_TRUE(contains(m_teachers, row.teacher)) << row.teacher;
        EXPECT_TRUE(seen.insert({row.className, row.time, row.teacher}).second)
            << row.className << row.time << row.teacher;
    }
}

TEST_F(DemoSchool, StandardWorkloadsArePositiveAndNameRealGrades) {
    const auto workloads = store::CCWRecord().readAll();
    EXPECT_FALSE(workloads.empty());
    for (const auto& row : workloads) {
        EXPECT_TRUE(contains(m_courses, row.course)) << row.course;
        EXPECT_GE(row.grade, 1);
        EXPECT_LE(row.grade, 6);
        EXPECT_GT(row.week, 0) << row.course;
    }
}

TEST_F(DemoSchool, AttendanceHoldsThreeSchoolWeeksOfWellFormedRecords) {
    const std::set<std::string> periods = {"第一节", "第二节", "第三节", "第四节",
                                           "第五节", "第六节", "第七节", "早督修",
                                           "晚督修", "政治会", "教研会", "升  旗"};
    const std::set<std::string> kinds = {"迟  到", "早  退", "事  假", "公  假",
                                         "缺  勤", "公  代", "校公开", "组公开"};
    const auto records = store::CATRecord().readAll();
    EXPECT_GE(records.size(), 24u);
    EXPECT_LE(records.size(), 60u);
    std::map<std::string, int> perWeek;
    std::set<std::string> kindsUsed;
    ASSERT_FALSE(records.empty());
    const double firstDay = records.front().date.toAutomation();
    for (const auto& row : records) {
        EXPECT_TRUE(contains(m_teachers, row.teacher)) << row.teacher;
        EXPECT_TRUE(isSchoolClass(row.className)) << row.className;
        EXPECT_TRUE(contains(periods, row.period)) << row.period;
        EXPECT_TRUE(contains(kinds, row.kind)) << '"' << row.kind << '"';
        kindsUsed.insert(row.kind);
        EXPECT_LE(gbk::width(row.remark), 8u) << row.remark;
        if (row.kind == "公  假") {
            EXPECT_TRUE(contains(m_teachers, row.substitute)) << row.substitute;
            EXPECT_NE(row.substitute, row.teacher);
        } else {
            EXPECT_EQ(row.substitute, "") << row.kind;
        }

        ASSERT_TRUE(row.date.valid()) << row.week;
        const int weekday = row.date.weekday();
        ASSERT_TRUE(weekday >= 1 && weekday <= 5) << row.date.toText();
        EXPECT_EQ(row.weekday, school::kDayNames[static_cast<std::size_t>(weekday - 1)])
            << row.date.toText();
        // Week n runs from the n-th Monday of the records.
        const int week = static_cast<int>(row.date.toAutomation() - firstDay) / 7 + 1;
        EXPECT_EQ(row.week, std::to_string(week)) << row.date.toText();
        ++perWeek[row.week];
    }
    EXPECT_EQ(perWeek.size(), 3u);
    for (const auto& [week, count] : perWeek) {
        EXPECT_GE(count, 5) << "week " << week;
    }
    EXPECT_GE(kindsUsed.size(), 5u);
}

TEST_F(DemoSchool, SettingsNameTheSchoolWeekOneOfItsAttendanceAndAPlausibleDay) {
    const school::SchoolSettings settings = store::readSchoolSettings();
    EXPECT_EQ(settings.schoolName, "育才中学");
    EXPECT_EQ(settings.weekOneMonday, "2024-09-02");
    // Every record's 周别 counts weeks from that Monday.
    const double monday = school::DateTime::fromText(settings.weekOneMonday)->toAutomation();
    for (const store::AttendanceRow& row : store::CATRecord().readAll()) {
        const int week = static_cast<int>(row.date.toAutomation() - monday) / 7 + 1;
        EXPECT_EQ(row.week, std::to_string(week)) << row.date.toText();
    }
    std::string previousEnd = "07:00";
    for (std::size_t p = 0; p < settings.periods.size(); ++p) {
        const school::PeriodTime& period = settings.periods[p];
        EXPECT_EQ(store::clockTime(period.start), period.start) << p;
        EXPECT_LT(previousEnd, period.start) << p;
        EXPECT_LT(period.start, period.end) << p;
        EXPECT_EQ(period.afternoon, p >= 4) << p;
        EXPECT_EQ(period.afternoon, period.start >= "12:00") << p;
        previousEnd = period.end;
    }
}

TEST_F(DemoSchool, TwoCharacterTeacherNamesReadAsNames) {
    // Given-name characters that never stand alone: 邓子 or 张家 read as words.
    const std::set<std::string> neverAlone = {"子", "家", "国", "新"};
    for (const auto& row : m_teacherRows) {
        if (gbk::width(row.name) == 4) {
            EXPECT_FALSE(contains(neverAlone, row.name.substr(row.name.size() - 3))) << row.name;
        }
    }
}

TEST_F(DemoSchool, TablesHoldNoMoreThanTheirDialogsCanWrite) {
    // The roster dialog's count stops at 199.
    EXPECT_LE(m_teacherRows.size(), 199u);

    // Grade and class plans are entered in grids of 18 slots, counts shown when 0 … 30.
    std::map<std::string, int> planRows;
    for (const auto& row : m_planRows) {
        ++planRows[row.grade];
        EXPECT_TRUE(row.weekly >= 0 && row.weekly <= 30) << row.grade << row.course;
    }
    for (const auto& [grade, rows] : planRows) {
        EXPECT_LE(rows, 18) << grade;
    }
    std::map<std::string, int> classRows;
    for (const auto& row : m_classRows) {
        ++classRows[row.className];
        EXPECT_TRUE(row.weekly >= 0 && row.weekly <= 30) << row.className << row.course;
        EXPECT_LE(gbk::width(row.course), 10u) << row.course;
        EXPECT_LE(gbk::width(row.teacher), 10u) << row.teacher;
    }
    for (const auto& [name, rows] : classRows) {
        EXPECT_LE(rows, 18) << name;
    }

    // Four unified rows a grade, their course in a 6-byte field.
    std::map<std::string, int> unifiedRows;
    for (const auto& row : m_unifiedRows) {
        ++unifiedRows[row.grade];
        EXPECT_GE(gbk::width(row.course), 3u) << row.course;
        EXPECT_LE(gbk::width(row.course), 6u) << row.course;
    }
    for (const auto& [grade, rows] : unifiedRows) {
        EXPECT_LE(rows, 4) << grade;
    }

    // Ten resource pairs, each with a limit above 0.
    const auto shares = store::CCSRecord().readAll();
    EXPECT_LE(shares.size(), 10u);
    for (const auto& row : shares) {
        EXPECT_GT(row.share, 0) << row.course;
    }

    // Twenty property pairs and twenty workload pairs a grade.
    std::map<std::string, int> propertyRows;
    for (const auto& row : store::CCPRecord().readAll()) {
        ++propertyRows[row.grade];
    }
    for (const auto& [grade, rows] : propertyRows) {
        EXPECT_LE(rows, 20) << grade;
    }
    std::map<int, int> workloadRows;
    for (const auto& row : store::CCWRecord().readAll()) {
        ++workloadRows[row.grade];
        EXPECT_LE(gbk::width(row.course), 10u) << row.course;
    }
    for (const auto& [grade, rows] : workloadRows) {
        EXPECT_LE(rows, 20) << grade;
    }

    // A subject's teacher list keeps a name once; the subject selector takes 6 bytes.
    std::set<std::pair<std::string, std::string>> pairs;
    for (const auto& row : store::CCTRecord().readAll()) {
        EXPECT_TRUE(pairs.insert({row.course, row.teacher}).second) << row.course << row.teacher;
        EXPECT_LE(gbk::width(row.course), 6u) << row.course;
    }

    // The attendance form: 10 pages of 10 rows a week, every text cut to 8 bytes.
    std::map<std::string, int> weekRows;
    for (const auto& row : store::CATRecord().readAll()) {
        ++weekRows[row.week];
        for (const std::string* text : {&row.teacher, &row.className, &row.weekday, &row.period,
                                        &row.kind, &row.substitute, &row.remark}) {
            EXPECT_LE(gbk::width(*text), 8u) << *text;
        }
    }
    for (const auto& [week, rows] : weekRows) {
        EXPECT_LE(rows, 100) << "week " << week;
    }
}

TEST_F(DemoSchool, RowsOfOneSaveStandTogether) {
    EXPECT_EQ(keyOutOfRun(m_planRows, [](const auto& row) { return row.grade; }), "");
    EXPECT_EQ(keyOutOfRun(m_unifiedRows, [](const auto& row) { return row.grade; }), "");
    EXPECT_EQ(keyOutOfRun(m_classRows, [](const auto& row) { return row.className; }), "");
    EXPECT_EQ(keyOutOfRun(store::CCTRecord().readAll(), [](const auto& row) { return row.course; }),
              "");
    EXPECT_EQ(keyOutOfRun(store::CCPRecord().readAll(), [](const auto& row) { return row.grade; }),
              "");
    EXPECT_EQ(keyOutOfRun(store::CCWRecord().readAll(),
                          [](const auto& row) { return std::to_string(row.grade); }),
              "");
    EXPECT_EQ(keyOutOfRun(store::CATRecord().readAll(), [](const auto& row) { return row.week; }),
              "");
}

TEST_F(DemoSchool, DutiesComeOneGradeTimeAndTeacherAtATimeInClassOrder) {
    // The duty dialog saves one grade, time and teacher at a time, adding that teacher's
    // classes in class order.
    const auto duties = store::CSORecord().readAll();
    ASSERT_FALSE(duties.empty());
    EXPECT_EQ(keyOutOfRun(duties, [](const auto& row) { return gradeOf(row.className); }), "");
    EXPECT_EQ(keyOutOfRun(duties,
                          [](const auto& row) {
                              return gradeOf(row.className) + '/' + row.time + '/' + row.teacher;
                          }),
              "");
    for (std::size_t i = 1; i < duties.size(); ++i) {
        const auto& before = duties[i - 1];
        const auto& row = duties[i];
        if (gradeOf(before.className) == gradeOf(row.className) && before.time == row.time &&
            before.teacher == row.teacher) {
            EXPECT_LT(school::parseClassName(before.className)->classNumber,
                      school::parseClassName(row.className)->classNumber)
                << before.className << ' ' << row.className << ' ' << row.time;
        }
    }
}

TEST_F(DemoSchool, MainCoursesOfEveryClassAreExaminationCoursesOfItsGrade) {
    std::set<std::pair<std::string, std::string>> examinations;
    for (const auto& row : store::CCPRecord().readAll()) {
        if (row.property == 1) {
            examinations.insert({row.grade, row.course});
        }
    }
    std::map<std::string, int> position;
    for (const auto& row : m_classRows) {
        if (++position[row.className] <= 4) {
            EXPECT_TRUE(examinations.count({gradeOf(row.className), row.course}))
                << row.className << " has main course " << row.course;
        }
    }
}

TEST_F(DemoSchool, AttendanceRecordsNameADutyOrALessonTheTeacherHadThen) {
    const std::map<std::string, std::string> dayOfWeekday = {{"星期一", "周一"},
                                                             {"星期二", "周二"},
                                                             {"星期三", "周三"},
                                                             {"星期四", "周四"},
                                                             {"星期五", "周五"}};
    std::set<std::tuple<std::string, std::string, std::string>> duties;
    for (const auto& row : store::CSORecord().readAll()) {
        duties.insert({row.className, row.time, row.teacher});
    }
    std::set<std::pair<std::string, std::string>> taught;
    for (const auto& row : m_classRows) {
        taught.insert({row.className, row.teacher});
    }
    std::map<std::string, std::string> masks;
    for (const auto& row : store::CLPRecord().readAll()) {
        masks.emplace(row.teacher, row.prearrange);
    }
    int dutyRecords = 0;
    int lessonRecords = 0;
    for (const auto& row : store::CATRecord().readAll()) {
        ASSERT_TRUE(dayOfWeekday.count(row.weekday)) << row.weekday;
        const std::string what = row.teacher + ' ' + row.className + ' ' + row.weekday + row.period;
        if (row.period == "早督修" || row.period == "晚督修") {
            ++dutyRecords;
            const std::string time =
                dayOfWeekday.at(row.weekday) + (row.period == "早督修" ? "早" : "晚");
            EXPECT_TRUE(duties.count({row.className, time, row.teacher}))
                << what << ": no such duty in the roster";
            continue;
        }
        EXPECT_TRUE(taught.count({row.className, row.teacher})) << what << ": not their class";
        const auto period =
            std::find(school::kPeriodNames.begin(), school::kPeriodNames.end(), row.period);
        if (period == school::kPeriodNames.end()) {
            continue;
        }
        ++lessonRecords;
        const int p = static_cast<int>(period - school::kPeriodNames.begin()) + 1;
        const int day = row.date.weekday();
        for (const auto& slot : m_unifiedRows) {
            EXPECT_FALSE(slot.grade == gradeOf(row.className) && slot.day == day &&
                         slot.period == p)
                << what << ": a unified slot of the grade";
        }
        const auto mask = masks.find(row.teacher);
        if (mask != masks.end()) {
            EXPECT_NE(mask->second[static_cast<std::size_t>((day - 1) * 7 + p - 1)], '1')
                << what << ": the teacher's preset keeps it free";
        }
    }
    EXPECT_GT(dutyRecords, 0);
    EXPECT_GT(lessonRecords, 0);
}

TEST_F(DemoSchool, NoAttendanceIsRecordedOnAPublicHoliday) {
    // Mid-Autumn Festival (15 – 17 September) and National Day (1 – 7 October) 2024.
    std::set<std::string> holidays = {"2024-09-15", "2024-09-16", "2024-09-17"};
    for (int day = 1; day <= 7; ++day) {
        holidays.insert("2024-10-0" + std::to_string(day));
    }
    for (const auto& row : store::CATRecord().readAll()) {
        EXPECT_FALSE(contains(holidays, row.date.toText().substr(0, 10)))
            << row.date.toText() << ' ' << row.teacher;
    }
}

TEST_F(DemoSchool, LeavesTheTimetablesAndTheArrangementPlanEmpty) {
    EXPECT_TRUE(store::CGLRecord().readAll().empty());
    EXPECT_TRUE(store::CRLRecord().readAll().empty());
    EXPECT_TRUE(store::COPRecord().readAll().empty());
}

TEST_F(DemoSchool, StoresExactlyTheSchoolItBuilds) {
    const cli::DemoSchool demo = cli::makeDemoSchool();
    EXPECT_EQ(m_courseRows, demo.coursename);
    EXPECT_EQ(m_gradeRows, demo.gradeclass);
    EXPECT_EQ(m_teacherRows, demo.teachername);
    EXPECT_EQ(store::CCTRecord().readAll(), demo.courseteacher);
    std::vector<store::GradecourseRow> plans = m_planRows;
    plans.insert(plans.end(), m_reviewRows.begin(), m_reviewRows.end());
    EXPECT_EQ(plans, demo.gradecourse); // the review plans stored after the weekly ones
    EXPECT_EQ(m_unifiedRows, demo.samelesson);
    EXPECT_EQ(m_classRows, demo.classcourse);
    EXPECT_EQ(store::CCSRecord().readAll(), demo.courseshare);
    EXPECT_EQ(store::CCPRecord().readAll(), demo.courseproperty);
    EXPECT_EQ(store::CLPRecord().readAll(), demo.lessonprearrange);
    EXPECT_EQ(store::CSORecord().readAll(), demo.supervise);
    EXPECT_EQ(store::CCWRecord().readAll(), demo.courseweek);
    EXPECT_EQ(store::CATRecord().readAll(), demo.attendance);
    EXPECT_EQ(store::readSchoolSettings(), demo.settings);
}

TEST_F(DemoSchool, StoringItAgainReplacesRatherThanAdds) {
    std::vector<std::vector<store::FieldList>> before;
    for (const store::TableDef* table : store::schema::newDatabaseTables()) {
        before.push_back(clitest::readTable(*table));
    }
    cli::storeDemoSchool(cli::makeDemoSchool());
    for (std::size_t t = 0; t < before.size(); ++t) {
        const store::TableDef& table = *store::schema::newDatabaseTables()[t];
        EXPECT_EQ(clitest::readTable(table), before[t]) << table.name;
    }
}

TEST_F(DemoSchool, TwoBuildsGiveIdenticalDatabases) {
    const fs::path first = m_dir / "school" / "tavlen" / "tavlen.mdb";
    const fs::path second = m_dir / "again" / "tavlen" / "tavlen.mdb";
    ASSERT_EQ(clitest::runCli({"init", (m_dir / "again").string(), "--demo"}).code, 0);
    for (const store::TableDef* table : store::schema::newDatabaseTables()) {
        store::useDatabaseFile(first.string());
        const auto a = clitest::readTable(*table);
        store::useDatabaseFile(second.string());
        const auto b = clitest::readTable(*table);
        EXPECT_EQ(a, b) << table->name;
    }
}

} // namespace
