// Small types shared by the arrangement engine, its wrappers and its tests.
#pragma once

#include <cstdint>

namespace timetable {

inline constexpr int kPlacementAttempts = 100000; // failed draws in a row for one lesson
inline constexpr int kDayDraws = 10000;           // draws of one kind in the double period

// (r × factor) mod m as the formulas mean it: in 64 bits, since r goes up to 2^31 − 1 and
// the product overflows a 32-bit int.
inline int scaledValue(int r, int factor, int m) {
    return static_cast<int>(static_cast<std::int64_t>(r) * factor % m);
}

struct RuleVerdicts {
    bool dayLoad = false;   // too many lessons of the teacher on the day, over all grades
    bool spread = false;    // the teacher's lessons of the class pile up on the day
    bool clash = false;     // the teacher holds the same period in another class
    bool mainFirst = false; // period 1 or 2 without a main course
    bool preset = false;    // a period the teacher's preset keeps free
    bool any() const { return dayLoad || spread || clash || mainFirst || preset; }
};

// How far arrange() goes: tests look at the timetable after each step.
enum class Stage { Placement, DoublePeriod, Complete };

struct RunStats {
    int arrangedCount = 0;
    int passes = 0;
    int unresolved = 0;
    int abandonedPlacements = 0; // classes whose placement hit the bound
};

} // namespace timetable
