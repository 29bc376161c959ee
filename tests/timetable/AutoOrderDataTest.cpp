// Loading of the engine's lists at construction: resources, class course lists and their
// clean-up, presets and examination courses.
#include "timetable/AutoOrderData.h"

#include <gtest/gtest.h>

using timetable::AutoOrderData;

TEST(AutoOrderData, ClassRowsFillEntriesInOrderAndIgnoreUnknownClassesAndOverflow) {
    AutoOrderData data;
    data.addClasscourse("初二⑶", "语文", "王伟", 6);
    data.addClasscourse("初二(3)", "数学", "李强", 5); // not the naming scheme
    data.addClasscourse("初二⑶", "数学", "李强", 5);
    for (int i = 0; i < 20; ++i) {
        data.addClasscourse("高三⒇", "体育", "张" + std::to_string(i) + "老师", 1);
    }
    data.cleanUp();
    const auto& list = data.classList(1, 2);
    EXPECT_EQ(list.className, "初二⑶");
    EXPECT_EQ(list.entries[0], (timetable::CourseEntry{"语文", "王伟", 6}));
    EXPECT_EQ(list.entries[1], (timetable::CourseEntry{"数学", "李强", 5}));
    EXPECT_TRUE(list.entries[2].course.empty());
    const auto& last = data.classList(5, 19);
    EXPECT_EQ(last.entries[19].teacher, "张19老师"); // 20 rows taken, a 21st would be lost
}

TEST(AutoOrderData, RowWithEmptyCourseIsOverwrittenByTheNextRowOfItsClass) {
    AutoOrderData data;
    data.addClasscourse("初一⑴", "", "王伟", 3);
    data.addClasscourse("初一⑴", "语文", "李强", 6);
    data.cleanUp();
    EXPECT_EQ(data.classList(0, 0).entries[0], (timetable::CourseEntry{"语文", "李强", 6}));
}

TEST(AutoOrderData, CleanUpDropsNameOfClassWithoutFirstCourseAndTeacherOfZeroCounts) {
    AutoOrderData data;
    data.addClasscourse("初一⑴", "语文", "王伟", 0);
    data.addClasscourse("初一⑴", "数学", "李强", -1);
    data.cleanUp();
    EXPECT_EQ(data.classList(0, 0).className, "初一⑴");
    EXPECT_TRUE(data.classList(0, 0).entries[0].teacher.empty());
    EXPECT_EQ(data.classList(0, 0).entries[1].teacher, "李强"); // only exactly 0 loses it
    EXPECT_TRUE(data.classList(0, 1).className.empty());        // no rows at all
}

TEST(AutoOrderData, ResourcesKeepLimitsOneToTwentyNineAndAtMostTwentyRows) {
    AutoOrderData data;
    const int shares[] = {0, 1, 29, 30, -3};
    for (int share : shares) {
        data.addCourseshare("体育", share);
    }
    ASSERT_EQ(data.resources.size(), 5u);
    EXPECT_EQ(data.resources[0].limit, 0);
    EXPECT_EQ(data.resources[1].limit, 1);
    EXPECT_EQ(data.resources[2].limit, 29);
    EXPECT_EQ(data.resources[3].limit, 0);
    EXPECT_EQ(data.resources[4].limit, 0);
    for (int i = 0; i < 30; ++i) {
        data.addCourseshare("音乐", 2);
    }
    EXPECT_EQ(data.resources.size(), 20u);
}

TEST(AutoOrderData, PresetsStopAtTwoHundredAndExamCoursesTakeOnlyPropertyOne) {
    AutoOrderData data;
    for (int i = 0; i < 205; ++i) {
        data.addPreset("王伟", std::string(35, '0'));
    }
    EXPECT_EQ(data.presets.size(), 200u);
    data.addCourseproperty("初三", "语文", 1);
    data.addCourseproperty("初三", "体育", 0);
    data.addCourseproperty("初三", "音乐", 3);
    data.addCourseproperty("初九", "数学", 1);
    EXPECT_EQ(data.examCourses[2][0], "语文");
    EXPECT_TRUE(data.examCourses[2][1].empty());
}

TEST(AutoOrderData, TeacherTextNamesATeacherFromFourBytesAndNotAsSpaces) {
    EXPECT_TRUE(timetable::namesTeacher("王伟"));
    EXPECT_TRUE(timetable::namesTeacher("欧阳小明"));
    EXPECT_FALSE(timetable::namesTeacher("王"));
    EXPECT_FALSE(timetable::namesTeacher(""));
    EXPECT_FALSE(timetable::namesTeacher("        ")); // a removed teacher
}
