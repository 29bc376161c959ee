// The search over a Problem: every arranged class's week is a permutation of its lessons,
// its free periods and its fixed cells, so exchanging two movable cells of one class keeps
// every weekly count. The state keeps incremental counts (teacher per cell and per day,
// lessons of a group per day, resource per cell) and the rules they break, each in a set to
// draw from, so a step costs a few dozen comparisons.
//
// A run: a greedy start (the double periods first, then the groups of the most loaded
// teachers, each lesson into the cheapest free cell of its class), then tabu search: draw a
// broken rule, one of its movable cells, and take the best exchange of that cell within its
// class (or the best new place of the double). When no exchange wins for a teacher clash or
// a period 1-2 cell without a main course, a Kempe chain between the two periods is tried:
// the exchange is repeated in every class where it brings a teacher into a period that class
// already holds the teacher in, so no new clash arises. A stalled trajectory is shaken by a
// few random exchanges, and after a longer stall started afresh; the best timetable over all
// of them is kept. Hard breaks weigh more than any single step can win on periods 1-2, so
// the soft rule is only ever bought with hard-neutral steps. The search ends when no hard
// break is left and periods 1-2 reach their proven lower bound (EarlyBound.h), or when a
// stall that grows with the number of classes brings no gain.
//
// What it minimises where the counted causes say the school cannot be solved: the number of
// hard breaks, each teacher clash, day overload, spread unit, preset or plan cell taken,
// missing double and lesson over a resource's limit counting one, except that a resource
// whose limit leaves it k lessons short (Causes.h, resourceRoom) has its first k overruns
// counted as given. So a school short by k lessons of one resource ends with k overruns of
// that resource and nothing else broken wherever such a timetable exists; other causes (a
// teacher with more lessons than periods, a day too full) leave the breaks they force
// counted as any other, and the search keeps the timetable with fewest.
//
// The week's shape is the problem's (WeekShape): the term's five days of seven periods, or the
// review days of four cells each (ReviewProblem); a day is a run of cells, and the rules that
// count by day (teacher loads, spreads) count over it.
//
// Deterministic: the same problem and seed give the same steps; only the stop rule reads
// the clock (and the caller's keepGoing), and only every few hundred steps.
#pragma once

#include "optimise/KeySet.h"
#include "optimise/Problem.h"
#include "timetable/RandomSource.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace optimise {

class Search {
public:
    struct Limits {
        std::chrono::steady_clock::time_point deadline;
        std::function<bool()> keepGoing;
        // Stop once this many steps bring nothing better (the problem is known to be
        // infeasible). 0 = never.
        long long stallSteps = 0;
    };

    Search(const Problem& problem, std::uint64_t seed);

    // A seed from a handful of draws of the caller's random source.
    static std::uint64_t seedFrom(timetable::RandomSource& random);
    // The limits of a run started at `start` with a time limit in seconds (at most a million,
    // so the deadline cannot overflow the clock); a problem known to be infeasible is worth
    // a short search for its best timetable, not the whole limit.
    static Limits limitsFor(std::chrono::steady_clock::time_point start, double seconds,
                            std::function<bool()> keepGoing, bool infeasible);

    void construct();
    // Instead of construct(): starts from the arranged classes' weeks as the request holds
    // them (each class found by the name in its slot 0; a text that is none of the class's
    // teachers counts as a free period), with the double where two 语文 lessons stand at a
    // start it may take. For weighing exchanges on a timetable being edited.
    void adopt();
    // The class of the arranged grade whose slot 0 at that position names it, or -1.
    int classAt(int grade, int position) const;
    // Whether cell a of the class may take part in an exchange (movable, not a half of the
    // double), and the change of the weighted cost of the rules if cells a and b exchanged
    // their contents (below 0: better), as the search itself weighs its steps.
    bool canExchange(int cls, int cell) const { return exchangeable(cls, cell); }
    int exchangeCost(int cls, int a, int b) const { return exchangeDelta(cls, a, b); }
    // Searches until nothing is left to win, a limit is reached or keepGoing says stop; the
    // best timetable found is then the current one.
    void run(const Limits& limits);

    int hardViolations() const { return m_hard; }
    int earlyMisses() const { return m_soft; }
    // What periods 1-2 can at best reach: the proven lower bound of EarlyBound.h.
    int earlyMissesFloor() const;
    bool cancelled() const { return m_cancelled; }
    long long steps() const { return m_steps; }

    // What cell 0..shape().cells()-1 of class 0..classes()-1 holds: a group index, or a
    // Content value below 0.
    int lessonAt(int cls, int cell) const { return content(cls, cell); }

    // The whole school with the arranged weeks written in (a problem of the term's week).
    school::SchoolTimetable timetable() const;
    // The hard rules still broken, in Chinese, over the given result of timetable().
    std::vector<std::string> violations(const school::SchoolTimetable& result) const;

private:
    using Cells = std::vector<std::int16_t>;

    // A step taken, to be taken back: an exchange of cells a and b, or (a < 0) the class's
    // double moved away from start b.
    struct Move {
        int cls;
        int a;
        int b;
    };
    using Moves = std::vector<Move>;

    struct Snapshot {
        Cells cells;
        std::vector<std::int8_t> doubles;
        int hard = 0;
        int soft = 0;
    };

    static constexpr int kHardWeight = 4; // above the largest gain on periods 1-2 in one step

    std::size_t index(int cls, int cell) const {
        return static_cast<std::size_t>(cls * m_cellCount + cell);
    }
    int content(int cls, int cell) const { return m_cells[index(cls, cell)]; }
    int dayOfCell(int cell) const { return m_cellDay[static_cast<std::size_t>(cell)]; }
    CellMask doublePair(int cls) const;
    bool exchangeable(int cls, int cell) const;

    // Rule penalties, from the counts as they stand.
    int spreadPenalty(int group, int day) const;
    int spreadUnits(int group, int day) const;
    bool forbiddenAt(int group, int cell) const;
    // The change of the hard count if the resource ran over by `units` more (a short
    // resource's first overruns count nothing); whether a short resource's overruns are all
    // forced (no more than its shortfall).
    int overrunChange(int resource, int units) const;
    bool forced(int resource) const;
    bool missAt(int cls, int cell, int what) const;

    // State changes, keeping every count, penalty and set up to date.
    void countLesson(int cell, int group, int sign);
    void setCell(int cls, int cell, int what);
    void exchange(int cls, int a, int b);
    void setDouble(int cls, int start);
    void rebuild(const Cells& cells, const std::vector<std::int8_t>& doubles);

    // Moves.
    int exchangeDelta(int cls, int a, int b) const;
    bool stepFrom(int cls, int cell);
    bool relocateDouble(int cls, int start, Moves& done);
    bool stepDouble(int cls);
    bool kempeChain(int cls, int a, int b, Moves& done);
    bool stepKempe(int cls, int cell, CellMask towards);
    void undo(Moves& done);
    bool pickCell(int& cls, int& cell);
    void shake();
    void restart();

    int total() const { return m_hard * kHardWeight + m_soft; }
    void keepIfBest();
    std::uint64_t nextRandom();
    int below(int n);

    // Construction.
    int placementScore(int cls, int cell, int group) const;

    const Problem& m_problem;
    std::uint64_t m_random;
    WeekShape m_shape;
    int m_cellCount = kCells;
    int m_dayCount = school::kDays;
    std::array<std::uint8_t, kMaxCells> m_cellDay{}; // the inner loop's cell -> day
    int m_classCount = 0;
    int m_teacherCount = 0;
    int m_groupCount = 0;
    int m_resourceCount = 0;

    // Read-only copies, laid out for the inner loop.
    std::vector<int> m_groupTeacher, m_groupClass, m_groupResource, m_groupLow, m_groupHigh,
        m_groupDoubleCap;
    std::vector<std::uint8_t> m_groupMain, m_groupChinese;
    std::vector<CellMask> m_groupForbidden;
    std::vector<CellMask> m_movable, m_early, m_doubleStarts;
    std::vector<int> m_teacherLimit, m_resourceLimit;
    std::vector<int> m_resourceSpare;  // overrun units a short resource cannot avoid
    std::vector<int> m_shortResources; // those with a spare above 0
    std::vector<std::vector<int>> m_resourceGroups;

    // The state.
    Cells m_cells;
    std::vector<std::int8_t> m_double; // start cell of each class's double, or -1
    std::vector<std::uint8_t> m_occupancy, m_load, m_groupDay, m_use;
    int m_hard = 0;
    int m_soft = 0;
    mutable int m_softFloor = -1;    // earlyMissesFloor(), once counted
    std::vector<int> m_overrunUnits; // per resource: lessons over its limit, all cells
    std::vector<int> m_overrunKeys;  // per resource: its cells over the limit
    KeySet m_clashes, m_overloads, m_spreads, m_overruns, m_forbidden, m_noDouble, m_misses;

    // Tabu: the content that last left a cell may not come back before the step given.
    std::vector<std::int16_t> m_tabuWhat;
    std::vector<long long> m_tabuUntil;

    Cells m_empty; // the fixed cells alone, every movable one free
    Snapshot m_best;
    long long m_steps = 0;
    long long m_lastBest = 0;
    // The current trajectory (since the last fresh start): its best and when it was reached.
    int m_trackHard = 0;
    int m_trackSoft = 0;
    long long m_trackSince = 0;
    bool m_cancelled = false;
    std::vector<int> m_scratch;
};

} // namespace optimise
