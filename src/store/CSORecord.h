// Record set over table [supervise]: the supervised-study duty roster.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct SuperviseRow {
    std::string className{}; // [classname]
    std::string time{};      // [time]
    std::string teacher{};   // [teacher]

    auto tie() { return std::tie(className, time, teacher); }
    friend bool operator==(const SuperviseRow&, const SuperviseRow&) = default;
};

class CSORecord : public TypedRecordSet<SuperviseRow> {
public:
    CSORecord() : TypedRecordSet(schema::supervise, kConnectLower) {}
};

} // namespace store
