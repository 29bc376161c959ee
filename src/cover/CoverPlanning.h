// CoverPlanning: the logic of the dialog "代课安排". The user chooses the absent teacher, the
// first and last date and the category (事  假, 公  假, 缺  勤) and presses 制定: the lessons he
// misses are listed (CoverPlanner.h), each given its first candidate at once, so that the
// plan is complete unless nobody can take a lesson (such a row is flagged uncovered, and is
// applied as a record with an empty substitute). For every lesson the user may choose another
// candidate (shown with his reason and covers this term), a swap, or no cover.
//
// 存盘 keeps the plan in table coverplan (CoverPlanStore.h), 打开 reopens a saved one; 应用
// writes the attendance records (CoverApply.h: asked first when the timetable changed since
// the plan was made; refused with the lessons named when a substitute is no longer free) and
// keeps the plan as applied. The notice comes as pages (PDF, print, workbook) and as text.
// load(), makePlan() with a saved plan, save() and apply() read or write the database; their
// failures show the driver's text. Text is UTF-8.
#pragma once

#include "core/Messenger.h"
#include "cover/CoverApply.h"
#include "cover/CoverPlan.h"
#include "cover/CoverPlanStore.h"
#include "cover/CoverPlanner.h"
#include "publish/Page.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cover {

class CoverPlanning {
public:
    static constexpr const char* kTitle = "代课安排";
    static constexpr const char* kNoCover = "（不安排代课）";
    static constexpr const char* kNoPlan = "请先制定代课安排。";
    static constexpr const char* kSaved = "代课安排已存盘。";
    static constexpr const char* kDiscardQuestion = "代课安排尚未存盘，放弃修改吗？";
    static constexpr const char* kNoLongerFree = "（已不能代课）";
    static constexpr const char* kNobodyFree = "没有可代课的教师";
    static constexpr const char* kLeftUncovered = "未安排代课";

    explicit CoverPlanning(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the school and the saved plans; false (the driver's text shown) when it cannot.
    bool load();
    const std::vector<std::string>& roster() const;
    static std::vector<std::string> categories();
    const std::vector<SavedPlan>& savedPlans() const { return m_saved; }

    // 制定: false (the reason shown) when no plan can be made.
    bool makePlan(std::string_view teacher, std::string_view from, std::string_view to,
                  std::string_view category);
    // 打开 the saved plan at index; false when it cannot be read.
    bool openSaved(std::size_t index);

    bool hasPlan() const { return m_plan.has_value(); }
    const CoverPlan& plan() const { return *m_plan; }

    struct Row {
        std::string date;    // "2024-09-09"
        std::string weekday; // "星期一"
        std::string period;  // "第一节"
        std::string className;
        std::string course;
        std::string taking; // the substitute, "调课：赵敏" or "无人代课"
        // The swap's text; for no cover kNobodyFree or kLeftUncovered; kNoLongerFree for a
        // substitute who is no longer free; else empty (the box shows why he is offered).
        std::string reason;
        bool uncovered = false;
        friend bool operator==(const Row&, const Row&) = default;
    };
    std::vector<Row> rows() const;

    // What lesson `lesson` may be given: its candidates ("李娜  同科 · 当天1节 · 本周3节 ·
    // 本学期代课 0 节"), a substitute chosen before who is no longer one (kNoLongerFree), its
    // swaps, then kNoCover.
    std::vector<std::string> options(std::size_t lesson) const;
    // The option the lesson holds now.
    std::size_t chosenOption(std::size_t lesson) const;
    void choose(std::size_t lesson, std::size_t option);

    // 存盘; false when nothing was saved.
    bool save();
    // 应用; false when nothing was written (declined, refused or failed).
    bool apply();
    // Whether the plan differs from the one last made, opened, saved or applied unchanged.
    bool modified() const;
    // 关闭: true when the dialog may close, asking first about an unsaved plan.
    bool mayClose();

    std::vector<publish::Page> noticePages() const;
    std::string noticeText() const;

private:
    struct Choice {
        std::string substitute;
        std::optional<Swap> swap;
        std::string reason; // the swap's text, or why the substitute is offered
    };
    // The choices of every lesson, worked out once for each state of the plan.
    const std::vector<Choice>& choicesFor(std::size_t lesson) const;
    std::vector<Choice> workOutChoices(std::size_t lesson) const;
    void reloadSaved();

    ui::Messenger& m_messenger;
    std::optional<CoverPlanner> m_planner;
    std::vector<SavedPlan> m_saved;
    std::optional<CoverPlan> m_plan;
    std::optional<CoverPlan> m_kept; // as last saved (or made: nothing to lose yet)
    mutable std::optional<CoverPlan> m_choicesOf;
    mutable std::vector<std::vector<Choice>> m_choices;
};

} // namespace cover
