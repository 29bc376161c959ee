#include "arrange/TimetableHistory.h"

#include "core/SchoolNames.h"

namespace arrange {
namespace {

constexpr int kCells = school::kGrades * school::kMaxClasses * school::kDays * school::kSlots;

struct Place {
    int grade, position, day, slot;
};

Place placeOf(int index) {
    return {index / (school::kSlots * school::kDays * school::kMaxClasses),
            index / (school::kSlots * school::kDays) % school::kMaxClasses,
            index / school::kSlots % school::kDays, index % school::kSlots};
}

std::string& cellAt(school::SchoolTimetable& t, int index) {
    const Place at = placeOf(index);
    return t.cell(at.grade, at.position, at.day, at.slot);
}

const std::string& cellAt(const school::SchoolTimetable& t, int index) {
    const Place at = placeOf(index);
    return t.cell(at.grade, at.position, at.day, at.slot);
}

} // namespace

bool TimetableHistory::record(const school::SchoolTimetable& before, const EditorState& stateBefore,
                              const school::SchoolTimetable& after, const EditorState& stateAfter) {
    Step step{{}, stateBefore, stateAfter};
    for (int i = 0; i < kCells; ++i) {
        const std::string& was = cellAt(before, i);
        const std::string& is = cellAt(after, i);
        if (was != is) {
            step.cells.push_back({static_cast<std::uint16_t>(i), was, is});
        }
    }
    if (step.cells.empty() && stateBefore.viewMode == stateAfter.viewMode) {
        return false;
    }
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_next), m_steps.end());
    m_steps.push_back(std::move(step));
    if (m_steps.size() > kLevels) {
        m_steps.pop_front();
    }
    m_next = m_steps.size();
    return true;
}

std::optional<EditorState> TimetableHistory::undo(school::SchoolTimetable& timetable) {
    if (!canUndo()) {
        return std::nullopt;
    }
    const Step& step = m_steps[--m_next];
    for (const CellChange& change : step.cells) {
        cellAt(timetable, change.index) = change.before;
    }
    return step.before;
}

std::optional<EditorState> TimetableHistory::redo(school::SchoolTimetable& timetable) {
    if (!canRedo()) {
        return std::nullopt;
    }
    const Step& step = m_steps[m_next++];
    for (const CellChange& change : step.cells) {
        cellAt(timetable, change.index) = change.after;
    }
    return step.after;
}

} // namespace arrange
