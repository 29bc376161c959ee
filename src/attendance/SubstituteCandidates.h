// SubstituteCandidates: who can take over a lesson a teacher misses. For an absence (a
// teacher, a weekday, a teaching period and maybe a class) it ranks the roster's teachers who
//   - are free then: no lesson in that period on that day anywhere in the school timetable
//     (table [gradelesson], every grade read in teacher names),
//   - have no preset (不排) on that period ([lessonprearrange]), and
//   - stay within the day load the arrangement allows (4 lessons, or 5 from 20 weekly
//     lessons in [classcourse]) when they take one more lesson that day.
// The same rules as the grade timetable's (arrange/TimetableRules.h).
//
// Rank: first the teachers of the absent teacher's subject in the class's grade ("同科"), then
// the teachers of that subject in other grades ("外年段同科"), then the rest; within each group
// fewer lessons that day, then fewer lessons that week (counted in the timetable); ties keep
// roster order.
//
// The subject is the course of the absent teacher's entry in the class's plan
// ([classcourse]); without one in that class, the teacher's first entry in the class's grade,
// then anywhere; without any plan entry, the first subject that [courseteacher] lists the
// teacher for. A candidate teaches the subject in the grade when the grade's plan has him
// teaching it, or, while the grade's plan names nobody for it, when [courseteacher] lists him
// for it; he teaches it in other grades when another grade's plan has him teaching it or
// [courseteacher] lists him. While the class is unknown every grade counts as the class's.
// Without a class the absence's class is the one the absent teacher teaches in
// that period in the timetable. Pure C++ apart from load(); text is UTF-8.
#pragma once

#include "core/SchoolTimetable.h"
#include "store/CCTRecord.h"
#include "timetable/AutoOrderData.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace attendance {

// How a candidate's subjects meet the absent teacher's, best first.
enum class SubjectMatch { InGrade, OtherGrade, None };

struct Candidate {
    std::string teacher{};
    SubjectMatch subject = SubjectMatch::None;
    int lessonsToday = 0;
    int lessonsThisWeek = 0;

    // "同科 · 当天2节 · 本周14节", "外年段同科 · …", or without a prefix for another subject.
    std::string reason() const;
    friend bool operator==(const Candidate&, const Candidate&) = default;
};

struct Absence {
    std::string teacher{};   // a roster name, or its first 6 bytes as the attendance form shows it
    int day = 0;             // 0..4, Monday..Friday
    int period = 0;          // 1..7
    std::string className{}; // "初一⑶"; empty: the class the teacher teaches then
};

class SubstituteCandidates {
public:
    SubstituteCandidates() = default;
    // roster in table order; timetable in teacher or course names.
    SubstituteCandidates(std::vector<std::string> roster, timetable::AutoOrderData data,
                         const school::SchoolTimetable& timetable,
                         std::vector<store::CourseteacherRow> courseTeachers);

    // Reads [teachername], the arrangement's lists, [gradelesson] and [courseteacher]; throws
    // store::DbError when one of them cannot be read.
    static SubstituteCandidates load();
    // The roster as load() takes it: the names of [teachername] that name a teacher, in
    // table order.
    static std::vector<std::string> readRoster();

    // The roster name a text names: the name itself, or the one roster name whose first
    // 6 bytes it is.
    std::optional<std::string> rosterName(std::string_view name) const;
    // The class of the absence: the one given when it is a class name, else the first class
    // the teacher teaches in that period; empty when there is none.
    std::string lessonClass(const Absence& absence) const;
    // The absent teacher's subject, or empty.
    std::string subject(const Absence& absence) const;

    // The teachers who can cover the absence, best first. Empty for a teacher not in the
    // roster, a day or period out of range, or a school timetable without any lesson (nobody
    // can be judged free then).
    std::vector<Candidate> rank(const Absence& absence) const;
    // Whether the school timetable holds any lesson at all.
    bool anyLesson() const { return m_arranged; }
    // Whether the teacher (a roster name or its shown 6 bytes) has a lesson in that period.
    bool busy(std::string_view teacher, int day, int period) const;

private:
    bool plans(std::string_view teacher, const std::string& subject,
               std::optional<int> grade) const;
    bool listed(std::string_view teacher, const std::string& subject) const;
    SubjectMatch match(std::string_view teacher, const std::string& subject,
                       std::optional<int> grade) const;

    std::vector<std::string> m_roster;
    timetable::AutoOrderData m_data;
    school::SchoolTimetable m_timetable; // in teacher names
    bool m_arranged = false;             // the timetable holds a lesson
    std::vector<store::CourseteacherRow> m_courseTeachers;
};

} // namespace attendance
