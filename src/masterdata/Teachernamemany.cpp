#include "masterdata/Teachernamemany.h"

#include "core/Gbk.h"

namespace masterdata {

std::vector<std::string> Teachernamemany::batch() const {
    std::vector<std::string> names;
    for (const std::string& text : m_texts) {
        // A leading space marks a box the user meant to leave out.
        if (gbk::isBlank(text) || text.front() == ' ') {
            continue;
        }
        names.push_back(gbk::cut(text, kBoxBytes));
    }
    return names;
}

} // namespace masterdata
