// TimetablePublish: the logic of the dialog "课表发布" (under 课程查询). The user chooses what
// to publish (班级课表, 教师课表, 年段总课表, 任课表), the grade (全部年段 or one), the format
// (PDF 文件, Excel 工作簿, 网页, 日历) and where it goes; a new choice suggests a target
// name beside the last one chosen ("初一班级课表.pdf", "全校教师课表网页"). Publishing runs the
// one job the command line runs (PublishJob.h) over the stored timetable.
//
// Before it runs: problem() names what is missing ("请选择保存的位置。") or refused (calendars
// of an overview); an existing target is replaced only after the dialog asked
// replaceQuestion(). Plain C++; the dialog shows the progress and offers 取消.
#pragma once

#include "publish/PublishJob.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace publish {

class TimetablePublish {
public:
    static constexpr std::array<std::string_view, 4> kKinds = {"班级课表", "教师课表", "年段总课表",
                                                               "任课表"};
    static constexpr std::array<std::string_view, 4> kFormats = {"PDF 文件", "Excel 工作簿", "网页",
                                                                 "日历"};
    static constexpr std::string_view kAllGrades = "全部年段";

    // Starts with 班级课表, all grades, PDF, a target in folder.
    explicit TimetablePublish(std::filesystem::path folder);

    int kind() const { return m_kind; }
    int grade() const { return m_grade; } // 0 all, 1..6 a grade
    int format() const { return m_format; }
    int weeks() const { return m_weeks; }
    const std::filesystem::path& target() const { return m_target; }

    // Each choice of kind, grade or format renames the target as suggested, in its folder.
    void chooseKind(int kind);
    void chooseGrade(int grade);
    void chooseFormat(int format);
    void setTarget(std::filesystem::path target) { m_target = std::move(target); }
    void setWeeks(int weeks) { m_weeks = weeks; }

    bool writesFolder() const;
    bool weeksApply() const; // only calendars have weeks
    // "初一班级课表.pdf", "全校教师课表.xlsx", "初二总课表网页", "全校班级课表日历"
    std::string suggestedName() const;

    // Empty when the choices can run.
    std::string problem() const;
    bool targetExists() const;
    std::string replaceQuestion() const; // "“…”已存在，要替换吗？"

    PublishRequest request(bool replace) const;
    // Reads the stored timetable and publishes; returns what the dialog says when done
    // ("已写出 61 页：/home/…/初一班级课表.pdf", then any warning on lines of its own).
    // Throws PublishError, Cancelled or store::DbError.
    std::string run(bool replace, const Progress& progress) const;
    // Where the result can be seen: the target folder, or the folder holding the file.
    std::filesystem::path resultFolder() const;

private:
    void suggest();

    int m_kind = 0;
    int m_grade = 0;
    int m_format = 0;
    int m_weeks = kDefaultCalendarWeeks;
    std::filesystem::path m_target;
};

} // namespace publish
