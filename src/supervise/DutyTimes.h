// The fourteen times of supervised study, in list order: the morning and the evening of each
// day from Monday to Sunday.
#pragma once

#include <array>
#include <string_view>

namespace supervise {

inline constexpr std::array<std::string_view, 14> kDutyTimes{
    "周一早", "周一晚", "周二早", "周二晚", "周三早", "周三晚", "周四早",
    "周四晚", "周五早", "周五晚", "周六早", "周六晚", "周日早", "周日晚"};

} // namespace supervise
