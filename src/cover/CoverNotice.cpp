#include "cover/CoverNotice.h"

#include "core/SchoolNames.h"
#include "cover/CoverCalendar.h"
#include "publish/OutputTarget.h"
#include "publish/PdfOutput.h"
#include "publish/WorkbookOutput.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace cover {
namespace {

struct Entry {
    int period = 0;
    std::string className;
    std::string course;
    std::string absent;
    std::string taking;
    std::string remark;
};

std::string periodName(int period) {
    return std::string(school::kPeriodNames[static_cast<std::size_t>(period - 1)]);
}

std::string dayName(int day) {
    return std::string(school::kDayNames[static_cast<std::size_t>(day)]);
}

} // namespace

std::vector<publish::Page> noticePages(const CoverPlan& plan, const std::string& schoolName) {
    const std::string& absent = plan.request.teacher;
    std::map<long, std::pair<school::DateTime, std::vector<Entry>>> days;
    const auto dayOf = [&days](const school::DateTime& date) -> std::vector<Entry>& {
        auto& slot = days[dayNumber(date)];
        slot.first = date;
        return slot.second;
    };
    for (const CoverLesson& lesson : plan.lessons) {
        Entry entry{lesson.period, lesson.className, lesson.course, absent, {}, {}};
        if (lesson.swap) {
            const Swap& swap = *lesson.swap;
            entry.taking = swap.teacher;
            entry.remark = "调课：与 " + shortDate(swap.date) + " " + periodName(swap.period) +
                           " " + swap.course + " 对调";
            dayOf(swap.date).push_back(
                {swap.period, lesson.className, lesson.course, swap.teacher, absent,
                 "调课：与 " + shortDate(lesson.date) + " " + periodName(lesson.period) + " 对调"});
        } else {
            entry.taking = lesson.substitute.empty() ? kNobody : lesson.substitute;
            entry.remark = plan.request.category;
        }
        dayOf(lesson.date).push_back(std::move(entry));
    }

    std::vector<publish::Page> pages;
    for (auto& [number, day] : days) {
        auto& [date, entries] = day;
        std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return std::tie(a.period, a.className) < std::tie(b.period, b.className);
        });
        publish::Page page;
        page.kind = publish::PageKind::Notice;
        page.name = shortDate(date);
        const int weekday = date.weekday() - 1;
        page.title = (schoolName.empty() ? "" : schoolName + " ") + kNoticeTitle + "（" +
                     dateText(date) + " " + (weekday < 5 ? dayName(weekday) : "") + "）";
        page.corner = "节别";
        page.columnHeads = {"班级", "学科", "缺课教师", "代课教师", "说明"};
        for (const Entry& entry : entries) {
            page.rowHeads.push_back({periodName(entry.period)});
            page.cells.push_back({{entry.className},
                                  {entry.course},
                                  {entry.absent},
                                  {entry.taking},
                                  {entry.remark}});
        }
        page.notes = {"缺课教师：" + absent + "（" + plan.request.category + "，" +
                      dateText(plan.request.from) + " 至 " + dateText(plan.request.to) + "）"};
        pages.push_back(std::move(page));
    }
    return pages;
}

namespace {

std::string lowerSuffix(const std::filesystem::path& file) {
    std::string suffix = file.extension().string();
    for (char& c : suffix) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return suffix;
}

} // namespace

bool isNoticeFile(const std::filesystem::path& file) {
    const std::string suffix = lowerSuffix(file);
    return suffix == ".pdf" || suffix == ".xlsx";
}

void writeNotice(const std::vector<publish::Page>& pages, const std::filesystem::path& file,
                 bool replace) {
    if (!isNoticeFile(file)) {
        throw publish::PublishError("代课通知单应写成 .pdf 或 .xlsx 文件：" + file.string());
    }
    if (lowerSuffix(file) == ".xlsx") {
        publish::writeWorkbook(pages, file, replace);
    } else {
        publish::writePdf(pages, file, replace);
    }
}

std::string noticeText(const std::vector<publish::Page>& pages) {
    std::string text;
    for (const publish::Page& page : pages) {
        if (!text.empty()) {
            text += "\n";
        }
        text += page.title + "\n";
        for (std::size_t r = 0; r < page.cells.size(); ++r) {
            const auto cell = [&](std::size_t c) {
                const publish::Lines& lines = page.cells[r][c];
                return lines.empty() ? std::string() : lines.front();
            };
            text += page.rowHeads[r].front() + " " + cell(0) + " " + cell(1) + " " + cell(2) +
                    " → " + cell(3) + "（" + cell(4) + "）\n";
        }
    }
    return text;
}

} // namespace cover
