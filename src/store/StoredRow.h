// One row of a table as the store reads it: the hidden key and the bound columns in table
// order (text as UTF-8, whole numbers, dates).
#pragma once

#include "core/DateTime.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace store {

using Field = std::variant<std::string, std::int32_t, school::DateTime>;
using FieldList = std::vector<Field>;

struct StoredRow {
    std::int32_t key = 0;
    FieldList fields;
    // What is wrong with the row ("周课时 = abc"), or empty: a stored number that is no
    // whole number or lies outside its column's range, read as 0.
    std::string invalid;
    friend bool operator==(const StoredRow&, const StoredRow&) = default;
};

} // namespace store
