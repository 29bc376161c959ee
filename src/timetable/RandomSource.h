// The random source of the arrangements. The engine draws whole numbers in 0..RAND_MAX
// (2^31 − 1 here) and reduces them itself, so a scripted source in a test and the C
// library's generator give the same kind of values.
//
// The default source is the C library's rand(), never seeded by the program and shared by
// the whole process: a fresh process repeats its sequence, and two arrangements in one
// process continue the same sequence (so they differ). Seeding it (srand) is the caller's
// business; the command line does so for --seed.
#pragma once

namespace timetable {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A value in 0..RAND_MAX.
    virtual int next() = 0;
};

// rand() of the C library.
class CLibraryRandom final : public RandomSource {
public:
    int next() override;
};

// The process-wide default source.
RandomSource& defaultRandom();

} // namespace timetable
