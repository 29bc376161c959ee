#include "arrange/AutoOrderStore.h"

#include "store/CCCRecord.h"
#include "store/CCPRecord.h"
#include "store/CCSRecord.h"
#include "store/CLPRecord.h"
#include "store/CSLRecord.h"

namespace arrange {

AutoOrderData loadAutoOrderData() {
    AutoOrderData data;
    for (store::CourseshareRow& row : store::CCSRecord().readAll()) {
        data.addCourseshare(std::move(row.course), row.share);
    }
    for (store::ClasscourseRow& row : store::CCCRecord().readAll()) {
        data.addClasscourse(row.className, std::move(row.course), std::move(row.teacher),
                            row.weekly);
    }
    data.cleanUp();
    for (store::LessonprearrangeRow& row : store::CLPRecord().readAll()) {
        data.addPreset(std::move(row.teacher), std::move(row.prearrange));
    }
    for (store::CoursepropertyRow& row : store::CCPRecord().readAll()) {
        data.addCourseproperty(row.grade, std::move(row.course), row.property);
    }
    for (store::SamelessonRow& row : store::CSLRecord().readAll()) {
        data.addSamelesson(std::move(row.grade), row.day, row.period, std::move(row.course));
    }
    return data;
}

} // namespace arrange
