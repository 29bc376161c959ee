// Helpers of the engine tests: scripted random sources, hand-built class plans and
// generated schools (six grades, two-character and three-character teacher names, main
// courses first, unified slots, presets), and small readers of a school timetable.
#pragma once

#include "core/SchoolNames.h"
#include "core/SchoolTimetable.h"
#include "timetable/AutoOrder.h"
#include "timetable/AutoOrderData.h"
#include "timetable/RandomSource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace enginetest {

// A reproducible sequence in 0..2^31−1 (not the C library's).
class ScriptedRandom final : public timetable::RandomSource {
public:
    explicit ScriptedRandom(std::uint64_t seed) : m_state(seed * 2654435761u + 12345u) {}
    int next() override {
        ++m_draws;
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((m_state >> 33) & 0x7fffffffu);
    }
    long long draws() const { return m_draws; }

private:
    std::uint64_t m_state;
    long long m_draws = 0;
};

// Always the same value: placement can then never make progress after its first lesson.
class ConstantRandom final : public timetable::RandomSource {
public:
    explicit ConstantRandom(int value) : m_value(value) {}
    int next() override { return m_value; }

private:
    int m_value;
};

// The gtest seed (--gtest_random_seed), so a failing case can be replayed.
inline unsigned testSeed() {
    return static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed());
}

struct Course {
    std::string course;
    std::string teacher;
    int weekly;
};

// Adds the rows of one class, in order (the first four are its main courses).
inline void addClass(timetable::AutoOrderData& data, int grade, int classNumber,
                     const std::vector<Course>& courses) {
    for (const Course& c : courses) {
        data.addClasscourse(school::className(grade, classNumber), c.course, c.teacher, c.weekly);
    }
}

// A plan of the given weekly total: 语文 6, 数学 5, 英语 5, 物理 4 and 2-lesson courses,
// topped up by a 1-lesson course. Teachers are "<prefix><course>" style two-character names
// drawn from the class number so that classes do not share teachers.
std::vector<Course> planWithTotal(int total, int grade, int classNumber);

struct SchoolOptions {
    std::array<int, school::kGrades> classes{4, 4, 4, 4, 4, 4};
    int unifiedPerGrade = 2;
    bool fifthUnifiedRow = false; // a fifth samelesson row for every grade
    bool presets = true;
    bool sharedTeachers = true; // teachers teach in two classes
};

struct School {
    timetable::AutoOrderData data;
    school::SchoolTimetable timetable; // every grade arranged once, in order
};

// A realistic school: every class has a plan of 28..31 lessons, main courses first.
timetable::AutoOrderData makeSchoolData(std::mt19937& rng, const SchoolOptions& options);
// makeSchoolData, then every grade arranged in order on a scripted source.
School makeSchool(std::mt19937& rng, const SchoolOptions& options);

// Unified slots (day 0..4, period 1..7) of a grade: the first four samelesson rows.
std::vector<std::pair<int, int>> unifiedSlots(const timetable::AutoOrderData& data, int grade);

// Lessons per teacher text in the week of (grade, position): filled texts only.
std::map<std::string, int> lessonsOf(const school::SchoolTimetable& t, int grade, int position);

// Weekly count per teacher in a class plan: entries naming a teacher with a count above 0.
std::map<std::string, int> plannedLessons(const timetable::ClassCourseList& list);

// Number of positions of the grade whose slot 0 holds a name.
int namedClasses(const school::SchoolTimetable& t, int grade);

} // namespace enginetest
