#include "publish/TimetablePublish.h"

#include "core/SchoolNames.h"
#include "publish/SchoolSource.h"

#include <system_error>

namespace publish {
namespace {

constexpr std::array<PageKind, 4> kPageKinds = {PageKind::Class, PageKind::Teacher,
                                                PageKind::Overview, PageKind::Assignment};
constexpr std::array<Format, 4> kFormatKinds = {Format::Pdf, Format::Workbook, Format::Site,
                                                Format::Calendars};
constexpr std::array<std::string_view, 4> kSuffixes = {".pdf", ".xlsx", "网页", "日历"};
constexpr std::array<std::string_view, 4> kTitles = {"班级课表", "教师课表", "总课表", "任课表"};

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

TimetablePublish::TimetablePublish(std::filesystem::path folder)
    : m_target(std::move(folder) / "x") {
    suggest();
}

void TimetablePublish::chooseKind(int kind) {
    m_kind = kind;
    suggest();
}

void TimetablePublish::chooseGrade(int grade) {
    m_grade = grade;
    suggest();
}

void TimetablePublish::chooseFormat(int format) {
    m_format = format;
    suggest();
}

bool TimetablePublish::writesFolder() const {
    return publish::writesFolder(kFormatKinds[at(m_format)]);
}

bool TimetablePublish::weeksApply() const {
    return kFormatKinds[at(m_format)] == Format::Calendars;
}

std::string TimetablePublish::suggestedName() const {
    const std::string grade =
        m_grade == 0 ? std::string("全校") : std::string(school::kGradeNames[at(m_grade - 1)]);
    return grade + std::string(kTitles[at(m_kind)]) + std::string(kSuffixes[at(m_format)]);
}

void TimetablePublish::suggest() {
    const std::filesystem::path folder = m_target.parent_path();
    m_target = folder / suggestedName();
}

std::string TimetablePublish::problem() const {
    if (m_target.empty() || m_target.filename().empty())
        return "请选择保存的位置。";
    if (weeksApply() && kPageKinds[at(m_kind)] != PageKind::Class &&
        kPageKinds[at(m_kind)] != PageKind::Teacher)
        return "总课表和任课表没有日历，请选择班级课表或教师课表。";
    if (weeksApply() && (m_weeks < 1 || m_weeks > kMaxCalendarWeeks))
        return "日历的周数应为 1 到 " + std::to_string(kMaxCalendarWeeks) + "。";
    return {};
}

bool TimetablePublish::targetExists() const {
    std::error_code ec;
    return std::filesystem::exists(m_target, ec);
}

std::string TimetablePublish::replaceQuestion() const {
    return "“" + m_target.string() + "”已存在，要替换吗？";
}

PublishRequest TimetablePublish::request(bool replace) const {
    PublishRequest request;
    request.kind = kPageKinds[at(m_kind)];
    if (m_grade > 0)
        request.grade = m_grade - 1;
    request.format = kFormatKinds[at(m_format)];
    request.target = m_target;
    request.replace = replace;
    request.weeks = m_weeks;
    return request;
}

std::string TimetablePublish::run(bool replace, const Progress& progress) const {
    const PublishResult result = publish::publish(loadSchoolSource(), request(replace), progress);
    std::string said = "已写出 " + std::to_string(result.pages) + " 页：" + m_target.string();
    for (const std::string& warning : result.warnings)
        said += "\n" + warning;
    return said;
}

std::filesystem::path TimetablePublish::resultFolder() const {
    return writesFolder() ? m_target : m_target.parent_path();
}

} // namespace publish
