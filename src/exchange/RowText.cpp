#include "exchange/RowText.h"

#include "exchange/ImportNames.h"

namespace exchange {
namespace {

constexpr char kSeparator = '\x1f';

std::string joined(std::initializer_list<std::string> parts, char separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty() || &part != parts.begin()) {
            text += separator;
        }
        text += part;
    }
    return text;
}

std::string key(std::initializer_list<std::string> parts) {
    return joined(parts, kSeparator);
}

std::string shown(std::initializer_list<std::string> parts) {
    return joined(parts, ' ');
}

std::string periodText(int period) {
    return period >= 1 && period <= school::kPeriods
               ? std::string(school::kPeriodNames[static_cast<std::size_t>(period - 1)])
               : std::to_string(period);
}

} // namespace

std::string dayText(int day) {
    return day >= 1 && day <= school::kDays
               ? std::string(school::kDayNames[static_cast<std::size_t>(day - 1)])
               : std::to_string(day);
}

std::string rowKey(const store::CoursenameRow& row) {
    return row.name;
}
std::string rowKey(const store::TeachernameRow& row) {
    return row.name;
}
std::string rowKey(const store::CourseteacherRow& row) {
    return key({row.course, row.teacher});
}
std::string rowKey(const store::GradeclassRow& row) {
    return row.grade;
}
std::string rowKey(const store::GradecourseRow& row) {
    // the normal plan and the review plan hold a course once each
    return key({row.grade, row.course, row.days > 0 ? "1" : "0"});
}
std::string rowKey(const store::ClasscourseRow& row) {
    return key({row.className, row.course});
}
std::string rowKey(const store::LessonprearrangeRow& row) {
    return row.teacher;
}
std::string rowKey(const store::SamelessonRow& row) {
    return key({row.grade, std::to_string(row.day), std::to_string(row.period)});
}
std::string rowKey(const store::CourseshareRow& row) {
    return row.course;
}

std::string rowText(const store::CoursenameRow& row) {
    return row.name;
}
std::string rowText(const store::TeachernameRow& row) {
    return row.name;
}
std::string rowText(const store::CourseteacherRow& row) {
    return shown({row.course, row.teacher});
}
std::string rowText(const store::GradeclassRow& row) {
    return shown({row.grade, std::to_string(row.classes)});
}
std::string rowText(const store::GradecourseRow& row) {
    std::string text = shown({row.grade, row.course, std::to_string(row.weekly)});
    return row.days > 0 ? text + " 复习 " + std::to_string(row.days) + " 天" : text;
}
std::string rowText(const store::ClasscourseRow& row) {
    return shown({row.className, row.course, row.teacher.empty() ? "（无教师）" : row.teacher,
                  std::to_string(row.weekly)});
}
std::string rowText(const store::LessonprearrangeRow& row) {
    std::string text = row.teacher;
    bool any = false;
    const auto days = maskPeriods(row.prearrange);
    for (std::size_t d = 0; d < days.size(); ++d) {
        if (!days[d].empty()) {
            text +=
                (any ? "；" : " ") + dayText(static_cast<int>(d) + 1) + " " + periodsText(days[d]);
            any = true;
        }
    }
    return any ? text : text + " 无";
}
std::string rowText(const store::SamelessonRow& row) {
    return shown({row.grade, dayText(row.day), periodText(row.period), row.course});
}
std::string rowText(const store::CourseshareRow& row) {
    return shown({row.course, std::to_string(row.share)});
}

} // namespace exchange
