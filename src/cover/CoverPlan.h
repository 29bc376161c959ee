// A cover plan: who is away, from which date to which, for what (事  假, 公  假 or 缺  勤),
// and every lesson of the term timetable the teacher misses then, each with its substitute,
// or a swap (调课: the lesson exchanged with another lesson of its class in the same week,
// whose teacher takes this one), or neither (nobody found: written uncovered). The digest
// of the timetable the plan was made on tells, at apply, whether the timetable changed
// since. Plain data; text UTF-8.
#pragma once

#include "core/DateTime.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cover {

// The categories a cover plan is made for, as the attendance records store them.
inline constexpr std::array<std::string_view, 3> kCoverCategories = {"事  假", "公  假", "缺  勤"};

// The lesson a missed one is exchanged with: the absent teacher gives that one instead.
struct Swap {
    school::DateTime date{};
    int day = 0;           // 0..4
    int period = 0;        // 1..7
    std::string teacher{}; // who takes the missed lesson
    std::string course{};  // of the lesson exchanged with
    friend bool operator==(const Swap&, const Swap&) = default;
};

struct CoverLesson {
    school::DateTime date{};
    int week = 0;
    int day = 0;    // 0..4
    int period = 0; // 1..7
    std::string className{};
    std::string course{};
    std::string substitute{}; // empty: nobody (or a swap)
    std::optional<Swap> swap{};

    bool uncovered() const { return substitute.empty() && !swap; }
    friend bool operator==(const CoverLesson&, const CoverLesson&) = default;
};

struct CoverRequest {
    std::string teacher{};
    school::DateTime from{};
    school::DateTime to{};
    std::string category{};
    friend bool operator==(const CoverRequest&, const CoverRequest&) = default;
};

struct CoverPlan {
    CoverRequest request{};
    std::vector<CoverLesson> lessons{}; // by date, period and class
    std::string timetableDigest{};
    bool applied = false;
    friend bool operator==(const CoverPlan&, const CoverPlan&) = default;
};

} // namespace cover
