// Test support for the web site and the calendars: hand-built pages, running the Python
// readers (read_site.py, read_calendars.py beside this file) and reading their JSON, and the
// interpreter that has the modules a reader needs (the first of the build's python3 and the
// system's that imports them), or an empty text so the test can skip.
#pragma once

#include "publish/Page.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

namespace webtest {

inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Run {
    int status = -1;
    std::string output;
};

inline Run run(const std::string& command) {
    Run result;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    result.status = ::pclose(pipe);
    return result;
}

inline std::string pythonWith(const std::string& imports) {
    for (const std::string& candidate :
         {std::string(TAVLEN_PYTHON3), std::string("/usr/bin/python3")}) {
        if (candidate.empty())
            continue;
        if (run(shellQuoted(candidate) + " -c " + shellQuoted("import " + imports) + " 2>/dev/null")
                .status == 0)
            return candidate;
    }
    return {};
}

// The reader's JSON output for a folder; an empty object when it failed.
inline QJsonObject readBack(const std::string& python, const char* script,
                            const std::string& folder) {
    const Run result = run(shellQuoted(python) + " " +
                           shellQuoted(std::string(TAVLEN_PUBLISH_TEST_DIR) + "/" + script) + " " +
                           shellQuoted(folder));
    if (result.status != 0)
        return {};
    return QJsonDocument::fromJson(QByteArray::fromStdString(result.output)).object();
}

inline std::string text(const QJsonValue& value) {
    return value.toString().toStdString();
}

inline publish::Lesson lesson(int day, int period, const std::string& course,
                              const std::string& className, const std::string& teacher) {
    return {day, period, course, className, teacher};
}

// A class or teacher week: 7 period rows under 上午 / 下午, the five days as columns, a cell
// per lesson (course over the class or the teacher).
inline publish::Page weekPage(publish::PageKind kind, const std::string& name,
                              const std::string& grade, std::vector<publish::Lesson> lessons) {
    static const char* kPeriods[] = {"第一节", "第二节", "第三节", "第四节",
                                     "第五节", "第六节", "第七节"};
    publish::Page page;
    page.kind = kind;
    page.name = name;
    page.grade = grade;
    page.title = "实验中学 " + name + (kind == publish::PageKind::Class ? "班课程表" : " 课程表");
    page.corner = "节次";
    page.columnHeads = {"星期一", "星期二", "星期三", "星期四", "星期五"};
    page.rowGroups = {{"上午", 0, 4}, {"下午", 4, 3}};
    for (const char* period : kPeriods)
        page.rowHeads.push_back({period});
    page.cells.assign(7, std::vector<publish::Lines>(5));
    for (const publish::Lesson& l : lessons)
        page.cells[static_cast<std::size_t>(l.period - 1)][static_cast<std::size_t>(l.day)] = {
            l.course, kind == publish::PageKind::Class ? l.teacher : l.className};
    page.lessons = std::move(lessons);
    page.notes = {"制表：教务处"};
    return page;
}

} // namespace webtest
