// Record set over table [teachername]: the school's teacher roster, in table order.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct TeachernameRow {
    std::string name{}; // [姓名]

    auto tie() { return std::tie(name); }
    friend bool operator==(const TeachernameRow&, const TeachernameRow&) = default;
};

class CTNRecord : public TypedRecordSet<TeachernameRow> {
public:
    CTNRecord() : TypedRecordSet(schema::teachername, kConnectLower) {}
};

} // namespace store
