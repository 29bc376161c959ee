// The sixteen tables of the system, the single place where their names, columns and
// column kinds are written down, and the statements that create them in a new database.
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

// All sixteen, in the order above.
const std::array<const TableDef*, 16>& allTables();

// 'CREATE TABLE "name" ("_key" <key type>, "col" TYPE, …)', the key as the engine numbers
// rows (SqlDialect.h).
std::string createStatement(const TableDef& table, odbc::Engine engine = odbc::Engine::SQLite);

// Creates all sixteen tables in one transaction.
void createAll(odbc::Connection& connection);
// The same inside the caller's transaction on that connection.
void createAll(odbc::Connection& connection, odbc::Transaction& transaction);

} // namespace store::schema
