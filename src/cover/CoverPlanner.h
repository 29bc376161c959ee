// CoverPlanner: the plan for an absence over a school (CoverSchool.h). Pure C++.
//
// plan() lists the lessons the teacher misses: every lesson of the term timetable he gives
// on a school day (Monday to Friday) from the first date to the last, by date, period and
// class, the date's week and weekday from the Monday of week 1. It refuses, with the text to
// show: a teacher not on the roster, a category other than 事  假, 公  假 and 缺  勤, a date
// that is no date, a first date after the last, no Monday of week 1 in the settings, a date
// before week 1 or after week 60, a timetable without any lesson, and a teacher without any
// lesson in the range ("…没有课").
//
// candidates() ranks who can cover one lesson: the substitution candidates' own ranking
// (attendance/SubstituteCandidates.h: free then, no preset, within the day load; same subject
// first), less everyone already taken in that period, by this plan (another lesson's
// substitute, or the teacher a swap moves there) or by an [attendance] record of that date
// and period (a substitute there, or a leave of his own), less whoever would go over his day load
// with the covers he already takes that day, and, within each subject group, those with fewer
// covers this term (weeks 1 to 25: the records naming them as substitute, then this plan's other
// lessons) first; the existing order breaks ties.
//
// swaps() lists the lessons a missed one can be exchanged with (调课): another lesson of the
// same class in the same week, on a school day the absent teacher is not away, whose teacher
// is someone else, present and not taken in the missed period, where the exchange breaks no
// rule of the timetable (TimetableRules.h): neither teacher then holds another class in the
// period he moves to, nor has a preset there, nor goes over his day load, and no subject
// resource runs further over its limit in either period. An absence takes whole days, so a
// lesson of the same day is never offered: the absent teacher would miss that one instead.
// The term timetable is never changed.
//
// assignFirst() gives each lesson without a substitute or swap its first candidate, lesson by
// lesson, so nobody is given two classes at once and the covers spread. conflicts() names the
// lessons whose substitute or swap no longer holds on this school (re-checked at apply).
//
// The records a plan owns in [attendance] are those of its teacher (his roster name, or its
// first 6 bytes) at the date, period and class of one of its lessons. A recorded name stands
// for every roster teacher it is the name or the first 6 bytes of: when two share those
// bytes, both count as taken.
#pragma once

#include "attendance/SubstituteCandidates.h"
#include "cover/CoverCalendar.h"
#include "cover/CoverPlan.h"
#include "cover/CoverSchool.h"

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace cover {

struct CoverChoice {
    attendance::Candidate candidate{};
    int termCovers = 0;
    // "同科 · 当天1节 · 本周3节 · 本学期代课 3 节"
    std::string reason() const;
    friend bool operator==(const CoverChoice&, const CoverChoice&) = default;
};

// "9月9日 星期一 第三节 初一⑴"
std::string lessonLabel(const CoverLesson& lesson);
// "调课：与 9月12日 星期四 第五节 物理（赵敏）对调"
std::string swapText(const Swap& swap);

class CoverPlanner {
public:
    explicit CoverPlanner(CoverSchool school);

    const CoverSchool& school() const { return m_school; }
    const attendance::SubstituteCandidates& substitutes() const { return m_candidates; }

    struct Made {
        std::optional<CoverPlan> plan;
        std::string refusal; // what to tell the user when there is no plan
    };
    Made plan(const CoverRequest& request) const;
    // The same from the texts typed: the teacher, the dates ("2024-09-09"; an empty last
    // date is the first) and the category ("事  假" or "事假").
    Made plan(std::string_view teacher, std::string_view from, std::string_view to,
              std::string_view category) const;

    std::vector<CoverChoice> candidates(const CoverPlan& plan, std::size_t lesson) const;
    std::vector<Swap> swaps(const CoverPlan& plan, std::size_t lesson) const;
    void assignFirst(CoverPlan& plan) const;
    // "9月9日 星期一 第三节 初一⑴：李娜 已不能代课", one a lesson.
    std::vector<std::string> conflicts(const CoverPlan& plan) const;

    bool owns(const CoverPlan& plan, const store::AttendanceRow& record) const;
    // Covers this term of a teacher: the records not owned by the plan, then the plan's
    // lessons other than `except`.
    int termCovers(const CoverPlan& plan, std::size_t except, const std::string& teacher) const;

private:
    std::optional<CoverCalendar> calendar() const;
    // Whether a name in a record stands for the teacher: his name, or the first 6 bytes of it
    // the attendance form keeps.
    static bool recordNames(std::string_view recorded, const std::string& teacher);
    // Every roster teacher a recorded name stands for (two, when they share the shown bytes),
    // or the name itself.
    void addNamed(std::set<std::string>& names, std::string_view recorded) const;
    // Who is taken at a date and period, leaving out lesson `except` of the plan.
    std::set<std::string> taken(const CoverPlan& plan, std::size_t except,
                                const school::DateTime& date, int period) const;
    bool absentOn(const CoverPlan& plan, const school::DateTime& date) const;
    // The lessons a teacher takes over on a date, by the plan (leaving out `except`) and by
    // the records it does not own.
    int coversOn(const CoverPlan& plan, std::size_t except, const school::DateTime& date,
                 const std::string& teacher) const;
    bool cleanSwap(const CoverLesson& lesson, const std::string& absent, int grade, int position,
                   int day, int period, const std::string& other,
                   school::SchoolTimetable& courses) const;

    CoverSchool m_school;
    attendance::SubstituteCandidates m_candidates;
    school::SchoolTimetable m_teachers; // in teacher names
    school::SchoolTimetable m_courses;  // in course names
};

} // namespace cover
