// The calendars read back with python3-icalendar and expanded with dateutil's rrule
// (read_calendars.py): events per lesson and week, their times, UIDs that stay across runs,
// the all-day fallback and the assumed week 1 when settings are missing.
#include "publish/CalendarOutput.h"
#include "WebTestSupport.h"
#include "publish/OutputTarget.h"

#include <QDate>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using publish::Page;
using publish::PageKind;
using webtest::lesson;
using webtest::text;

namespace {

school::SchoolSettings fullSettings() {
    school::SchoolSettings settings;
    settings.schoolName = "实验中学";
    settings.weekOneMonday = "2024-09-02";
    const char* times[7][2] = {{"08:00", "08:45"}, {"08:55", "09:40"}, {"10:00", "10:45"},
                               {"10:55", "11:40"}, {"14:00", "14:45"}, {"14:55", "15:40"},
                               {"16:00", "16:45"}};
    for (std::size_t p = 0; p < 7; ++p)
        settings.periods[p] = {times[p][0], times[p][1], p >= 4};
    return settings;
}

std::vector<Page> samplePages() {
    Page overview;
    overview.kind = PageKind::Overview;
    overview.name = overview.grade = "初一";
    return {webtest::weekPage(
                PageKind::Class, "初一⑴", "初一",
                {lesson(0, 1, "语文", "初一⑴", "张三"), lesson(2, 3, "数学", "初一⑴", "李四"),
                 lesson(2, 4, "数学", "初一⑴", "李四"), lesson(4, 7, "班会", "初一⑴", "")}),
            overview,
            webtest::weekPage(PageKind::Teacher, "李四", "初一",
                              {lesson(2, 3, "数学", "初一⑴", "李四"),
                               lesson(2, 4, "数学", "初一⑴", "李四"),
                               lesson(3, 2, "数学", "初一⑵", "李四")})};
}

class CalendarOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_python = webtest::pythonWith("icalendar, dateutil.rrule");
        if (m_python.empty())
            GTEST_SKIP() << "python3-icalendar (and dateutil) missing";
    }
    QJsonObject publish(const school::SchoolSettings& settings, int weeks,
                        std::vector<std::string>* warnings = nullptr) {
        const fs::path target = fs::path(m_dir.path().toStdString()) / "ics";
        auto said = publish::writeCalendars(m_pages, settings, weeks, target, true);
        if (warnings)
            *warnings = said;
        return webtest::readBack(m_python, "read_calendars.py", target.string());
    }
    static QJsonObject event(const QJsonObject& calendars, const char* file, int i) {
        return calendars.value(QString::fromUtf8(file))
            .toObject()
            .value(QStringLiteral("events"))
            .toArray()
            .at(i)
            .toObject();
    }
    QTemporaryDir m_dir;
    std::string m_python;
    std::vector<Page> m_pages = samplePages();
};

TEST_F(CalendarOutputTest, EachLessonRecursWeeklyAtItsPeriodsTimes) {
    std::vector<std::string> warnings;
    const QJsonObject read = publish(fullSettings(), 18, &warnings);
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(read.keys(), (QStringList{QStringLiteral("class-1-01.ics"),
                                        QStringLiteral("teacher-e69d8ee59b9b.ics")}));
    struct Expected {
        const char* file;
        int event;
        const char *summary, *description, *start, *end, *last;
    };
    const Expected table[] = {
        {"class-1-01.ics", 0, "语文 初一⑴", "教师：张三", "2024-09-02T08:00:00",
         "2024-09-02T08:45:00", "2024-12-30T08:00:00"},
        {"class-1-01.ics", 1, "数学 初一⑴", "教师：李四", "2024-09-04T10:00:00",
         "2024-09-04T10:45:00", "2025-01-01T10:00:00"},
        {"class-1-01.ics", 2, "数学 初一⑴", "教师：李四", "2024-09-04T10:55:00",
         "2024-09-04T11:40:00", "2025-01-01T10:55:00"},
        {"class-1-01.ics", 3, "班会 初一⑴", "", "2024-09-06T16:00:00", "2024-09-06T16:45:00",
         "2025-01-03T16:00:00"},
        {"teacher-e69d8ee59b9b.ics", 2, "数学 初一⑵", "教师：李四", "2024-09-05T08:55:00",
         "2024-09-05T09:40:00", "2025-01-02T08:55:00"},
    };
    int events = 0;
    for (const QString& file : read.keys())
        for (const QJsonValue& e :
             read.value(file).toObject().value(QStringLiteral("events")).toArray())
            events += e.toObject().value(QStringLiteral("occurrences")).toInt();
    EXPECT_EQ(events, (4 + 3) * 18);
    for (const Expected& row : table) {
        SCOPED_TRACE(std::string(row.file) + " " + std::to_string(row.event));
        const QJsonObject e = event(read, row.file, row.event);
        EXPECT_EQ(text(e.value(QStringLiteral("summary"))), row.summary);
        EXPECT_EQ(text(e.value(QStringLiteral("description"))), row.description);
        EXPECT_EQ(text(e.value(QStringLiteral("start"))), row.start);
        EXPECT_EQ(text(e.value(QStringLiteral("end"))), row.end);
        EXPECT_EQ(text(e.value(QStringLiteral("last"))), row.last);
        EXPECT_EQ(text(e.value(QStringLiteral("tzid"))), "Asia/Shanghai");
        EXPECT_EQ(e.value(QStringLiteral("occurrences")).toInt(), 18);
        EXPECT_FALSE(e.value(QStringLiteral("allDay")).toBool());
    }
    const QJsonObject calendar = read.value(QStringLiteral("class-1-01.ics")).toObject();
    EXPECT_EQ(text(calendar.value(QStringLiteral("calname"))), "实验中学 初一⑴班课程表");
    EXPECT_EQ(calendar.value(QStringLiteral("zones")).toArray(),
              (QJsonArray{QJsonObject{{QStringLiteral("tzid"), QStringLiteral("Asia/Shanghai")},
                                      {QStringLiteral("offset"), 8 * 3600}}}));
}

TEST_F(CalendarOutputTest, UidsStayTheSameOnASecondRunAndDifferBetweenEvents) {
    auto uids = [this] {
        std::vector<std::string> all;
        const QJsonObject read = publish(fullSettings(), 2);
        for (const QString& file : read.keys())
            for (const QJsonValue& e :
                 read.value(file).toObject().value(QStringLiteral("events")).toArray())
                all.push_back(text(e.toObject().value(QStringLiteral("uid"))));
        return all;
    };
    const std::vector<std::string> first = uids();
    ASSERT_EQ(first.size(), 7u);
    EXPECT_EQ(first, uids());
    EXPECT_EQ(first[1],
              "tavlen-c-" + std::string("e5889de4b880e291b4") + "-d3-p3@e5ae9ee9aa8ce4b8ade5ada6");
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), first.size());

    school::SchoolSettings nameless = fullSettings();
    nameless.schoolName.clear();
    const QJsonObject read = publish(nameless, 2);
    EXPECT_EQ(text(event(read, "teacher-e69d8ee59b9b.ics", 0).value(QStringLiteral("uid"))),
              "tavlen-t-e69d8ee59b9b-d3-p3@tavlen");
}

TEST_F(CalendarOutputTest, MissingSettingsAreAssumedAndSaid) {
    school::SchoolSettings settings = fullSettings();
    settings.weekOneMonday.clear();
    settings.periods[2] = {"10:00", "", false};     // no end
    settings.periods[6] = {"17:00", "16:45", true}; // ends before it starts
    std::vector<std::string> warnings;
    const QJsonObject read = publish(settings, 3, &warnings);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("没有设置第一周的星期一"), std::string::npos);
    EXPECT_EQ(warnings[1], "第三节、第七节没有上下课时间，这些课排为全天事件");

    const QDate today = QDateTime::currentDateTimeUtc().addSecs(8 * 3600).date();
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    const QJsonObject first = event(read, "class-1-01.ics", 0);
    EXPECT_EQ(text(first.value(QStringLiteral("start"))),
              monday.toString(Qt::ISODate).toStdString() + "T08:00:00");
    const QJsonObject untimed = event(read, "class-1-01.ics", 1);
    EXPECT_TRUE(untimed.value(QStringLiteral("allDay")).toBool());
    EXPECT_EQ(text(untimed.value(QStringLiteral("summary"))), "第三节 数学 初一⑴");
    EXPECT_EQ(text(untimed.value(QStringLiteral("start"))),
              monday.addDays(2).toString(Qt::ISODate).toStdString());
    EXPECT_EQ(text(untimed.value(QStringLiteral("end"))),
              monday.addDays(3).toString(Qt::ISODate).toStdString());
    EXPECT_EQ(untimed.value(QStringLiteral("occurrences")).toInt(), 3);
    EXPECT_EQ(text(event(read, "class-1-01.ics", 3).value(QStringLiteral("summary"))),
              "第七节 班会 初一⑴");

    struct Dated {
        const char* setting;
        const char* start;
        const char* warning;
    };
    for (const Dated& row : {Dated{"2024-09-04", "2024-09-02T08:00:00", "不是星期一"},
                             Dated{"九月二日", nullptr, "不是日期"}}) {
        SCOPED_TRACE(row.setting);
        settings.weekOneMonday = row.setting;
        const QJsonObject again = publish(settings, 1, &warnings);
        ASSERT_FALSE(warnings.empty());
        EXPECT_NE(warnings[0].find(row.warning), std::string::npos) << warnings[0];
        if (row.start) {
            EXPECT_EQ(text(event(again, "class-1-01.ics", 0).value(QStringLiteral("start"))),
                      row.start);
        }
    }
}

TEST_F(CalendarOutputTest, WeeksOutsideTheTermAreRefusedBeforeWriting) {
    const fs::path target = fs::path(m_dir.path().toStdString()) / "ics";
    for (const int weeks : {0, -1, 31}) {
        SCOPED_TRACE(weeks);
        try {
            publish::writeCalendars(m_pages, fullSettings(), weeks, target, false);
            ADD_FAILURE() << "no refusal";
        } catch (const publish::PublishError& e) {
            EXPECT_NE(std::string(e.what()).find("周数应在 1 到 30 之间"), std::string::npos);
        }
        EXPECT_TRUE(fs::is_empty(fs::path(m_dir.path().toStdString())));
    }
    const QJsonObject read = publish(fullSettings(), 30);
    EXPECT_EQ(event(read, "class-1-01.ics", 0).value(QStringLiteral("occurrences")).toInt(), 30);
}

} // namespace
