// TeachernameEdit: the logic of the teacher-roster dialog. The roster (table [teachername])
// is kept in its meaningful order: every teacher list elsewhere shows it in table order.
//
// The roster has 200 places; names stand in places 1 … count. A teacher name is 4 to 6 GBK
// bytes: a shorter place is blank (kept as a gap, never written) and every refresh cuts each
// place to its first 6 bytes, never half a character, so a longer stored name is shown and
// saved shortened. The grid shows 60 places, 10 per row, from row `top`; the selected place
// is the pressed button.
//
// Limits: every place of the roster is usable. An add or insert with all 200 places in use, or
// a batch that would need a place beyond the 200th, is refused whole with a message naming
// the limit. (Capping the count at 199 while still filling place 200 would drop that name on
// the next save.) Nothing beyond the 200th place is ever written.
//
// Construction reads the table (a store::DbError propagates: the command ends); rows after
// the 200th cannot be shown and reportOverflow() says that a save drops them. save() replaces
// the table in one transaction; a failure leaves it unchanged, shows the driver's text and
// returns false. Text is UTF-8.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace masterdata {

class TeachernameEdit {
public:
    static constexpr int kPlaces = 200;
    static constexpr std::size_t kNameBytes = 6;
    static constexpr int kGridRows = 6;
    static constexpr int kGridColumns = 10;
    static constexpr int kButtons = kGridRows * kGridColumns;
    static constexpr const char* kTitle = "教师名单编辑";
    static constexpr const char* kFullMessage = "教师名单最多200人，不能再增加。";
    static constexpr const char* kOverflowMessage =
        "教师名单表中有超过200个名称，存盘时只保留显示的200个。";

    using Captions = std::array<std::string, kButtons>;

    explicit TeachernameEdit(ui::Messenger& messenger);

    int count() const { return m_count; }
    int top() const { return m_top; }
    int selection() const { return m_selection; }
    // The name in place 1 … 200; empty for any other place.
    std::string place(int number) const;

    // The 60 button captions, row by row, and the index of the pressed button (-1 when the
    // selected place is not in view).
    Captions captions() const;
    int pressedIndex() const;

    bool overflowed() const { return m_overflowed; }
    void reportOverflow();

    void moveUp();
    void moveDown();
    // Selects the place of grid button 0 … 59.
    void selectButton(int index);

    // Whether one more name fits; tells the user when it does not. Asked before the new-name
    // dialog opens, and again by add() and insert().
    bool roomForOne();
    // Whether a batch may be opened at all (some place is free); tells the user otherwise.
    bool roomForBatch();

    // The new-name dialog's text, at place count + 1. False when refused.
    bool add(std::string_view name);
    // The new-name dialog's text at the selected place (at count + 1 when the selection lies
    // beyond it). False when refused.
    bool insert(std::string_view name);
    // Removes the name at the selected place; nothing happens beyond the count.
    void remove();
    // A prepared batch (Teachernamemany::batch()) after the last name, or at the selected
    // place. False, with nothing changed, when the batch would pass the 200th place.
    bool addBatch(std::span<const std::string> names);
    bool insertBatch(std::span<const std::string> names);

    // Writes places 1 … count that hold a name, in roster order.
    bool save();

private:
    bool batchFits(std::size_t n);
    void refresh();

    ui::Messenger& m_messenger;
    std::array<std::string, kPlaces> m_roster{}; // place p at index p - 1
    int m_count = 0;
    int m_top = 0;
    int m_selection = 1;
    bool m_overflowed = false;
};

} // namespace masterdata
