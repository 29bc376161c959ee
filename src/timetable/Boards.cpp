#include "timetable/Boards.h"

#include "core/Gbk.h"

#include <cstddef>

namespace timetable {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// The first preset of the teacher decides; a mask under 30 characters blocks nothing.
const TeacherPreset* presetOf(const AutoOrderData& data, std::string_view teacher) {
    for (const TeacherPreset& preset : data.presets) {
        if (preset.teacher == teacher) {
            return &preset;
        }
    }
    return nullptr;
}

bool maskBlocks(const TeacherPreset* preset, int day, int period) {
    if (preset == nullptr || preset->mask.size() < 30) {
        return false;
    }
    const std::size_t index = at(day * 7 + period - 1);
    return index < preset->mask.size() && preset->mask[index] == '1';
}

} // namespace

bool PlainBoard::filled(const Text& text) const {
    return !gbk::isBlank(text);
}

bool PlainBoard::atLeast3(const Text& text) const {
    return !gbk::isBlank(text, 3);
}

std::int64_t PlainBoard::weeklyLoad(const Text& text) const {
    std::int64_t load = 0;
    for (const auto& grade : m_data.classes) {
        for (const ClassCourseList& list : grade) {
            for (const CourseEntry& entry : list.entries) {
                if (entry.teacher == text) {
                    load += entry.weekly;
                }
            }
        }
    }
    return load;
}

bool PlainBoard::presetBlocks(const Text& text, int day, int period) const {
    return maskBlocks(presetOf(m_data, text), day, period);
}

bool PlainBoard::isResourceName(const Text& text) const {
    if (!filled(text)) {
        return false;
    }
    for (const SubjectResource& resource : m_data.resources) {
        if (resource.course == text) {
            return true;
        }
    }
    return false;
}

int PlainBoard::dayCount(int day, const Text& text) const {
    int n = 0;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                n += m_cells.cell(g, c, day, p) == text ? 1 : 0;
            }
        }
    }
    return n;
}

int PlainBoard::slotCount(int day, int period, const Text& text) const {
    int n = 0;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            n += m_cells.cell(g, c, day, period) == text ? 1 : 0;
        }
    }
    return n;
}

FastBoard::FastBoard(const AutoOrderData& data) : m_generation(school::kGrades, 0) {
    intern(""); // text 0 is the empty text
    for (const auto& grade : data.classes) {
        for (const ClassCourseList& list : grade) {
            for (const CourseEntry& entry : list.entries) {
                m_props[at(intern(entry.teacher))].weeklyLoad += entry.weekly;
                intern(entry.course);
            }
        }
    }
    for (const SubjectResource& resource : data.resources) {
        const Text id = intern(resource.course);
        m_props[at(id)].resource = m_props[at(id)].filled;
    }
    for (std::size_t i = 0; i < data.presets.size(); ++i) {
        const TeacherPreset& preset = data.presets[i];
        if (presetOf(data, preset.teacher) != &preset) {
            continue; // a later row of the same teacher never counts
        }
        std::uint64_t bits = 0;
        for (int b = 0; b < 35; ++b) {
            if (maskBlocks(&preset, b / 7, b % 7 + 1)) {
                bits |= std::uint64_t{1} << b;
            }
        }
        m_props[at(intern(preset.teacher))].blocked = bits;
    }
}

FastBoard::Text FastBoard::intern(std::string_view text) {
    const auto found = m_ids.find(std::string(text));
    if (found != m_ids.end()) {
        return found->second;
    }
    const Text id = static_cast<Text>(m_texts.size());
    m_ids.emplace(std::string(text), id);
    m_texts.emplace_back(text);
    Props props;
    props.filled = !gbk::isBlank(text);
    props.spaceLead = !text.empty() && text.front() == ' ';
    props.atLeast3 = !gbk::isBlank(text, 3);
    m_props.push_back(props);
    return id;
}

void FastBoard::load(const school::SchoolTimetable& source) {
    m_cells.assign(at(school::kGrades * school::kMaxClasses * school::kDays * school::kSlots), 0);
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                for (int s = 0; s < school::kSlots; ++s) {
                    m_cells[cellIndex(g, c, d, s)] = intern(source.cell(g, c, d, s));
                }
            }
        }
    }
    m_dayCount.assign(m_texts.size() * 5, 0);
    m_slotCount.assign(m_texts.size() * 35, 0);
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                for (int p = 1; p <= school::kPeriods; ++p) {
                    const Text text = get(g, c, d, p);
                    ++m_dayCount[at(text) * 5 + at(d)];
                    ++m_slotCount[at(text) * 35 + at(d * 7 + p - 1)];
                }
            }
        }
    }
    m_generation.assign(school::kGrades, 0);
}

school::SchoolTimetable FastBoard::toTimetable() const {
    school::SchoolTimetable result;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                for (int s = 0; s < school::kSlots; ++s) {
                    result.cell(g, c, d, s) = str(get(g, c, d, s));
                }
            }
        }
    }
    return result;
}

void FastBoard::set(int g, int c, int d, int s, Text text) {
    Text& cell = m_cells[cellIndex(g, c, d, s)];
    if (s >= 1) {
        --m_dayCount[at(cell) * 5 + at(d)];
        --m_slotCount[at(cell) * 35 + at(d * 7 + s - 1)];
        ++m_dayCount[at(text) * 5 + at(d)];
        ++m_slotCount[at(text) * 35 + at(d * 7 + s - 1)];
    }
    cell = text;
    ++m_generation[at(g)];
}

} // namespace timetable
