#include "exchange/WorkbookFormat.h"

#include <algorithm>

namespace exchange {

const std::array<SheetFormat, 8>& sheetFormats() {
    using namespace sheets;
    static const std::array<SheetFormat, 8> formats = {{
        {kCourses, {"课程"}, 1, {"语文"}},
        {kTeachers, {"姓名", "学科"}, 1, {"张明", "语文、历史"}},
        {kClasses, {"年段", "班级数"}, 2, {"初一", "12"}},
        {kGradePlans, {"年段", "学科", "周课时", "复习天数"}, 3, {"初一", "语文", "6", ""}},
        {kClassPlans, {"班级", "学科", "教师", "周课时"}, 4, {"初一⑴", "语文", "张明", "6"}},
        {kPresets, {"教师", "星期", "节次"}, 3, {"张明", "星期一", "1-4"}},
        {kUnified, {"年段", "星期", "节次", "课程"}, 4, {"初一", "星期五", "7", "语文"}},
        {kResources, {"课程", "同时上课班数"}, 2, {"语文", "4"}},
    }};
    return formats;
}

const SheetFormat* sheetFormat(std::string_view name) {
    const auto& formats = sheetFormats();
    const auto found = std::find_if(formats.begin(), formats.end(),
                                    [&](const SheetFormat& f) { return f.name == name; });
    return found == formats.end() ? nullptr : &*found;
}

} // namespace exchange
