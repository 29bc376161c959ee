// A proven lower bound on the periods 1-2 cells of the arranged classes that hold no main
// course, whatever timetable the search returns. It is the largest of three counts, each of
// which no timetable keeping the hard rules can beat:
//
// - Locked early cells without a main course stay so.
// - The main lessons that can reach the movable early cells, as a maximum flow (a relaxation
//   of the timetable, so its value is at least the number of early cells any timetable fills
//   with a main course):
//     source -> main group (its movable lessons)
//            -> group and day (the spread's upper bound; one more where the 语文 double may
//               touch an early cell)
//            -> teacher and day (the day limit less the lessons other grades and locks give)
//            -> teacher and early cell (1: a teacher is in one class a period; only where no
//               preset or fixed lesson holds the teacher)
//            -> class and early cell (1; only where the teacher has a main group in that class
//               that may stand there) -> sink.
//   The flow may carry one class's group to another class of the same teacher; that only
//   loosens the relaxation. Every early cell the flow cannot fill is a miss.
// - Lessons of a subject resource that its limit cannot take in periods 3-7 must stand in
//   periods 1-2, less the main lessons among them (not for a resource short in the whole
//   week: its lessons run over the limit, and may do so in periods 3-7).
//
// Counted on the problem alone, before any search; a problem of another week shape (the
// review days) is counted over its own early cells and days.
#pragma once

#include "optimise/Problem.h"

namespace optimise {

struct EarlyBound {
    int locked = 0;   // locked early cells without a main course
    int flow = 0;     // movable early cells no main lesson can reach
    int resource = 0; // early cells forced on non-main resource lessons
    int total() const { return locked + (flow > resource ? flow : resource); }
};

EarlyBound earlyBound(const Problem& problem);

} // namespace optimise
