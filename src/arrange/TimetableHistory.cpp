#include "arrange/TimetableHistory.h"

#include "core/SchoolNames.h"

namespace arrange {
namespace {

template <class Timetable>
constexpr int kCells = school::kGrades* school::kMaxClasses* Timetable::kDayCount* school::kSlots;

struct Place {
    int grade, position, day, slot;
};

template <class Timetable> Place placeOf(int index) {
    constexpr int days = Timetable::kDayCount;
    return {index / (school::kSlots * days * school::kMaxClasses),
            index / (school::kSlots * days) % school::kMaxClasses, index / school::kSlots % days,
            index % school::kSlots};
}

template <class Timetable> std::string& cellAt(Timetable& t, int index) {
    const Place at = placeOf<Timetable>(index);
    return t.cell(at.grade, at.position, at.day, at.slot);
}

template <class Timetable> const std::string& cellAt(const Timetable& t, int index) {
    const Place at = placeOf<Timetable>(index);
    return t.cell(at.grade, at.position, at.day, at.slot);
}

} // namespace

template <class Timetable>
bool BasicTimetableHistory<Timetable>::record(const Timetable& before,
                                              const EditorState& stateBefore,
                                              const Timetable& after,
                                              const EditorState& stateAfter) {
    Step step{{}, stateBefore, stateAfter};
    for (int i = 0; i < kCells<Timetable>; ++i) {
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

template <class Timetable>
std::optional<EditorState> BasicTimetableHistory<Timetable>::undo(Timetable& timetable) {
    if (!canUndo()) {
        return std::nullopt;
    }
    const Step& step = m_steps[--m_next];
    for (const CellChange& change : step.cells) {
        cellAt(timetable, change.index) = change.before;
    }
    return step.before;
}

template <class Timetable>
std::optional<EditorState> BasicTimetableHistory<Timetable>::redo(Timetable& timetable) {
    if (!canRedo()) {
        return std::nullopt;
    }
    const Step& step = m_steps[m_next++];
    for (const CellChange& change : step.cells) {
        cellAt(timetable, change.index) = change.after;
    }
    return step.after;
}

template class BasicTimetableHistory<school::SchoolTimetable>;
template class BasicTimetableHistory<school::ReviewTimetable>;

} // namespace arrange
