// WeekworkSet: the logic behind "学科周工作量设置", the standard weekly lessons of each subject of
// a grade in table [courseweek] (grade number 1 … 6), edited as 20 pairs of subject and count.
//
// chooseGrade() reads the grade's rows in table order into the pairs. A grade with more than
// 20 rows shows its first 20 and the user is told; the rows past the 20th are kept as read and
// written again after the pairs on every save, so a save never drops what the form cannot
// show. When the read fails no grade is chosen (store::DbError propagates), so a save can never
// replace a grade's rows by pairs it did not read.
//
// save() takes the pairs as typed (surrounding spaces removed). A count must be a whole number
// 0 … 30 (an empty count is 0); a pair with a count above 0 needs a subject of at most 10 GBK
// bytes. The first refused pair is told, refusedPair() names it and nothing is written. A pair
// with the count 0 is not stored, whatever its subject. Otherwise the grade's rows are replaced
// in one transaction (rows of other grades stay); a failure leaves the table as it was and
// throws store::DbError. Without a chosen grade save() says so and writes nothing. Text is
// UTF-8.
#pragma once

#include "core/Messenger.h"
#include "store/CCWRecord.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace attendance {

class WeekworkSet {
public:
    static constexpr int kPairs = 20;
    static constexpr int kPairsPerLine = 4;
    static constexpr int kMaxWeekly = 30;
    static constexpr std::size_t kSubjectBytes = 10;
    static constexpr const char* kTitle = "学科周工作量设置";
    static constexpr const char* kNoGrade = "请先选择年段!";

    struct Pair {
        std::string subject;
        std::string weekly; // the count as shown or typed
        friend bool operator==(const Pair&, const Pair&) = default;
    };
    using Pairs = std::array<Pair, kPairs>;

    explicit WeekworkSet(ui::Messenger& messenger) : m_messenger(messenger) {}

    // The grade box's entries: "初一" … "高三".
    static std::vector<std::string> grades();

    // gradeIndex 0 … 5; anything else chooses none and clears the pairs.
    void chooseGrade(int gradeIndex);
    int gradeIndex() const { return m_grade; }
    const Pairs& pairs() const { return m_pairs; }

    // False when nothing was written (the user told why).
    bool save(const Pairs& typed);
    // The pair save() refused last (0 … 19), or -1.
    int refusedPair() const { return m_refused; }

private:
    bool refuse(int pair, const std::string& text);

    ui::Messenger& m_messenger;
    int m_grade = -1;
    Pairs m_pairs{};
    std::vector<store::CourseweekRow> m_kept; // the grade's rows past the 20th
    int m_refused = -1;
};

} // namespace attendance
