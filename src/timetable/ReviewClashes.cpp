#include "timetable/ReviewClashes.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <cstddef>

namespace timetable {

std::vector<ReviewClash> reviewClashes(const school::ReviewTimetable& t, int grade, int days) {
    std::vector<ReviewClash> clashes;
    for (int d = 0; d < days; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            for (int k = 0; k < school::kMaxClasses; ++k) {
                const std::string& text = t.cell(grade, k, d, p);
                if (gbk::isBlank(text) || text.front() == ' ') {
                    continue;
                }
                for (int j = k + 1; j < school::kMaxClasses; ++j) {
                    if (t.cell(grade, j, d, p) == text) {
                        clashes.push_back(
                            {d, p, text, t.cell(grade, k, d, 0), t.cell(grade, j, d, 0)});
                    }
                }
            }
        }
    }
    return clashes;
}

std::string clashText(const ReviewClash& clash) {
    return "教师碰课：" + school::reviewDayName(clash.day) + ' ' +
           std::string(school::kPeriodNames[static_cast<std::size_t>(clash.period - 1)]) + ' ' +
           clash.teacher + "：" + clash.first + ' ' + clash.second;
}

} // namespace timetable
