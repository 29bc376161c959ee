#include "cover/CoverPlanning.h"

#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "cover/CoverNotice.h"

#include <algorithm>

namespace cover {

bool CoverPlanning::load() {
    return ui::reported(m_messenger, [&] {
        m_planner.emplace(CoverSchool::load());
        m_choicesOf.reset();
        m_saved = cover::savedPlans();
    });
}

const std::vector<std::string>& CoverPlanning::roster() const {
    static const std::vector<std::string> none;
    return m_planner ? m_planner->school().roster : none;
}

std::vector<std::string> CoverPlanning::categories() {
    return {kCoverCategories.begin(), kCoverCategories.end()};
}

bool CoverPlanning::makePlan(std::string_view teacher, std::string_view from, std::string_view to,
                             std::string_view category) {
    if (!m_planner) {
        return false;
    }
    CoverPlanner::Made made = m_planner->plan(teacher, from, to, category);
    if (!made.plan) {
        m_messenger.error(made.refusal);
        return false;
    }
    m_planner->assignFirst(*made.plan);
    m_plan = std::move(made.plan);
    m_kept = m_plan;
    return true;
}

bool CoverPlanning::openSaved(std::size_t index) {
    if (index >= m_saved.size()) {
        return false;
    }
    std::optional<CoverPlan> opened;
    if (!ui::reported(m_messenger, [&] { opened = openPlan(m_saved[index].request); }) || !opened) {
        return false;
    }
    m_plan = std::move(opened);
    m_kept = m_plan;
    return true;
}

std::vector<CoverPlanning::Row> CoverPlanning::rows() const {
    std::vector<Row> rows;
    if (!m_plan) {
        return rows;
    }
    for (std::size_t i = 0; i < m_plan->lessons.size(); ++i) {
        const CoverLesson& lesson = m_plan->lessons[i];
        Row row{dateText(lesson.date),
                std::string(school::kDayNames[static_cast<std::size_t>(lesson.day)]),
                std::string(school::kPeriodNames[static_cast<std::size_t>(lesson.period - 1)]),
                lesson.className,
                lesson.course,
                {},
                {},
                lesson.uncovered()};
        if (lesson.swap) {
            row.taking = "调课：" + lesson.swap->teacher;
            row.reason = swapText(*lesson.swap);
        } else if (lesson.substitute.empty()) {
            row.taking = kNobody;
            // Only 不安排代课 on offer: nobody is free.
            row.reason = choicesFor(i).size() == 1 ? kNobodyFree : kLeftUncovered;
        } else {
            row.taking = lesson.substitute;
            const std::string& reason = choicesFor(i)[chosenOption(i)].reason;
            row.reason = reason == kNoLongerFree ? reason : std::string();
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

const std::vector<CoverPlanning::Choice>& CoverPlanning::choicesFor(std::size_t lesson) const {
    if (m_choicesOf != m_plan) {
        m_choices.clear();
        for (std::size_t i = 0; i < m_plan->lessons.size(); ++i) {
            m_choices.push_back(workOutChoices(i));
        }
        m_choicesOf = m_plan;
    }
    return m_choices.at(lesson);
}

std::vector<CoverPlanning::Choice> CoverPlanning::workOutChoices(std::size_t lesson) const {
    std::vector<Choice> choices;
    const CoverLesson& missed = m_plan->lessons.at(lesson);
    bool chosenListed = missed.substitute.empty();
    for (const CoverChoice& choice : m_planner->candidates(*m_plan, lesson)) {
        chosenListed = chosenListed || choice.candidate.teacher == missed.substitute;
        choices.push_back({choice.candidate.teacher, std::nullopt, choice.reason()});
    }
    if (!chosenListed) {
        choices.push_back({missed.substitute, std::nullopt, kNoLongerFree});
    }
    std::vector<Swap> swaps = m_planner->swaps(*m_plan, lesson);
    if (missed.swap && std::find(swaps.begin(), swaps.end(), *missed.swap) == swaps.end()) {
        swaps.push_back(*missed.swap);
    }
    for (const Swap& swap : swaps) {
        choices.push_back({{}, swap, swapText(swap)});
    }
    choices.push_back({{}, std::nullopt, kNoCover});
    return choices;
}

std::vector<std::string> CoverPlanning::options(std::size_t lesson) const {
    std::vector<std::string> texts;
    if (m_plan && lesson < m_plan->lessons.size()) {
        for (const Choice& choice : choicesFor(lesson)) {
            texts.push_back(choice.substitute.empty() ? choice.reason
                                                      : choice.substitute + "  " + choice.reason);
        }
    }
    return texts;
}

std::size_t CoverPlanning::chosenOption(std::size_t lesson) const {
    const std::vector<Choice>& choices = choicesFor(lesson);
    const CoverLesson& missed = m_plan->lessons.at(lesson);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].substitute == missed.substitute && choices[i].swap == missed.swap) {
            return i;
        }
    }
    return choices.size() - 1;
}

void CoverPlanning::choose(std::size_t lesson, std::size_t option) {
    if (!m_plan || lesson >= m_plan->lessons.size()) {
        return;
    }
    const std::vector<Choice> choices = choicesFor(lesson);
    if (option >= choices.size()) {
        return;
    }
    CoverLesson& missed = m_plan->lessons[lesson];
    missed.substitute = choices[option].substitute;
    missed.swap = choices[option].swap;
}

bool CoverPlanning::save() {
    if (!m_plan) {
        m_messenger.error(kNoPlan);
        return false;
    }
    if (!ui::reported(m_messenger, [&] {
            savePlan(*m_plan);
            reloadSaved();
        })) {
        return false;
    }
    m_kept = m_plan;
    m_messenger.info(kSaved);
    return true;
}

void CoverPlanning::reloadSaved() {
    m_saved = cover::savedPlans();
}

bool CoverPlanning::apply() {
    if (!m_plan) {
        m_messenger.error(kNoPlan);
        return false;
    }
    ApplyOutcome outcome;
    const bool done = ui::reported(m_messenger, [&] {
        // Judged on the school as it is now: the timetable and the records may have changed.
        CoverPlanner now(CoverSchool::load());
        outcome = applyPlan(*m_plan, now, m_messenger);
        if (outcome.kind == ApplyOutcome::Kind::Applied ||
            outcome.kind == ApplyOutcome::Kind::Unchanged) {
            m_plan->applied = true;
            m_plan->timetableDigest = now.school().timetableDigest;
            savePlan(*m_plan);
            m_planner.emplace(CoverSchool::load());
            m_choicesOf.reset();
            reloadSaved();
            m_kept = m_plan;
        }
    });
    if (!done) {
        return false;
    }
    if (outcome.kind == ApplyOutcome::Kind::Conflicts) {
        m_messenger.error(outcome.message());
        return false;
    }
    if (outcome.kind == ApplyOutcome::Kind::Declined) {
        return false;
    }
    m_messenger.info(outcome.message());
    return outcome.kind == ApplyOutcome::Kind::Applied;
}

bool CoverPlanning::modified() const {
    return m_plan != m_kept;
}

bool CoverPlanning::mayClose() {
    return !modified() || m_messenger.confirm(kDiscardQuestion);
}

std::vector<publish::Page> CoverPlanning::noticePages() const {
    if (!m_plan || !m_planner) {
        return {};
    }
    return cover::noticePages(*m_plan, m_planner->school().settings.schoolName);
}

std::string CoverPlanning::noticeText() const {
    return cover::noticeText(noticePages());
}

} // namespace cover
