#include "masterdata/Gradeclass.h"

#include "core/Reported.h"
#include "store/CGSRecord.h"

#include <charconv>
#include <vector>

namespace masterdata {

Gradeclass::Gradeclass(ui::Messenger& messenger) : m_messenger(messenger) {
    store::CGSRecord record;
    for (const store::GradeclassRow& row : record.readAll()) {
        if (const std::optional<int> grade = school::gradeIndex(row.grade)) {
            m_counts[static_cast<std::size_t>(*grade)] = row.classes;
        }
    }
    record.close();
}

std::string Gradeclass::label(int gradeIndex) {
    return std::string(school::kGradeNames.at(static_cast<std::size_t>(gradeIndex))) + "年段";
}

std::optional<int> Gradeclass::parseCount(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value < kMinClasses ||
        value > kMaxClasses) {
        return std::nullopt;
    }
    return value;
}

Gradeclass::Texts Gradeclass::texts() const {
    Texts out;
    for (std::size_t g = 0; g < out.size(); ++g) {
        out[g] = std::to_string(m_counts[g]);
    }
    return out;
}

std::optional<int> Gradeclass::take(const Texts& texts) {
    Counts counts{};
    for (std::size_t g = 0; g < texts.size(); ++g) {
        const std::optional<int> count = parseCount(texts[g]);
        if (!count) {
            m_messenger.error(kRangeMessage);
            return static_cast<int>(g);
        }
        counts[g] = *count;
    }
    m_counts = counts;
    return std::nullopt;
}

bool Gradeclass::save() {
    std::vector<store::GradeclassRow> rows;
    for (std::size_t g = 0; g < m_counts.size(); ++g) {
        if (m_counts[g] > 0) {
            rows.push_back({std::string(school::kGradeNames[g]), m_counts[g]});
        }
    }
    // The save runs in one transaction: on failure the table is unchanged and the driver's
    // text is shown.
    if (!ui::reported(m_messenger, [&] { store::CGSRecord().replaceAll(rows); })) {
        return false;
    }
    return true;
}

} // namespace masterdata
