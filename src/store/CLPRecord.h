// Record set over table [lessonprearrange]: teacher presets: a 35-character '0'/'1' mask, '1' =
// must not teach then. Connect string "ODBC;DSN=TAVLEN".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct LessonprearrangeRow {
    std::string teacher{};    // [teacher]
    std::string prearrange{}; // [prearrange]

    auto tie() { return std::tie(teacher, prearrange); }
    friend bool operator==(const LessonprearrangeRow&, const LessonprearrangeRow&) = default;
};

class CLPRecord : public TypedRecordSet<LessonprearrangeRow> {
public:
    CLPRecord() : TypedRecordSet(schema::lessonprearrange, kConnectUpper) {}
};

} // namespace store
