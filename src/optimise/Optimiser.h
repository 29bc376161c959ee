// The clash-free arrangement: arranges one grade around the others, or several grades (the
// whole school) together, so that no hard rule of the arrangement is broken, and keeps the
// main courses in periods 1 and 2 wherever it can. Pure C++ over the same SchoolTimetable and
// loaded lists as the faithful engine (AutoOrder), with the random source injected; no Qt, no
// database, no globals, so it may run on a worker thread.
//
// Hard rules of a solved result, over the arranged grades and everything they meet:
// - every arranged class holds each of its teachers' weekly counts; a class is arranged when
//   it has a plan and its weekly total with the grade's unified slots lies in 15..35, as the
//   engine has it (the others are named in `causes`);
// - no teacher is in two classes in one period, anywhere in the school;
// - teacher presets are respected and unified slots stay free;
// - a teacher's day holds at most dayLimit(weeklyLoad) lessons (TimetableRules.h);
// - a class's lessons of one teacher spread over the days: no day holds more than one more
//   than another, the 语文 double counting as one, and the double's day is never the day
//   holding the extra lesson;
// - 语文 with a weekly count of 2 or more (the class's first 语文 entry) has one double
//   period starting at period 3, 5 or 6, at the starts the engine's draw can produce;
// - subject resources of courseshare are never over their limit in any period;
// - the plan's ranges are honoured: a class's lessons of a teacher who gives the range's
//   course in that class stay out of it;
// - locked cells keep their text.
// Soft: periods 1 and 2 hold a main course (a teacher of the class's first four entries).
//
// Breaks among cells the optimiser may not change (the other grades between themselves) are
// not its business and never count; breaks that locked cells bring with them are causes.
// Locks name cells as they stand in the request (grade, position, day, period); the class of
// a position is the one named in its slot 0.
#pragma once

#include "core/SchoolTimetable.h"
#include "timetable/AutoOrderData.h"
#include "timetable/RandomSource.h"

#include <functional>
#include <string>
#include <vector>

namespace optimise {

// grade 0..5, class position 0..19 as it stands in the SchoolTimetable (slot 0 names the
// class), day 0..4, period 1..7.
struct CellRef {
    int grade = 0;
    int position = 0;
    int day = 0;
    int period = 0;
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

// An orderplan row: days 1..7 (0 unset), periods 1..7 (0 unset). A bound left unset takes the
// other bound; both unset cover every day (or period); Saturday and Sunday lie outside the
// week; a range given backwards covers the same days or periods as forwards.
struct PlanRange {
    std::string className;
    std::string course;
    int firstDay = 0, lastDay = 0, firstPeriod = 0, lastPeriod = 0;
    friend bool operator==(const PlanRange&, const PlanRange&) = default;
};

struct Request {
    // The whole school in teacher names (callers convert course-view grades with
    // timetable::inTeacherNames first).
    school::SchoolTimetable timetable;
    std::vector<int> grades;     // grades to arrange (0..5); the other grades stay as they are
    std::vector<CellRef> locked; // cells kept exactly as they are
    std::vector<PlanRange> plan; // the arrangement plan's exclusion ranges
    double timeLimitSeconds = 10.0;
    // Polled now and then (may be empty); false = cancel: stop and return the best found,
    // cancelled = true. Called from the thread running optimise().
    std::function<bool()> keepGoing;
};

struct Outcome {
    // The whole school; arranged grades laid out as the engine lays them out (arranged
    // classes from position 0 in class order, slot 0 = class name on all five days, unified
    // slots and free periods empty).
    school::SchoolTimetable timetable;
    bool solved = false; // every hard rule holds and nothing stood in the way
    bool cancelled = false;
    // Infeasibility found before searching, in Chinese, each naming the teacher, class or
    // course concerned.
    std::vector<std::string> causes;
    // Hard violations left when not solved, in Chinese.
    std::vector<std::string> violations;
    int earlyMisses = 0;      // periods 1-2 of arranged classes without a main course
    int earlyMissesBound = 0; // what no timetable can go below (EarlyBound.h)
    double seconds = 0;
    long long iterations = 0; // search steps taken (same seed and data: same count)
};

// Draws its seed from `random` (a handful of draws), then never touches it again.
Outcome optimise(const timetable::AutoOrderData& data, const Request& request,
                 timetable::RandomSource& random);

} // namespace optimise
