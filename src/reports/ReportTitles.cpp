#include "reports/ReportTitles.h"

#include "core/Gbk.h"

#include <cstdio>

namespace reports {
namespace {

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// The first `count` characters of text, each as UTF-8 (fewer when text is shorter).
std::string firstCharacters(std::string_view text, int count, std::string_view separator) {
    std::string out;
    for (int i = 0; i < count && !text.empty(); ++i) {
        char32_t ch = 0;
        const std::size_t length = gbk::decodeUtf8(text, ch);
        if (i > 0) {
            out += separator;
        }
        out += text.substr(0, length);
        text.remove_prefix(length);
    }
    return out;
}

} // namespace

std::string weeklyTitle(int week, std::string_view activity) {
    return "第" + twoDigits(week) + "周" + std::string(activity) + "出勤情况";
}

std::string monthlyTitle(int month) {
    return twoDigits(month) + "月份工作量情况";
}

std::string termTitle() {
    return "工作量情况";
}

std::string teacherListTitle(std::string_view grade) {
    return firstCharacters(grade, 2, "  ") + "  年  段  任  课  教  师  表";
}

std::string dutyRosterTitle(std::string_view headingCell) {
    return firstCharacters(headingCell, 2, "  ") + "  年  段  督  修  表";
}

std::string gradeTimetableTitle(std::string_view thirdClassName) {
    return std::string(20, ' ') + firstCharacters(thirdClassName, 2, "  ") +
           "  年  段  总  课  程  表";
}

std::string lessonCountsTitle() {
    return "教师周课时一览表";
}

} // namespace reports
