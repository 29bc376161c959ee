// GTBrowse: the logic behind "年段任课教师浏览", which shows the course teachers of a grade as
// [classcourse] names them: one row per class, one column per course (GTBrowseReport.h says
// which rows count and in what order), every teacher shown. It only reads.
//
// chooseGrade() reads the table afresh (store::DbError propagates; the list is then empty).
// prepareReport() comes before "表格导出" and "打印": without a chosen grade it says so and
// refuses; otherwise it tells the user what the document cannot hold, if anything. The
// document's table and print title come from GTBrowseReport.h. Text is UTF-8.
#pragma once

#include "core/Messenger.h"
#include "maintain/GTBrowseReport.h"
#include "reports/ReportTable.h"

#include <optional>
#include <string>
#include <vector>

namespace maintain {

class GTBrowse {
public:
    static constexpr const char* kTitle = "年段任课教师浏览";
    static constexpr const char* kNoGrade = "请先选择年段。";

    explicit GTBrowse(ui::Messenger& messenger) : m_messenger(messenger) {}

    // The grade selector's entries: "初一" … "高三".
    static std::vector<std::string> grades();

    // grade 0 … 5; anything else chooses none and empties the list.
    void chooseGrade(int grade);
    bool chosen() const { return m_teachers.has_value(); }

    // The list's column headings: "班级", then the courses.
    std::vector<std::string> headings() const;
    // The list's rows: the class, then its teacher of each course.
    std::vector<std::vector<std::string>> rows() const;

    // False (the user told) when no grade is chosen.
    bool prepareReport();
    reports::ReportTable reportTable() const;
    std::string printTitle() const;

private:
    ui::Messenger& m_messenger;
    std::optional<GradeTeachers> m_teachers;
};

} // namespace maintain
