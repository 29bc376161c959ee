// Coursename: the logic of the course-name dialog. It keeps the school's list of up to 20
// course names (table [coursename]) in their meaningful order: every other dialog offers the
// courses in this order and stops at the first blank one.
//
// Construction reads the whole table (a store::DbError propagates: the command ends). Entry k
// shows row k. A table holding names after its 20th row or names wider than a box (8 GBK
// bytes) cannot come from this dialog; the first 20 rows are shown whole, nothing is cut
// silently, and reportOverflow() tells the user once that a save keeps only what is shown.
// Blank rows after the 20th are no overflow: a save drops blank entries in any case.
//
// save() closes the gaps (a name under 4 GBK bytes is blank and dropped, the others keep box
// order) and replaces the table in one transaction. A failed save leaves the table as it was,
// shows the driver's text and returns false. Text is UTF-8.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <string>

namespace masterdata {

class Coursename {
public:
    static constexpr int kEntries = 20;
    static constexpr std::size_t kBoxBytes = 8;
    static constexpr int kRows = 5;
    static constexpr int kColumns = 4;
    static constexpr const char* kTitle = "课程名称设置";
    static constexpr const char* kOverflowMessage =
        "课程名称表中有超过20个名称或过长的名称，存盘时只保留显示的20个。";

    using Names = std::array<std::string, kEntries>;

    explicit Coursename(ui::Messenger& messenger);

    const Names& names() const { return m_names; }
    // Box k (0-based, left to right, then top to bottom) into entry k.
    void setNames(const Names& names) { m_names = names; }

    // True when the table could not be shown whole (a name after the 20th row or an over-long
    // name).
    bool overflowed() const { return m_overflowed; }
    // Tells the user about an overflowing table; says nothing otherwise.
    void reportOverflow();

    // Closes the gaps of the entries and writes the valid names. False (with the error shown)
    // when the database refused the save; the entries then keep their closed order.
    bool save();

private:
    ui::Messenger& m_messenger;
    Names m_names{};
    bool m_overflowed = false;
};

} // namespace masterdata
