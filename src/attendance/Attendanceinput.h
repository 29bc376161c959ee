// Attendanceinput: the logic of the form "出勤情况录入", in which the attendance events of one
// school week (table [attendance]) are entered in 10 pages of 10 rows: teacher, date,
// weekday, period, class, category, substitute and remark. One page is shown at a time; the
// dialog hands the shown page's texts in before paging, saving and closing (takePage).
//
// load() reads the class counts ([gradeclass]) and the roster ([teachername]): without any
// class the form cannot be used ("请设各年段的班级数!"); without teacher names it opens with
// empty name lists after "请输入所有教师姓名!". The name lists hold the roster's names of at
// least 4 bytes (at most 200), each cut to its first 6 bytes.
//
// The week ("周别") must be a whole number from 1 to 60; anything else is refused at 刷新 and
// 存盘 with kWeekRefused and nothing is read or written. A stored record belongs to week N
// when its [周别] reads as N ("05" is week 5); a save writes the number as "5".
//
// refresh() loads a week: its records fill the rows in table order (at most 100; further
// records of the week are kept aside and written back after the form's rows). save() writes
// the form's rows with a teacher (at least 4 bytes), each text cut to 8 bytes, in one
// transaction:
//   - the week refresh() loaded: the week's records are replaced by the form's rows, whatever
//     the first row holds;
//   - another week: when that week already holds records and the form has rows, the user is
//     asked (the add question); 否 writes nothing, 是 adds the form's rows to them.
// After a save the form shows the week as stored. A failed save shows the driver's text and
// keeps the form as it was. Text is UTF-8; load(), refresh() and save() read the database.
#pragma once

#include "attendance/SubstituteCandidates.h"
#include "core/DateTime.h"
#include "core/Messenger.h"
#include "store/CATRecord.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace attendance {

class Attendanceinput {
public:
    static constexpr int kPages = 10;
    static constexpr int kRowsPerPage = 10;
    static constexpr int kRows = kPages * kRowsPerPage;
    static constexpr std::size_t kMaxTeachers = 200;
    static constexpr std::size_t kShownNameBytes = 6;
    static constexpr std::size_t kFieldBytes = 8;

    static constexpr const char* kTitle = "出勤情况录入";
    static constexpr const char* kNoClasses = "请设各年段的班级数!";
    static constexpr const char* kNoTeachers = "请输入所有教师姓名!";
    // The reason shown beside a teacher who has a lesson of his own in the missed period.
    static constexpr const char* kBusyThen = "（该节有课）";
    static constexpr const char* kWeekRefused = "请输入周别（1 到 60 的整数）。";
    static constexpr const char* kDiscardQuestion = "出勤记录已修改，放弃未存盘的修改吗？";

    // One row of the form as its controls show it; the date as "YYYY-MM-DD" or empty.
    struct RowText {
        std::string teacher{};
        std::string date{};
        std::string weekday{};
        std::string period{};
        std::string className{};
        std::string category{};
        std::string substitute{};
        std::string remark{};
        friend bool operator==(const RowText&, const RowText&) = default;
    };
    using PageTexts = std::array<RowText, kRowsPerPage>;

    // One row of the form: its texts and the date it stands for (invalid: no date).
    struct Row {
        RowText text{};
        school::DateTime date{};
        friend bool operator==(const Row&, const Row&) = default;
    };

    // A name the 代课 box offers, with why it is offered (empty for the rest of the roster).
    struct SubstituteChoice {
        std::string name{};
        std::string reason{};
        friend bool operator==(const SubstituteChoice&, const SubstituteChoice&) = default;
    };

    explicit Attendanceinput(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the class counts and the roster. False when the form cannot be used.
    bool load();
    bool usable() const { return m_unusableMessage.empty(); }
    const std::string& unusableMessage() const { return m_unusableMessage; }
    // kNoTeachers when the roster holds no name (the form opens anyway), else empty.
    const std::string& openingNotice() const { return m_openingNotice; }

    const std::vector<std::string>& roster() const { return m_roster; }
    const std::vector<std::string>& classNames() const { return m_classNames; }

    // The judge of substitutes; without one (or when it cannot be read) the 代课 boxes offer
    // the roster alone.
    void setCandidates(SubstituteCandidates candidates);
    // What the 代课 box of a row offers: for a "事  假", "公  假" or "缺  勤" of a teacher in a
    // teaching period on a weekday, the teachers who can cover it (with their reason), then
    // the rest of the roster, those with a lesson of their own then last, marked kBusyThen;
    // for any other row the roster.
    std::vector<SubstituteChoice> substituteChoices(const RowText& row) const;

    int page() const { return m_page; }
    std::string pageCaption() const;
    // "本周出勤录入—第N周" for the week last loaded or saved; "本周出勤录入" before.
    std::string windowTitle() const;
    std::optional<int> loadedWeek() const { return m_loadedWeek; }

    const std::array<Row, kRows>& rows() const { return m_rows; }
    // The shown page's rows as its controls show them: texts shorter than 4 bytes (the
    // remark apart) empty.
    PageTexts pageTexts() const;

    // Takes the shown page's controls into its rows. A date that is not a calendar date is
    // refused: the user is told, nothing changes, and its row on the page (0..9) comes back.
    std::optional<int> takePage(const PageTexts& shown);
    // Take the page, then page forward (10 → 1) or back (staying on 1). False when refused.
    bool nextPage(const PageTexts& shown);
    bool previousPage(const PageTexts& shown);

    // 刷新: loads the week typed. False when refused, declined or failed (the form unchanged).
    bool refresh(std::string_view weekText, const PageTexts& shown);
    // 存盘 (确定 saves, then closes). False when nothing was saved.
    bool save(std::string_view weekText, const PageTexts& shown);
    // 取消: true when the form may close, asking first when it holds unsaved edits.
    bool mayClose(const PageTexts& shown);
    // Whether the rows, with the shown page taken, differ from those last loaded or saved.
    bool modified(const PageTexts& shown) const;

private:
    std::optional<int> checkedWeek(std::string_view weekText);
    // The shown page applied to a copy of the rows; the refused row on the page, if any.
    std::optional<int> applyPage(const PageTexts& shown, std::array<Row, kRows>& rows) const;
    std::vector<store::AttendanceRow> recordsToSave(int week) const;
    void loadWeek(int week);

    ui::Messenger& m_messenger;
    std::string m_unusableMessage;
    std::string m_openingNotice;
    std::vector<std::string> m_roster;
    std::vector<std::string> m_classNames;
    std::optional<SubstituteCandidates> m_candidates;
    std::array<Row, kRows> m_rows{};
    std::array<Row, kRows> m_savedRows{};
    // Records of the loaded week beyond the form's 100 rows, written back after them.
    std::vector<store::AttendanceRow> m_kept;
    std::optional<int> m_loadedWeek;
    int m_page = 1;
};

} // namespace attendance
