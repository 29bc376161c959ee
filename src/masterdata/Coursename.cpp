#include "masterdata/Coursename.h"

#include "core/Gbk.h"
#include "core/Reported.h"
#include "store/CCNRecord.h"

#include <vector>

namespace masterdata {

Coursename::Coursename(ui::Messenger& messenger) : m_messenger(messenger) {
    store::CCNRecord record;
    const std::vector<store::CoursenameRow> rows = record.readAll();
    record.close();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (k >= m_names.size()) {
            // Only a name is lost by a save; a blank row would be dropped anyway.
            m_overflowed = m_overflowed || !gbk::isBlank(rows[k].name);
            continue;
        }
        m_names[k] = rows[k].name;
        if (gbk::width(m_names[k]) > kBoxBytes) {
            m_overflowed = true;
        }
    }
}

void Coursename::reportOverflow() {
    if (m_overflowed) {
        m_messenger.info(kOverflowMessage);
    }
}

bool Coursename::save() {
    Names closed{};
    std::size_t used = 0;
    for (const std::string& name : m_names) {
        if (!gbk::isBlank(name)) {
            closed[used++] = name;
        }
    }
    m_names = closed;

    std::vector<store::CoursenameRow> rows;
    for (std::size_t k = 0; k < used; ++k) {
        rows.push_back({m_names[k]});
    }
    // The save runs in one transaction: on failure the table is unchanged and the driver's
    // text is shown.
    if (!ui::reported(m_messenger, [&] { store::CCNRecord().replaceAll(rows); })) {
        return false;
    }
    m_overflowed = false;
    return true;
}

} // namespace masterdata
