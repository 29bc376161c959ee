// ReviewOrder: the arrangement of one grade's review timetable, the days before examinations.
// Pure C++ beside AutoOrder, over the lists ReviewData holds (loaded from gradecourse and
// classcourse by ReviewStore), drawing from the same random source.
//
// A run: the review timetable of the grade is emptied; every class q = 0..19 in order gets
// its review lessons placed over the D review days, mostly as double periods at periods 1–2,
// 3–4 or 5–6 and the odd lesson in period 7 (a class with fewer than 15 review periods gets
// none); the classes that got a week stand one after another from position 0, each named in
// slot 0 of days 1..D; then one pass of clash repair moves a class's double period where one
// teacher stands in two classes at once. The random draws and their order are part of the
// result: the same data and random sequence give the same timetable.
//
// Where the written steps leave room, this arrangement:
// - ends the placement of a class after kReviewAttempts failed draws in a row for one lesson
//   and keeps the class as placed so far (satisfiable data never needs more than a few
//   thousand: from 4000 failed draws on every lesson goes to period 7, from 5000 on a day
//   already holding the teacher is allowed);
// - takes at most 10 review days (the timetable has ten), from a plan of more;
// - keeps a class whose first-period cells hold names of 4 GBK bytes (two-character names)
//   on some day, as the grade arrangement does.
#pragma once

#include "core/SchoolNames.h"
#include "core/SchoolTimetable.h"
#include "timetable/RandomSource.h"

#include <array>
#include <string>
#include <vector>

namespace timetable {

inline constexpr int kReviewDays = school::ReviewTimetable::kDayCount;
inline constexpr int kReviewEntries = 20;
inline constexpr int kReviewAttempts = 100000;

struct ReviewCourse {
    std::string course;
    int periods = 0; // review periods, 0..30
};

struct ReviewEntry {
    std::string course;
    std::string teacher;
    int periods = 0;
};

class ReviewData {
public:
    // gradecourse, in table order: rows of the grade whose 天数 is above 0 give the review
    // plan (at most 20 courses, periods outside 0..30 as 0); D is the 天数 of the last.
    void addGradecourse(std::string_view grade, std::string course, int weekly, int days);
    // classcourse, in table order: at most 20 rows a class; the class's review periods of
    // a course are the plan's.
    void addClasscourse(std::string_view className, std::string course, std::string teacher);

    int reviewDays() const; // D, 0..10
    const std::vector<ReviewCourse>& plan() const { return m_plan; }
    // The entries of class number 1..20 of the arranged grade, with their review periods;
    // an entry whose teacher is shorter than 2 bytes is cleared.
    std::vector<ReviewEntry> entries(int classNumber) const;
    // Course and teacher pairs of a class, for the view switch.
    const std::vector<std::pair<std::string, std::string>>& pairs(int classNumber) const;

    explicit ReviewData(int grade) : m_grade(grade) {}
    int grade() const { return m_grade; }

private:
    int m_grade;
    int m_days = 0;
    std::vector<ReviewCourse> m_plan;
    std::array<std::vector<std::pair<std::string, std::string>>, school::kMaxClasses> m_pairs{};
};

class ReviewOrder {
public:
    explicit ReviewOrder(const ReviewData& data, RandomSource& random = defaultRandom())
        : m_data(data), m_random(random), m_days(data.reviewDays()) {}

    // Arranges the grade of the data into timetable (only that grade is touched).
    void arrange(school::ReviewTimetable& timetable);

    int arrangedCount() const { return m_arranged; }
    int reviewDays() const { return m_days; }
    // Classes whose placement was cut off by the bound on failed draws.
    int abandonedPlacements() const { return m_abandoned; }

    using Week = std::array<std::array<std::string, school::kPeriods>, kReviewDays>;
    // The placement of one class's entries over the review days (exposed for tests).
    Week place(const std::vector<ReviewEntry>& entries);
    // The clash repair over the arranged classes of the grade (exposed for tests).
    void repairClashes(school::ReviewTimetable& timetable, int arranged);

private:
    int draw(int modulus);

    const ReviewData& m_data;
    RandomSource& m_random;
    int m_days = 0;
    int m_arranged = 0;
    int m_abandoned = 0;
};

} // namespace timetable
