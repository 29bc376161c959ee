// The sixteen tables of the system, the single place where their names, columns and
// column kinds are written down, and the statements that create them in a new database.
// Beside them lies table setting (名称, 值), the school's own settings (SchoolSettingsStore.h):
// a new database holds it, an older one may lack it, and it is created on its first save.
// Table coverplan (CCVRecord.h), the saved cover plans, is created on its first save alike;
// no new database holds it.
#pragma once

#include "store/Odbc.h"
#include "store/TableDef.h"

#include <array>
#include <string>

namespace store::schema {

extern const TableDef attendance;
extern const TableDef classcourse;
extern const TableDef coursename;
extern const TableDef courseproperty;
extern const TableDef courseshare;
extern const TableDef courseteacher;
extern const TableDef courseweek;
extern const TableDef gradecourse;
extern const TableDef gradelesson;
extern const TableDef gradeclass;
extern const TableDef lessonprearrange;
extern const TableDef orderplan;
extern const TableDef reviewlesson;
extern const TableDef samelesson;
extern const TableDef supervise;
extern const TableDef teachername;

// The school's settings, one row a setting; not one of the sixteen.
extern const TableDef setting;
// The saved cover plans, one row a missed lesson; not one of the sixteen.
extern const TableDef coverplan;

// All sixteen, in the order above.
const std::array<const TableDef*, 16>& allTables();
// What a new database holds: the sixteen, then setting.
const std::array<const TableDef*, 17>& newDatabaseTables();

// 'CREATE TABLE "name" ("_key" <key type>, "col" TYPE, …)', the key as the engine numbers
// rows (SqlDialect.h).
std::string createStatement(const TableDef& table, odbc::Engine engine = odbc::Engine::SQLite);

// Whether the database holds the table (a failing probe counts as missing).
bool exists(odbc::Connection& connection, const TableDef& table);
// Creates the table when the database does not hold it yet (inside the caller's transaction,
// if one is open); never touches one that is there.
void createIfMissing(odbc::Connection& connection, const TableDef& table);

// Creates all sixteen tables in one transaction.
void createAll(odbc::Connection& connection);
// The same inside the caller's transaction on that connection.
void createAll(odbc::Connection& connection, odbc::Transaction& transaction);

} // namespace store::schema
