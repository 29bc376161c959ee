// The cover notice (代课通知单) of a plan: one published page a school day (publish/Page.h),
// so it goes to PDF, to the printer and to a workbook through the publishing outputs, and
// the same pages as plain text to paste into a message.
//
// A day's page lists by period, under the heads 班级, 学科, 缺课教师, 代课教师, 说明: each missed
// lesson of that day with its substitute ("无人代课" when nobody covers it) and the category,
// or, for a swapped one, the teacher who takes it and the lesson it is exchanged with; and on
// the day of the lesson exchanged with, that lesson given by the absent teacher in place of
// its own teacher. Days follow the calendar. Text is UTF-8.
#pragma once

#include "cover/CoverPlan.h"
#include "publish/Page.h"

#include <filesystem>
#include <string>
#include <vector>

namespace cover {

inline constexpr const char* kNoticeTitle = "代课通知单";
inline constexpr const char* kNobody = "无人代课";

// schoolName may be empty.
std::vector<publish::Page> noticePages(const CoverPlan& plan, const std::string& schoolName);

// Writes the pages as a PDF (a name ending ".pdf") or a workbook (".xlsx") through the
// publishing outputs: whole or not at all. Throws publish::PublishError for another name, an
// existing file when replace is false, or a failed write. Drawing a PDF needs a GUI
// application object.
void writeNotice(const std::vector<publish::Page>& pages, const std::filesystem::path& file,
                 bool replace);
// Whether a file name is one writeNotice() takes.
bool isNoticeFile(const std::filesystem::path& file);

// Each page's title, then a line a row: "第一节 初一⑴ 数学 王伟 → 李娜（事  假）".
std::string noticeText(const std::vector<publish::Page>& pages);

} // namespace cover
