// The fixed texts of an attendance record, stored exactly as listed (the inner spaces of
// the categories included), and the activities the weekly count groups periods into.
#pragma once

#include "core/SchoolNames.h"

#include <array>
#include <span>
#include <string_view>

namespace attendance {

inline constexpr std::array<std::string_view, 5> kWeekdays{"星期一", "星期二", "星期三", "星期四",
                                                           "星期五"};

// The seven teaching periods first, then the activities.
inline constexpr std::array<std::string_view, 12> kPeriods{"第一节", "第二节", "第三节", "第四节",
                                                           "第五节", "第六节", "第七节", "早督修",
                                                           "晚督修", "政治会", "教研会", "升  旗"};
inline constexpr std::size_t kTeachingPeriods = 7;

inline std::span<const std::string_view> teachingPeriods() {
    return std::span(kPeriods).first(kTeachingPeriods);
}
// The teaching periods and the two supervised-study periods.
inline std::span<const std::string_view> recognisedPeriods() {
    return std::span(kPeriods).first(kTeachingPeriods + 2);
}

// The five counted categories come first, in the order their counts are listed.
inline constexpr std::array<std::string_view, 8> kCategories{
    "迟  到", "早  退", "事  假", "公  假", "缺  勤", "公  代", "校公开", "组公开"};
inline constexpr std::size_t kCountedCategories = 5;
inline constexpr std::string_view kOfficialLeave = "公  假";

struct Activity {
    std::string_view name;
    std::span<const std::string_view> periods;
};

inline std::array<Activity, 5> activities() {
    const std::span<const std::string_view> all(kPeriods);
    return {Activity{"常规教学", all.first(kTeachingPeriods)},
            Activity{"早晚督修", all.subspan(7, 2)}, Activity{"政治学习", all.subspan(9, 1)},
            Activity{"教研活动", all.subspan(10, 1)}, Activity{"升旗仪式", all.subspan(11, 1)}};
}

} // namespace attendance
