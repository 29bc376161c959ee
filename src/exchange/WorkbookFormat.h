// The sheets of the school's workbook: each sheet's name, its columns in the order the export
// writes them (the first `required` must be present in an imported header row; any others may
// be missing, extra columns are ignored, and columns may come in any order) and the example
// row of the template. The same table serves the import, the export and the template.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace exchange {

struct SheetFormat {
    std::string_view name;
    std::vector<std::string_view> columns;
    std::size_t required = 0;
    std::vector<std::string_view> example;
};

namespace sheets {
inline constexpr std::string_view kCourses = "课程";
inline constexpr std::string_view kTeachers = "教师";
inline constexpr std::string_view kClasses = "班级";
inline constexpr std::string_view kGradePlans = "年段课程";
inline constexpr std::string_view kClassPlans = "课务分工";
inline constexpr std::string_view kPresets = "教师不排";
inline constexpr std::string_view kUnified = "统一课程";
inline constexpr std::string_view kResources = "资源";
} // namespace sheets

// In the order the export writes them.
const std::array<SheetFormat, 8>& sheetFormats();
// The format of the sheet of this name, or null.
const SheetFormat* sheetFormat(std::string_view name);

} // namespace exchange
