#include "cli/DemoSchool.h"

#include "core/DateTime.h"
#include "core/SchoolNames.h"
#include "store/SchoolSettingsStore.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cli {
namespace {

// splitmix64: tiny, well mixed, and defined entirely by its own arithmetic, so the demo
// school is the same with every compiler and standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        m_state += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // 0 … n − 1 (n > 0); the modulo bias is irrelevant for a demo.
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    int below(int n) { return static_cast<int>(below(static_cast<std::size_t>(n))); }

private:
    std::uint64_t m_state;
};

constexpr std::uint64_t kSeed = 20240902;

// Table order of the course list: the taught subjects, then the two grade-wide ones that
// only appear as unified slots.
constexpr std::array<std::string_view, 15> kCourses = {"语文", "数学", "英语", "物理", "化学",
                                                       "生物", "政治", "历史", "地理", "体育",
                                                       "音乐", "美术", "信息", "班会", "校本"};

constexpr std::array<int, school::kGrades> kClassCounts = {12, 12, 10, 10, 9, 8};

struct PlanEntry {
    std::string_view course;
    int weekly;
};

// The weekly plan of each grade, main courses first: the arrangement takes the first four
// rows of a class as its main courses and gives 语文 its double period, so the first four
// are examination courses of the grade.
const std::array<std::vector<PlanEntry>, school::kGrades>& gradePlans() {
    static const std::array<std::vector<PlanEntry>, school::kGrades> plans = {{
        {{"语文", 6},
         {"数学", 5},
         {"英语", 5},
         {"政治", 2},
         {"历史", 2},
         {"生物", 2},
         {"地理", 2},
         {"体育", 3},
         {"音乐", 1},
         {"美术", 1},
         {"信息", 1}},
        {{"语文", 5},
         {"数学", 5},
         {"英语", 5},
         {"物理", 3},
         {"生物", 2},
         {"政治", 2},
         {"历史", 2},
         {"地理", 2},
         {"体育", 3},
         {"音乐", 1},
         {"美术", 1}},
        {{"语文", 6},
         {"数学", 6},
         {"英语", 5},
         {"物理", 3},
         {"化学", 3},
         {"政治", 2},
         {"历史", 2},
         {"体育", 3}},
        {{"语文", 5},
         {"数学", 5},
         {"英语", 5},
         {"物理", 3},
         {"化学", 3},
         {"生物", 2},
         {"政治", 2},
         {"历史", 2},
         {"地理", 2},
         {"体育", 2},
         {"信息", 1}},
        {{"语文", 5},
         {"数学", 6},
         {"英语", 5},
         {"物理", 3},
         {"化学", 3},
         {"生物", 2},
         {"政治", 2},
         {"历史", 2},
         {"地理", 2},
         {"体育", 2},
         {"信息", 1}},
        {{"语文", 6},
         {"数学", 6},
         {"英语", 6},
         {"物理", 3},
         {"化学", 3},
         {"生物", 3},
         {"政治", 2},
         {"历史", 1},
         {"地理", 1},
         {"体育", 2}},
    }};
    return plans;
}

// The review plans before examinations, entered as 复习课程设置 stores them: the
// graduating grades review their examination courses, 初三 over five days, 高三 over seven.
struct ReviewPlan {
    int grade;
    int days;
    std::vector<PlanEntry> courses;
};

const std::array<ReviewPlan, 2>& reviewPlans() {
    static const std::array<ReviewPlan, 2> plans = {{
        {2, 5, {{"语文", 8}, {"数学", 8}, {"英语", 6}, {"物理", 4}, {"化学", 4}}},
        {5, 7, {{"语文", 10}, {"数学", 10}, {"英语", 8}, {"物理", 6}, {"化学", 6}, {"生物", 4}}},
    }};
    return plans;
}

struct UnifiedSlot {
    int grade;
    int day;
    int period;
    std::string_view course;
};

// Class meeting for every grade; the junior grades also have their school-based elective.
constexpr std::array<UnifiedSlot, 8> kUnifiedSlots = {{{0, 5, 7, "班会"},
                                                       {0, 3, 7, "校本"},
                                                       {1, 5, 6, "班会"},
                                                       {1, 3, 6, "校本"},
                                                       {2, 1, 7, "班会"},
                                                       {3, 4, 7, "班会"},
                                                       {4, 4, 6, "班会"},
                                                       {5, 1, 6, "班会"}}};

// Subjects with a limited room or ground.
constexpr std::array<std::string_view, 3> kSharedCourses = {"体育", "音乐", "信息"};

bool isExamCourse(int grade, std::string_view course) {
    constexpr std::array<std::string_view, 7> junior = {"语文", "数学", "英语", "物理",
                                                        "化学", "政治", "历史"};
    constexpr std::array<std::string_view, 9> senior = {"语文", "数学", "英语", "物理", "化学",
                                                        "生物", "政治", "历史", "地理"};
    if (grade < 3) {
        return std::find(junior.begin(), junior.end(), course) != junior.end();
    }
    return std::find(senior.begin(), senior.end(), course) != senior.end();
}

constexpr std::array<std::string_view, 100> kSurnames = {
    "王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙", "马", "朱", "胡",
    "郭", "何", "高", "林", "罗", "郑", "梁", "谢", "宋", "唐", "许", "韩", "冯", "邓", "曹",
    "彭", "曾", "肖", "田", "董", "袁", "潘", "于", "蒋", "蔡", "余", "杜", "叶", "程", "苏",
    "魏", "吕", "丁", "任", "沈", "姚", "卢", "姜", "崔", "钟", "谭", "陆", "汪", "范", "金",
    "石", "廖", "贾", "夏", "韦", "付", "方", "白", "邹", "孟", "熊", "秦", "邱", "江", "尹",
    "薛", "闫", "段", "雷", "侯", "龙", "史", "陶", "黎", "贺", "顾", "毛", "郝", "龚", "邵",
    "万", "钱", "严", "覃", "武", "戴", "莫", "孔", "向", "汤"};

constexpr std::array<std::string_view, 90> kGivenNames = {
    "伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "娟", "涛",
    "明", "超", "秀", "霞", "平", "刚", "桂", "英", "华", "玉", "萍", "红", "鹏", "辉", "建",
    "文", "斌", "宇", "浩", "凯", "健", "俊", "帆", "旭", "宁", "林", "欢", "阳", "晨", "婷",
    "雪", "琳", "晶", "颖", "慧", "莉", "梅", "兰", "海", "波", "峰", "志", "国", "春", "燕",
    "佳", "欣", "瑶", "思", "雨", "子", "博", "晓", "新", "立", "成", "荣", "鑫", "飞", "亮",
    "云", "正", "德", "清", "振", "家", "庆", "琴", "永", "嘉", "安", "诗", "怡", "卫", "东"};

// Characters that are part of a given name but never one on their own: 邓子, 张家, 王国
// or 高新 read as words, not as a teacher.
constexpr std::array<std::string_view, 4> kNeverAlone = {"子", "家", "国", "新"};

// Teacher names of two or three characters (4 or 6 GBK bytes), never the same twice.
class NameMaker {
public:
    explicit NameMaker(Random& random) : m_random(random) {}

    std::string next() {
        for (;;) {
            std::string name(kSurnames[m_random.below(kSurnames.size())]);
            const int given = m_random.below(4) == 0 ? 1 : 2;
            std::string_view last;
            for (int i = 0; i < given; ++i) {
                last = kGivenNames[m_random.below(kGivenNames.size())];
                name += last;
            }
            if (given == 1 &&
                std::find(kNeverAlone.begin(), kNeverAlone.end(), last) != kNeverAlone.end()) {
                continue;
            }
            if (m_used.insert(name).second) {
                return name;
            }
        }
    }

private:
    Random& m_random;
    std::set<std::string> m_used;
};

// One class course that needs a teacher; `entry` is its position in the grade plan.
struct Lesson {
    int grade;
    int classNumber;
    std::size_t entry;
    int weekly;
};

constexpr int kMinLoad = 10;
constexpr int kMaxLoad = 20;
constexpr int kTargetLoad = 15;
constexpr long kGradeSpanPenalty = 40;

// Splits the class courses of one subject (in school order) into consecutive blocks, one
// block per teacher, each of kMinLoad … kMaxLoad weekly lessons: the split closest to
// kTargetLoad lessons a teacher, preferring teachers who stay within one grade. Returns
// the end index of every block.
std::vector<std::size_t> splitAmongTeachers(const std::vector<Lesson>& lessons) {
    const std::size_t n = lessons.size();
    constexpr long kNone = std::numeric_limits<long>::max();
    std::vector<long> best(n + 1, kNone);
    std::vector<std::size_t> from(n + 1, 0);
    best[0] = 0;
    for (std::size_t end = 1; end <= n; ++end) {
        int load = 0;
        for (std::size_t begin = end; begin-- > 0;) {
            load += lessons[begin].weekly;
            if (load > kMaxLoad) {
                break;
            }
            if (load < kMinLoad || best[begin] == kNone) {
                continue;
            }
            const long deviation = load - kTargetLoad;
            const long span = lessons[end - 1].grade - lessons[begin].grade;
            const long cost = best[begin] + deviation * deviation + kGradeSpanPenalty * span;
            if (cost < best[end]) {
                best[end] = cost;
                from[end] = begin;
            }
        }
    }
    if (best[n] == kNone) {
        throw std::logic_error("demo school: a subject cannot be split among teachers");
    }
    std::vector<std::size_t> ends;
    for (std::size_t end = n; end > 0; end = from[end]) {
        ends.push_back(end);
    }
    std::reverse(ends.begin(), ends.end());
    return ends;
}

std::size_t toIndex(int value) {
    return static_cast<std::size_t>(value);
}

class Builder {
public:
    DemoSchool build() {
        addMasterData();
        assignTeachers();
        addClassPlans();
        addResourceLimits();
        addCourseProperties();
        addPresets();
        addDuties();
        addWorkloads();
        addAttendance();
        addSettings();
        return std::move(m_school);
    }

private:
    // Four morning periods with a longer break after the second, three in the afternoon.
    void addSettings() {
        static constexpr std::array<std::array<const char*, 2>, 7> kTimes = {{{"08:00", "08:45"},
                                                                              {"08:55", "09:40"},
                                                                              {"10:00", "10:45"},
                                                                              {"10:55", "11:40"},
                                                                              {"14:30", "15:15"},
                                                                              {"15:25", "16:10"},
                                                                              {"16:20", "17:05"}}};
        school::SchoolSettings& settings = m_school.settings;
        settings.schoolName = "育才中学";
        settings.weekOneMonday = "2024-09-02";
        for (std::size_t p = 0; p < kTimes.size(); ++p) {
            settings.periods[p].start = kTimes[p][0];
            settings.periods[p].end = kTimes[p][1];
        }
    }

    const std::string& teacherOf(int grade, int classNumber, std::string_view course) const {
        const auto& plan = gradePlans()[toIndex(grade)];
        for (std::size_t k = 0; k < plan.size(); ++k) {
            if (plan[k].course == course) {
                return m_teacherOf[toIndex(grade)][toIndex(classNumber - 1)][k];
            }
        }
        throw std::logic_error("demo school: no such class course");
    }

    void addMasterData() {
        for (const std::string_view course : kCourses) {
            m_school.coursename.push_back({std::string(course)});
        }
        for (int g = 0; g < school::kGrades; ++g) {
            const std::string grade(school::kGradeNames[toIndex(g)]);
            m_school.gradeclass.push_back({grade, kClassCounts[toIndex(g)]});
            for (const PlanEntry& entry : gradePlans()[toIndex(g)]) {
                m_school.gradecourse.push_back({grade, std::string(entry.course), entry.weekly, 0});
            }
        }
        for (const ReviewPlan& plan : reviewPlans()) {
            const std::string grade(school::kGradeNames[toIndex(plan.grade)]);
            for (const PlanEntry& entry : plan.courses) {
                m_school.gradecourse.push_back(
                    {grade, std::string(entry.course), entry.weekly, plan.days});
            }
        }
        for (const UnifiedSlot& slot : kUnifiedSlots) {
            m_school.samelesson.push_back({std::string(school::kGradeNames[toIndex(slot.grade)]),
                                           slot.day, slot.period, std::string(slot.course)});
        }
    }

    // The roster is grouped by subject, in course order, as a school lists its staff.
    void assignTeachers() {
        m_teacherOf.resize(school::kGrades);
        for (int g = 0; g < school::kGrades; ++g) {
            m_teacherOf[toIndex(g)].assign(
                toIndex(kClassCounts[toIndex(g)]),
                std::vector<std::string>(gradePlans()[toIndex(g)].size()));
        }
        NameMaker names(m_random);
        for (const std::string_view course : kCourses) {
            std::vector<Lesson> lessons;
            for (int g = 0; g < school::kGrades; ++g) {
                const auto& plan = gradePlans()[toIndex(g)];
                for (std::size_t k = 0; k < plan.size(); ++k) {
                    if (plan[k].course != course) {
                        continue;
                    }
                    for (int c = 1; c <= kClassCounts[toIndex(g)]; ++c) {
                        lessons.push_back({g, c, k, plan[k].weekly});
                    }
                }
            }
            std::sort(lessons.begin(), lessons.end(), [](const Lesson& a, const Lesson& b) {
                return a.grade != b.grade ? a.grade < b.grade : a.classNumber < b.classNumber;
            });
            std::size_t begin = 0;
            for (const std::size_t end : splitAmongTeachers(lessons)) {
                const std::string teacher = names.next();
                m_school.teachername.push_back({teacher});
                m_school.courseteacher.push_back({std::string(course), teacher});
                m_courseTeachers.emplace_back(course, teacher);
                for (std::size_t i = begin; i < end; ++i) {
                    const Lesson& lesson = lessons[i];
                    m_teacherOf[toIndex(lesson.grade)][toIndex(lesson.classNumber - 1)]
                               [lesson.entry] = teacher;
                }
                begin = end;
            }
        }
    }

    void addClassPlans() {
        for (int g = 0; g < school::kGrades; ++g) {
            const auto& plan = gradePlans()[toIndex(g)];
            for (int c = 1; c <= kClassCounts[toIndex(g)]; ++c) {
                const std::string name = school::className(g, c);
                for (std::size_t k = 0; k < plan.size(); ++k) {
                    m_school.classcourse.push_back({name, std::string(plan[k].course),
                                                    m_teacherOf[toIndex(g)][toIndex(c - 1)][k],
                                                    plan[k].weekly});
                }
            }
        }
    }

    // A limit that leaves the arrangement room: the subject's lessons of the whole school
    // fill at most 60% of limit × 35 periods.
    void addResourceLimits() {
        for (const std::string_view course : kSharedCourses) {
            int total = 0;
            for (int g = 0; g < school::kGrades; ++g) {
                for (const PlanEntry& entry : gradePlans()[toIndex(g)]) {
                    if (entry.course == course) {
                        total += entry.weekly * kClassCounts[toIndex(g)];
                    }
                }
            }
            constexpr int kWeekPeriods = school::kDays * school::kPeriods;
            const int share = std::max(2, (total * 5 + kWeekPeriods * 3 - 1) / (kWeekPeriods * 3));
            m_school.courseshare.push_back({std::string(course), share});
        }
    }

    void addCourseProperties() {
        for (int g = 0; g < school::kGrades; ++g) {
            const std::string grade(school::kGradeNames[toIndex(g)]);
            for (const PlanEntry& entry : gradePlans()[toIndex(g)]) {
                m_school.courseproperty.push_back(
                    {grade, std::string(entry.course), isExamCourse(g, entry.course) ? 1 : 0});
            }
        }
    }

    // A few teachers who must not teach in some periods: an afternoon, a morning start,
    // or the first period of two days.
    void addPresets() {
        constexpr int kPresetTeachers = 5;
        std::set<std::size_t> chosen;
        while (chosen.size() < kPresetTeachers) {
            const std::size_t t = m_random.below(m_school.teachername.size());
            if (!chosen.insert(t).second) {
                continue;
            }
            std::string mask(toIndex(school::kDays * school::kPeriods), '0');
            const auto block = [&mask](int day, int period) {
                mask[toIndex((day - 1) * school::kPeriods + (period - 1))] = '1';
            };
            const int day = 1 + m_random.below(school::kDays);
            switch (m_random.below(3)) {
            case 0:
                for (int p = 5; p <= 7; ++p) {
                    block(day, p);
                }
                break;
            case 1:
                block(day, 1);
                block(day, 2);
                break;
            default:
                block(day, 1);
                block(day % school::kDays + 1, 1);
                break;
            }
            m_school.lessonprearrange.push_back({m_school.teachername[t].name, mask});
        }
    }

    // Morning reading (语文 and 英语 on alternate days) and evening study Sunday to Thursday
    // for the two graduating grades, each class supervised by one of its own teachers. The
    // rows come as the duty dialog saves them: one grade, one time and one teacher at a
    // time, that teacher's classes in class order; times in the dialog's list order.
    void addDuties() {
        struct Duty {
            std::string_view time;
            std::string_view course;
        };
        constexpr std::array<Duty, 10> duties = {{{"周一早", "语文"},
                                                  {"周一晚", "数学"},
                                                  {"周二早", "英语"},
                                                  {"周二晚", "英语"},
                                                  {"周三早", "语文"},
                                                  {"周三晚", "物理"},
                                                  {"周四早", "英语"},
                                                  {"周四晚", "化学"},
                                                  {"周五早", "语文"},
                                                  {"周日晚", "语文"}}};
        for (const int g : {2, 5}) {
            const int classes = kClassCounts[toIndex(g)];
            for (const Duty& duty : duties) {
                std::vector<bool> saved(toIndex(classes), false);
                for (int first = 1; first <= classes; ++first) {
                    if (saved[toIndex(first - 1)]) {
                        continue;
                    }
                    const std::string& teacher = teacherOf(g, first, duty.course);
                    for (int c = first; c <= classes; ++c) {
                        if (!saved[toIndex(c - 1)] && teacherOf(g, c, duty.course) == teacher) {
                            saved[toIndex(c - 1)] = true;
                            m_school.supervise.push_back(
                                {school::className(g, c), std::string(duty.time), teacher});
                        }
                    }
                }
            }
        }
    }

    void addWorkloads() {
        for (int g = 0; g < school::kGrades; ++g) {
            for (const PlanEntry& entry : gradePlans()[toIndex(g)]) {
                if (entry.course == "语文" || entry.course == "数学" || entry.course == "英语") {
                    m_school.courseweek.push_back({std::string(entry.course), g + 1, entry.weekly});
                }
            }
        }
    }

    std::string substituteFor(std::string_view course, const std::string& teacher) {
        std::vector<std::string> colleagues;
        for (const auto& [c, t] : m_courseTeachers) {
            if (c == course && t != teacher) {
                colleagues.push_back(t);
            }
        }
        if (colleagues.empty()) {
            for (const auto& row : m_school.teachername) {
                if (row.name != teacher) {
                    colleagues.push_back(row.name);
                }
            }
        }
        return colleagues[m_random.below(colleagues.size())];
    }

    std::string teachingPeriod(int first, int last) {
        return std::string(
            school::kPeriodNames[toIndex(first - 1 + m_random.below(last - first + 1))]);
    }

    // Whether the teacher of a class course can have had a lesson in that class on `day`
    // (0 = Monday) in `period` (1 … 7): not in a unified slot of the class's grade and
    // not in a period the teacher's preset keeps free.
    bool couldTeach(const store::ClasscourseRow& lesson, int day, int period) const {
        const int grade = school::parseClassName(lesson.className)->gradeIndex;
        for (const UnifiedSlot& slot : kUnifiedSlots) {
            if (slot.grade == grade && slot.day == day + 1 && slot.period == period) {
                return false;
            }
        }
        for (const store::LessonprearrangeRow& preset : m_school.lessonprearrange) {
            if (preset.teacher == lesson.teacher) {
                return preset.prearrange[toIndex(day * school::kPeriods + period - 1)] != '1';
            }
        }
        return true;
    }

    // A duty of the roster on `day` (0 = Monday), morning or evening; null when nobody
    // supervises then (there is no evening study on Friday).
    const store::SuperviseRow* dutyOn(int day, bool morning) {
        constexpr std::array<std::string_view, school::kDays> days = {"周一", "周二", "周三",
                                                                      "周四", "周五"};
        const std::string time = std::string(days[toIndex(day)]) + (morning ? "早" : "晚");
        std::vector<const store::SuperviseRow*> duties;
        for (const store::SuperviseRow& row : m_school.supervise) {
            if (row.time == time) {
                duties.push_back(&row);
            }
        }
        return duties.empty() ? nullptr : duties[m_random.below(duties.size())];
    }

    // The record of one event: a lesson the teacher could have given then, a duty of the
    // roster at that time, or a meeting or the flag raising of one of the class's teachers.
    void describeEvent(store::AttendanceRow& row, int day, std::string_view kind) {
        std::string period;
        if (kind == "迟  到") {
            const int pick = m_random.below(3);
            period = pick == 0 ? (day == 0 ? "升  旗" : "早督修") : pick == 1 ? "早督修" : "第一节";
        } else if (kind == "早  退") {
            period = m_random.below(3) == 0 ? "晚督修" : teachingPeriod(5, 7);
        } else if (kind == "缺  勤") {
            constexpr std::array<std::string_view, 3> meetings = {"教研会", "政治会", "晚督修"};
            period = std::string(meetings[m_random.below(meetings.size())]);
        } else {
            period = teachingPeriod(1, 7);
        }

        if (period == "早督修" || period == "晚督修") {
            if (const store::SuperviseRow* duty = dutyOn(day, period == "早督修")) {
                row.period = period;
                row.teacher = duty->teacher;
                row.className = duty->className;
                return;
            }
            // Nobody supervises then: the event belongs to the day's lessons.
            period = kind == "缺  勤" ? "教研会" : teachingPeriod(kind == "迟  到" ? 1 : 5, 7);
        }
        row.period = period;

        const int number = periodOrder(period);
        const bool teaching = number >= 1 && number <= school::kPeriods;
        const store::ClasscourseRow* lesson = nullptr;
        do {
            lesson = &m_school.classcourse[m_random.below(m_school.classcourse.size())];
        } while (teaching && !couldTeach(*lesson, day, number));
        row.teacher = lesson->teacher;
        row.className = lesson->className;

        if (kind == "事  假") {
            row.remark = m_random.below(2) == 0 ? "家中有事" : "病假";
        } else if (kind == "公  假") {
            row.substitute = substituteFor(lesson->course, lesson->teacher);
            row.remark = m_random.below(2) == 0 ? "外出培训" : "开会";
        } else if (kind == "校公开") {
            row.remark = "公开课";
        }
    }

    // Three school weeks from Monday 2 September 2024, a dozen records or so a week, each
    // about a teacher in one of the classes the teacher teaches or supervises. Nothing is
    // recorded on the Mid-Autumn holiday (Monday 16 and Tuesday 17 September).
    void addAttendance() {
        constexpr std::array<std::string_view, 8> kinds = {"迟  到", "早  退", "事  假", "公  假",
                                                           "缺  勤", "公  代", "校公开", "组公开"};
        const std::array<school::DateTime, 2> holidays = {
            {{2024, 9, 16, 0, 0, 0}, {2024, 9, 17, 0, 0, 0}}};
        const double termStart = school::DateTime{2024, 9, 2, 0, 0, 0}.toAutomation();
        for (int week = 1; week <= 3; ++week) {
            const auto dateOf = [&](int day) {
                return school::DateTime::fromAutomation(termStart + (week - 1) * 7 + day);
            };
            std::vector<int> schoolDays;
            for (int day = 0; day < school::kDays; ++day) {
                if (std::find(holidays.begin(), holidays.end(), dateOf(day)) == holidays.end()) {
                    schoolDays.push_back(day);
                }
            }
            struct Entry {
                int day;
                int order;
                store::AttendanceRow row;
            };
            std::vector<Entry> entries;
            const int count = 10 + m_random.below(5);
            for (int i = 0; i < count; ++i) {
                const int day = schoolDays[m_random.below(schoolDays.size())];
                const std::string_view kind = kinds[m_random.below(kinds.size())];
                store::AttendanceRow row;
                row.week = std::to_string(week);
                row.date = dateOf(day);
                row.weekday = std::string(school::kDayNames[toIndex(day)]);
                row.kind = std::string(kind);
                describeEvent(row, day, kind);
                entries.push_back({day, periodOrder(row.period), std::move(row)});
            }
            // Entered day by day, in the order of the day.
            std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
                return a.day != b.day ? a.day < b.day : a.order < b.order;
            });
            for (Entry& entry : entries) {
                m_school.attendance.push_back(std::move(entry.row));
            }
        }
    }

    static int periodOrder(std::string_view period) {
        for (std::size_t p = 0; p < school::kPeriodNames.size(); ++p) {
            if (school::kPeriodNames[p] == period) {
                return static_cast<int>(p) + 1;
            }
        }
        return period == "早督修" || period == "升  旗" ? 0 : school::kPeriods + 1;
    }

    Random m_random{kSeed};
    DemoSchool m_school;
    // [grade][class − 1][plan entry] → teacher
    std::vector<std::vector<std::vector<std::string>>> m_teacherOf;
    std::vector<std::pair<std::string_view, std::string>> m_courseTeachers;
};

template <class RecordSetType, class Row> void storeTable(const std::vector<Row>& rows) {
    RecordSetType recordSet;
    recordSet.replaceAll(rows);
}

} // namespace

DemoSchool makeDemoSchool() {
    return Builder().build();
}

void storeDemoSchool(const DemoSchool& school) {
    storeTable<store::CCNRecord>(school.coursename);
    storeTable<store::CGSRecord>(school.gradeclass);
    storeTable<store::CTNRecord>(school.teachername);
    storeTable<store::CCTRecord>(school.courseteacher);
    storeTable<store::CGCRecord>(school.gradecourse);
    storeTable<store::CSLRecord>(school.samelesson);
    storeTable<store::CCCRecord>(school.classcourse);
    storeTable<store::CCSRecord>(school.courseshare);
    storeTable<store::CCPRecord>(school.courseproperty);
    storeTable<store::CLPRecord>(school.lessonprearrange);
    storeTable<store::CSORecord>(school.supervise);
    storeTable<store::CCWRecord>(school.courseweek);
    storeTable<store::CATRecord>(school.attendance);
    store::saveSchoolSettings(school.settings);
}

} // namespace cli
