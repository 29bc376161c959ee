#include "exchange/ImportNames.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace exchange {
namespace {

constexpr std::string_view kWideSpace = "\u3000";
constexpr std::array<std::string_view, school::kDays> kShortDays = {"周一", "周二", "周三", "周四",
                                                                    "周五"};
constexpr std::array<std::string_view, 3> kListSeparators = {"、", "，", ","};
constexpr std::array<std::string_view, 4> kRangeMarks = {"～", "~", "－", "-"};

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Splits at every occurrence of any of the separators.
template <std::size_t N>
std::vector<std::string_view> split(std::string_view text,
                                    const std::array<std::string_view, N>& separators) {
    std::vector<std::string_view> parts;
    std::size_t begin = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto found = std::find_if(separators.begin(), separators.end(),
                                        [&](auto s) { return text.substr(at, s.size()) == s; });
        if (found == separators.end()) {
            ++at;
            continue;
        }
        parts.push_back(text.substr(begin, at - begin));
        at += found->size();
        begin = at;
    }
    parts.push_back(text.substr(begin));
    return parts;
}

std::optional<int> inRange(std::string_view text, int low, int high) {
    const std::optional<int> value = wholeNumber(trimmed(text));
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string trimmed(std::string_view text) {
    for (;;) {
        if (startsWith(text, " ") || startsWith(text, "\t")) {
            text.remove_prefix(1);
        } else if (startsWith(text, kWideSpace)) {
            text.remove_prefix(kWideSpace.size());
        } else if (endsWith(text, " ") || endsWith(text, "\t")) {
            text.remove_suffix(1);
        } else if (endsWith(text, kWideSpace)) {
            text.remove_suffix(kWideSpace.size());
        } else {
            return std::string(text);
        }
    }
}

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || text.front() == '+') {
        return std::nullopt;
    }
    return value;
}

std::optional<int> gradeOf(std::string_view text) {
    const std::string name = trimmed(text);
    if (const std::optional<int> index = school::gradeIndex(name)) {
        return index;
    }
    const std::optional<int> number = inRange(name, 1, school::kGrades);
    return number ? std::optional<int>(*number - 1) : std::nullopt;
}

std::optional<school::ClassId> classOf(std::string_view text) {
    const std::string name = trimmed(text);
    if (const auto id = school::parseClassName(name)) {
        return id;
    }
    for (int g = 0; g < school::kGrades; ++g) {
        const std::string_view grade = school::kGradeNames[static_cast<std::size_t>(g)];
        if (!startsWith(name, grade)) {
            continue;
        }
        std::string_view rest = std::string_view(name).substr(grade.size());
        constexpr std::array<std::array<std::string_view, 2>, 3> kForms = {
            {{"", "班"}, {"(", ")"}, {"（", "）"}}};
        for (const auto& [open, close] : kForms) {
            if (startsWith(rest, open) && endsWith(rest, close) &&
                rest.size() > open.size() + close.size()) {
                const std::string_view digits =
                    rest.substr(open.size(), rest.size() - open.size() - close.size());
                if (digits.front() == '-') {
                    continue;
                }
                if (const auto number = inRange(digits, 1, school::kMaxClasses)) {
                    return school::ClassId{g, *number};
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<int> dayOf(std::string_view text) {
    const std::string name = trimmed(text);
    for (int d = 0; d < school::kDays; ++d) {
        if (name == school::kDayNames[static_cast<std::size_t>(d)] ||
            name == kShortDays[static_cast<std::size_t>(d)]) {
            return d + 1;
        }
    }
    return inRange(name, 1, school::kDays);
}

std::optional<std::vector<int>> periodsOf(std::string_view text) {
    std::vector<int> periods;
    const std::string all = trimmed(text);
    if (all.empty()) {
        return std::nullopt;
    }
    for (const std::string_view part : split(all, kListSeparators)) {
        const std::vector<std::string_view> ends = split(part, kRangeMarks);
        if (ends.size() > 2) {
            return std::nullopt;
        }
        const auto first = inRange(ends.front(), 1, school::kPeriods);
        const auto last = inRange(ends.back(), 1, school::kPeriods);
        if (!first || !last || *last < *first) {
            return std::nullopt;
        }
        for (int p = *first; p <= *last; ++p) {
            if (std::find(periods.begin(), periods.end(), p) == periods.end()) {
                periods.push_back(p);
            }
        }
    }
    return periods;
}

std::string periodsText(const std::vector<int>& periods) {
    std::vector<int> sorted = periods;
    std::sort(sorted.begin(), sorted.end());
    std::string text;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] == sorted[j] + 1) {
            ++j;
        }
        if (!text.empty()) {
            text += ',';
        }
        if (j >= i + 2) {
            text += std::to_string(sorted[i]) + '-' + std::to_string(sorted[j]);
            i = j + 1;
        } else {
            text += std::to_string(sorted[i]);
            ++i;
        }
    }
    return text;
}

std::vector<std::string> namesOf(std::string_view text) {
    std::vector<std::string> names;
    for (const std::string_view part : split(text, kListSeparators)) {
        std::string name = trimmed(part);
        if (!name.empty()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

std::vector<std::vector<int>> maskPeriods(std::string_view mask) {
    std::vector<std::vector<int>> days(static_cast<std::size_t>(school::kDays));
    if (mask.size() < kShortestMask) {
        return days;
    }
    const std::size_t length = std::min(mask.size(), static_cast<std::size_t>(kMaskLength));
    for (std::size_t i = 0; i < length; ++i) {
        if (mask[i] == '1') {
            days[i / school::kPeriods].push_back(static_cast<int>(i % school::kPeriods) + 1);
        }
    }
    return days;
}

} // namespace exchange
