#include "BenchSchool.h"

#include "core/SampleNames.h"
#include "core/SchoolNames.h"
#include "timetable/AutoOrder.h"

#include <array>
#include <string>
#include <vector>

namespace bench {
namespace {

School makeSchool() {
    School s;
    struct Plan {
        const char* course;
        int weekly;
    };
    const std::array<Plan, 11> plan = {{{"语文", 6},
                                        {"数学", 5},
                                        {"英语", 5},
                                        {"物理", 3},
                                        {"化学", 2},
                                        {"政治", 2},
                                        {"历史", 2},
                                        {"地理", 2},
                                        {"体育", 2},
                                        {"音乐", 1},
                                        {"美术", 1}}};
    Lcg variation(7);
    int next = 0;
    std::vector<std::string> teachers;
    for (int g = 0; g < school::kGrades; ++g) {
        std::array<std::string, plan.size()> current;
        for (int c = 1; c <= school::kMaxClasses; ++c) {
            for (std::size_t k = 0; k < plan.size(); ++k) {
                if (c % 2 == 1) {
                    current[k] = school::sampleTeacherName(next++);
                    teachers.push_back(current[k]);
                }
                const int weekly = plan[k].weekly - (k >= 9 && variation.next() % 3 == 0 ? 1 : 0);
                s.data.addClasscourse(school::className(g, c), plan[k].course, current[k], weekly);
            }
        }
        const std::string grade(school::kGradeNames[static_cast<std::size_t>(g)]);
        s.data.addSamelesson(grade, g % 5 + 1, 7, "班会");
        s.data.addSamelesson(grade, (g + 2) % 5 + 1, 4, "活动");
    }
    s.data.cleanUp();
    s.data.addCourseshare("体育", 6);
    s.data.addCourseshare("音乐", 2);
    for (std::size_t i = 0; i < teachers.size(); i += 7) {
        std::string mask(35, '0');
        mask[i % 35] = '1';
        mask[(i * 3 + 5) % 35] = '1';
        s.data.addPreset(teachers[i], mask);
    }
    Lcg random(1);
    for (int g = 0; g < school::kGrades; ++g) {
        timetable::AutoOrder engine(s.data, random);
        engine.arrange(g, s.timetable);
        s.timetable = engine.result();
    }
    return s;
}

} // namespace

const School& school20() {
    static const School s = makeSchool();
    return s;
}

} // namespace bench
