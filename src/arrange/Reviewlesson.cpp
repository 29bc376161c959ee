#include "arrange/Reviewlesson.h"

#include "arrange/GradelessonReport.h"
#include "core/Gbk.h"
#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "timetable/ReviewOrder.h"
#include "timetable/ReviewStore.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

namespace arrange {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// "第3班第5节": the class's number (from its name, else its place) and the period.
std::string placeName(const std::string& className, int position, int period) {
    const auto id = school::parseClassName(className);
    return "第" + std::to_string(id ? id->classNumber : position + 1) + "班第" +
           std::to_string(period) + "节";
}

} // namespace

Reviewlesson::Reviewlesson(ui::Messenger& messenger) : m_messenger(messenger) {
    load(0);
}

void Reviewlesson::load(int grade) {
    m_grid.setGrade(grade);
    m_grid.load(timetable::loadReviewTimetable(m_grid.grade()));
    m_grid.setDayCount(timetable::loadedReviewDays(m_grid.timetable(), m_grid.grade()));
    m_grid.setDay(0);
    m_grid.setFirstClass(0);
    m_grid.setViewMode(kTeacherView);
    m_grid.clearSelection();
    m_grid.countClasses();
    redraw();
}

void Reviewlesson::previousDay() {
    m_grid.previousDay();
    redraw();
}

void Reviewlesson::nextDay() {
    m_grid.nextDay();
    redraw();
}

bool Reviewlesson::settleUnsaved() {
    if (!modified()) {
        return true;
    }
    switch (m_messenger.ask(kSaveQuestion)) {
    case ui::Messenger::Answer::Yes:
        return save();
    case ui::Messenger::Answer::No:
        return true; // the edits are dropped, as the user chose
    case ui::Messenger::Answer::Cancel:
        break;
    }
    return false;
}

bool Reviewlesson::changeGrade(int grade) {
    grade = std::clamp(grade, 0, school::kGrades - 1);
    if (grade == m_grid.grade() || !settleUnsaved()) {
        return false;
    }
    return ui::reported(m_messenger, [&] { load(grade); });
}

bool Reviewlesson::previousGrade() {
    return changeGrade(m_grid.grade() - 1);
}

bool Reviewlesson::nextGrade() {
    return changeGrade(m_grid.grade() + 1);
}

void Reviewlesson::moveLeft() {
    m_grid.moveLeft();
    redraw();
}

void Reviewlesson::moveRight() {
    m_grid.moveRight();
    redraw();
}

void Reviewlesson::clickCell(int column, int period) {
    m_grid.click(column, period);
    redraw();
}

void Reviewlesson::switchView() {
    std::optional<timetable::ReviewData> data;
    if (!ui::reported(m_messenger, [&] { data = timetable::loadReviewData(m_grid.grade()); })) {
        return;
    }
    // The class's course and teacher pairs, in the shape the view switch reads.
    std::array<timetable::ClassCourseList, school::kMaxClasses> lists{};
    for (int c = 1; c <= school::kMaxClasses; ++c) {
        const auto& pairs = data->pairs(c);
        for (std::size_t i = 0; i < pairs.size() && i < lists[0].entries.size(); ++i) {
            lists[at(c - 1)].entries[i] = {pairs[i].first, pairs[i].second, 0};
        }
    }
    m_grid.switchView({}, [&](int position) -> const timetable::ClassCourseList& {
        const auto id =
            school::parseClassName(m_grid.timetable().cell(m_grid.grade(), position, 0, 0));
        return lists[at(id && id->gradeIndex == m_grid.grade() ? id->classNumber - 1 : position)];
    });
    redraw();
}

Reviewlesson::Week Reviewlesson::classWeek(int column) const {
    const int a = std::clamp(m_grid.firstClass() + column, 0, school::kMaxClasses - 1);
    return m_grid.timetable().week(m_grid.grade(), a);
}

bool Reviewlesson::rearrange() {
    std::optional<timetable::ReviewData> data;
    if (!ui::reported(m_messenger, [&] { data = timetable::loadReviewData(m_grid.grade()); })) {
        return false;
    }
    timetable::ReviewOrder order(*data);
    m_grid.change([&] { order.arrange(m_grid.timetable()); });
    m_grid.setDayCount(order.reviewDays());
    m_grid.clearSelection();
    m_grid.countClasses();
    redraw();
    return true;
}

std::optional<Reviewlesson::OptimiseJob> Reviewlesson::optimiseJob(double timeLimitSeconds) {
    std::optional<OptimiseJob> job;
    ui::reported(m_messenger, [&] {
        job.emplace(OptimiseJob{timetable::loadReviewData(m_grid.grade()), {}});
    });
    if (job) {
        job->request.timeLimitSeconds = timeLimitSeconds;
    }
    return job;
}

void Reviewlesson::applyOptimised(const optimise::ReviewOutcome& outcome) {
    if (outcome.cancelled) {
        return;
    }
    m_grid.takeGrade(outcome.timetable, true);
    m_grid.setDayCount(outcome.days);
    redraw();
    if (!outcome.solved) {
        m_messenger.error(notSolvedText(kNotSolved, outcome.causes, outcome.violations));
    }
}

bool Reviewlesson::optimiseShownGrade(double timeLimitSeconds) {
    std::optional<OptimiseJob> job = optimiseJob(timeLimitSeconds);
    if (!job) {
        return false;
    }
    const optimise::ReviewOutcome outcome =
        optimise::optimiseReview(job->data, job->request, timetable::defaultRandom());
    applyOptimised(outcome);
    return outcome.solved;
}

bool Reviewlesson::save() {
    if (!ui::reported(m_messenger, [&] {
            timetable::saveReviewTimetable(m_grid.timetable(), m_grid.grade());
        })) {
        return false;
    }
    m_grid.markSaved();
    return true;
}

bool Reviewlesson::mayClose() {
    return settleUnsaved();
}

bool Reviewlesson::undo() {
    const bool undone = m_grid.undo();
    m_grid.setDayCount(
        std::max(timetable::loadedReviewDays(m_grid.timetable(), m_grid.grade()), 1));
    redraw();
    return undone;
}

bool Reviewlesson::redo() {
    const bool redone = m_grid.redo();
    m_grid.setDayCount(
        std::max(timetable::loadedReviewDays(m_grid.timetable(), m_grid.grade()), 1));
    redraw();
    return redone;
}

reports::ReportTable Reviewlesson::reportTable() const {
    return reviewTimetableTable(m_grid.timetable(), m_grid.grade(), m_grid.dayCount());
}

void Reviewlesson::redraw() {
    m_view = LessonGridView{};
    const int grade = m_grid.grade();
    const int day = m_grid.day();
    const auto& t = m_grid.timetable();
    m_view.title = kTitlePrefix + std::string(school::kGradeNames[at(grade)]);
    m_view.dayName = school::reviewDayName(day);
    m_grid.drawGrid(m_view);

    // Clashes inside the grade, in teacher view: each class against every other.
    std::set<std::tuple<int, int, std::string>> clashes; // over every review day
    for (int d = 0; d < m_grid.dayCount(); ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            for (int k = 0; k < school::kMaxClasses; ++k) {
                const std::string& text = t.cell(grade, k, d, p);
                if (m_grid.viewMode() != kTeacherView || !timetable::isLessonText(text)) {
                    continue;
                }
                std::vector<std::string> others;
                for (int j = 0; j < school::kMaxClasses; ++j) {
                    if (j != k && t.cell(grade, j, d, p) == text) {
                        others.push_back(t.cell(grade, j, d, 0));
                        if (d == day && j > k && m_view.clashes.size() < kMaxClashes) {
                            m_view.clashes.push_back(text);
                        }
                    }
                }
                if (others.empty()) {
                    continue;
                }
                clashes.emplace(d, p, text);
                const int column = k - m_grid.firstClass();
                if (d == day && column >= 0 && column < LessonGridView::kColumns) {
                    markClash(m_view.grid[at(p)][at(column)], text, others);
                }
            }
        }
    }
    if (m_grid.viewMode() == kTeacherView) {
        m_view.status = "剩余：碰课 " + std::to_string(clashes.size()) + " 处";
    }

    // the selected teacher's day
    const auto& selected = m_grid.selection();
    const std::string text = m_grid.selectedText(t);
    if (m_grid.viewMode() == kTeacherView && selected && selected->day == day &&
        timetable::isLessonText(text)) {
        int found = 0;
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                if (t.cell(grade, c, day, p) == text) {
                    ++found;
                    if (m_view.summary.size() < kMaxSummary) {
                        m_view.summary.push_back(placeName(t.cell(grade, c, day, 0), c, p));
                    }
                }
            }
        }
        m_view.summaryHead = text + "共" + std::to_string(found) + "节";
    }
}

} // namespace arrange
