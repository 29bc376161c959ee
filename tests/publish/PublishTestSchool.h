// Test support: a small arranged school in the test database (初一⑴ and 初一⑵, three
// teachers), for the publishing job's tests and the dialog's.
#pragma once

#include "core/SchoolTimetable.h"
#include "store/CCCRecord.h"
#include "store/CTNRecord.h"
#include "timetable/SchoolTimetableStore.h"

#include <vector>

namespace publishtest {

inline void storeSmallSchool() {
    store::CCCRecord().replaceAll(std::vector<store::ClasscourseRow>{{"初一⑴", "语文", "张伟", 5},
                                                                     {"初一⑴", "数学", "李娜", 5},
                                                                     {"初一⑵", "数学", "李娜", 5},
                                                                     {"初一⑵", "英语", "王芳", 5}});
    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{{"张伟"}, {"李娜"}, {"王芳"}});
    school::SchoolTimetable t;
    for (int d = 0; d < 5; ++d) {
        t.cell(0, 0, d, 0) = "初一⑴";
        t.cell(0, 1, d, 0) = "初一⑵";
        t.cell(0, 0, d, 1) = "张伟";
        t.cell(0, 0, d, 2) = "李娜";
        t.cell(0, 1, d, 1) = "王芳";
        t.cell(0, 1, d, 3) = "李娜";
    }
    timetable::saveSchoolTimetable(t);
}

} // namespace publishtest
