#include "publish/SchoolSource.h"

#include "store/CTNRecord.h"
#include "store/NameList.h"
#include "store/SchoolSettingsStore.h"
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"
#include "timetable/TimetableRules.h"

namespace publish {

SchoolSource loadSchoolSource() {
    SchoolSource source;
    source.data = timetable::loadAutoOrderData();
    source.teachers = timetable::inTeacherNames(source.data, timetable::loadSchoolTimetable());
    source.roster = store::readNameList<store::CTNRecord>(store::kRosterCapacity);
    source.settings = store::readSchoolSettings();
    return source;
}

} // namespace publish
