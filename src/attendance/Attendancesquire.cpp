#include "attendance/Attendancesquire.h"

#include "attendance/AttendanceTerms.h"
#include "attendance/AttendanceWeekText.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CATRecord.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace attendance {
namespace {

enum Column { kTeacher, kWeek, kClass, kDate, kWeekday, kPeriod, kCategory, kSubstitute, kRemark };

// A line's place in a sort: its rank in the column's own order (kUnlisted when the text is
// not in it), then its text in GBK codes.
using Place = std::pair<long, std::string>;
constexpr long kUnlisted = std::numeric_limits<long>::max();

std::string gbkCodes(const std::string& text) {
    return gbk::toGbk(text).value_or(text);
}

template <std::size_t N>
Place listed(const std::array<std::string_view, N>& list, const std::string& text) {
    const auto found = std::find(list.begin(), list.end(), text);
    return {found != list.end() ? found - list.begin() : kUnlisted, gbkCodes(text)};
}

Place placeOf(Attendancesquire::SortKey key, const Attendancesquire::Line& line) {
    using Key = Attendancesquire::SortKey;
    switch (key) {
    case Key::Week: {
        const std::optional<int> week = weekNumber(line[kWeek]);
        return {week ? *week : kUnlisted, gbkCodes(line[kWeek])};
    }
    case Key::Class: {
        const auto id = school::parseClassName(line[kClass]);
        return {id ? id->gradeIndex * 100L + id->classNumber : kUnlisted, gbkCodes(line[kClass])};
    }
    case Key::Period:
        return listed(kPeriods, line[kPeriod]);
    case Key::Category:
        return listed(kCategories, line[kCategory]);
    case Key::Teacher:
        break;
    }
    return {0, gbkCodes(line[kTeacher])};
}

} // namespace

void Attendancesquire::sort(SortKey key) {
    std::vector<std::pair<Place, Line>> placed;
    for (store::AttendanceRow& record : store::CATRecord().readAll()) {
        if (gbk::isBlank(record.teacher)) {
            continue;
        }
        Line line = {
            std::move(record.teacher), std::move(record.week),       std::move(record.className),
            dateText(record.date),     std::move(record.weekday),    std::move(record.period),
            std::move(record.kind),    std::move(record.substitute), std::move(record.remark)};
        Place place = placeOf(key, line);
        placed.emplace_back(std::move(place), std::move(line));
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Line> lines;
    lines.reserve(placed.size());
    for (auto& [place, line] : placed) {
        lines.push_back(std::move(line));
    }
    m_lines = std::move(lines);
}

} // namespace attendance
