#include "EngineTestSupport.h"

#include "core/Gbk.h"
#include "core/SampleNames.h"

#include <algorithm>

namespace enginetest {

std::vector<Course> planWithTotal(int total, int grade, int classNumber) {
    const int base = (grade * 20 + classNumber - 1) * 12;
    std::vector<Course> plan = {{"语文", school::sampleTeacherName(base + 0), 6},
                                {"数学", school::sampleTeacherName(base + 1), 5},
                                {"英语", school::sampleTeacherName(base + 2), 5},
                                {"物理", school::sampleTeacherName(base + 3), 4}};
    int sum = 20;
    const std::array<const char*, 8> others = {"化学", "政治", "历史", "地理",
                                               "生物", "体育", "音乐", "美术"};
    int k = 0;
    while (sum < total && k < 8) {
        const int weekly = std::min(2, total - sum);
        plan.push_back(
            {others[static_cast<std::size_t>(k)], school::sampleTeacherName(base + 4 + k), weekly});
        sum += weekly;
        ++k;
    }
    while (sum > total && !plan.empty()) {
        const int cut = std::min(sum - total, plan.back().weekly);
        plan.back().weekly -= cut;
        sum -= cut;
        if (plan.back().weekly == 0) {
            plan.pop_back();
        }
    }
    return plan;
}

timetable::AutoOrderData makeSchoolData(std::mt19937& rng, const SchoolOptions& options) {
    timetable::AutoOrderData data;
    const std::vector<std::pair<std::string, std::vector<int>>> plan = {
        {"语文", {5, 6}}, {"数学", {5}},    {"英语", {4, 5}}, {"物理", {3}},
        {"化学", {1, 2}}, {"政治", {2}},    {"历史", {2}},    {"地理", {2}},
        {"体育", {2}},    {"音乐", {0, 1}}, {"美术", {0, 1}}, {"信息", {0, 1}}};
    data.addCourseshare("体育", 6);
    data.addCourseshare("信息", 2);
    data.addCourseshare("音乐", 0);
    int nextTeacher = 400 + std::uniform_int_distribution<int>(0, 100)(rng);
    std::vector<std::string> teachers;
    for (int g = 0; g < school::kGrades; ++g) {
        const int classes = options.classes[static_cast<std::size_t>(g)];
        std::vector<std::string> courseTeacher(plan.size());
        for (int c = 1; c <= classes; ++c) {
            std::vector<Course> rows;
            for (std::size_t k = 0; k < plan.size(); ++k) {
                const auto& counts = plan[k].second;
                const int weekly =
                    counts[std::uniform_int_distribution<std::size_t>(0, counts.size() - 1)(rng)];
                // a teacher takes two neighbouring classes of the grade
                if (!options.sharedTeachers || c % 2 == 1 || courseTeacher[k].empty()) {
                    courseTeacher[k] = school::sampleTeacherName(nextTeacher++);
                    teachers.push_back(courseTeacher[k]);
                }
                rows.push_back({plan[k].first, courseTeacher[k], weekly});
            }
            // at most 31 lessons, so that four unified slots still fit the week
            int sum = 0;
            for (const Course& row : rows) {
                sum += row.weekly;
            }
            for (auto it = rows.rbegin(); sum > 31 && it != rows.rend(); ++it) {
                if (it->weekly > 0) {
                    --it->weekly;
                    --sum;
                }
            }
            addClass(data, g, c, rows);
        }
    }
    data.cleanUp();
    if (options.presets) {
        for (std::size_t i = 0; i < teachers.size(); i += 7) {
            std::string mask(35, '0');
            for (char& ch : mask) {
                ch = std::uniform_int_distribution<int>(0, 9)(rng) == 0 ? '1' : '0';
            }
            data.addPreset(teachers[i], mask);
        }
    }
    for (int g = 0; g < school::kGrades; ++g) {
        std::vector<int> slots(35);
        for (int i = 0; i < 35; ++i) {
            slots[static_cast<std::size_t>(i)] = i;
        }
        std::shuffle(slots.begin(), slots.end(), rng);
        const int rows = options.unifiedPerGrade + (options.fifthUnifiedRow ? 1 : 0);
        for (int k = 0; k < rows; ++k) {
            const int s = slots[static_cast<std::size_t>(k)];
            data.addSamelesson(std::string(school::kGradeNames[static_cast<std::size_t>(g)]),
                               s / 7 + 1, s % 7 + 1, "班会");
        }
    }
    return data;
}

School makeSchool(std::mt19937& rng, const SchoolOptions& options) {
    School s{makeSchoolData(rng, options), {}};
    ScriptedRandom random(rng());
    for (int g = 0; g < school::kGrades; ++g) {
        timetable::AutoOrder engine(s.data, random);
        engine.arrange(g, s.timetable);
        s.timetable = engine.result();
    }
    return s;
}

std::vector<std::pair<int, int>> unifiedSlots(const timetable::AutoOrderData& data, int grade) {
    std::vector<std::pair<int, int>> slots;
    for (const timetable::UnifiedCourse& row : data.sameLessons) {
        if (slots.size() < 4 && row.grade == school::kGradeNames[static_cast<std::size_t>(grade)]) {
            slots.emplace_back(row.day - 1, row.period);
        }
    }
    return slots;
}

std::map<std::string, int> lessonsOf(const school::SchoolTimetable& t, int grade, int position) {
    std::map<std::string, int> lessons;
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            const std::string& text = t.cell(grade, position, d, p);
            if (!gbk::isBlank(text)) {
                ++lessons[text];
            }
        }
    }
    return lessons;
}

std::map<std::string, int> plannedLessons(const timetable::ClassCourseList& list) {
    std::map<std::string, int> lessons;
    for (const timetable::CourseEntry& entry : list.entries) {
        if (timetable::namesTeacher(entry.teacher) && entry.weekly > 0) {
            lessons[entry.teacher] += entry.weekly;
        }
    }
    return lessons;
}

int namedClasses(const school::SchoolTimetable& t, int grade) {
    int n = 0;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        n += gbk::isBlank(t.cell(grade, c, 0, 0), 3) ? 0 : 1;
    }
    return n;
}

} // namespace enginetest
