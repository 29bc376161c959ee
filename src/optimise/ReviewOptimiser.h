// The clash-free review arrangement: one grade's review timetable over the review plan's days,
// with the review rules as ReviewOrder applies them and no teacher in two classes at once.
// Pure C++ over ReviewData (the review plan and the class courses), with the random source
// injected; no Qt, no database, so it may run on a worker thread.
//
// Rules of a solved result:
// - the classes ReviewOrder arranges are arranged (a plan of 1..10 days, a class with at least
//   15 review periods), each from position 0 in class order with its name in slot 0 of the
//   review days;
// - every review lesson of every entry is placed: a course of n review periods has n / 2 double
//   periods at periods 1-2, 3-4 or 5-6 and, when n is odd, one lesson alone in period 7; the
//   doubles a class has no double periods left for (more than three a day) become two period-7
//   lessons each, from the last entries on, as ReviewOrder puts every lesson in period 7 once
//   its doubles no longer find room;
// - no teacher stands in two classes of the grade in one period;
// - a class's double periods of one teacher spread over the days (no day holds more than one
//   more than another), and so do its period-7 lessons of one teacher.
// A plan of more than ten days is taken as ten days, as ReviewOrder takes it.
#pragma once

#include "core/SchoolTimetable.h"
#include "timetable/RandomSource.h"
#include "timetable/ReviewOrder.h"

#include <functional>
#include <string>
#include <vector>

namespace optimise {

struct ReviewRequest {
    double timeLimitSeconds = 10.0;
    // Polled now and then (may be empty); false = cancel: stop and return the best found,
    // cancelled = true. Called from the thread running optimiseReview().
    std::function<bool()> keepGoing;
};

struct ReviewOutcome {
    // The grade of the data arranged; every other grade empty.
    school::ReviewTimetable timetable;
    int days = 0;     // the review days arranged, 0..10
    int arranged = 0; // classes given a review week
    bool solved = false;
    bool cancelled = false;
    // Infeasibility found before searching, in Chinese, naming the class, teacher or grade.
    std::vector<std::string> causes;
    // Rules still broken when not solved, in Chinese.
    std::vector<std::string> violations;
    double seconds = 0;
    long long iterations = 0;
};

// Draws its seed from `random` (a handful of draws), then never touches it again.
ReviewOutcome optimiseReview(const timetable::ReviewData& data, const ReviewRequest& request,
                             timetable::RandomSource& random);

} // namespace optimise
