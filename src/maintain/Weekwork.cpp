#include "maintain/Weekwork.h"

#include "core/Gbk.h"
#include "reports/ReportTitles.h"
#include "store/CCCRecord.h"
#include "store/CTNRecord.h"

#include <utility>

namespace maintain {
namespace {

// A name that can be looked up in [classcourse]. Eight spaces mark a removed teacher there,
// so a roster name of spaces alone would collect every removed teacher's lessons.
bool countable(const std::string& name) {
    return !gbk::isBlank(name) && name.find_first_not_of(' ') != std::string::npos;
}

int weeklyCount(int stored) {
    return stored >= 0 && stored <= Weekwork::kMaxWeekly ? stored : 0;
}

} // namespace

bool Weekwork::count() {
    store::CTNRecord roster;
    std::vector<Entry> entries;
    for (const auto& row : roster.readAll()) {
        if (entries.size() == kMaxTeachers) {
            break;
        }
        entries.push_back({.teacher = row.name});
    }
    roster.close();

    store::CCCRecord plans;
    const std::vector<store::ClasscourseRow> rows = plans.readAll();
    plans.close();

    bool anyTeacher = false;
    for (Entry& entry : entries) {
        if (!countable(entry.teacher)) {
            continue;
        }
        anyTeacher = true;
        for (const auto& row : rows) {
            if (row.teacher != entry.teacher) {
                continue;
            }
            if (gbk::isBlank(entry.subject)) {
                entry.subject = row.course;
            }
            entry.weekly += weeklyCount(row.weekly);
        }
    }

    m_entries = std::move(entries);
    m_unusableMessage = anyTeacher ? std::string() : std::string(kNoTeachers);
    return anyTeacher;
}

reports::ReportTable Weekwork::reportTable() const {
    reports::ReportTable table;
    for (const Entry& entry : m_entries) {
        if (countable(entry.teacher)) {
            table.grid.push_back({entry.teacher, entry.subject, std::to_string(entry.weekly)});
        }
    }
    return table;
}

std::string Weekwork::printTitle() {
    return reports::lessonCountsTitle();
}

} // namespace maintain
