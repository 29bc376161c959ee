#include "exchange/SchoolTables.h"

namespace exchange {

SchoolTables readSchoolTables() {
    SchoolTables tables;
    forEachTable(tables, [](auto record, auto& rows) {
        typename decltype(record)::type records;
        rows = records.readAll();
        records.close();
    });
    return tables;
}

} // namespace exchange
