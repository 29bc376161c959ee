// What this process last saw of each table, so that a save never silently undoes another
// program's save. Every read of a whole table remembers its rows (with their hidden keys);
// every save of this process updates what is remembered. Before a save replaces rows, it
// compares the rows it is about to delete with the same rows as remembered: when another
// program changed, added or removed any of them in between, the overwrite question is asked
// (outside the transaction, so no lock is held while the user thinks). No means nothing is
// written and ui::Declined is thrown, which ui::reported() passes over silently.
//
// Without a question installed (the command line, which replaces only the rows it arranged)
// the save goes ahead. The program installs one that asks through its message boxes.
#pragma once

#include "store/StoredRow.h"
#include "store/TableDef.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// Receives the question text; true means overwrite.
using OverwriteQuestion = std::function<bool(const std::string& text)>;

// Installs the question (an empty function removes it).
void setOverwriteQuestion(OverwriteQuestion question);
// Asks it; true (overwrite) when none is installed.
bool askOverwrite(const TableDef& table);
// "年段课程表已被其他程序修改。仍然存盘会覆盖那些修改，继续吗？" for gradelesson, and so on.
std::string overwriteQuestionText(const TableDef& table);

namespace tablewatch {

void remember(std::string_view table, std::vector<StoredRow> rows);
// Nothing when this process has not read the table.
std::optional<std::vector<StoredRow>> remembered(std::string_view table);
// A row written or removed by this process itself: what is remembered follows it.
void rememberAdded(std::string_view table, const StoredRow& row);
void rememberUpdated(std::string_view table, const StoredRow& row);
void rememberRemoved(std::string_view table, std::int32_t key);
void forget(std::string_view table);
// When the store is pointed at another database.
void forgetAll();

} // namespace tablewatch
} // namespace store
