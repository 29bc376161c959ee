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
    friend bool operator==(const StoredRow&, const StoredRow&) = default;
};

} // namespace store
