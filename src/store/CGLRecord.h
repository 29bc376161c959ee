// Record set over table [gradelesson]: the arranged weekly timetables, one row per class and
// period; days[0..6] = monday..sunday. Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <array>
#include <string>
#include <tuple>

namespace store {

struct GradelessonRow {
    std::string className{}; // [class]
    int number = 0;          // [number]
    std::array<std::string, 7>
        days{}; // days[0] = [monday], days[1] = [tuesday], days[2] = [wednesday], days[3] =
                // [thursday], days[4] = [friday], days[5] = [saturday], days[6] = [sunday]

    auto tie() {
        return std::tie(className, number, days[0], days[1], days[2], days[3], days[4], days[5],
                        days[6]);
    }
    friend bool operator==(const GradelessonRow&, const GradelessonRow&) = default;
};

class CGLRecord : public TypedRecordSet<GradelessonRow> {
public:
    CGLRecord() : TypedRecordSet(schema::gradelesson, kConnectLower) {}
};

} // namespace store
