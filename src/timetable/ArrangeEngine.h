// The arrangement of one grade, written once over a working board (Boards.h). AutoOrder
// runs it on the fast board; PlainAutoOrder on the plain one, as the reference.
//
// A run: empty the grade; place every class at random under its weekly counts (classes
// whose weekly total lies outside 15..35, or whose week gets no period-1 lesson, are
// dropped and the arranged classes close up in class order); form the Chinese double
// period; then up to ten repair passes against the five rules, with a perturbation from
// the third pass on. The random draws and their order are part of the result: the same
// data and the same random sequence give the same timetable.
//
// Where the written steps leave room, this engine:
// - ends the placement of a class after kPlacementAttempts failed attempts in a row for
//   one lesson: that lesson and the entries after it stay unplaced, and the class keeps
//   what was placed so far;
// - bounds the draws of the double period: the day that gets a second 语文 lesson is drawn
//   at most kDayDraws times; a day to bring the lesson from is looked at for at most
//   kDayDraws + 1 picks, each pick drawing at most kDayDraws times for a day other than the
//   one drawn first (the pick drawn after the last one looked at is not looked at); the start of
//   the pair is drawn at most kDayDraws times. When a bound is reached the class's double period
//   ends where it stands: a lesson already brought over stays, the pair is not moved. The
//   perturbation draws at most kDayDraws pairs of positions for one attempt; when all of them are
//   equal the whole perturbation ends, for the classes after it too. These bounds lie far above
//   what satisfiable data needs (after 6000 failed attempts any free, allowed cell is taken with
//   probability at least 1/35 per draw);
// - makes no draws for the double period when no day holds a 语文 lesson (the class gets
//   none), nor for bringing a second lesson to one day when all of them fall on one day:
//   the pair is then placed on that day when it holds two (its start drawn unless its
//   first lesson already stands in period 3 or 5);
// - gives no double period to a 语文 entry without a teacher (empty, shorter than 4 bytes,
//   or the spaces a removed teacher leaves), as to one with fewer than 2 lessons a week: no
//   cell of such a class counts as part of a double period, so no cell is exempt from the
//   repairs and the perturbation for it;
// - lets the early-period pass treat an empty period 1-3 cell as holding no main-course
//   teacher, also where a main course has no teacher or a weekly count of 0 (the loading
//   empties its teacher, so an empty cell would match it): such a cell takes the first
//   later main-course lesson of the day;
// - never writes a lesson into a unified slot, neither by the day replacement of counts
//   above 5 (the attempt is rejected), nor by the early-period pass (the slot is passed
//   over), nor by the double-period exchanges (that exchange is skipped);
// - treats a filled period-1/2 cell whose text matches no course entry of the class as a
//   violation of the main-course rule (it is not a main course);
// - places no lessons for an entry without a teacher (empty, shorter than 4 bytes, or the
//   spaces a removed teacher leaves); such entries are not part of the weekly total;
// - counts a teacher or period-1 cell as filled from 4 GBK bytes on, so two-character
//   names ("王伟") count;
// - reads the course list of an arranged class from the class whose week stands there
//   (the class named in slot 0), so a dropped class does not shift the lists of the
//   classes after it.
#pragma once

#include "core/SchoolNames.h"
#include "core/SchoolTimetable.h"
#include "timetable/ArrangeTypes.h"
#include "timetable/AutoOrderData.h"
#include "timetable/RandomSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace timetable {

template <class Board> class ArrangeEngine {
public:
    using Text = typename Board::Text;

    ArrangeEngine(const AutoOrderData& data, RandomSource& random)
        : m_data(data), m_random(random), m_board(data) {
        for (int g = 0; g < school::kGrades; ++g) {
            for (int c = 0; c < school::kMaxClasses; ++c) {
                m_classNames[at(g)][at(c)] = m_board.intern(school::className(g, c + 1));
                const ClassCourseList& raw = data.classList(g, c);
                List& list = m_lists[at(g)][at(c)];
                for (int i = 0; i < kEntries; ++i) {
                    const CourseEntry& entry = raw.entries[at(i)];
                    list.teacher[at(i)] = m_board.intern(entry.teacher);
                    list.course[at(i)] = m_board.intern(entry.course);
                    list.weekly[at(i)] = entry.weekly;
                    list.hasTeacher[at(i)] = namesTeacher(entry.teacher);
                }
                for (int i = 0; i < kEntries; ++i) {
                    const CourseEntry& entry = raw.entries[at(i)];
                    if (entry.course == kChinese) {
                        if (entry.weekly >= 2 && list.hasTeacher[at(i)]) {
                            list.chinese = i;
                        }
                        break;
                    }
                }
            }
        }
    }

    void arrange(int grade, const school::SchoolTimetable& source, Stage stage = Stage::Complete) {
        // a copy of the school with the grade emptied, counts reset, unified slots taken
        m_board.load(source);
        m_grade = grade;
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                for (int s = 0; s < school::kSlots; ++s) {
                    m_board.set(grade, c, d, s, m_board.empty());
                }
            }
        }
        m_stats = {};
        m_marks = {};
        m_normalisedAt.fill(~std::uint64_t{0});
        takeUnifiedSlots();
        indexCourseLists(grade);

        // class placement: arranged classes close up in class order
        for (int q = 0; q < school::kMaxClasses; ++q) {
            const Week week = place(m_lists[at(grade)][at(q)]);
            bool arranged = false;
            for (int d = 0; d < school::kDays; ++d) {
                arranged = arranged || m_board.filled(week[at(d)][0]);
            }
            if (!arranged) {
                continue;
            }
            const int pos = m_stats.arrangedCount++;
            m_listIndex[at(grade)][at(pos)] = q;
            m_arrangedClass[at(pos)] = q;
            for (int d = 0; d < school::kDays; ++d) {
                m_board.set(grade, pos, d, 0, m_classNames[at(grade)][at(q)]);
                for (int p = 1; p <= school::kPeriods; ++p) {
                    m_board.set(grade, pos, d, p, week[at(d)][at(p - 1)]);
                }
            }
        }

        if (stage == Stage::Placement) {
            return;
        }
        // Chinese double period
        for (int pos = 0; pos < m_stats.arrangedCount; ++pos) {
            doublePeriod(pos);
        }
        if (stage == Stage::DoublePeriod) {
            return;
        }

        // repair passes
        repairPasses();
    }

    // Takes a school timetable as it stands, for checking rules and repairs of single
    // cells of the grade (positions as held, course lists by the class named in slot 0).
    void loadArranged(int grade, const school::SchoolTimetable& timetable) {
        m_board.load(timetable);
        m_grade = grade;
        m_stats = {};
        m_normalisedAt.fill(~std::uint64_t{0});
        takeUnifiedSlots();
        indexCourseLists(-1);
        for (int c = 0; c < school::kMaxClasses; ++c) {
            m_stats.arrangedCount += m_board.filled(m_board.get(grade, c, 0, 0)) ? 1 : 0;
        }
    }
    RuleVerdicts verdicts(int pos, int d, int p) {
        normalise();
        const Text text = cell(pos, d, p);
        return {violatesDayLoad(d, text), violatesSpread(pos, d, text), violatesClash(d, p, text),
                violatesMainFirst(pos, p, text), violatesPreset(d, p, text)};
    }
    bool repairCell(int pos, int d, int p) { return repair(pos, d, p); }
    bool isDoublePeriodCell(int pos, int d, int p) const { return inDoublePeriod(pos, d, p); }

    school::SchoolTimetable result() const { return m_board.toTimetable(); }
    const RunStats& stats() const { return m_stats; }
    // Class number 1..20 of the class at arranged position pos.
    int arrangedClassNumber(int pos) const { return m_arrangedClass[at(pos)] + 1; }
    // 1 where the last repair of the cell failed (position, day 0..4, period 1..7).
    bool conflictMark(int pos, int day, int period) const {
        return m_marks[at(pos)][at(day)][at(period - 1)] != 0;
    }

private:
    using Week = std::array<std::array<Text, school::kPeriods>, school::kDays>;

    struct List {
        std::array<Text, kEntries> teacher{};
        std::array<Text, kEntries> course{};
        std::array<int, kEntries> weekly{};
        std::array<bool, kEntries> hasTeacher{};
        int chinese = -1; // the entry that gets the double period
    };

    struct Slot {
        int day;
        int period;
    };

    static std::size_t at(int i) { return static_cast<std::size_t>(i); }

    // Unified slots: the first four samelesson rows of the grade.
    void takeUnifiedSlots() {
        m_unified.fill({kNoUnified, kNoUnified});
        int taken = 0;
        for (const UnifiedCourse& row : m_data.sameLessons) {
            if (taken < kUnifiedSlots && row.grade == school::kGradeNames[at(m_grade)]) {
                m_unified[at(taken++)] = {row.day, row.period};
            }
        }
    }

    // The course list of each class position: that of the class named in its slot 0 (a
    // class of the same grade), else that of the position's own class number. The grade
    // being arranged (emptied) is indexed as its classes are stored.
    void indexCourseLists(int arrangedGrade) {
        for (int g = 0; g < school::kGrades; ++g) {
            for (int c = 0; c < school::kMaxClasses; ++c) {
                m_listIndex[at(g)][at(c)] = c;
                if (g == arrangedGrade) {
                    continue;
                }
                const auto id = school::parseClassName(m_board.str(m_board.get(g, c, 0, 0)));
                if (id && id->gradeIndex == g) {
                    m_listIndex[at(g)][at(c)] = id->classNumber - 1;
                }
            }
        }
    }

    int draw() { return m_random.next(); }
    // (rand() × factor) mod m, in 64 bits: the product overflows a 32-bit int.
    int scaledDraw(int factor, int m) { return scaledValue(draw(), factor, m); }

    bool isUnified(int day, int period) const {
        for (const Slot& slot : m_unified) {
            if (slot.day == day + 1 && slot.period == period) {
                return true;
            }
        }
        return false;
    }

    const List& listOf(int g, int pos) const {
        return m_lists[at(g)][at(m_listIndex[at(g)][at(pos)])];
    }

    // First entry whose teacher equals the text, or -1.
    static int entryOfTeacher(const List& list, const Text& text) {
        for (int i = 0; i < kEntries; ++i) {
            if (list.teacher[at(i)] == text) {
                return i;
            }
        }
        return -1;
    }

    bool holdsMainTeacher(const List& list, const Text& text) const {
        if (!m_board.filled(text)) {
            return false;
        }
        const int i = entryOfTeacher(list, text);
        return i >= 0 && i < kMainCourses;
    }

    static int nextEntry(const List& list, int after) {
        for (int i = after + 1; i < kEntries; ++i) {
            if (list.weekly[at(i)] > 0 && list.hasTeacher[at(i)]) {
                return i;
            }
        }
        return -1;
    }

    // Placement: the week of one class, or an empty week.
    Week place(const List& list) {
        Week week;
        for (auto& day : week) {
            day.fill(m_board.empty());
        }
        std::int64_t total = 0;
        for (int i = 0; i < kEntries; ++i) {
            if (list.hasTeacher[at(i)]) {
                total += list.weekly[at(i)];
            }
        }
        for (const Slot& slot : m_unified) {
            total += slot.period > 0 && slot.period < 8 ? 1 : 0;
        }
        if (total < kMinWeekly || total > kMaxWeekly) {
            return week;
        }
        int i = nextEntry(list, -1);
        if (i < 0) {
            return week;
        }
        int remaining = list.weekly[at(i)];
        int attempts = 0;
        while (true) {
            if (attempts >= kPlacementAttempts) {
                ++m_stats.abandonedPlacements;
                break;
            }
            int p = draw() % 7;
            int d = draw() % 5;
            if (i < kMainCourses && attempts < 1000) {
                p = draw() % 5;
            }
            ++attempts;
            const int count = list.weekly[at(i)];
            const Text& teacher = list.teacher[at(i)];
            if (count <= 0 || isUnified(d, p + 1)) {
                continue;
            }
            std::array<int, school::kDays> perDay{};
            int excess = 0;
            for (int r = 0; r < school::kDays; ++r) {
                for (int k = 0; k < school::kPeriods; ++k) {
                    perDay[at(r)] += week[at(r)][at(k)] == teacher ? 1 : 0;
                }
                excess += perDay[at(r)] > 1 ? perDay[at(r)] - 1 : 0;
            }
            if (count > 5) {
                for (int r = 0; r < school::kDays; ++r) {
                    if (perDay[at(r)] == 0) {
                        d = r;
                        break;
                    }
                }
                if (isUnified(d, p + 1)) {
                    continue; // the replaced day may land on a unified slot
                }
            }
            if (m_board.filled(week[at(d)][at(p)]) || (count > 5 && count < excess + 5) ||
                (perDay[at(d)] > 1 && count < 11) ||
                (perDay[at(d)] > 0 && count < 6 && attempts < 6000)) {
                continue;
            }
            week[at(d)][at(p)] = teacher;
            attempts = 0;
            if (--remaining == 0) {
                i = nextEntry(list, i);
                if (i < 0) {
                    break;
                }
                remaining = list.weekly[at(i)];
            }
        }
        // Early periods: main courses forward into periods 1 to 3 (unified slots stay free).
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= 3; ++p) {
                Text& early = week[at(d)][at(p - 1)];
                if (isUnified(d, p) || holdsMainTeacher(list, early)) {
                    continue;
                }
                for (int k = 4; k <= school::kPeriods; ++k) {
                    Text& late = week[at(d)][at(k - 1)];
                    if (holdsMainTeacher(list, late)) {
                        std::swap(early, late);
                        break;
                    }
                }
            }
        }
        return week;
    }

    // The cell of the arranged grade at (pos, d, p).
    Text cell(int pos, int d, int p) const { return m_board.get(m_grade, pos, d, p); }

    void exchange(int pos, int d1, int p1, int d2, int p2) {
        const Text a = cell(pos, d1, p1);
        const Text b = cell(pos, d2, p2);
        m_board.set(m_grade, pos, d1, p1, b);
        m_board.set(m_grade, pos, d2, p2, a);
    }

    // The Chinese double period of one arranged class.
    void doublePeriod(int pos) {
        const List& list = listOf(m_grade, pos);
        if (list.chinese < 0) {
            return;
        }
        const Text teacher = list.teacher[at(list.chinese)];
        const int count = list.weekly[at(list.chinese)];
        const auto chinese = [&](int d, int p) { return cell(pos, d, p) == teacher; };
        const auto lessonsOn = [&](int d) {
            int n = 0;
            for (int p = 1; p <= school::kPeriods; ++p) {
                n += chinese(d, p) ? 1 : 0;
            }
            return n;
        };
        int days = 0;
        for (int d = 0; d < school::kDays; ++d) {
            days += lessonsOn(d) > 0 ? 1 : 0;
        }
        if (days == 0) {
            return;
        }
        // A second Chinese lesson brought to one day, only when another day holds one to bring.
        if (count < 6 && days >= 2) {
            int d1 = 0;
            int draws = 0;
            do {
                if (++draws > kDayDraws) {
                    return;
                }
                d1 = scaledDraw(6, 5);
            } while (lessonsOn(d1) == 0);
            const auto otherDay = [&]() -> std::optional<int> {
                for (int n = 0; n < kDayDraws; ++n) {
                    const int d2 = scaledDraw(6, 5);
                    if (d2 != d1) {
                        return d2;
                    }
                }
                return std::nullopt;
            };
            std::optional<int> d2 = otherDay();
            for (int tries = 0;; ++tries) {
                if (!d2 || tries > kDayDraws) {
                    return;
                }
                int k = 0;
                for (int p = 1; p <= school::kPeriods && k == 0; ++p) {
                    k = chinese(*d2, p) ? p : 0;
                }
                if (k != 0) {
                    int u = 0;
                    for (int p = 1; p <= school::kPeriods && u == 0; ++p) {
                        u = !chinese(d1, p) ? p : 0;
                    }
                    // A unified slot stays free: when the first period that is not Chinese is
                    // one, the lesson is not brought over (another period is not sought).
                    if (u != 0 && !isUnified(d1, u)) {
                        exchange(pos, d1, u, *d2, k);
                    }
                    break;
                }
                d2 = otherDay();
            }
        }
        // the last day with two Chinese lessons, and their first two periods
        int day = -1;
        for (int d = 0; d < school::kDays; ++d) {
            day = lessonsOn(d) >= 2 ? d : day;
        }
        if (day < 0) {
            return;
        }
        int first = 0;
        int second = 0;
        for (int p = 1; p <= school::kPeriods && second == 0; ++p) {
            if (chinese(day, p)) {
                (first == 0 ? first : second) = p;
            }
        }
        // the start of the double: period 3, 5 or 6
        bool unifiedToday = false;
        bool unifiedEarly = false;
        for (const Slot& slot : m_unified) {
            unifiedToday = unifiedToday || slot.day == day + 1;
            unifiedEarly = unifiedEarly || slot.period < 7;
        }
        int pos0 = first;
        int draws = 0;
        while (pos0 != 3 && pos0 != 5) {
            if (++draws > kDayDraws) {
                return;
            }
            int x = scaledDraw(103, 3);
            x = x == 0 ? 3 : x;
            if (x == 1 && (!unifiedToday || !unifiedEarly)) {
                x = 5;
            }
            if (x == 2 && !unifiedToday) {
                x = 6;
            }
            pos0 = x;
            if (x == 6) {
                break;
            }
        }
        // the two lessons moved to the start and the period after it
        const std::array<int, 2> lessons = {first, second};
        int i = 0;
        int j = 0;
        while (i < 2) {
            if (chinese(day, pos0 + i)) {
                ++i;
                ++j;
            }
            if (second == pos0) {
                ++j;
            }
            if (j >= 2 || i >= 2) {
                break;
            }
            const int from = lessons[at(i)];
            const int to = pos0 + j;
            if (!isUnified(day, from) && !isUnified(day, to)) {
                exchange(pos, day, from, day, to);
            }
            ++i;
            ++j;
        }
    }

    // A cell of the class's Chinese double period: its teacher beside itself on the day.
    bool inDoublePeriod(int pos, int d, int p) const {
        const List& list = listOf(m_grade, pos);
        if (list.chinese < 0) {
            return false;
        }
        const Text teacher = list.teacher[at(list.chinese)];
        if (!(cell(pos, d, p) == teacher)) {
            return false;
        }
        return (p > 1 && cell(pos, d, p - 1) == teacher) ||
               (p < school::kPeriods && cell(pos, d, p + 1) == teacher);
    }

    // Course-view normalisation: grades held in course names go back to teacher names.
    void normalise() {
        for (int g = 0; g < school::kGrades; ++g) {
            if (!m_board.isResourceName(m_board.get(g, 0, 0, 1))) {
                continue;
            }
            if constexpr (Board::kCachesNormalisation) {
                if (m_normalisedAt[at(g)] == m_board.generation(g)) {
                    continue; // nothing written into the grade since a run that changed nothing
                }
            }
            bool changed = false;
            for (int c = 0; c < school::kMaxClasses; ++c) {
                const List& list = listOf(g, c);
                for (int d = 0; d < school::kDays; ++d) {
                    for (int p = 1; p <= school::kPeriods; ++p) {
                        const Text text = m_board.get(g, c, d, p);
                        if (!m_board.filled(text)) {
                            continue;
                        }
                        for (int i = 0; i < kEntries; ++i) {
                            if (list.course[at(i)] == text) {
                                if (!(list.teacher[at(i)] == text)) {
                                    m_board.set(g, c, d, p, list.teacher[at(i)]);
                                    changed = true;
                                }
                                break;
                            }
                        }
                    }
                }
            }
            if (!changed) {
                m_normalisedAt[at(g)] = m_board.generation(g);
            }
        }
    }

    // The five rules, one by one: true for a violation by the cell's text.
    bool violatesDayLoad(int d, const Text& text) const {
        const std::int64_t load = m_board.weeklyLoad(text);
        const int onDay = m_board.dayCount(d, text);
        return (load >= 20 && onDay > 5) || (load < 20 && onDay > 4);
    }
    bool violatesSpread(int pos, int d, const Text& text) const {
        if (!m_board.filled(text)) {
            return false;
        }
        std::array<int, school::kDays> perDay{};
        for (int r = 0; r < school::kDays; ++r) {
            for (int k = 1; k <= school::kPeriods; ++k) {
                perDay[at(r)] += cell(pos, r, k) == text ? 1 : 0;
            }
        }
        for (int r = 0; r < school::kDays; ++r) {
            if (r != d && perDay[at(d)] - perDay[at(r)] > 1) {
                return true;
            }
        }
        return false;
    }
    // The cell itself holds the text, so a second holder of the period is a clash.
    bool violatesClash(int d, int p, const Text& text) const {
        return m_board.filled(text) && m_board.slotCount(d, p, text) > 1;
    }
    bool violatesMainFirst(int pos, int p, const Text& text) const {
        if (p > 2) {
            return false;
        }
        if (!m_board.filled(text)) {
            return true;
        }
        const int i = entryOfTeacher(listOf(m_grade, pos), text);
        return i < 0 || i >= kMainCourses;
    }
    bool violatesPreset(int d, int p, const Text& text) const {
        return m_board.presetBlocks(text, d, p);
    }

    // Acceptable when none of the five rules is violated; the course-view
    // normalisation runs first, as part of the day-load rule.
    bool acceptable(int pos, int d, int p) {
        normalise();
        const Text text = cell(pos, d, p);
        return !violatesDayLoad(d, text) && !violatesSpread(pos, d, text) &&
               !violatesClash(d, p, text) && !violatesMainFirst(pos, p, text) &&
               !violatesPreset(d, p, text);
    }

    // Repair of one cell: the first exchange within the class that stands.
    bool repair(int pos, int d0, int p0) {
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                if (isUnified(d, p) || (d == d0 && p == p0) || inDoublePeriod(pos, d, p)) {
                    continue;
                }
                const Text out = cell(pos, d0, p0);
                const Text in = cell(pos, d, p);
                exchange(pos, d0, p0, d, p);
                bool stands = acceptable(pos, d0, p0) && acceptable(pos, d, p);
                if (!stands) {
                    stands = p0 <= 2 && p >= 3 && !m_board.filled(out) && m_board.atLeast3(in);
                }
                if (stands) {
                    return true;
                }
                exchange(pos, d0, p0, d, p);
            }
        }
        return false;
    }

    // Perturbation: a few random exchanges of acceptable cells per class.
    void perturb() {
        for (int pos = 0; pos < m_stats.arrangedCount; ++pos) {
            int exchanges = 0;
            for (int attempt = 0; attempt < 100 && exchanges < 5; ++attempt) {
                int x = 0;
                int y = 0;
                int redraws = 0;
                do {
                    x = scaledDraw(300, 35);
                    y = scaledDraw(300, 35);
                } while (x == y && ++redraws < kDayDraws);
                if (x == y) {
                    return;
                }
                const int dx = x / 7;
                const int px = x % 7 + 1;
                const int dy = y / 7;
                const int py = y % 7 + 1;
                if (m_board.spaceLead(cell(pos, dx, px))) {
                    m_board.set(m_grade, pos, dx, px, m_board.empty());
                }
                if (m_board.spaceLead(cell(pos, dy, py))) {
                    m_board.set(m_grade, pos, dy, py, m_board.empty());
                }
                if ((!m_board.filled(cell(pos, dx, px)) && px > 2) || isUnified(dx, px) ||
                    isUnified(dy, py) || inDoublePeriod(pos, dx, px) ||
                    inDoublePeriod(pos, dy, py)) {
                    continue;
                }
                if (acceptable(pos, dx, px) && acceptable(pos, dy, py)) {
                    exchange(pos, dx, px, dy, py);
                    ++exchanges;
                }
            }
        }
    }

    // Repair passes: at most ten, perturbing from the third on.
    void repairPasses() {
        int unresolved = 90;
        int pass = 0;
        while (unresolved > 5) {
            ++pass;
            if (pass >= 3) {
                perturb();
            }
            if (pass > 10) {
                break;
            }
            m_stats.passes = pass;
            unresolved = 0;
            for (int pos = 0; pos < m_stats.arrangedCount; ++pos) {
                for (int d = 0; d < school::kDays; ++d) {
                    for (int p = 1; p <= school::kPeriods; ++p) {
                        if (m_board.spaceLead(cell(pos, d, p))) {
                            m_board.set(m_grade, pos, d, p, m_board.empty());
                        }
                        if ((!m_board.filled(cell(pos, d, p)) && p >= 3) || isUnified(d, p) ||
                            inDoublePeriod(pos, d, p) || acceptable(pos, d, p)) {
                            continue;
                        }
                        const bool repaired = repair(pos, d, p);
                        m_marks[at(pos)][at(d)][at(p - 1)] = repaired ? 0 : 1;
                        unresolved += repaired ? 0 : 1;
                    }
                }
            }
            m_stats.unresolved = unresolved;
        }
    }

    const AutoOrderData& m_data;
    RandomSource& m_random;
    Board m_board;
    std::array<std::array<List, school::kMaxClasses>, school::kGrades> m_lists{};
    std::array<std::array<Text, school::kMaxClasses>, school::kGrades> m_classNames{};
    std::array<std::array<int, school::kMaxClasses>, school::kGrades> m_listIndex{};
    std::array<int, school::kMaxClasses> m_arrangedClass{};
    std::array<Slot, kUnifiedSlots> m_unified{};
    std::array<std::uint64_t, school::kGrades> m_normalisedAt{};
    std::array<std::array<std::array<std::uint8_t, school::kPeriods>, school::kDays>,
               school::kMaxClasses>
        m_marks{};
    int m_grade = 0;
    RunStats m_stats;
};

} // namespace timetable
