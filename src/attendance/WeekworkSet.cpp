#include "attendance/WeekworkSet.h"

#include "attendance/StatisticsInput.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"

#include <optional>
#include <string_view>

namespace attendance {
namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string pairName(int pair) {
    return "第" + std::to_string(pair + 1) + "组";
}

} // namespace

std::vector<std::string> WeekworkSet::grades() {
    return {school::kGradeNames.begin(), school::kGradeNames.end()};
}

void WeekworkSet::chooseGrade(int gradeIndex) {
    m_grade = -1;
    m_pairs = Pairs{};
    m_kept.clear();
    if (gradeIndex < 0 || gradeIndex >= school::kGrades) {
        return;
    }
    store::CCWRecord records;
    const std::vector<store::CourseweekRow> rows = records.readAll();
    records.close();
    std::size_t shown = 0;
    for (const store::CourseweekRow& row : rows) {
        if (row.grade != gradeIndex + 1) {
            continue;
        }
        if (shown < m_pairs.size()) {
            m_pairs[shown++] = {row.course, std::to_string(row.week)};
        } else {
            m_kept.push_back(row);
        }
    }
    m_grade = gradeIndex;
    if (!m_kept.empty()) {
        m_messenger.info(std::string(school::kGradeNames[static_cast<std::size_t>(gradeIndex)]) +
                         "有 " + std::to_string(kPairs + static_cast<int>(m_kept.size())) +
                         " 条学科周工作量，这里只显示前 " + std::to_string(kPairs) + " 条；其余 " +
                         std::to_string(m_kept.size()) + " 条存盘时原样保留。");
    }
}

bool WeekworkSet::refuse(int pair, const std::string& text) {
    m_refused = pair;
    m_messenger.error(text);
    return false;
}

bool WeekworkSet::save(const Pairs& typed) {
    m_refused = -1;
    if (m_grade < 0) {
        m_messenger.error(kNoGrade);
        return false;
    }
    const int gradeNumber = m_grade + 1;
    std::vector<store::CourseweekRow> rows;
    for (int p = 0; p < kPairs; ++p) {
        const Pair& pair = typed[static_cast<std::size_t>(p)];
        const std::string subject = trimmed(pair.subject);
        const std::string weeklyText = trimmed(pair.weekly);
        const std::optional<int> weekly =
            weeklyText.empty() ? std::optional<int>(0) : numberIn(weeklyText, 0, kMaxWeekly);
        if (!weekly) {
            return refuse(p, pairName(p) + (subject.empty() ? "" : "“" + subject + "”") +
                                 "的周课时请输入 0 到 " + std::to_string(kMaxWeekly) +
                                 " 之间的整数。");
        }
        if (*weekly == 0) {
            continue;
        }
        if (subject.empty()) {
            return refuse(p, pairName(p) + "有周课时 " + std::to_string(*weekly) +
                                 "，请输入学科名称。");
        }
        if (gbk::width(subject) > kSubjectBytes) {
            return refuse(p, pairName(p) + "的学科名称“" + subject + "”太长，最多 " +
                                 std::to_string(kSubjectBytes) + " 个字节（5 个汉字）。");
        }
        rows.push_back({subject, gradeNumber, *weekly});
    }
    rows.insert(rows.end(), m_kept.begin(), m_kept.end());
    store::CCWRecord().replace(
        [gradeNumber](const store::CourseweekRow& row) { return row.grade == gradeNumber; }, rows);
    for (std::size_t p = 0; p < m_pairs.size(); ++p) {
        m_pairs[p] = {trimmed(typed[p].subject), trimmed(typed[p].weekly)};
    }
    return true;
}

} // namespace attendance
