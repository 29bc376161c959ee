#include "optimise/Search.h"

#include "optimise/Causes.h"
#include "optimise/EarlyBound.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstddef>
#include <numeric>
#include <utility>

namespace optimise {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// A cell's content may not come back for kTenure.. kTenure + kTenureSpread - 1 steps.
constexpr int kTenure = 6;
constexpr int kTenureSpread = 10;
// While hard rules are broken, one step in kSoftTurn works on periods 1-2 all the same.
constexpr int kSoftTurn = 8;
// A Kempe chain longer than this is given up (it would rearrange half the school).
constexpr std::size_t kLongestChain = 24;

std::string where(int cell) {
    return std::string(school::kDayNames[at(dayOf(cell))]) + ' ' +
           std::string(school::kPeriodNames[at(periodOf(cell) - 1)]);
}

} // namespace

Search::Search(const Problem& problem, std::uint64_t seed)
    : m_problem(problem), m_random(seed | 1), m_shape(problem.shape()),
      m_cellCount(m_shape.cells()), m_dayCount(m_shape.days) {
    for (int cell = 0; cell < m_cellCount; ++cell) {
        m_cellDay[at(cell)] = static_cast<std::uint8_t>(m_shape.dayOf(cell));
    }
    const auto& classes = problem.classes();
    const auto& groups = problem.groups();
    m_classCount = static_cast<int>(classes.size());
    m_teacherCount = static_cast<int>(problem.teachers().size());
    m_groupCount = static_cast<int>(groups.size());
    m_resourceCount = static_cast<int>(problem.resources().size());
    for (const Group& g : groups) {
        m_groupTeacher.push_back(g.teacher);
        m_groupClass.push_back(g.cls);
        m_groupResource.push_back(g.resource);
        m_groupLow.push_back(g.low);
        m_groupHigh.push_back(g.high);
        // The double's day holds no single unless every other day holds as many.
        m_groupDoubleCap.push_back(std::max(1, g.low));
        m_groupMain.push_back(g.main ? 1 : 0);
        m_groupChinese.push_back(g.chinese ? 1 : 0);
        m_groupForbidden.push_back(g.forbidden);
    }
    for (const ClassModel& c : classes) {
        m_movable.push_back(c.movable);
        m_early.push_back(c.early);
        m_doubleStarts.push_back(c.doubleStarts);
    }
    for (const Teacher& t : problem.teachers()) {
        m_teacherLimit.push_back(t.limit);
    }
    m_resourceGroups.resize(at(m_resourceCount));
    for (const Resource& r : problem.resources()) {
        m_resourceLimit.push_back(r.limit);
    }
    // A resource its limit leaves short by k lessons must run over by k: so many overruns
    // are taken as given, and only those beyond them count.
    for (int r = 0; r < m_resourceCount; ++r) {
        const ResourceRoom room = resourceRoom(problem, r);
        m_resourceSpare.push_back(std::max(0, room.lessons - room.room));
        if (m_resourceSpare.back() > 0) {
            m_shortResources.push_back(r);
        }
    }
    for (int g = 0; g < m_groupCount; ++g) {
        if (m_groupResource[at(g)] >= 0) {
            m_resourceGroups[at(m_groupResource[at(g)])].push_back(g);
        }
    }

    Cells cells(at(m_classCount * m_cellCount), kFree);
    for (int k = 0; k < m_classCount; ++k) {
        for (int cell = 0; cell < m_cellCount; ++cell) {
            if ((m_movable[at(k)] & bit(cell)) == 0) {
                cells[index(k, cell)] = classes[at(k)].fixed[at(cell)];
            }
        }
    }
    m_empty = cells;
    m_tabuWhat.assign(cells.size(), kFree);
    m_tabuUntil.assign(cells.size(), 0);
    rebuild(cells, std::vector<std::int8_t>(at(m_classCount), -1));
}

int Search::earlyMissesFloor() const {
    // A timetable breaking nothing with no miss proves the bound 0; otherwise it is counted,
    // once, when first asked (a school solved outright never builds the flow).
    if (m_softFloor < 0) {
        m_softFloor = m_hard == 0 && m_soft == 0 ? 0 : earlyBound(m_problem).total();
    }
    return m_softFloor;
}

std::uint64_t Search::seedFrom(timetable::RandomSource& random) {
    std::uint64_t seed = 0;
    for (int i = 0; i < 3; ++i) {
        seed = seed << 31 ^ static_cast<std::uint64_t>(random.next());
    }
    return seed;
}

Search::Limits Search::limitsFor(std::chrono::steady_clock::time_point start, double seconds,
                                 std::function<bool()> keepGoing, bool infeasible) {
    using Clock = std::chrono::steady_clock;
    const auto limit = std::chrono::duration<double>(seconds > 0 ? std::min(seconds, 1e6) : 0.0);
    Limits limits;
    limits.deadline = start + std::chrono::duration_cast<Clock::duration>(limit);
    limits.keepGoing = std::move(keepGoing);
    limits.stallSteps = infeasible ? 20000 : 0;
    return limits;
}

std::uint64_t Search::nextRandom() {
    // xorshift64*
    m_random ^= m_random >> 12;
    m_random ^= m_random << 25;
    m_random ^= m_random >> 27;
    return m_random * 0x2545F4914F6CDD1DULL;
}

int Search::below(int n) {
    return static_cast<int>((nextRandom() >> 33) % static_cast<std::uint64_t>(n));
}

CellMask Search::doublePair(int cls) const {
    const int start = m_double[at(cls)];
    return start < 0 ? 0 : (bit(start) | bit(start + 1));
}

bool Search::exchangeable(int cls, int cell) const {
    return ((m_movable[at(cls)] & ~doublePair(cls)) & bit(cell)) != 0;
}

int Search::spreadUnits(int group, int day) const {
    const int start = m_double[at(m_groupClass[at(group)])];
    const bool doubleDay = m_groupChinese[at(group)] != 0 && start >= 0 && dayOfCell(start) == day;
    return m_groupDay[at(group * m_dayCount + day)] - (doubleDay ? 1 : 0);
}

int Search::spreadPenalty(int group, int day) const {
    const int start = m_double[at(m_groupClass[at(group)])];
    const bool doubleDay = m_groupChinese[at(group)] != 0 && start >= 0 && dayOfCell(start) == day;
    const int units = m_groupDay[at(group * m_dayCount + day)] - (doubleDay ? 1 : 0);
    const int low = m_groupLow[at(group)];
    const int cap = doubleDay ? m_groupDoubleCap[at(group)] : m_groupHigh[at(group)];
    return units > cap ? units - cap : (units < low ? low - units : 0);
}

bool Search::forbiddenAt(int group, int cell) const {
    return (m_groupForbidden[at(group)] & bit(cell)) != 0;
}

bool Search::missAt(int cls, int cell, int what) const {
    return (m_early[at(cls)] & bit(cell)) != 0 && !(what >= 0 && m_groupMain[at(what)] != 0);
}

void Search::countLesson(int cell, int group, int sign) {
    const int teacher = m_groupTeacher[at(group)];
    const int day = dayOfCell(cell);
    const auto& fixed = m_problem.teachers()[at(teacher)];
    {
        const int key = teacher * m_cellCount + cell;
        std::uint8_t& n = m_occupancy[at(key)];
        const int before = std::max(0, n - 1);
        n = static_cast<std::uint8_t>(n + sign);
        const int after = std::max(0, n - 1);
        m_hard += after - before;
        m_clashes.set(key, after > std::max(0, fixed.fixedOccupancy[at(cell)] - 1));
    }
    {
        const int key = teacher * m_dayCount + day;
        const int limit = m_teacherLimit[at(teacher)];
        std::uint8_t& n = m_load[at(key)];
        const int before = std::max(0, n - limit);
        n = static_cast<std::uint8_t>(n + sign);
        const int after = std::max(0, n - limit);
        m_hard += after - before;
        m_overloads.set(key, after > std::max(0, fixed.fixedLoad[at(day)] - limit));
    }
    {
        const int key = group * m_dayCount + day;
        const int before = spreadPenalty(group, day);
        m_groupDay[at(key)] = static_cast<std::uint8_t>(m_groupDay[at(key)] + sign);
        const int after = spreadPenalty(group, day);
        m_hard += after - before;
        m_spreads.set(key, after > 0);
    }
    const int resource = m_groupResource[at(group)];
    if (resource >= 0) {
        const int key = resource * m_cellCount + cell;
        const int limit = m_resourceLimit[at(resource)];
        std::uint8_t& n = m_use[at(key)];
        const int before = std::max(0, n - limit);
        n = static_cast<std::uint8_t>(n + sign);
        const int after = std::max(0, n - limit);
        const int base =
            std::max(0, m_problem.resources()[at(resource)].fixedUse[at(cell)] - limit);
        m_hard += overrunChange(resource, after - before);
        m_overrunUnits[at(resource)] += after - before;
        m_overrunKeys[at(resource)] += (after > base ? 1 : 0) - (before > base ? 1 : 0);
        m_overruns.set(key, after > base);
    }
}

int Search::overrunChange(int resource, int units) const {
    const int spare = m_resourceSpare[at(resource)];
    const int now = m_overrunUnits[at(resource)];
    return std::max(0, now + units - spare) - std::max(0, now - spare);
}

bool Search::forced(int resource) const {
    const int spare = m_resourceSpare[at(resource)];
    return spare > 0 && m_overrunUnits[at(resource)] <= spare;
}

void Search::setCell(int cls, int cell, int what) {
    const std::size_t i = index(cls, cell);
    const int old = m_cells[i];
    if (old == what) {
        return;
    }
    if (old >= 0) {
        countLesson(cell, old, -1);
        m_hard -= forbiddenAt(old, cell) ? 1 : 0;
    }
    const bool missBefore = missAt(cls, cell, old);
    m_cells[i] = static_cast<std::int16_t>(what);
    if (what >= 0) {
        countLesson(cell, what, +1);
        m_hard += forbiddenAt(what, cell) ? 1 : 0;
    }
    const int key = static_cast<int>(i);
    m_forbidden.set(key, what >= 0 && forbiddenAt(what, cell));
    const bool missAfter = missAt(cls, cell, what);
    m_soft += (missAfter ? 1 : 0) - (missBefore ? 1 : 0);
    m_misses.set(key, missAfter);
}

void Search::exchange(int cls, int a, int b) {
    const int x = content(cls, a);
    const int y = content(cls, b);
    setCell(cls, a, y);
    setCell(cls, b, x);
}

void Search::setDouble(int cls, int start) {
    const int old = m_double[at(cls)];
    const int group = m_problem.classes()[at(cls)].chinese;
    if (old == start || group < 0) {
        return;
    }
    for (int d = 0; d < m_dayCount; ++d) {
        m_hard -= spreadPenalty(group, d);
    }
    m_double[at(cls)] = static_cast<std::int8_t>(start);
    for (int d = 0; d < m_dayCount; ++d) {
        const int after = spreadPenalty(group, d);
        m_hard += after;
        m_spreads.set(group * m_dayCount + d, after > 0);
    }
    m_hard += (start < 0 ? 1 : 0) - (old < 0 ? 1 : 0);
    m_noDouble.set(cls, start < 0);
}

void Search::rebuild(const Cells& cells, const std::vector<std::int8_t>& doubles) {
    m_cells = cells;
    m_double = doubles;
    const auto& teachers = m_problem.teachers();
    m_occupancy.assign(at(m_teacherCount * m_cellCount), 0);
    m_load.assign(at(m_teacherCount * m_dayCount), 0);
    for (int t = 0; t < m_teacherCount; ++t) {
        std::copy_n(teachers[at(t)].fixedOccupancy.begin(), m_cellCount,
                    m_occupancy.begin() + t * m_cellCount);
        std::copy_n(teachers[at(t)].fixedLoad.begin(), m_dayCount, m_load.begin() + t * m_dayCount);
    }
    m_use.assign(at(m_resourceCount * m_cellCount), 0);
    for (int r = 0; r < m_resourceCount; ++r) {
        const auto& fixed = m_problem.resources()[at(r)].fixedUse;
        std::copy_n(fixed.begin(), m_cellCount, m_use.begin() + r * m_cellCount);
    }
    m_groupDay.assign(at(m_groupCount * m_dayCount), 0);
    for (int k = 0; k < m_classCount; ++k) {
        for (int cell = 0; cell < m_cellCount; ++cell) {
            const int what = content(k, cell);
            if (what < 0) {
                continue;
            }
            ++m_groupDay[at(what * m_dayCount + dayOfCell(cell))];
            if ((m_movable[at(k)] & bit(cell)) != 0) {
                const int teacher = m_groupTeacher[at(what)];
                ++m_occupancy[at(teacher * m_cellCount + cell)];
                ++m_load[at(teacher * m_dayCount + dayOfCell(cell))];
                if (m_groupResource[at(what)] >= 0) {
                    ++m_use[at(m_groupResource[at(what)] * m_cellCount + cell)];
                }
            }
        }
    }

    m_hard = 0;
    m_soft = 0;
    m_clashes.reset(m_teacherCount * m_cellCount);
    m_overloads.reset(m_teacherCount * m_dayCount);
    m_spreads.reset(m_groupCount * m_dayCount);
    m_overruns.reset(m_resourceCount * m_cellCount);
    m_forbidden.reset(m_classCount * m_cellCount);
    m_noDouble.reset(m_classCount);
    m_misses.reset(m_classCount * m_cellCount);
    for (int t = 0; t < m_teacherCount; ++t) {
        const Teacher& teacher = teachers[at(t)];
        for (int cell = 0; cell < m_cellCount; ++cell) {
            const int n = std::max(0, m_occupancy[at(t * m_cellCount + cell)] - 1) -
                          std::max(0, teacher.fixedOccupancy[at(cell)] - 1);
            m_hard += n;
            m_clashes.set(t * m_cellCount + cell, n > 0);
        }
        for (int d = 0; d < m_dayCount; ++d) {
            const int limit = m_teacherLimit[at(t)];
            const int n = std::max(0, m_load[at(t * m_dayCount + d)] - limit) -
                          std::max(0, teacher.fixedLoad[at(d)] - limit);
            m_hard += n;
            m_overloads.set(t * m_dayCount + d, n > 0);
        }
    }
    m_overrunUnits.assign(at(m_resourceCount), 0);
    m_overrunKeys.assign(at(m_resourceCount), 0);
    for (int r = 0; r < m_resourceCount; ++r) {
        const int limit = m_resourceLimit[at(r)];
        for (int cell = 0; cell < m_cellCount; ++cell) {
            const int n = std::max(0, m_use[at(r * m_cellCount + cell)] - limit) -
                          std::max(0, m_problem.resources()[at(r)].fixedUse[at(cell)] - limit);
            m_overrunUnits[at(r)] += n;
            m_overrunKeys[at(r)] += n > 0 ? 1 : 0;
            m_overruns.set(r * m_cellCount + cell, n > 0);
        }
        m_hard += std::max(0, m_overrunUnits[at(r)] - m_resourceSpare[at(r)]);
    }
    for (int g = 0; g < m_groupCount; ++g) {
        for (int d = 0; d < m_dayCount; ++d) {
            const int n = spreadPenalty(g, d);
            m_hard += n;
            m_spreads.set(g * m_dayCount + d, n > 0);
        }
    }
    for (int k = 0; k < m_classCount; ++k) {
        for (int cell = 0; cell < m_cellCount; ++cell) {
            const int what = content(k, cell);
            const int key = static_cast<int>(index(k, cell));
            const bool movable = (m_movable[at(k)] & bit(cell)) != 0;
            const bool forbidden = movable && what >= 0 && forbiddenAt(what, cell);
            m_hard += forbidden ? 1 : 0;
            m_forbidden.set(key, forbidden);
            const bool miss = missAt(k, cell, what);
            m_soft += miss ? 1 : 0;
            m_misses.set(key, miss && movable);
        }
        if (m_problem.classes()[at(k)].chinese >= 0 && m_double[at(k)] < 0) {
            ++m_hard;
            m_noDouble.set(k, true);
        }
    }
}

// The change of the weighted cost if cells a and b of the class exchanged their contents.
int Search::exchangeDelta(int cls, int a, int b) const {
    const int x = content(cls, a);
    const int y = content(cls, b);
    const int da = dayOfCell(a);
    const int db = dayOfCell(b);
    int hard = 0;
    const auto lessonMoves = [&](int group, int from, int to, int dayFrom, int dayTo) {
        const int t = m_groupTeacher[at(group)];
        hard -= m_occupancy[at(t * m_cellCount + from)] >= 2 ? 1 : 0;
        hard += m_occupancy[at(t * m_cellCount + to)] >= 1 ? 1 : 0;
        if (dayFrom != dayTo) {
            const int limit = m_teacherLimit[at(t)];
            hard -= m_load[at(t * m_dayCount + dayFrom)] > limit ? 1 : 0;
            hard += m_load[at(t * m_dayCount + dayTo)] >= limit ? 1 : 0;
            const int low = m_groupLow[at(group)];
            const int high = m_groupHigh[at(group)];
            const int start = m_double[at(cls)];
            const int doubleDay =
                m_groupChinese[at(group)] != 0 && start >= 0 ? dayOfCell(start) : -1;
            const int doubleCap = m_groupDoubleCap[at(group)];
            const auto penalty = [&](int units, int day) {
                const int cap = day == doubleDay ? doubleCap : high;
                return units > cap ? units - cap : (units < low ? low - units : 0);
            };
            const int uFrom = spreadUnits(group, dayFrom);
            const int uTo = spreadUnits(group, dayTo);
            hard += penalty(uFrom - 1, dayFrom) - penalty(uFrom, dayFrom);
            hard += penalty(uTo + 1, dayTo) - penalty(uTo, dayTo);
        }
        hard += (forbiddenAt(group, to) ? 1 : 0) - (forbiddenAt(group, from) ? 1 : 0);
    };
    if (x >= 0) {
        lessonMoves(x, a, b, da, db);
    }
    if (y >= 0) {
        lessonMoves(y, b, a, db, da);
    }
    const int rx = x >= 0 ? m_groupResource[at(x)] : -1;
    const int ry = y >= 0 ? m_groupResource[at(y)] : -1;
    if (rx != ry) {
        if (rx >= 0) {
            const int limit = m_resourceLimit[at(rx)];
            hard += overrunChange(rx, (m_use[at(rx * m_cellCount + b)] >= limit ? 1 : 0) -
                                          (m_use[at(rx * m_cellCount + a)] > limit ? 1 : 0));
        }
        if (ry >= 0) {
            const int limit = m_resourceLimit[at(ry)];
            hard += overrunChange(ry, (m_use[at(ry * m_cellCount + a)] >= limit ? 1 : 0) -
                                          (m_use[at(ry * m_cellCount + b)] > limit ? 1 : 0));
        }
    }
    const int soft = (missAt(cls, a, y) ? 1 : 0) - (missAt(cls, a, x) ? 1 : 0) +
                     (missAt(cls, b, x) ? 1 : 0) - (missAt(cls, b, y) ? 1 : 0);
    return hard * kHardWeight + soft;
}

int Search::placementScore(int cls, int cell, int group) const {
    const int t = m_groupTeacher[at(group)];
    const int day = dayOfCell(cell);
    int hard = 0;
    hard += m_occupancy[at(t * m_cellCount + cell)] >= 1 ? 1 : 0;
    hard += m_load[at(t * m_dayCount + day)] >= m_teacherLimit[at(t)] ? 1 : 0;
    const int start = m_double[at(cls)];
    const bool doubleDay = m_groupChinese[at(group)] != 0 && start >= 0 && dayOfCell(start) == day;
    const int units = spreadUnits(group, day);
    hard += units + 1 > (doubleDay ? m_groupDoubleCap[at(group)] : m_groupHigh[at(group)]) ? 1 : 0;
    const int r = m_groupResource[at(group)];
    hard += r >= 0 && m_use[at(r * m_cellCount + cell)] >= m_resourceLimit[at(r)] ? 1 : 0;
    hard += forbiddenAt(group, cell) ? 1 : 0;
    int soft = 0;
    if ((m_early[at(cls)] & bit(cell)) != 0) {
        soft = m_groupMain[at(group)] != 0 ? -2 : 2;
    }
    return hard * 16 + soft * 2 + units;
}

void Search::construct() {
    const auto& classes = m_problem.classes();
    const auto& groups = m_problem.groups();
    std::vector<int> remaining(at(m_groupCount));
    for (int g = 0; g < m_groupCount; ++g) {
        remaining[at(g)] = groups[at(g)].movable;
    }

    // Double periods.
    for (int k = 0; k < m_classCount; ++k) {
        const int g = classes[at(k)].chinese;
        if (g < 0) {
            continue;
        }
        int best = -1;
        int bestScore = INT_MAX;
        int ties = 0;
        for (CellMask starts = m_doubleStarts[at(k)]; starts != 0; starts &= starts - 1) {
            const int start = std::countr_zero(starts);
            int score = 0;
            int needed = 0;
            for (const int cell : {start, start + 1}) {
                if ((m_movable[at(k)] & bit(cell)) != 0) {
                    score += placementScore(k, cell, g);
                    ++needed;
                } else if (content(k, cell) == g) {
                    score -= 64; // a locked lesson of the double: elsewhere it stays a single
                } else {
                    score = INT_MAX;
                    break;
                }
            }
            if (score == INT_MAX || needed > remaining[at(g)]) {
                continue;
            }
            if (score < bestScore) {
                bestScore = score;
                best = start;
                ties = 1;
            } else if (score == bestScore && below(++ties) == 0) {
                best = start;
            }
        }
        if (best < 0) {
            continue;
        }
        for (const int cell : {best, best + 1}) {
            if ((m_movable[at(k)] & bit(cell)) != 0) {
                setCell(k, cell, g);
                --remaining[at(g)];
            }
        }
        setDouble(k, best);
    }

    // The other lessons, the groups of the busiest teachers first.
    std::vector<double> pressure(at(m_teacherCount), 0.0);
    for (int g = 0; g < m_groupCount; ++g) {
        pressure[at(m_groupTeacher[at(g)])] += remaining[at(g)];
    }
    for (int t = 0; t < m_teacherCount; ++t) {
        const Teacher& teacher = m_problem.teachers()[at(t)];
        int room = 0;
        for (int d = 0; d < m_dayCount; ++d) {
            int open = 0;
            for (CellMask cells = m_shape.dayCells(d); cells != 0; cells &= cells - 1) {
                const int cell = std::countr_zero(cells);
                open += (teacher.preset & bit(cell)) == 0 && teacher.fixedOccupancy[at(cell)] == 0
                            ? 1
                            : 0;
            }
            room += std::max(0, std::min(open, teacher.limit - teacher.fixedLoad[at(d)]));
        }
        pressure[at(t)] = room > 0 ? pressure[at(t)] / room : 1e9;
    }
    std::vector<int> order(at(m_groupCount));
    std::iota(order.begin(), order.end(), 0);
    std::vector<std::uint64_t> tieBreak(order.size());
    for (auto& value : tieBreak) {
        value = nextRandom();
    }
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const double pa = pressure[at(m_groupTeacher[at(a)])];
        const double pb = pressure[at(m_groupTeacher[at(b)])];
        if (pa != pb) {
            return pa > pb;
        }
        if (remaining[at(a)] != remaining[at(b)]) {
            return remaining[at(a)] > remaining[at(b)];
        }
        return tieBreak[at(a)] < tieBreak[at(b)];
    });
    for (const int g : order) {
        const int k = m_groupClass[at(g)];
        for (; remaining[at(g)] > 0; --remaining[at(g)]) {
            int best = -1;
            int bestScore = INT_MAX;
            int ties = 0;
            for (CellMask open = m_movable[at(k)] & ~doublePair(k); open != 0; open &= open - 1) {
                const int cell = std::countr_zero(open);
                if (content(k, cell) != kFree) {
                    continue;
                }
                const int score = placementScore(k, cell, g);
                if (score < bestScore) {
                    bestScore = score;
                    best = cell;
                    ties = 1;
                } else if (score == bestScore && below(++ties) == 0) {
                    best = cell;
                }
            }
            if (best < 0) {
                break; // cannot happen: the class has a free cell for each lesson left
            }
            setCell(k, best, g);
        }
    }
}

bool Search::pickCell(int& cls, int& cell) {
    // Overruns a short resource is allowed (its shortfall) are no rule to mend.
    int overruns = m_overruns.size();
    for (const int s : m_shortResources) {
        overruns -= forced(s) ? m_overrunKeys[at(s)] : 0;
    }
    const int hardSets = m_clashes.size() + m_overloads.size() + m_spreads.size() + overruns +
                         m_forbidden.size() + m_noDouble.size();
    m_scratch.clear();
    const auto& teachers = m_problem.teachers();
    const auto holding = [&](int group, int cellOf) {
        const int k = m_groupClass[at(group)];
        if (content(k, cellOf) == group && (m_movable[at(k)] & bit(cellOf)) != 0) {
            m_scratch.push_back(k * m_cellCount + cellOf);
        }
    };
    if (hardSets == 0 || (!m_misses.empty() && below(kSoftTurn) == 0)) {
        if (m_misses.empty()) {
            return false;
        }
        const int key = m_misses[below(m_misses.size())];
        cls = key / m_cellCount;
        cell = key % m_cellCount;
        return true;
    }
    int r = below(hardSets);
    if (r < m_clashes.size()) {
        const int key = m_clashes[r];
        const int slot = key % m_cellCount;
        for (const int g : teachers[at(key / m_cellCount)].groups) {
            holding(g, slot);
        }
    } else if ((r -= m_clashes.size()) < m_overloads.size()) {
        const int key = m_overloads[r];
        const int day = key % m_dayCount;
        for (const int g : teachers[at(key / m_dayCount)].groups) {
            for (CellMask cells = m_shape.dayCells(day); cells != 0; cells &= cells - 1) {
                holding(g, std::countr_zero(cells));
            }
        }
    } else if ((r -= m_overloads.size()) < m_spreads.size()) {
        const int key = m_spreads[r];
        const int g = key / m_dayCount;
        const int day = key % m_dayCount;
        const int k = m_groupClass[at(g)];
        const bool over = spreadUnits(g, day) > m_groupLow[at(g)];
        for (CellMask cells = m_shape.dayCells(day); cells != 0; cells &= cells - 1) {
            const int c = std::countr_zero(cells);
            if ((m_movable[at(k)] & bit(c)) != 0 && (content(k, c) == g) == over) {
                m_scratch.push_back(k * m_cellCount + c);
            }
        }
        // The double's day decides the caps: moving the double may be the cure (and the
        // only one when the day's lessons are locked).
        if (m_groupChinese[at(g)] != 0 && (m_scratch.empty() || below(2) == 0)) {
            cls = k;
            cell = -1;
            return true;
        }
    } else if ((r -= m_spreads.size()) < overruns) {
        int key = m_overruns[r];
        if (overruns < m_overruns.size()) {
            // the r-th overrun that is not forced
            for (const int k : m_overruns.keys()) {
                if (!forced(k / m_cellCount) && r-- == 0) {
                    key = k;
                    break;
                }
            }
        }
        for (const int g : m_resourceGroups[at(key / m_cellCount)]) {
            holding(g, key % m_cellCount);
        }
    } else if ((r -= overruns) < m_forbidden.size()) {
        m_scratch.push_back(m_forbidden[r]);
    } else {
        r -= m_forbidden.size();
        cls = m_noDouble[r];
        cell = -1;
        return true;
    }
    if (m_scratch.empty()) {
        return false;
    }
    const int key = m_scratch[static_cast<std::size_t>(below(static_cast<int>(m_scratch.size())))];
    cls = key / m_cellCount;
    cell = key % m_cellCount;
    return true;
}

bool Search::stepFrom(int cls, int a) {
    const int x = content(cls, a);
    int bestDelta = INT_MAX;
    int best = -1;
    int ties = 0;
    const int now = total();
    const int bestTotal = m_best.hard * kHardWeight + m_best.soft;
    for (CellMask open = m_movable[at(cls)] & ~doublePair(cls) & ~bit(a); open != 0;
         open &= open - 1) {
        const int b = std::countr_zero(open);
        const int y = content(cls, b);
        if (y == x) {
            continue;
        }
        const int delta = exchangeDelta(cls, a, b);
        const bool tabu =
            (m_tabuWhat[index(cls, b)] == x && m_tabuUntil[index(cls, b)] > m_steps) ||
            (m_tabuWhat[index(cls, a)] == y && m_tabuUntil[index(cls, a)] > m_steps);
        if (tabu && now + delta >= bestTotal) {
            continue;
        }
        if (delta < bestDelta) {
            bestDelta = delta;
            best = b;
            ties = 1;
        } else if (delta == bestDelta && below(++ties) == 0) {
            best = b;
        }
    }
    if (best < 0) {
        return false;
    }
    // No exchange within the class wins: a chain between two periods may, for a teacher
    // clash or a period 1-2 cell without a main course.
    const bool clash = x >= 0 && m_occupancy[at(m_groupTeacher[at(x)] * m_cellCount + a)] >= 2;
    const bool miss = missAt(cls, a, x);
    CellMask chains = 0;
    if (clash) {
        chains = m_movable[at(cls)];
    } else if (miss) {
        // the day's cells after periods 1-2
        for (CellMask later = m_shape.dayCells(dayOfCell(a)) & ~m_early[at(cls)]; later != 0;
             later &= later - 1) {
            const int b = std::countr_zero(later);
            const int y = content(cls, b);
            chains |= y >= 0 && m_groupMain[at(y)] != 0 ? bit(b) : 0;
        }
    }
    if (bestDelta >= 0 && chains != 0 && stepKempe(cls, a, chains)) {
        return true;
    }
    const int y = content(cls, best);
    exchange(cls, a, best);
    const long long tenure = kTenure + below(kTenureSpread);
    m_tabuWhat[index(cls, a)] = static_cast<std::int16_t>(x);
    m_tabuUntil[index(cls, a)] = m_steps + tenure;
    m_tabuWhat[index(cls, best)] = static_cast<std::int16_t>(y);
    m_tabuUntil[index(cls, best)] = m_steps + tenure;
    return true;
}

void Search::undo(Moves& done) {
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        if (it->a < 0) {
            setDouble(it->cls, it->b);
        } else {
            exchange(it->cls, it->a, it->b);
        }
    }
    done.clear();
}

bool Search::relocateDouble(int cls, int start, Moves& done) {
    const int g = m_problem.classes()[at(cls)].chinese;
    const int old = m_double[at(cls)];
    const CellMask target = bit(start) | bit(start + 1);
    const CellMask oldPair = doublePair(cls);
    for (const int x : {start, start + 1}) {
        if (content(cls, x) == g) {
            continue;
        }
        if ((m_movable[at(cls)] & bit(x)) == 0) {
            undo(done);
            return false;
        }
        int source = -1;
        for (CellMask from = m_movable[at(cls)] & ~target; from != 0 && source < 0;
             from &= from - 1) {
            const int y = std::countr_zero(from);
            if (content(cls, y) == g && (oldPair & bit(y)) != 0) {
                source = y;
            }
        }
        for (CellMask from = m_movable[at(cls)] & ~target; from != 0 && source < 0;
             from &= from - 1) {
            const int y = std::countr_zero(from);
            if (content(cls, y) == g) {
                source = y;
            }
        }
        if (source < 0) {
            undo(done);
            return false;
        }
        exchange(cls, x, source);
        done.push_back({cls, x, source});
    }
    setDouble(cls, start);
    done.push_back({cls, -1, old});
    return true;
}

bool Search::stepDouble(int cls) {
    Moves done;
    const int before = total();
    const int current = m_double[at(cls)];
    int best = -1;
    int bestDelta = INT_MAX;
    int ties = 0;
    for (CellMask starts = m_doubleStarts[at(cls)]; starts != 0; starts &= starts - 1) {
        const int start = std::countr_zero(starts);
        if (start == current || !relocateDouble(cls, start, done)) {
            continue;
        }
        const int delta = total() - before;
        undo(done);
        if (delta < bestDelta) {
            bestDelta = delta;
            best = start;
            ties = 1;
        } else if (delta == bestDelta && below(++ties) == 0) {
            best = start;
        }
    }
    if (best < 0) {
        return false;
    }
    relocateDouble(cls, best, done);
    return true;
}

bool Search::kempeChain(int cls, int a, int b, Moves& done) {
    m_scratch.clear();
    m_scratch.push_back(cls);
    for (std::size_t next = 0; next < m_scratch.size(); ++next) {
        const int k = m_scratch[next];
        if (!exchangeable(k, a) || !exchangeable(k, b) || m_scratch.size() > kLongestChain) {
            undo(done);
            return false;
        }
        const int x = content(k, a);
        const int y = content(k, b);
        exchange(k, a, b);
        done.push_back({k, a, b});
        // A teacher brought into a period where another class holds it drags that class in.
        for (const auto& [group, into] : {std::pair{x, b}, std::pair{y, a}}) {
            if (group < 0) {
                continue;
            }
            for (const int other : m_problem.teachers()[at(m_groupTeacher[at(group)])].groups) {
                const int k2 = m_groupClass[at(other)];
                if (content(k2, into) == other && k2 != k &&
                    std::find(m_scratch.begin(), m_scratch.end(), k2) == m_scratch.end()) {
                    m_scratch.push_back(k2);
                }
            }
        }
    }
    return true;
}

bool Search::stepKempe(int cls, int a, CellMask towards) {
    Moves done;
    const int before = total();
    int best = -1;
    int bestDelta = 0; // only a chain that wins is taken
    int ties = 0;
    for (CellMask open = towards & m_movable[at(cls)] & ~doublePair(cls) & ~bit(a); open != 0;
         open &= open - 1) {
        const int b = std::countr_zero(open);
        if (content(cls, b) == content(cls, a) || !kempeChain(cls, a, b, done)) {
            continue;
        }
        const int delta = total() - before;
        undo(done);
        if (delta < bestDelta) {
            bestDelta = delta;
            best = b;
            ties = 1;
        } else if (delta == bestDelta && best >= 0 && below(++ties) == 0) {
            best = b;
        }
    }
    if (best < 0) {
        return false;
    }
    kempeChain(cls, a, best, done);
    return true;
}

void Search::keepIfBest() {
    if (m_hard < m_trackHard || (m_hard == m_trackHard && m_soft < m_trackSoft)) {
        m_trackHard = m_hard;
        m_trackSoft = m_soft;
        m_trackSince = m_steps;
    }
    if (m_hard < m_best.hard || (m_hard == m_best.hard && m_soft < m_best.soft) ||
        m_best.cells.empty()) {
        m_best.cells = m_cells;
        m_best.doubles = m_double;
        m_best.hard = m_hard;
        m_best.soft = m_soft;
        m_lastBest = m_steps;
    }
}

void Search::shake() {
    const int moves = 3 + below(8);
    for (int i = 0; i < moves; ++i) {
        int cls = 0;
        int cell = 0;
        if (!pickCell(cls, cell) || cell < 0 || !exchangeable(cls, cell)) {
            continue;
        }
        const int b = below(m_cellCount);
        if (b != cell && exchangeable(cls, b)) {
            exchange(cls, cell, b);
        }
    }
}

void Search::restart() {
    rebuild(m_empty, std::vector<std::int8_t>(at(m_classCount), -1));
    construct();
    m_trackHard = m_hard;
    m_trackSoft = m_soft;
    m_trackSince = m_steps;
}

void Search::run(const Limits& limits) {
    m_best = {};
    keepIfBest();
    m_trackHard = m_hard;
    m_trackSoft = m_soft;
    m_trackSince = m_steps;
    // Step counts, never the clock, decide when to shake, start afresh or give up, so a run
    // that ends before its time repeats exactly.
    // The effort grows with the school: a trajectory is shaken, started afresh and finally
    // given up after so many steps without gain, a few hundred plus a few dozen a class.
    const long long shakeAfter = 300 + 8LL * m_classCount;
    const long long restartAfter = 1200 + 25LL * m_classCount;
    const long long softStall = 4 * restartAfter;
    long long lastShake = 0;
    while (m_hard > 0 || m_soft > earlyMissesFloor()) {
        if ((m_steps & 127) == 0) {
            if (std::chrono::steady_clock::now() >= limits.deadline) {
                break;
            }
            if ((m_steps & 1023) == 0 && limits.keepGoing && !limits.keepGoing()) {
                m_cancelled = true;
                break;
            }
        }
        const long long idle = m_steps - m_lastBest;
        if ((limits.stallSteps > 0 && idle > limits.stallSteps) ||
            (m_best.hard == 0 && idle > softStall)) {
            break;
        }
        const long long stuck = m_steps - m_trackSince;
        if (stuck > restartAfter) {
            restart();
        } else if (stuck > shakeAfter && m_steps - lastShake > shakeAfter) {
            shake();
            lastShake = m_steps;
        }
        ++m_steps;
        int cls = 0;
        int cell = 0;
        if (!pickCell(cls, cell)) {
            continue;
        }
        if (cell < 0 || (doublePair(cls) & bit(cell)) != 0) {
            stepDouble(cls);
        } else {
            stepFrom(cls, cell);
        }
        keepIfBest();
    }
    if (m_hard > m_best.hard || (m_hard == m_best.hard && m_soft > m_best.soft)) {
        rebuild(m_best.cells, m_best.doubles);
    }
}

int Search::classAt(int grade, int position) const {
    const std::string& name = m_problem.input().cell(grade, position, 0, 0);
    const auto& classes = m_problem.classes();
    for (int k = 0; k < m_classCount; ++k) {
        if (classes[at(k)].grade == grade && classes[at(k)].name == name) {
            return k;
        }
    }
    return -1;
}

void Search::adopt() {
    const auto& classes = m_problem.classes();
    const auto& teachers = m_problem.teachers();
    Cells cells = m_empty;
    std::vector<std::int8_t> doubles(at(m_classCount), -1);
    for (int k = 0; k < m_classCount; ++k) {
        const ClassModel& cls = classes[at(k)];
        int position = -1;
        for (int c = 0; c < school::kMaxClasses && position < 0; ++c) {
            position = m_problem.input().cell(cls.grade, c, 0, 0) == cls.name ? c : -1;
        }
        if (position < 0) {
            continue;
        }
        for (int cell = 0; cell < kCells; ++cell) {
            if ((m_movable[at(k)] & bit(cell)) == 0) {
                continue;
            }
            const std::string& text =
                m_problem.input().cell(cls.grade, position, dayOf(cell), periodOf(cell));
            for (const int g : cls.groups) {
                if (teachers[at(m_groupTeacher[at(g)])].name == text) {
                    cells[index(k, cell)] = static_cast<std::int16_t>(g);
                    break;
                }
            }
        }
        for (CellMask starts = m_doubleStarts[at(k)]; cls.chinese >= 0 && starts != 0;
             starts &= starts - 1) {
            const int start = std::countr_zero(starts);
            if (cells[index(k, start)] == cls.chinese &&
                cells[index(k, start + 1)] == cls.chinese) {
                doubles[at(k)] = static_cast<std::int8_t>(start);
                break;
            }
        }
    }
    rebuild(cells, doubles);
    keepIfBest();
}

school::SchoolTimetable Search::timetable() const {
    school::SchoolTimetable result = m_problem.frame();
    const auto& teachers = m_problem.teachers();
    for (int k = 0; k < m_classCount; ++k) {
        const ClassModel& cls = m_problem.classes()[at(k)];
        for (int cell = 0; cell < m_cellCount; ++cell) {
            std::string& text = result.cell(cls.grade, cls.position, dayOf(cell), periodOf(cell));
            const int what = content(k, cell);
            if ((cls.locked & bit(cell)) != 0) {
                text = cls.lockedText[at(cell)];
            } else if (what >= 0) {
                text = teachers[at(m_groupTeacher[at(what)])].name;
            }
        }
    }
    return result;
}

std::vector<std::string> Search::violations(const school::SchoolTimetable& result) const {
    std::vector<std::string> out;
    const auto& teachers = m_problem.teachers();
    const auto& classes = m_problem.classes();
    const auto& groups = m_problem.groups();
    const auto classOf = [&](const timetable::ClassRef& ref) {
        const std::string& name = result.cell(ref.grade, ref.position, 0, 0);
        return gbk::isBlank(name, 3) ? school::className(ref.grade, ref.position + 1) : name;
    };
    std::vector<int> keys = m_clashes.keys();
    std::sort(keys.begin(), keys.end());
    for (const int key : keys) {
        const std::string& name = teachers[at(key / m_cellCount)].name;
        const int cell = key % m_cellCount;
        std::string line = "教师碰课：" + where(cell) + ' ' + name + "：";
        bool first = true;
        for (const auto& ref : timetable::holdersOf(result, dayOf(cell), periodOf(cell), name)) {
            line += (first ? "" : " ") + classOf(ref);
            first = false;
        }
        out.push_back(line);
    }
    keys = m_overloads.keys();
    std::sort(keys.begin(), keys.end());
    for (const int key : keys) {
        const Teacher& teacher = teachers[at(key / m_dayCount)];
        const int day = key % m_dayCount;
        out.push_back("教师日超量：" + teacher.name + ' ' +
                      std::string(school::kDayNames[at(day)]) + ' ' +
                      std::to_string(timetable::lessonsOnDay(result, day, teacher.name)) +
                      " 节（上限 " + std::to_string(teacher.limit) + "）");
    }
    keys = m_spreads.keys();
    std::sort(keys.begin(), keys.end());
    for (const int key : keys) {
        const int g = key / m_dayCount;
        const int day = key % m_dayCount;
        const Group& group = groups[at(g)];
        const int units = spreadUnits(g, day);
        const std::string range = group.low == group.high ? std::to_string(group.low)
                                                          : std::to_string(group.low) + " 至 " +
                                                                std::to_string(group.high);
        out.push_back("分布不均：" + classes[at(group.cls)].name + ' ' +
                      teachers[at(group.teacher)].name + "（" + m_problem.courseText(group) + "）" +
                      std::string(school::kDayNames[at(day)]) + ' ' + std::to_string(units) +
                      " 节（每天应为 " + range + " 节" +
                      (group.chinese ? "，连堂算一节，连堂那天不多排" : "") + "）");
    }
    keys = m_overruns.keys();
    std::sort(keys.begin(), keys.end());
    for (const int key : keys) {
        const Resource& resource = m_problem.resources()[at(key / m_cellCount)];
        const int cell = key % m_cellCount;
        out.push_back("资源超量：" + resource.course + ' ' + where(cell) + ' ' +
                      std::to_string(m_use[at(key)]) + " 个班（上限 " +
                      std::to_string(resource.limit) + "）");
    }
    keys = m_forbidden.keys();
    std::sort(keys.begin(), keys.end());
    for (const int key : keys) {
        const int k = key / m_cellCount;
        const int cell = key % m_cellCount;
        const Group& group = groups[at(content(k, cell))];
        const std::string& teacher = teachers[at(group.teacher)].name;
        if ((group.planned & bit(cell)) != 0) {
            out.push_back("编排计划：" + classes[at(k)].name + ' ' + where(cell) + ' ' +
                          m_problem.courseText(group) + "（" + teacher + "）不应排在此时");
        } else {
            out.push_back("教师预设：" + classes[at(k)].name + ' ' + where(cell) + ' ' + teacher);
        }
    }
    for (const int k : m_noDouble.keys()) {
        out.push_back("语文连堂：" + classes[at(k)].name + " 没有连堂");
    }
    for (const Group& group : groups) {
        if (group.missing > 0) {
            out.push_back("周课时不足：" + classes[at(group.cls)].name + ' ' +
                          teachers[at(group.teacher)].name + " 少 " +
                          std::to_string(group.missing) + " 节（锁定的格子占去了位置）");
        }
    }
    return out;
}

} // namespace optimise
