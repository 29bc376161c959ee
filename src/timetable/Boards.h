// The two working copies of the school timetable the engine can run on. Both answer the
// same questions about cell texts; the engine (ArrangeEngine.h) is written once against
// them.
//
// - PlainBoard keeps the cells as strings and answers every question by scanning: the
//   school timetable for a teacher's lessons on a day or in a period, the class course
//   lists for a teacher's weekly load, the presets for a teacher's mask. It is the
//   reference the fast board is checked against.
// - FastBoard interns every text to a number (equal texts, equal numbers) and keeps, per
//   text, the count of its cells on each day and in each period of the school, updated
//   on every write, so the rules of the repair passes cost a lookup instead of a scan of
//   the whole school. Its results are identical to PlainBoard's.
//
// Cells are addressed (grade 0..5, class 0..19, day 0..4, slot 0..7); day and period
// counts cover slots 1..7 (periods) of all grades and classes.
#pragma once

#include "core/SchoolTimetable.h"
#include "timetable/AutoOrderData.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace timetable {

class PlainBoard {
public:
    using Text = std::string;
    static constexpr bool kCachesNormalisation = false;

    explicit PlainBoard(const AutoOrderData& data) : m_data(data) {}

    Text intern(std::string_view text) { return Text(text); }
    const std::string& str(const Text& text) const { return text; }
    void load(const school::SchoolTimetable& source) { m_cells = source; }
    school::SchoolTimetable toTimetable() const { return m_cells; }

    const Text& get(int g, int c, int d, int s) const { return m_cells.cell(g, c, d, s); }
    void set(int g, int c, int d, int s, const Text& text) { m_cells.cell(g, c, d, s) = text; }
    Text empty() const { return {}; }

    bool filled(const Text& text) const;
    bool spaceLead(const Text& text) const { return !text.empty() && text.front() == ' '; }
    bool atLeast3(const Text& text) const;
    std::int64_t weeklyLoad(const Text& text) const;
    bool presetBlocks(const Text& text, int day, int period) const;
    bool isResourceName(const Text& text) const;
    int dayCount(int day, const Text& text) const;
    int slotCount(int day, int period, const Text& text) const;
    std::uint64_t generation(int) const { return 0; }

private:
    const AutoOrderData& m_data;
    school::SchoolTimetable m_cells;
};

class FastBoard {
public:
    using Text = std::int32_t;
    static constexpr bool kCachesNormalisation = true;

    explicit FastBoard(const AutoOrderData& data);

    // New texts may be interned until load(); load() interns the timetable's own texts.
    Text intern(std::string_view text);
    const std::string& str(Text text) const { return m_texts[at(text)]; }
    void load(const school::SchoolTimetable& source);
    school::SchoolTimetable toTimetable() const;

    Text get(int g, int c, int d, int s) const { return m_cells[cellIndex(g, c, d, s)]; }
    void set(int g, int c, int d, int s, Text text);
    Text empty() const { return 0; }

    bool filled(Text text) const { return m_props[at(text)].filled; }
    bool spaceLead(Text text) const { return m_props[at(text)].spaceLead; }
    bool atLeast3(Text text) const { return m_props[at(text)].atLeast3; }
    std::int64_t weeklyLoad(Text text) const { return m_props[at(text)].weeklyLoad; }
    bool presetBlocks(Text text, int day, int period) const {
        return (m_props[at(text)].blocked >> (day * 7 + period - 1) & 1u) != 0;
    }
    bool isResourceName(Text text) const { return m_props[at(text)].resource; }
    int dayCount(int day, Text text) const { return m_dayCount[at(text) * 5 + at(day)]; }
    int slotCount(int day, int period, Text text) const {
        return m_slotCount[at(text) * 35 + at(day * 7 + period - 1)];
    }
    // Grows with every write into the grade.
    std::uint64_t generation(int g) const { return m_generation[at(g)]; }

private:
    struct Props {
        bool filled = false;
        bool spaceLead = false;
        bool atLeast3 = false;
        bool resource = false;
        std::int64_t weeklyLoad = 0;
        std::uint64_t blocked = 0; // bit day·7 + period − 1
    };

    static std::size_t at(int i) { return static_cast<std::size_t>(i); }
    static std::size_t cellIndex(int g, int c, int d, int s) {
        return at(((g * school::kMaxClasses + c) * school::kDays + d) * school::kSlots + s);
    }

    std::unordered_map<std::string, Text> m_ids;
    std::vector<std::string> m_texts;
    std::vector<Props> m_props;
    std::vector<Text> m_cells;
    std::vector<int> m_dayCount;  // text · 5 + day
    std::vector<int> m_slotCount; // text · 35 + day · 7 + period − 1
    std::vector<std::uint64_t> m_generation;
};

} // namespace timetable
