// The school settings in table setting, on both engines: a round trip through the documented
// rows, an older database without the table (defaults, no error; the first save creates it),
// values that cannot be read standing as missing, rows of other names kept by a save, a failed
// save leaving the table as it was, and the time and date readings themselves.
#include "EngineDatabase.h"
#include "PostgresServer.h"
#include "TempDatabase.h"

#include "store/CSTRecord.h"
#include "store/ConnectTarget.h"
#include "store/DatabaseFile.h"
#include "store/DbError.h"
#include "store/Odbc.h"
#include "store/Schema.h"
#include "store/SchoolSettingsStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using store::odbc::Engine;
using Rows = std::vector<store::SettingRow>;

school::SchoolSettings sample() {
    school::SchoolSettings s;
    s.schoolName = "育才中学";
    s.weekOneMonday = "2024-09-02";
    s.periods[0] = {"08:00", "08:45", false};
    s.periods[3] = {"10:55", "11:40", true}; // a morning period may be marked afternoon
    s.periods[6] = {"", "17:05", true};      // a start left blank
    return s;
}

Rows stored() {
    store::CSTRecord record;
    return record.readAll();
}

class SchoolSettingsStoreTest : public testsupport::EngineDatabase {
protected:
    bool tableExists() const {
        store::odbc::Connection db;
        db.connect(m_connection);
        return store::schema::exists(db, store::schema::setting);
    }
};

TEST_P(SchoolSettingsStoreTest, RoundTripThroughTheNamedRows) {
    ASSERT_TRUE(tableExists()); // a new database holds it
    EXPECT_EQ(store::readSchoolSettings(), school::SchoolSettings());
    store::saveSchoolSettings(sample());
    EXPECT_EQ(store::readSchoolSettings(), sample());

    const Rows rows = stored();
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], (store::SettingRow{"学校名称", "育才中学"}));
    EXPECT_EQ(rows[1], (store::SettingRow{"第一周星期一", "2024-09-02"}));
    EXPECT_EQ(rows[2], (store::SettingRow{"第1节开始", "08:00"}));
    EXPECT_EQ(rows[3], (store::SettingRow{"第1节结束", "08:45"}));
    // Blank times have no row; every period says its half of the day.
    int halves = 0;
    for (const store::SettingRow& row : rows) {
        EXPECT_NE(row.name, "第2节开始");
        EXPECT_NE(row.name, "第7节开始");
        halves += row.name.ends_with("节时段") ? 1 : 0;
    }
    EXPECT_EQ(halves, 7);

    // A second save replaces the rows instead of adding to them.
    school::SchoolSettings fewer;
    fewer.schoolName = "实验中学";
    store::saveSchoolSettings(fewer);
    EXPECT_EQ(store::readSchoolSettings(), fewer);
    EXPECT_EQ(stored().size(), 8u);
}

TEST_P(SchoolSettingsStoreTest, AnOlderDatabaseReadsDefaultsAndTheFirstSaveCreatesTheTable) {
    execute("DROP TABLE setting");
    ASSERT_FALSE(tableExists());
    EXPECT_EQ(store::readSchoolSettings(), school::SchoolSettings());
    EXPECT_FALSE(tableExists()); // reading never creates it
    store::saveSchoolSettings(sample());
    EXPECT_TRUE(tableExists());
    EXPECT_EQ(store::readSchoolSettings(), sample());
}

TEST_P(SchoolSettingsStoreTest, UnreadableValuesReadAsMissing) {
    const struct {
        const char* name;
        const char* value;
    } bad[] = {
        {"第一周星期一", "2024-13-01"}, {"第一周星期一", "2024-09-03"}, // not a Monday
        {"第一周星期一", "九月二日"},   {"第1节开始", "8点"},           {"第2节开始", "24:00"},
        {"第3节结束", "10:5"},          {"第4节结束", "10:60"},         {"第5节时段", "晚上"},
        {"学校名称", "育才😀中学"},      {"第8节开始", "18:00"}, // no such period
    };
    Rows rows;
    for (const auto& row : bad) {
        rows.push_back({row.name, row.value});
    }
    store::CSTRecord().append(rows);
    EXPECT_EQ(store::readSchoolSettings(), school::SchoolSettings());

    // Readable forms are normalised; the later of two rows wins; a long name is cut.
    store::CSTRecord().append(Rows{{"第1节开始", " 8:05 "},
                                   {"第一周星期一", "2024-9-2"},
                                   {"第一周星期一", "2024-09-09"},
                                   {"第6节时段", "上午"},
                                   {"学校名称", std::string(45, 'x')}});
    const school::SchoolSettings read = store::readSchoolSettings();
    EXPECT_EQ(read.periods[0].start, "08:05");
    EXPECT_EQ(read.weekOneMonday, "2024-09-09");
    EXPECT_FALSE(read.periods[5].afternoon);
    EXPECT_EQ(read.schoolName, std::string(40, 'x'));
}

TEST_P(SchoolSettingsStoreTest, ASaveKeepsRowsOfOtherNamesAndAFailedSaveChangesNothing) {
    store::CSTRecord().append(Rows{{"校训", "求是"}, {"学校名称", "旧名"}});
    store::saveSchoolSettings(sample());
    Rows rows = stored();
    EXPECT_EQ(rows.front(), (store::SettingRow{"校训", "求是"}));
    EXPECT_EQ(store::readSchoolSettings(), sample());

    if (GetParam() == Engine::PostgreSQL) {
        execute("ALTER TABLE setting ADD CONSTRAINT refuse CHECK (\"值\" <> '坏中学')");
    } else {
        execute("CREATE TRIGGER refuse BEFORE INSERT ON setting WHEN NEW.值 = '坏中学' "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    school::SchoolSettings refused = sample();
    refused.schoolName = "坏中学";
    EXPECT_THROW(store::saveSchoolSettings(refused), store::DbError);
    EXPECT_EQ(stored(), rows);
}

std::string engineLabel(const ::testing::TestParamInfo<Engine>& param) {
    return param.param == Engine::PostgreSQL ? "PostgreSQL" : "SQLite";
}

INSTANTIATE_TEST_SUITE_P(Engines, SchoolSettingsStoreTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engineLabel);

TEST(SchoolSettingsValues, TimesAndDatesAreReadInTheirWrittenForms) {
    const struct {
        const char* text;
        std::optional<std::string> time;
        std::optional<std::string> date;
    } cases[] = {
        {"08:00", "08:00", std::nullopt},
        {"8:00", "08:00", std::nullopt},
        {" 23:59 ", "23:59", std::nullopt},
        {"0:00", "00:00", std::nullopt},
        {"24:00", std::nullopt, std::nullopt},
        {"08:7", std::nullopt, std::nullopt},
        {"008:00", std::nullopt, std::nullopt},
        {"08：00", std::nullopt, std::nullopt}, // a full-width colon
        {"", std::nullopt, std::nullopt},
        {"2024-09-02", std::nullopt, "2024-09-02"},
        {"2024-9-2", std::nullopt, "2024-09-02"},
        {"2024-02-29", std::nullopt, "2024-02-29"},
        {"2023-02-29", std::nullopt, std::nullopt},
        {"2024-13-01", std::nullopt, std::nullopt},
        {"24-09-02", std::nullopt, std::nullopt},
        {"2024-09-02 08:00:00", std::nullopt, std::nullopt},
        {"2024/09/02", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store::clockTime(c.text), c.time) << c.text;
        EXPECT_EQ(store::calendarDate(c.text), c.date) << c.text;
    }
}

} // namespace
