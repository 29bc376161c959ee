// The undo and redo history of a school timetable being edited: each step keeps only the
// cells it changed (before and after), plus a small state of the editor's own (the view
// mode and where the change was made), so a hundred re-arrangements of a whole grade cost
// little memory. Recording a step drops the redo branch; the oldest step goes when the
// history is full. Pure C++.
#pragma once

#include "core/SchoolTimetable.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace arrange {

// What the editor restores with the cells: the view mode and where the change was made.
struct EditorState {
    int viewMode = 0;
    int grade = 0;
    int day = 0;
    friend bool operator==(const EditorState&, const EditorState&) = default;
};

template <class Timetable> class BasicTimetableHistory {
public:
    static constexpr std::size_t kLevels = 200;

    // Records the step from `before` to `after`; a step that changes nothing (no cell and
    // no view mode) is not recorded. False then.
    bool record(const Timetable& before, const EditorState& stateBefore, const Timetable& after,
                const EditorState& stateAfter);

    bool canUndo() const { return m_next > 0; }
    bool canRedo() const { return m_next < m_steps.size(); }
    std::size_t undoLevels() const { return m_next; }

    // Applies the step back (or again) to timetable; the state to show, or nullopt when
    // there is nothing to undo (redo).
    std::optional<EditorState> undo(Timetable& timetable);
    std::optional<EditorState> redo(Timetable& timetable);

private:
    struct CellChange {
        std::uint16_t index = 0;
        std::string before;
        std::string after;
    };
    struct Step {
        std::vector<CellChange> cells;
        EditorState before;
        EditorState after;
    };

    std::deque<Step> m_steps;
    std::size_t m_next = 0; // steps before m_next are done
};

using TimetableHistory = BasicTimetableHistory<school::SchoolTimetable>;
using ReviewHistory = BasicTimetableHistory<school::ReviewTimetable>;

} // namespace arrange
