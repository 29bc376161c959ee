// Record set over table [reviewlesson]: the arranged review timetables; days[0..9] = one..ten.
// Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <array>
#include <string>
#include <tuple>

namespace store {

struct ReviewlessonRow {
    std::string className{}; // [class]
    int number = 0;          // [number]
    std::array<std::string, 10>
        days{}; // days[0] = [one], days[1] = [two], days[2] = [three], days[3] = [four], days[4] =
                // [five], days[5] = [six], days[6] = [seven], days[7] = [eight], days[8] = [nine],
                // days[9] = [ten]

    auto tie() {
        return std::tie(className, number, days[0], days[1], days[2], days[3], days[4], days[5],
                        days[6], days[7], days[8], days[9]);
    }
    friend bool operator==(const ReviewlessonRow&, const ReviewlessonRow&) = default;
};

class CRLRecord : public TypedRecordSet<ReviewlessonRow> {
public:
    CRLRecord() : TypedRecordSet(schema::reviewlesson, kConnectLower) {}
};

} // namespace store
