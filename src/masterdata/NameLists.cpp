#include "masterdata/NameLists.h"

#include "core/Gbk.h"
#include "store/CCNRecord.h"
#include "store/CTNRecord.h"

namespace masterdata {
namespace {

template <class RecordSetType> std::vector<std::string> readNames(std::size_t capacity) {
    RecordSetType records;
    std::vector<std::string> names;
    for (const auto& row : records.readAll()) {
        if (names.size() == capacity || gbk::isBlank(row.name)) {
            break;
        }
        names.push_back(row.name);
    }
    records.close();
    return names;
}

} // namespace

std::vector<std::string> readCourseNames(std::size_t capacity) {
    return readNames<store::CCNRecord>(capacity);
}

std::vector<std::string> readTeacherNames(std::size_t capacity) {
    return readNames<store::CTNRecord>(capacity);
}

} // namespace masterdata
