#include "store/TableWatch.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace store {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::vector<StoredRow>, std::less<>> rows;
    OverwriteQuestion question;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

void setOverwriteQuestion(OverwriteQuestion question) {
    std::lock_guard lock(registry().mutex);
    registry().question = std::move(question);
}

bool askOverwrite(const TableDef& table) {
    OverwriteQuestion question;
    {
        std::lock_guard lock(registry().mutex);
        question = registry().question;
    }
    return !question || question(overwriteQuestionText(table));
}

std::string overwriteQuestionText(const TableDef& table) {
    return std::string(table.caption) + "已被其他程序修改。仍然存盘会覆盖那些修改，继续吗？";
}

namespace tablewatch {

void remember(std::string_view table, std::vector<StoredRow> rows) {
    std::lock_guard lock(registry().mutex);
    auto it = registry().rows.find(table);
    if (it == registry().rows.end()) {
        registry().rows.emplace(std::string(table), std::move(rows));
    } else {
        it->second = std::move(rows);
    }
}

std::optional<std::vector<StoredRow>> remembered(std::string_view table) {
    std::lock_guard lock(registry().mutex);
    const auto it = registry().rows.find(table);
    if (it == registry().rows.end()) {
        return std::nullopt;
    }
    return it->second;
}

void rememberAdded(std::string_view table, const StoredRow& row) {
    std::lock_guard lock(registry().mutex);
    const auto it = registry().rows.find(table);
    if (it != registry().rows.end()) {
        it->second.push_back(row);
    }
}

void rememberUpdated(std::string_view table, const StoredRow& row) {
    std::lock_guard lock(registry().mutex);
    const auto it = registry().rows.find(table);
    if (it == registry().rows.end()) {
        return;
    }
    for (StoredRow& stored : it->second) {
        if (stored.key == row.key) {
            stored = row;
        }
    }
}

void rememberRemoved(std::string_view table, std::int32_t key) {
    std::lock_guard lock(registry().mutex);
    const auto it = registry().rows.find(table);
    if (it != registry().rows.end()) {
        std::erase_if(it->second, [key](const StoredRow& r) { return r.key == key; });
    }
}

void forget(std::string_view table) {
    std::lock_guard lock(registry().mutex);
    const auto it = registry().rows.find(table);
    if (it != registry().rows.end()) {
        registry().rows.erase(it);
    }
}

void forgetAll() {
    std::lock_guard lock(registry().mutex);
    registry().rows.clear();
}

} // namespace tablewatch
} // namespace store
