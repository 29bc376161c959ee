// Gradeclass: the logic of the dialog that sets the number of classes of each grade (table
// [gradeclass]). The six grades are fixed ("初一" … "高三"); only their class counts, 0 … 20,
// are stored, one row per grade that has classes, in grade order.
//
// Construction reads the table (a store::DbError propagates: the command ends): a row whose
// grade is one of the six names sets that grade's count (the last such row wins); any other
// row is ignored and disappears on the next save.
//
// take() checks the six box texts; a box that is empty, not a whole number or outside
// 0 … 20 is refused with the range message and nothing changes, so a refused OK never
// writes. save() replaces the table in one transaction; a failure leaves it unchanged, shows
// the driver's text and returns false. Text is UTF-8.
#pragma once

#include "core/Messenger.h"
#include "core/SchoolNames.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace masterdata {

class Gradeclass {
public:
    static constexpr int kMinClasses = 0;
    static constexpr int kMaxClasses = school::kMaxClasses;
    static constexpr const char* kTitle = "各个年段的班级数设置";
    static constexpr const char* kRangeMessage = "请输入一个 0 到 20 之间的整数。";

    using Counts = std::array<int, school::kGrades>;
    using Texts = std::array<std::string, school::kGrades>;

    explicit Gradeclass(ui::Messenger& messenger);

    // "初一年段" … "高三年段" for grade index 0 … 5.
    static std::string label(int gradeIndex);
    // A box text as a count, or nothing when the box does not hold one.
    static std::optional<int> parseCount(std::string_view text);

    const Counts& counts() const { return m_counts; }
    // The counts as the boxes show them.
    Texts texts() const;

    // Takes the box texts (grade order) as the counts. When a box is refused the user is
    // told, nothing changes, and its grade index comes back.
    std::optional<int> take(const Texts& texts);

    bool save();

private:
    ui::Messenger& m_messenger;
    Counts m_counts{};
};

} // namespace masterdata
