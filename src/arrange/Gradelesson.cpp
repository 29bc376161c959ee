#include "arrange/Gradelesson.h"

#include "arrange/GradelessonReport.h"
#include "core/Gbk.h"
#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "optimise/PlanStore.h"
#include "publish/PageBuilder.h"
#include "store/CSLRecord.h"
#include "store/DbError.h"
#include "store/SchoolSettingsStore.h"
#include "timetable/ArrangeReport.h"
#include "timetable/AutoOrder.h"
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"
#include "timetable/TimetableRules.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace arrange {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// A cell of the timetable windows: the first text over the second, one line when they agree
// or only one of them names a lesson.
std::string twoLines(const std::string& top, const std::string& bottom) {
    if (!timetable::isLessonText(bottom) || bottom == top) {
        return top;
    }
    return timetable::isLessonText(top) ? top + "\n" + bottom : bottom;
}

} // namespace

Gradelesson::Gradelesson(ui::Messenger& messenger) : m_messenger(messenger) {
    load();
}

Gradelesson::Gradelesson(ui::Messenger& messenger, school::SchoolTimetable timetable,
                         timetable::AutoOrderData data)
    : m_messenger(messenger), m_data(std::move(data)) {
    m_grid.load(std::move(timetable));
    m_grid.countClasses();
    redraw();
}

void Gradelesson::load() {
    m_grid.load(timetable::loadSchoolTimetable());
    m_data = timetable::loadAutoOrderData();
    m_grid.countClasses();
    redraw();
}

int Gradelesson::selection() const {
    const auto& s = m_grid.selection();
    return s ? (s->position + 1) * 100 + (s->day + 1) * 10 + s->period : 0;
}

void Gradelesson::previousDay() {
    m_grid.previousDay();
    redraw();
}

void Gradelesson::nextDay() {
    m_grid.nextDay();
    redraw();
}

void Gradelesson::previousGrade() {
    m_grid.setGrade(m_grid.grade() - 1);
    m_grid.countClasses();
    redraw();
}

void Gradelesson::nextGrade() {
    m_grid.setGrade(m_grid.grade() + 1);
    m_grid.countClasses();
    redraw();
}

void Gradelesson::moveLeft() {
    m_grid.moveLeft();
    redraw();
}

void Gradelesson::moveRight() {
    m_grid.moveRight();
    redraw();
}

void Gradelesson::clickCell(int column, int period) {
    m_grid.click(column, period);
    redraw();
}

void Gradelesson::toggleLock(int column, int period) {
    m_grid.toggleLock(column, period);
    redraw();
}

void Gradelesson::toggleLockAt(const GridPlace& place) {
    m_grid.toggleLockAt(place);
    redraw();
}

void Gradelesson::toggleWeekView() {
    m_inWeekView = !m_inWeekView;
    m_hover.reset();
    redraw();
}

bool Gradelesson::pressWeekCell(const GridPlace& place, bool pair) {
    m_notice.clear();
    const std::vector<GridPlace> picked = m_grid.picked();
    const bool inPicked = std::find(picked.begin(), picked.end(), place) != picked.end();
    if (pair) {
        m_grid.select(place, true);
    } else if (!picked.empty() && picked.front().position == place.position && !inPicked) {
        dropOn(place);
        return false;
    } else if (!inPicked) {
        m_grid.select(place);
    }
    redraw();
    const std::vector<GridPlace> now = m_grid.picked();
    return std::find(now.begin(), now.end(), place) != now.end();
}

bool Gradelesson::dropOn(const GridPlace& place) {
    const std::vector<GridPlace> picked = m_grid.picked();
    if (picked.empty() || picked.front().position != place.position ||
        std::find(picked.begin(), picked.end(), place) != picked.end()) {
        return false;
    }
    const std::vector<ExchangeCheck::Exchange> moves = ExchangeCheck::movesTo(picked, place);
    const auto locked = [this](const GridPlace& p) {
        return m_grid.isLocked(m_grid.grade(), p.position, p.day, p.period);
    };
    const bool anyLocked = std::any_of(moves.begin(), moves.end(), [&](const auto& move) {
        return locked(move.first) || locked(move.second);
    });
    m_notice = moves.empty() ? kNoRoomForPair : anyLocked ? ExchangeCheck::kLocked : "";
    if (m_notice.empty()) {
        m_grid.exchange(moves);
    } else {
        m_grid.clearSelection();
    }
    redraw();
    return m_notice.empty();
}

void Gradelesson::cancelPick() {
    m_grid.clearSelection();
    redraw();
}

bool Gradelesson::hoverCell(const std::optional<GridPlace>& place) {
    if (place == m_hover) {
        return false;
    }
    m_hover = place;
    if (m_inWeekView) { // only the teacher beside the grid changes
        drawTargetTeacher(timetable::inTeacherNames(m_data, m_grid.timetable()),
                          timetable::inCourseNames(m_data, m_grid.timetable()));
    }
    return true;
}

std::vector<MoveSuggestion> Gradelesson::findPlace(const GridPlace& place) {
    std::vector<optimise::PlanRange> plan;
    if (!ui::reported(m_messenger, [&] { plan = optimise::loadPlan(); })) {
        return {};
    }
    return suggestMoves(m_data, m_grid.timetable(), m_grid.grade(), place, lockedCells(), plan);
}

void Gradelesson::applySuggestion(const MoveSuggestion& suggestion) {
    m_grid.exchange({suggestion.exchange});
    redraw();
}

void Gradelesson::switchView() {
    std::vector<timetable::UnifiedCourse> unified; // the grade's first two unified slots
    const std::string grade(school::kGradeNames[at(m_grid.grade())]);
    const bool read = ui::reported(m_messenger, [&] {
        for (store::SamelessonRow& row : store::CSLRecord().readAll()) {
            if (unified.size() < 2 && row.grade == grade) {
                unified.push_back({row.grade, row.day, row.period, std::move(row.course)});
            }
        }
    });
    if (!read) {
        return;
    }
    m_grid.switchView(unified, [this](int position) -> const timetable::ClassCourseList& {
        return courseListAt(m_data, m_grid.timetable(), m_grid.grade(), position);
    });
    redraw();
}

Gradelesson::Week Gradelesson::classWeek(int column) const {
    const int a = std::clamp(m_grid.firstClass() + column, 0, school::kMaxClasses - 1);
    const Week courses =
        timetable::inCourseNames(m_data, m_grid.timetable()).week(m_grid.grade(), a);
    const Week teachers =
        timetable::inTeacherNames(m_data, m_grid.timetable()).week(m_grid.grade(), a);
    Week week = courses;
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            week[at(d)][at(p)] = twoLines(courses[at(d)][at(p)], teachers[at(d)][at(p)]);
        }
    }
    return week;
}

namespace {

// The school as the dialog holds it, for the published pages; settings that cannot be read
// leave the times and the name out, as missing ones do.
publish::SchoolSource sourceAsEdited(const timetable::AutoOrderData& data,
                                     const school::SchoolTimetable& edited) {
    publish::SchoolSource source;
    source.data = data;
    source.teachers = timetable::inTeacherNames(data, edited);
    try {
        source.settings = store::readSchoolSettings();
    } catch (const store::DbError&) {
        source.settings = {};
    }
    return source;
}

} // namespace

std::optional<publish::Page> Gradelesson::classPage(int column) const {
    const int a = std::clamp(m_grid.firstClass() + column, 0, school::kMaxClasses - 1);
    return publish::classPage(sourceAsEdited(m_data, m_grid.timetable()), m_grid.grade(), a);
}

std::optional<publish::Page> Gradelesson::teacherPage(const std::string& teacher) const {
    return publish::teacherPage(sourceAsEdited(m_data, m_grid.timetable()), teacher);
}

namespace {

// The week of a teacher in the whole school: slot 0 the teacher, each lesson as its class over
// its course (a later class in grade and class order wins a period held twice).
Gradelesson::Week teacherWeekOf(const std::string& teacher, const school::SchoolTimetable& teachers,
                                const school::SchoolTimetable& courses) {
    Gradelesson::Week week{};
    for (auto& day : week) {
        day[0] = teacher;
    }
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                for (int p = 1; p <= school::kPeriods; ++p) {
                    if (teachers.cell(g, c, d, p) == teacher) {
                        const std::string& course = courses.cell(g, c, d, p);
                        week[at(d)][at(p)] =
                            twoLines(teachers.cell(g, c, 0, 0), course == teacher ? "" : course);
                    }
                }
            }
        }
    }
    return week;
}

} // namespace

std::optional<Gradelesson::Week> Gradelesson::personalWeek() {
    const school::SchoolTimetable teachers = timetable::inTeacherNames(m_data, m_grid.timetable());
    const school::SchoolTimetable courses = timetable::inCourseNames(m_data, m_grid.timetable());
    const std::string teacher = m_grid.selectedText(teachers);
    if (!timetable::isLessonText(teacher)) {
        m_messenger.info(kNoTeacherSelected);
        return std::nullopt;
    }
    return teacherWeekOf(teacher, teachers, courses);
}

bool Gradelesson::rearrange() {
    std::optional<timetable::AutoOrderData> data;
    if (!ui::reported(m_messenger, [&] { data = timetable::loadAutoOrderData(); })) {
        return false;
    }
    m_grid.change([&] {
        timetable::AutoOrder engine(std::move(*data));
        engine.arrange(m_grid.grade(), m_grid.timetable());
        m_grid.timetable() = engine.result();
    });
    m_grid.countClasses();
    redraw();
    return true;
}

std::optional<Gradelesson::OptimiseJob> Gradelesson::optimiseJob(double timeLimitSeconds) {
    std::optional<OptimiseJob> job;
    ui::reported(m_messenger, [&] {
        OptimiseJob ready{timetable::loadAutoOrderData(), {}};
        ready.request.plan = optimise::loadPlan();
        job = std::move(ready);
    });
    if (!job) {
        return std::nullopt;
    }
    optimise::Request& request = job->request;
    request.timetable = timetable::inTeacherNames(job->data, m_grid.timetable());
    request.grades = {m_grid.grade()};
    request.timeLimitSeconds = timeLimitSeconds;
    request.locked = lockedCells();
    return job;
}

std::vector<optimise::CellRef> Gradelesson::lockedCells() const {
    const int grade = m_grid.grade();
    std::vector<optimise::CellRef> locked;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                if (m_grid.isLocked(grade, c, d, p)) {
                    locked.push_back({grade, c, d, p});
                }
            }
        }
    }
    return locked;
}

void Gradelesson::applyOptimised(const optimise::Outcome& outcome) {
    if (outcome.cancelled) {
        return;
    }
    // Only the shown grade takes the result: the others keep their names as they are held.
    m_grid.takeGrade(outcome.timetable, false);
    redraw();
    if (!outcome.solved) {
        m_messenger.error(notSolvedText(kNotSolved, outcome.causes, outcome.violations));
    }
}

bool Gradelesson::optimiseShownGrade(double timeLimitSeconds) {
    std::optional<OptimiseJob> job = optimiseJob(timeLimitSeconds);
    if (!job) {
        return false;
    }
    const optimise::Outcome outcome =
        optimise::optimise(job->data, job->request, timetable::defaultRandom());
    applyOptimised(outcome);
    return outcome.solved;
}

bool Gradelesson::save() {
    // gradelesson always holds teacher names, whatever view a grade is shown in: every other
    // reader of the table looks for teachers there.
    const school::SchoolTimetable teachers = timetable::inTeacherNames(m_data, m_grid.timetable());
    if (!ui::reported(m_messenger, [&] { timetable::saveSchoolTimetable(teachers); })) {
        return false;
    }
    m_grid.markSaved();
    return true;
}

bool Gradelesson::modified() const {
    return m_grid.modified();
}

bool Gradelesson::mayClose() {
    return !modified() || m_messenger.confirm(kDiscardQuestion);
}

bool Gradelesson::undo() {
    const bool undone = m_grid.undo();
    redraw();
    return undone;
}

bool Gradelesson::redo() {
    const bool redone = m_grid.redo();
    redraw();
    return redone;
}

reports::ReportTable Gradelesson::reportTable() const {
    return gradeTimetableTable(m_grid.timetable(), m_grid.grade());
}

std::string Gradelesson::printTitle() const {
    return gradeTimetablePrintTitle(m_grid.grade());
}

void Gradelesson::redraw() {
    m_view = GradelessonView{};
    m_view.title = kTitlePrefix + std::string(school::kGradeNames[at(m_grid.grade())]);
    m_view.dayName = std::string(school::kDayNames[at(m_grid.day())]);
    const school::SchoolTimetable teachers = timetable::inTeacherNames(m_data, m_grid.timetable());
    const school::SchoolTimetable courses = timetable::inCourseNames(m_data, m_grid.timetable());
    m_grid.drawGrid(m_view);
    drawConflicts(teachers, courses);
    drawLists(teachers, courses);
    drawShades();
    m_week = WeekGridView{};
    if (m_inWeekView) {
        drawWeek(teachers, courses);
    }
    m_view.status =
        remainingLine(timetable::reviewGrade(m_data, m_grid.grade(), teachers, courses));
    if (!m_notice.empty()) {
        m_view.status += "    " + m_notice;
    }
}

// Where the selected lesson can go: every cell of its class, in the day grid when the class
// is shown there.
void Gradelesson::drawShades() {
    m_shades = {};
    const std::vector<GridPlace> picked = m_grid.picked();
    if (picked.empty()) {
        return;
    }
    ExchangeCheck check(m_data, m_grid.timetable(), m_grid.grade());
    m_shades = check.shadeWeek(picked, [this](const GridPlace& p) {
        return m_grid.isLocked(m_grid.grade(), p.position, p.day, p.period);
    });
    const int column = picked.front().position - m_grid.firstClass();
    if (column < 0 || column >= kShownClasses) {
        return;
    }
    for (int row = 1; row < GradelessonView::kRows; ++row) {
        GridCell& cell = m_view.grid[at(row)][at(column)];
        const ExchangeVerdict& verdict = m_shades[at(m_grid.day())][at(row)];
        cell.shade = verdict.shade;
        cell.shadeReason = verdict.reason();
    }
}

// The week view: every named class of the grade by the 35 periods, and the teachers' weeks.
void Gradelesson::drawWeek(const school::SchoolTimetable& teachers,
                           const school::SchoolTimetable& courses) {
    const int grade = m_grid.grade();
    const std::vector<GridPlace> picked = m_grid.picked();
    std::array<std::vector<timetable::ResourceOverrun>, school::kDays> overruns;
    for (int d = 0; d < school::kDays; ++d) {
        overruns[at(d)] = resourceOverruns(m_data, courses, d);
    }
    for (int c = 0; c < school::kMaxClasses; ++c) {
        const std::string& name = m_grid.timetable().cell(grade, c, 0, 0);
        if (gbk::isBlank(name, 3)) {
            continue;
        }
        WeekRow row;
        row.position = c;
        row.className = name;
        for (int d = 0; d < school::kDays; ++d) {
            for (int p = 1; p <= school::kPeriods; ++p) {
                WeekCell& cell = row.cells[at(d * school::kPeriods + p - 1)];
                const std::string& teacher = teachers.cell(grade, c, d, p);
                const std::string& course = courses.cell(grade, c, d, p);
                const bool lesson = timetable::isLessonText(teacher);
                cell.course = gbk::cut(lesson ? course : std::string(), 4);
                cell.teacher = gbk::cut(lesson && course != teacher ? teacher : std::string(), 6);
                cell.tooltip = lesson ? twoLines(course, teacher) : std::string();
                GridCell conflicts;
                addConflicts(conflicts, teachers, courses, overruns[at(d)], c, d, p);
                cell.mark = conflicts.mark;
                if (!conflicts.tooltip.empty()) {
                    cell.tooltip += (cell.tooltip.empty() ? "" : "\n") + conflicts.tooltip;
                }
                cell.locked = m_grid.isLocked(grade, c, d, p);
                const GridPlace place{c, d, p};
                cell.pressed = std::find(picked.begin(), picked.end(), place) != picked.end();
                if (!picked.empty() && picked.front().position == c) {
                    const ExchangeVerdict& verdict = m_shades[at(d)][at(p)];
                    cell.shade = verdict.shade;
                    const std::string reason = verdict.reason();
                    if (!reason.empty()) {
                        cell.tooltip += (cell.tooltip.empty() ? "" : "\n") + reason;
                    }
                }
            }
        }
        m_week.rows.push_back(std::move(row));
    }
    const std::string pickedTeacher = m_grid.selectedText(teachers);
    if (timetable::isLessonText(pickedTeacher)) {
        m_week.pickedTeacher = teacherWeekOf(pickedTeacher, teachers, courses);
    }
    drawTargetTeacher(teachers, courses);
}

// The week of the teacher under the pointer, when it is not the selected lesson's teacher.
void Gradelesson::drawTargetTeacher(const school::SchoolTimetable& teachers,
                                    const school::SchoolTimetable& courses) {
    m_week.targetTeacher.reset();
    if (!m_hover) {
        return;
    }
    const std::string& target =
        teachers.cell(m_grid.grade(), m_hover->position, m_hover->day, m_hover->period);
    if (timetable::isLessonText(target) && target != m_grid.selectedText(teachers)) {
        m_week.targetTeacher = teacherWeekOf(target, teachers, courses);
    }
}

// The colour and tooltip of each shown cell that breaks a rule, judged in teacher names.
void Gradelesson::drawConflicts(const school::SchoolTimetable& teachers,
                                const school::SchoolTimetable& courses) {
    const int day = m_grid.day();
    const std::vector<timetable::ResourceOverrun> overruns = resourceOverruns(m_data, courses, day);
    for (int column = 0; column < kShownClasses; ++column) {
        const int a = m_grid.firstClass() + column;
        if (a >= school::kMaxClasses) {
            continue;
        }
        for (int row = 1; row < GradelessonView::kRows; ++row) {
            addConflicts(m_view.grid[at(row)][at(column)], teachers, courses, overruns, a, day,
                         row);
        }
    }
}

// The conflicts of one cell of the shown grade: its colour and a tooltip line each.
void Gradelesson::addConflicts(GridCell& cell, const school::SchoolTimetable& teachers,
                               const school::SchoolTimetable& courses,
                               const std::vector<timetable::ResourceOverrun>& overruns,
                               int position, int day, int period) const {
    const int grade = m_grid.grade();
    const std::string& teacher = teachers.cell(grade, position, day, period);
    const std::vector<timetable::ClassRef> holders =
        timetable::holdersOf(teachers, day, period, teacher);
    if (holders.size() > 1) {
        std::vector<std::string> others;
        for (const timetable::ClassRef& h : holders) {
            if (!(h == timetable::ClassRef{grade, position})) {
                others.push_back(teachers.cell(h.grade, h.position, 0, 0));
            }
        }
        markClash(cell, teacher, others);
    }
    const std::string& course = courses.cell(grade, position, day, period);
    const auto addTip = [&cell](const std::string& tip, CellMark mark) {
        cell.tooltip += (cell.tooltip.empty() ? "" : "\n") + tip;
        cell.mark = cell.mark == CellMark::None ? mark : cell.mark;
    };
    for (const timetable::ResourceOverrun& o : overruns) {
        if (o.period == period && o.course == course) {
            addTip(overrunText(o), CellMark::Overrun);
        }
    }
    if (timetable::isLessonText(teacher) && timetable::presetBlocks(m_data, teacher, day, period)) {
        addTip(teacher + "预设此时不排课", CellMark::Preset);
    }
}

void Gradelesson::drawLists(const school::SchoolTimetable& teachers,
                            const school::SchoolTimetable& courses) {
    const int grade = m_grid.grade();
    const int day = m_grid.day();
    if (m_grid.viewMode() == kTeacherView) {
        // clash list: each class of the grade against every other class of the school, in
        // teacher names, each entry with its period
        for (int p = 1; p <= school::kPeriods; ++p) {
            for (int a = 0; a < school::kMaxClasses; ++a) {
                const std::string& text = teachers.cell(grade, a, day, p);
                const std::size_t others = timetable::holdersOf(teachers, day, p, text).size();
                for (std::size_t k = 1; k < others; ++k) {
                    if (m_view.clashes.size() < kMaxClashes) {
                        m_view.clashes.push_back(text + " " + periodName(p));
                    }
                }
            }
        }
        // the selected teacher's day, when the selection lies on the shown day
        const auto& selected = m_grid.selection();
        const std::string text = m_grid.selectedText(teachers);
        if (selected && selected->day == day && timetable::isLessonText(text)) {
            int found = 0;
            for (int g = 0; g < school::kGrades; ++g) {
                for (int c = 0; c < school::kMaxClasses; ++c) {
                    for (int p = 1; p <= school::kPeriods; ++p) {
                        if (teachers.cell(g, c, day, p) != text) {
                            continue;
                        }
                        ++found;
                        if (m_view.summary.size() < kMaxSummary) {
                            m_view.summary.push_back(teachers.cell(g, c, day, 0) + "第" +
                                                     std::to_string(p) + "节");
                        }
                    }
                }
            }
            m_view.summaryHead = text + "共" + std::to_string(found) + "节";
        }
    }
    for (const timetable::ResourceOverrun& o : resourceOverruns(m_data, courses, day)) {
        if (m_view.overruns.size() < kMaxOverruns) {
            m_view.overruns.push_back(o.course + periodName(o.period) + "超" +
                                      std::to_string(o.over()) + "节");
        }
    }
}

} // namespace arrange
