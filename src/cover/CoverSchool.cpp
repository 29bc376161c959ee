#include "cover/CoverSchool.h"

#include "store/CGLRecord.h"
#include "store/SchoolSettingsStore.h"
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"

#include <cstdint>

namespace cover {

std::string timetableDigest(const std::vector<store::GradelessonRow>& rows) {
    // FNV-1a over every field, each closed by a zero byte, so no two tables share a stream.
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](const std::string& text) {
        for (const char c : text) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        }
        hash = (hash ^ 0u) * 1099511628211ull;
    };
    for (const store::GradelessonRow& row : rows) {
        add(row.className);
        add(std::to_string(row.number));
        for (const std::string& day : row.days) {
            add(day);
        }
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) {
        text[static_cast<std::size_t>(i)] = kDigits[hash & 0xf];
    }
    return text;
}

CoverSchool CoverSchool::load() {
    CoverSchool school;
    school.roster = attendance::SubstituteCandidates::readRoster();
    school.data = timetable::loadAutoOrderData();
    const std::vector<store::GradelessonRow> rows = store::CGLRecord().readAll();
    school.timetable = timetable::timetableFromRows(rows);
    school.timetableDigest = cover::timetableDigest(rows);
    school.courseTeachers = store::CCTRecord().readAll();
    school.attendance = store::CATRecord().readAll();
    school.settings = store::readSchoolSettings();
    return school;
}

} // namespace cover
