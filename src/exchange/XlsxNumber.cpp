#include "exchange/XlsxNumber.h"

#include <charconv>
#include <cmath>

namespace exchange {

std::string shortestNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' ||
                             text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                             text.back() == '\r'))
        text.remove_suffix(1);
    std::string_view digits = text;
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        return std::string(text);
    if (value == 0)
        return "0";
    char buffer[400];
    const double magnitude = std::fabs(value);
    const auto format = magnitude >= 1e-9 && magnitude < 1e21 ? std::chars_format::fixed
                                                              : std::chars_format::general;
    const auto written = format == std::chars_format::fixed
                             ? std::to_chars(buffer, buffer + sizeof buffer, value, format)
                             : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

} // namespace exchange
