// The description of one table: its name and its columns, in the order they are bound
// and listed. Every table also has a hidden integer key (kHiddenKey) that keeps the
// insertion order and identifies a row for edit and delete; no dialog ever sees it.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

namespace store {

enum class ColumnKind { Text, Int, Bool, Date };

struct ColumnDef {
    std::string_view name;
    ColumnKind kind;
    // The values a whole-number column may hold. A row holding a value outside them, or one
    // that is no whole number at all, is marked invalid (readChecked() passes over it).
    std::int64_t min = std::numeric_limits<std::int32_t>::min();
    std::int64_t max = std::numeric_limits<std::int32_t>::max();
};

struct TableDef {
    std::string_view name;
    std::span<const ColumnDef> columns;
    std::string_view caption; // what the user calls the table ("年段课程表")
};

inline constexpr std::string_view kHiddenKey = "_key";

} // namespace store
