// Test support: fill the course-name and teacher-roster tables of the temporary database
// with the given names, in order (the dialogs read both in table order).
#pragma once

#include "store/CCNRecord.h"
#include "store/CTNRecord.h"

#include <string>
#include <vector>

namespace testsupport {

inline void storeCourses(const std::vector<std::string>& names) {
    std::vector<store::CoursenameRow> rows;
    for (const auto& n : names) {
        rows.push_back({n});
    }
    store::CCNRecord().append(rows);
}

inline void storeTeachers(const std::vector<std::string>& names) {
    std::vector<store::TeachernameRow> rows;
    for (const auto& n : names) {
        rows.push_back({n});
    }
    store::CTNRecord().append(rows);
}

} // namespace testsupport
