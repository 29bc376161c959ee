#include "masterdata/TeachernameEdit.h"

#include "core/Gbk.h"
#include "core/Reported.h"
#include "store/CTNRecord.h"

#include <algorithm>
#include <vector>

namespace masterdata {

TeachernameEdit::TeachernameEdit(ui::Messenger& messenger) : m_messenger(messenger) {
    store::CTNRecord record;
    const std::vector<store::TeachernameRow> rows = record.readAll();
    record.close();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const bool name = !gbk::isBlank(rows[k].name);
        if (k >= m_roster.size()) {
            m_overflowed = m_overflowed || name; // a save cannot keep it
            continue;
        }
        if (name) {
            m_roster[k] = rows[k].name;
            m_count = static_cast<int>(k) + 1;
        }
    }
    refresh();
}

std::string TeachernameEdit::place(int number) const {
    if (number < 1 || number > kPlaces) {
        return {};
    }
    return m_roster[static_cast<std::size_t>(number - 1)];
}

TeachernameEdit::Captions TeachernameEdit::captions() const {
    Captions out;
    for (int i = 0; i < kButtons; ++i) {
        out[static_cast<std::size_t>(i)] = place(m_top * kGridColumns + i + 1);
    }
    return out;
}

int TeachernameEdit::pressedIndex() const {
    const int index = m_selection - m_top * kGridColumns - 1;
    return index >= 0 && index < kButtons ? index : -1;
}

void TeachernameEdit::reportOverflow() {
    if (m_overflowed) {
        m_messenger.info(kOverflowMessage);
    }
}

void TeachernameEdit::moveUp() {
    m_top = std::max(m_top - 1, 0);
    refresh();
}

void TeachernameEdit::moveDown() {
    // Down while the row that holds place count + 1 (where the next name goes, row count div
    // 10) is below the grid, so that row becomes the bottom one. A roster that fits the first
    // page (60 names or fewer) keeps the grid where it is, and the grid never shows a row past
    // the 200th place.
    constexpr int kLastTop = kPlaces / kGridColumns - kGridRows;
    const int limit =
        m_count <= kButtons ? 0 : std::min(m_count / kGridColumns - kGridRows + 1, kLastTop);
    m_top = std::max(std::min(m_top + 1, limit), 0);
    refresh();
}

void TeachernameEdit::selectButton(int index) {
    if (index < 0 || index >= kButtons) {
        return;
    }
    m_selection = m_top * kGridColumns + index + 1;
    refresh();
}

bool TeachernameEdit::roomForOne() {
    if (m_count >= kPlaces) {
        m_messenger.error(kFullMessage);
        return false;
    }
    return true;
}

bool TeachernameEdit::roomForBatch() {
    return batchFits(1);
}

bool TeachernameEdit::batchFits(std::size_t n) {
    if (static_cast<std::size_t>(m_count) + n > static_cast<std::size_t>(kPlaces)) {
        m_messenger.error(kFullMessage);
        return false;
    }
    return true;
}

bool TeachernameEdit::add(std::string_view name) {
    if (!roomForOne()) {
        return false;
    }
    m_roster[static_cast<std::size_t>(m_count)] = gbk::cut(name, kNameBytes);
    ++m_count;
    refresh();
    return true;
}

bool TeachernameEdit::insert(std::string_view name) {
    if (!roomForOne()) {
        return false;
    }
    const int p = std::min(m_selection, m_count + 1);
    // Places p … count move one place on; place count + 1 is free (count < 200).
    for (int q = m_count; q >= p; --q) {
        m_roster[static_cast<std::size_t>(q)] = m_roster[static_cast<std::size_t>(q - 1)];
    }
    m_roster[static_cast<std::size_t>(p - 1)] = gbk::cut(name, kNameBytes);
    ++m_count;
    refresh();
    return true;
}

void TeachernameEdit::remove() {
    const int p = m_selection;
    if (p < 1 || p > m_count) {
        return;
    }
    for (int q = p; q < m_count; ++q) {
        m_roster[static_cast<std::size_t>(q - 1)] = m_roster[static_cast<std::size_t>(q)];
    }
    m_roster[static_cast<std::size_t>(m_count - 1)].clear();
    --m_count;
    refresh();
}

bool TeachernameEdit::addBatch(std::span<const std::string> names) {
    if (!batchFits(names.size())) {
        return false;
    }
    for (const std::string& name : names) {
        m_roster[static_cast<std::size_t>(m_count++)] = gbk::cut(name, kNameBytes);
    }
    refresh();
    return true;
}

bool TeachernameEdit::insertBatch(std::span<const std::string> names) {
    const int p = m_selection;
    if (p > m_count) {
        return addBatch(names);
    }
    if (!batchFits(names.size())) {
        return false;
    }
    const int n = static_cast<int>(names.size());
    // Places p … count move n places on; count + n <= 200 keeps them inside the roster.
    for (int q = m_count; q >= p; --q) {
        m_roster[static_cast<std::size_t>(q + n - 1)] = m_roster[static_cast<std::size_t>(q - 1)];
    }
    for (int i = 0; i < n; ++i) {
        m_roster[static_cast<std::size_t>(p - 1 + i)] =
            gbk::cut(names[static_cast<std::size_t>(i)], kNameBytes);
    }
    m_count += n;
    refresh();
    return true;
}

bool TeachernameEdit::save() {
    std::vector<store::TeachernameRow> rows;
    for (int p = 1; p <= m_count; ++p) {
        const std::string& name = m_roster[static_cast<std::size_t>(p - 1)];
        if (!gbk::isBlank(name)) {
            rows.push_back({name});
        }
    }
    // The save runs in one transaction: on failure the table is unchanged and the driver's
    // text is shown.
    if (!ui::reported(m_messenger, [&] { store::CTNRecord().replaceAll(rows); })) {
        return false;
    }
    m_overflowed = false;
    return true;
}

void TeachernameEdit::refresh() {
    for (std::string& name : m_roster) {
        name = gbk::cut(name, kNameBytes);
    }
}

} // namespace masterdata
