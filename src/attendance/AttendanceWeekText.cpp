#include "attendance/AttendanceWeekText.h"

namespace attendance {

std::optional<int> weekNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    constexpr std::size_t kMaxDigits = 6; // no week number comes close
    if (text.size() > kMaxDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            return std::nullopt;
        }
        value = value * 10 + (ch - '0');
    }
    return value;
}

std::optional<int> typedWeek(std::string_view text) {
    const std::optional<int> week = weekNumber(text);
    if (!week || *week < kFirstWeek || *week > kLastWeek) {
        return std::nullopt;
    }
    return week;
}

std::string dateText(const school::DateTime& date) {
    return date.valid() ? date.toText().substr(0, 10) : std::string();
}

} // namespace attendance
