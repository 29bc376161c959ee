#include "timetable/ReviewOrder.h"

#include "core/Gbk.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace timetable {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

bool filled(const std::string& text) {
    return !gbk::isBlank(text);
}

} // namespace

void ReviewData::addGradecourse(std::string_view grade, std::string course, int weekly, int days) {
    if (grade != school::kGradeNames[at(m_grade)] || days <= 0) {
        return;
    }
    m_days = days; // the last review row decides
    if (m_plan.size() < static_cast<std::size_t>(kReviewEntries)) {
        m_plan.push_back({std::move(course), weekly < 0 || weekly > 30 ? 0 : weekly});
    }
}

void ReviewData::addClasscourse(std::string_view className, std::string course,
                                std::string teacher) {
    const auto id = school::parseClassName(className);
    if (!id || id->gradeIndex != m_grade) {
        return;
    }
    auto& pairs = m_pairs[at(id->classNumber - 1)];
    if (pairs.size() < static_cast<std::size_t>(kReviewEntries)) {
        pairs.emplace_back(std::move(course), std::move(teacher));
    }
}

int ReviewData::reviewDays() const {
    return std::min(m_days, kReviewDays);
}

std::vector<ReviewEntry> ReviewData::entries(int classNumber) const {
    std::vector<ReviewEntry> entries;
    for (const auto& [course, teacher] : m_pairs[at(classNumber - 1)]) {
        if (gbk::width(teacher) < 2) {
            entries.push_back({});
            continue;
        }
        int periods = 0;
        for (const ReviewCourse& planned : m_plan) {
            if (planned.course == course) {
                periods = planned.periods;
                break;
            }
        }
        entries.push_back({course, teacher, periods});
    }
    return entries;
}

const std::vector<std::pair<std::string, std::string>>& ReviewData::pairs(int classNumber) const {
    return m_pairs[at(classNumber - 1)];
}

int ReviewOrder::draw(int modulus) {
    return m_random.next() % modulus;
}

void ReviewOrder::arrange(school::ReviewTimetable& timetable) {
    const int grade = m_data.grade();
    for (int c = 0; c < school::kMaxClasses; ++c) {
        for (auto& day : timetable.week(grade, c)) {
            day.fill(std::string());
        }
    }
    m_arranged = 0;
    m_abandoned = 0;
    for (int q = 0; q < school::kMaxClasses; ++q) {
        const std::vector<ReviewEntry> entries = m_data.entries(q + 1);
        int total = 0;
        for (const ReviewEntry& entry : entries) {
            total += gbk::width(entry.teacher) > 2 ? entry.periods : 0;
        }
        if (total < 15 || m_days <= 0) {
            continue; // too few review periods: no review timetable
        }
        const Week week = place(entries);
        bool arranged = false;
        for (int d = 0; d < m_days; ++d) {
            arranged = arranged || filled(week[at(d)][0]);
        }
        if (!arranged) {
            continue;
        }
        const int position = m_arranged++;
        const std::string name = school::className(grade, q + 1);
        for (int d = 0; d < m_days; ++d) {
            timetable.cell(grade, position, d, 0) = name;
            for (int p = 1; p <= school::kPeriods; ++p) {
                timetable.cell(grade, position, d, p) = week[at(d)][at(p - 1)];
            }
        }
    }
    repairClashes(timetable, m_arranged);
}

ReviewOrder::Week ReviewOrder::place(const std::vector<ReviewEntry>& entries) {
    Week week{};
    int n = 0;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        n = entries[at(i)].periods > 0 ? i + 1 : n;
    }
    int i = 0;
    while (i < n && entries[at(i)].periods <= 0) {
        ++i;
    }
    if (i >= n || m_days <= 0) {
        return week;
    }
    int remaining = entries[at(i)].periods;
    int attempts = 0;
    int failedInARow = 0;
    while (i < n) {
        const ReviewEntry& entry = entries[at(i)];
        // one draw: a double period at periods 1–2, 3–4 or 5–6, or period 7 alone
        int s = 6;
        if (remaining > 1) {
            s = draw(3) * 2;
        }
        if (attempts > 4000) {
            s = 6;
        }
        int d = draw(m_days);
        ++attempts;

        std::array<int, kReviewDays> perDay{};
        for (int r = 0; r < m_days; ++r) {
            for (int p = 0; p < school::kPeriods; ++p) {
                perDay[at(r)] += week[at(r)][at(p)] == entry.teacher ? 1 : 0;
            }
        }
        if (entry.periods > 2 * m_days) {
            for (int r = 0; r < m_days; ++r) {
                if (perDay[at(r)] == 0) {
                    d = r;
                    break;
                }
            }
        }
        const bool rejected = entry.periods <= 0 || filled(week[at(d)][at(s)]) ||
                              (perDay[at(d)] > 0 && entry.periods < 2 * m_days && attempts < 5000);
        if (rejected) {
            if (++failedInARow >= kReviewAttempts) {
                ++m_abandoned;
                return week; // the class as far as it got
            }
            continue;
        }
        failedInARow = 0;
        week[at(d)][at(s)] = entry.teacher;
        const bool doublePeriod = s < 6;
        if (doublePeriod) {
            week[at(d)][at(s + 1)] = entry.teacher;
        }
        remaining -= doublePeriod ? 2 : 1;
        if (attempts > 8000) {
            return week; // a lesson placed only after so many draws ends the class
        }
        attempts = 0;
        if (remaining <= 0) {
            ++i;
            while (i < n && entries[at(i)].periods <= 0) {
                ++i;
            }
            if (i < n) {
                remaining = entries[at(i)].periods;
            }
        }
    }
    return week;
}

void ReviewOrder::repairClashes(school::ReviewTimetable& t, int arranged) {
    const int g = m_data.grade();
    const auto cell = [&](int k, int day, int period) -> std::string& {
        return t.cell(g, k, day, period);
    };
    // whether any arranged class holds text at (day, period)
    const auto anyHolds = [&](const std::string& text, int day, int period) {
        for (int c = 0; c < arranged; ++c) {
            if (cell(c, day, period) == text) {
                return true;
            }
        }
        return false;
    };
    for (int i = 0; i < m_days; ++i) {
        for (int p = 1; p <= 5; p += 2) {
            for (int k = 0; k + 1 < arranged; ++k) {
                for (int j = 0; j < arranged; ++j) {
                    if (j == k || !filled(cell(k, i, p)) || cell(k, i, p) != cell(j, i, p)) {
                        continue;
                    }
                    // a new place for class k's double period (i, p)
                    const std::string clashing = cell(k, i, p);
                    int l = i;
                    int tt = draw(3) * 2 + 1;
                    int tried = 0;
                    for (;;) {
                        if (tt != p) {
                            if (tried++ >= 4 * m_days) {
                                break;
                            }
                            const std::string& other = cell(k, l, tt);
                            const bool teachesThatDay = cell(k, i, 1) == other ||
                                                        cell(k, i, 3) == other ||
                                                        cell(k, i, 5) == other;
                            const bool fits = (!filled(other) || !teachesThatDay) &&
                                              (!filled(other) || !anyHolds(other, i, p)) &&
                                              !anyHolds(clashing, l, tt);
                            if (fits) {
                                std::swap(cell(k, i, p), cell(k, l, tt));
                                std::swap(cell(k, i, p + 1), cell(k, l, tt + 1));
                                break;
                            }
                        }
                        tt += 2;
                        if (tt > 5) {
                            tt = 1;
                            l = (l + 1) % m_days;
                            if (l == i) {
                                break; // back on the day of the clash: nothing fits
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace timetable
