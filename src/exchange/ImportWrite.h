// Writing an import: the touched tables of an ImportPlan take the rows the plan worked out,
// all in one transaction on one connection. Before writing, each touched table is compared
// with what this process last read of it (the store's change check): when another program
// saved any of them meanwhile, the store's overwrite question is asked with no lock held, and
// 否 throws ui::Declined with nothing written. A table whose rows are already the plan's is
// left as it is. Any failing statement (store::DbError, with the driver's text) leaves every
// table exactly as it was.
#pragma once

#include "exchange/ImportPlan.h"

namespace exchange {

void writeImport(const ImportPlan& plan);

// Reads the tables, plans the import and, when there are no errors and write is true, writes
// it; returns the plan either way.
ImportPlan importWorkbook(const Workbook& workbook, ImportMode mode, bool write);

} // namespace exchange
