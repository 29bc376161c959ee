// The review timetable in table reviewlesson, and the review arrangement's lists from
// gradecourse and classcourse, read and written through the record sets.
//
// Loading one grade: every row whose number / 10000 is the grade's number gives class
// (number mod 10000) / 100 and period number mod 10 (rows outside classes 1..20 and periods
// 1..7 are passed over); the row's class name goes into slot 0 of all ten days unless the
// class already has one; one … ten go into that period of days 1..10.
//
// Saving one grade: seven rows (periods 1..7) for every class from the first while its name
// is present, numbered g·10000 + c·100 + p, replace every row of the grade (number / 10000 = g), in
// one transaction; every other grade's rows stay as they are. A
// failure leaves the table as it was and throws store::DbError.
#pragma once

#include "core/SchoolTimetable.h"
#include "timetable/ReviewOrder.h"

#include <string>
#include <vector>

namespace timetable {

ReviewData loadReviewData(int grade);

school::ReviewTimetable loadReviewTimetable(int grade);
// The same, naming in ignored each of the grade's rows passed over (values that cannot be
// read, a class or period out of range).
school::ReviewTimetable loadReviewTimetable(int grade, std::vector<std::string>& ignored);
void saveReviewTimetable(const school::ReviewTimetable& timetable, int grade);

// Review days shown after loading: the leading days whose period-1 cell of the first class
// is filled.
int loadedReviewDays(const school::ReviewTimetable& timetable, int grade);

} // namespace timetable
