// A generated school of 6 grades × 20 classes for the benchmarks: 11 courses per class
// (main courses 语文 数学 英语 物理 first), 28 to 31 lessons a week, each teacher taking the
// same course in two neighbouring classes, two unified slots per grade, two limited
// resources, presets for every seventh teacher; every grade arranged once, so that clashes
// and day loads across grades are real.
#pragma once

#include "core/SchoolTimetable.h"
#include "timetable/AutoOrderData.h"
#include "timetable/RandomSource.h"

#include <cstdint>

namespace bench {

class Lcg final : public timetable::RandomSource {
public:
    explicit Lcg(std::uint64_t seed) : m_state(seed) {}
    int next() override {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((m_state >> 33) & 0x7fffffffu);
    }

private:
    std::uint64_t m_state;
};

struct School {
    timetable::AutoOrderData data;
    school::SchoolTimetable timetable;
};

// Built once, on first use.
const School& school20();

} // namespace bench
