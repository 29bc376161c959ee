// The name lists the dialogs offer: course names or the teacher roster, in table order.
#pragma once

#include "core/Gbk.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// The teacher roster holds at most 200 names.
inline constexpr std::size_t kRosterCapacity = 200;
// The course name list holds at most 20 names.
inline constexpr std::size_t kCourseCapacity = 20;

// Blank as everywhere (fewer than 4 GBK bytes), and a name of spaces only is blank too:
// eight spaces mark a removed teacher and must never be offered or chosen as one.
inline bool isBlankName(std::string_view name) {
    const auto first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return true;
    }
    return gbk::isBlank(name.substr(first, name.find_last_not_of(' ') - first + 1));
}

// The `name` column of a name table in table order, ending at the first blank name or at the
// capacity. May throw DbError.
template <class RecordSetType> std::vector<std::string> readNameList(std::size_t capacity) {
    RecordSetType records;
    std::vector<std::string> names;
    for (const auto& row : records.readAll()) {
        if (names.size() == capacity || isBlankName(row.name)) {
            break;
        }
        names.push_back(row.name);
    }
    records.close();
    return names;
}

} // namespace store
