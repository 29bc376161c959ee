// What the program says about itself: the product's display name (main window caption,
// About box and About menu entry), the version from the build (CMake's PROJECT_VERSION,
// passed in as TAVLEN_VERSION) and the maker's details of the About box. UTF-8.
#pragma once

#ifndef TAVLEN_VERSION
#error "TAVLEN_VERSION must come from the build (tavlen_app's compile definitions)"
#endif

namespace app {

inline constexpr const char* kProductName = "tavlen 排课管理系统";
inline constexpr const char* kProductVersion = TAVLEN_VERSION;

inline constexpr const char* kMakerLines[] = {
    "中学课程管理与排课系统",
    "课程设置、年段课程编排、任课教师管理、早晚督修与教师出勤统计",
    "tavlen 开发组",
};

// The About box's hyperlink line: shown as it is, opened when clicked.
inline constexpr const char* kMakerLink = "mailto:tavlen@example.org";

} // namespace app
