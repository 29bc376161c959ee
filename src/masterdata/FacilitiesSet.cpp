#include "masterdata/FacilitiesSet.h"

#include "core/Gbk.h"
#include "masterdata/NameLists.h"
#include "store/CCSRecord.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace masterdata {
namespace {

enum class Parse { Ok, NotANumber, OutOfRange };

// A limit as typed: surrounding spaces are ignored, an empty box is 0; otherwise an
// optional sign and decimal digits only. A negative whole number is a valid entry that
// means no limit, like 0; only a number above 29 is out of range.
Parse parseLimit(std::string_view text, int& value) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        value = 0;
        return Parse::Ok;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') {
            return Parse::NotANumber;
        }
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec == std::errc::result_out_of_range && ptr == end) {
        if (text.front() == '-') {
            value = 0; // below any int: no limit
            return Parse::Ok;
        }
        return Parse::OutOfRange;
    }
    if (ec != std::errc() || ptr != end) {
        return Parse::NotANumber;
    }
    return value <= FacilitiesSet::kMaxLimit ? Parse::Ok : Parse::OutOfRange;
}

} // namespace

bool FacilitiesSet::load() {
    m_courses.clear();
    m_pairs = {};
    m_invalidPair = -1;
    m_unusableMessage.clear();

    m_courses = readCourseNames(kMaxCourses);
    if (m_courses.empty()) {
        m_unusableMessage = kNoCourses;
        return false;
    }
    store::CCSRecord records;
    std::size_t k = 0;
    for (const auto& row : records.readAll()) {
        if (k == m_pairs.size()) {
            break;
        }
        m_pairs[k++] = {row.course, row.share == 0 ? std::string() : std::to_string(row.share)};
    }
    records.close();
    return true;
}

void FacilitiesSet::setPair(int k, const std::string& subject, const std::string& limit) {
    m_pairs.at(static_cast<std::size_t>(k)) = {subject, limit};
}

bool FacilitiesSet::save() {
    m_invalidPair = -1;
    std::vector<store::CourseshareRow> rows;
    for (int k = 0; k < kPairs; ++k) {
        const Pair& p = m_pairs[static_cast<std::size_t>(k)];
        int limit = 0;
        const Parse result = parseLimit(p.limit, limit);
        if (result != Parse::Ok) {
            m_invalidPair = k;
            m_messenger.error(result == Parse::NotANumber ? kNotANumber : kOutOfRange);
            return false;
        }
        if (!gbk::isBlank(p.subject) && limit > 0) {
            rows.push_back({p.subject, limit});
        }
    }
    store::CCSRecord records;
    records.replaceAll(rows);
    return true;
}

} // namespace masterdata
