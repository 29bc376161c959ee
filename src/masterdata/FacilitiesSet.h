// FacilitiesSet: subjects whose teaching resource is limited (a sports ground, a
// laboratory), with the largest number of classes of the whole school that may have the
// subject in one period (table [courseshare]). The logic behind the dialog
// "学科资源有限设置": ten pairs of a subject and a limit.
//
// load() reads the course names (unusable when there are none) and the first ten rows of
// the table into pairs 1 … 10. The dialog copies its controls in with setPair(): the limit
// arrives as the number box's text. save() first checks every limit: it must be a whole
// number of at most 29. A limit is 1 … 29; 0, an empty box or a negative number mean "no
// limit" and are not stored. The first box that fails (not a whole number, or above 29) is
// told to the user, invalidPair() names it and nothing is written. Otherwise every row
// of the table is replaced by the pairs that have a subject (4 bytes or more) and a limit
// above 0, in pair order, in one transaction. Text is UTF-8; load() and save() may throw
// store::DbError.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace masterdata {

class FacilitiesSet {
public:
    static constexpr std::size_t kMaxCourses = 20;
    static constexpr int kPairs = 10;
    static constexpr int kMaxLimit = 29;

    static constexpr const char* kTitle = "学科资源有限设置";
    static constexpr const char* kNoCourses = "请设置学科课程的名称!";
    static constexpr const char* kNotANumber = "请输入一个整数。";
    static constexpr const char* kOutOfRange =
        "请输入一个 1 到 29 之间的整数（0 或不填表示不限）。";

    struct Pair {
        std::string subject;
        std::string limit; // the number box's text
        friend bool operator==(const Pair&, const Pair&) = default;
    };

    explicit FacilitiesSet(ui::Messenger& messenger) : m_messenger(messenger) {}

    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }

    // The entries of every subject selector, in table order.
    const std::vector<std::string>& courses() const { return m_courses; }

    // Pair k (0 … 9, left to right, then top to bottom). A stored limit of 0 shows as an
    // empty box.
    const Pair& pair(int k) const { return m_pairs.at(static_cast<std::size_t>(k)); }
    void setPair(int k, const std::string& subject, const std::string& limit);

    // Checks the limits and replaces the table. False when a limit was refused.
    bool save();
    // The pair whose limit the last save() refused, or -1.
    int invalidPair() const { return m_invalidPair; }

private:
    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::vector<std::string> m_courses;
    std::array<Pair, kPairs> m_pairs{};
    int m_invalidPair = -1;
};

} // namespace masterdata
