// Record set over table [setting]: the school's own settings, one row a setting (名称, 值),
// beside the sixteen tables. An older database lacks the table: reading it then fails like
// any missing table (SchoolSettingsStore.h reads around that), and a save creates it first,
// inside the save's transaction. Connect string "ODBC;DSN=tavlen".
#pragma once

#include "store/Schema.h"
#include "store/TypedRecordSet.h"

#include <string>
#include <tuple>

namespace store {

struct SettingRow {
    std::string name{};  // [名称]
    std::string value{}; // [值]

    auto tie() { return std::tie(name, value); }
    friend bool operator==(const SettingRow&, const SettingRow&) = default;
};

class CSTRecord : public TypedRecordSet<SettingRow> {
public:
    CSTRecord() : TypedRecordSet(schema::setting, kConnectLower) {}

protected:
    void prepareTable(odbc::Connection& db) override { schema::createIfMissing(db, table()); }
};

} // namespace store
