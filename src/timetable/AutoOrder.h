// AutoOrder: the automatic arrangement of one grade's weekly timetable. Construct it with
// the loaded lists (AutoOrderData, see AutoOrderStore for the tables) and a random source,
// call arrange() once with the grade index and the whole school timetable, and copy
// result() back whole. The other grades come back unchanged, except that a grade held in
// course names comes back in teacher names once a rule has been checked.
//
// Pure C++: no database, no messages. Every run ends in bounded time (ArrangeEngine.h
// lists the bounds and the choices made where the procedure leaves room). Same data and
// the same random sequence give the same timetable; PlainAutoOrder computes the very same
// result the slow, obvious way.
#pragma once

#include "core/SchoolTimetable.h"
#include "timetable/ArrangeTypes.h"
#include "timetable/AutoOrderData.h"
#include "timetable/RandomSource.h"

#include <memory>

namespace timetable {

class AutoOrder {
public:
    explicit AutoOrder(AutoOrderData data, RandomSource& random = defaultRandom());
    ~AutoOrder();
    AutoOrder(const AutoOrder&) = delete;
    AutoOrder& operator=(const AutoOrder&) = delete;

    // grade 0..5. A stage before Complete stops the run after that step (for tests).
    void arrange(int grade, const school::SchoolTimetable& source, Stage stage = Stage::Complete);

    const school::SchoolTimetable& result() const { return m_result; }
    const AutoOrderData& data() const { return m_data; }
    // Classes that got a timetable; they stand at positions 0..count−1 of the grade.
    int arrangedCount() const;
    // Class number 1..20 of the class at arranged position 0..count−1.
    int arrangedClassNumber(int position) const;
    // Scanning passes run, and cells whose repair failed in the last one.
    int passes() const;
    int unresolved() const;
    // Classes whose placement was cut off by the bound on failed attempts.
    int abandonedPlacements() const;

private:
    struct Impl;
    AutoOrderData m_data;
    std::unique_ptr<Impl> m_impl;
    school::SchoolTimetable m_result;
};

// The reference: the same arrangement over plain strings, every rule a scan of the school.
class PlainAutoOrder {
public:
    explicit PlainAutoOrder(AutoOrderData data, RandomSource& random = defaultRandom());
    ~PlainAutoOrder();
    PlainAutoOrder(const PlainAutoOrder&) = delete;
    PlainAutoOrder& operator=(const PlainAutoOrder&) = delete;

    void arrange(int grade, const school::SchoolTimetable& source, Stage stage = Stage::Complete);
    const school::SchoolTimetable& result() const { return m_result; }
    int arrangedCount() const;

private:
    struct Impl;
    AutoOrderData m_data;
    std::unique_ptr<Impl> m_impl;
    school::SchoolTimetable m_result;
};

} // namespace timetable
