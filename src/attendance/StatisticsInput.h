// Whole numbers as the attendance statistics read them: the week text of a stored record, and
// the week, month and count boxes a user types into. Surrounding spaces are ignored and the
// rest must be decimal digits ("05" is 5); a sign, a fraction, letters after the digits or a
// number beyond int are no whole number, so a week text such as "第5周" or "abc" names no week
// and is never counted (reading it as 0 would put it into week 0).
#pragma once

#include "core/Gbk.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace attendance {

inline std::optional<int> wholeNumber(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Whether a stored teacher or substitute names nobody: shorter than 4 GBK bytes once the spaces
// around it are gone (eight spaces mark a removed teacher).
inline bool namesNobody(std::string_view name) {
    const auto first = name.find_first_not_of(' ');
    return first == std::string_view::npos ||
           gbk::isBlank(name.substr(first, name.find_last_not_of(' ') - first + 1));
}

// The number typed when it is a whole number from low to high.
inline std::optional<int> numberIn(std::string_view text, int low, int high) {
    const std::optional<int> value = wholeNumber(text);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return value;
}

// "请输入周别（0 到 50 的整数）。" for what and its range.
inline std::string rangeMessage(std::string_view what, int low, int high) {
    return "请输入" + std::string(what) + "（" + std::to_string(low) + " 到 " +
           std::to_string(high) + " 的整数）。";
}

} // namespace attendance
