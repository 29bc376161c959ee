// Record set over table [orderplan]: the arrangement plan: ranges of lessons the arrangement is not
// to fill. Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct OrderplanRow {
    std::string className{}; // [class]
    std::string course{};    // [course]
    int week1 = 0;           // [week1]
    int week2 = 0;           // [week2]
    int number1 = 0;         // [number1]
    int number2 = 0;         // [number2]
    int order = 0;           // [order]

    auto tie() { return std::tie(className, course, week1, week2, number1, number2, order); }
    friend bool operator==(const OrderplanRow&, const OrderplanRow&) = default;
};

class COPRecord : public TypedRecordSet<OrderplanRow> {
public:
    COPRecord() : TypedRecordSet(schema::orderplan, kConnectLower) {}
};

} // namespace store
