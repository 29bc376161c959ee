// The school settings' dialog logic: the settings as read (defaults for an older database
// without the table), every refusal with its message and its field (nothing taken, nothing
// written), values kept in their written form, the first save creating the table, a failed
// save telling the driver's text, and the question before unsaved changes are dropped.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "masterdata/SchoolSettingsEdit.h"
#include "store/SchoolSettingsStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using masterdata::SchoolSettingsEdit;
using Kind = testsupport::RecordingMessenger::Entry::Kind;

school::SchoolSettings typical() {
    school::SchoolSettings s;
    s.schoolName = "育才中学";
    s.weekOneMonday = "2024-09-02";
    s.periods[0] = {"08:00", "08:45", false};
    s.periods[1] = {"08:55", "09:40", false};
    s.periods[4] = {"14:30", "15:15", true};
    return s;
}

class SchoolSettingsEditTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
};

TEST_F(SchoolSettingsEditTest, ARefusedFieldIsToldAndNamedAndNothingIsTaken) {
    using Edit = std::function<void(school::SchoolSettings&)>;
    const struct {
        Edit edit;
        int field;
        std::string message;
    } cases[] = {
        {[](auto& s) { s.schoolName = std::string(33, 'x') + "中学学校"; }, // 41 bytes
         SchoolSettingsEdit::kNameField, "学校名称最多 40 个字节（20 个汉字）。"},
        {[](auto& s) { s.schoolName = "育才😀中学"; }, SchoolSettingsEdit::kNameField,
         "学校名称中有不能保存的字符：😀"},
        {[](auto& s) { s.weekOneMonday = "2024-13-01"; }, SchoolSettingsEdit::kDateField,
         "第一周星期一请按“年-月-日”填写日期，例如 2024-09-02。"},
        {[](auto& s) { s.weekOneMonday = "2024-09-03"; }, SchoolSettingsEdit::kDateField,
         "第一周的第一天必须是星期一。"},
        {[](auto& s) { s.periods[2].start = "25:00"; }, SchoolSettingsEdit::startField(2),
         "第三节开始时间请按“时:分”填写，例如 08:00。"},
        {[](auto& s) { s.periods[6].end = "8点"; }, SchoolSettingsEdit::endField(6),
         "第七节结束时间请按“时:分”填写，例如 08:00。"},
        {[](auto& s) { s.periods[1].end = "08:55"; }, SchoolSettingsEdit::endField(1),
         "第二节的结束时间必须晚于开始时间。"},
        {[](auto& s) { s.periods[1].start = "08:40"; }, SchoolSettingsEdit::startField(1),
         "第二节不能在第一节结束之前开始。"},
        // Blank periods in between are passed over; a period with only an end is compared too.
        {[](auto& s) {
             s.periods[4] = {"", "09:00", true};
         },
         SchoolSettingsEdit::endField(4), "第五节不能在第二节结束之前开始。"},
    };
    for (const auto& c : cases) {
        m_messenger.clear();
        SchoolSettingsEdit logic(m_messenger);
        school::SchoolSettings shown = typical();
        c.edit(shown);
        EXPECT_EQ(logic.take(shown), c.field) << c.message;
        ASSERT_EQ(m_messenger.entries().size(), 1u) << c.message;
        EXPECT_EQ(m_messenger.entries()[0].kind, Kind::Error);
        EXPECT_EQ(m_messenger.entries()[0].text, c.message);
        EXPECT_EQ(logic.settings(), school::SchoolSettings()) << c.message;
    }
    EXPECT_EQ(store::readSchoolSettings(), school::SchoolSettings());
}

TEST_F(SchoolSettingsEditTest, AnOlderDatabaseShowsDefaultsAndTheFirstSaveCreatesTheTable) {
    m_db.execute("DROP TABLE setting");
    SchoolSettingsEdit logic(m_messenger);
    EXPECT_EQ(logic.settings(), school::SchoolSettings());
    EXPECT_TRUE(logic.settings().periods[4].afternoon);
    EXPECT_FALSE(logic.modified(logic.settings()));

    school::SchoolSettings shown = typical();
    shown.schoolName = "  育才中学 ";
    shown.weekOneMonday = "2024-9-2";
    shown.periods[0].start = "8:00";
    ASSERT_EQ(logic.take(shown), std::nullopt);
    EXPECT_EQ(logic.settings(), typical()); // in the written form
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(store::readSchoolSettings(), typical());
    EXPECT_TRUE(m_messenger.entries().empty());
    EXPECT_FALSE(logic.modified(shown)); // the same values, written otherwise

    // Everything blank is allowed and saved as such.
    school::SchoolSettings blank;
    ASSERT_EQ(logic.take(blank), std::nullopt);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(SchoolSettingsEdit(m_messenger).settings(), blank);
}

TEST_F(SchoolSettingsEditTest, AFailedSaveTellsTheDriversTextAndKeepsTheChangesUnsaved) {
    store::saveSchoolSettings(typical());
    SchoolSettingsEdit logic(m_messenger);
    EXPECT_EQ(logic.settings(), typical());
    m_db.execute("CREATE TRIGGER refuse BEFORE INSERT ON setting "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    school::SchoolSettings shown = typical();
    shown.schoolName = "实验中学";
    ASSERT_EQ(logic.take(shown), std::nullopt);
    EXPECT_FALSE(logic.save());
    ASSERT_EQ(m_messenger.entries().size(), 1u);
    EXPECT_NE(m_messenger.entries()[0].text.find("refused"), std::string::npos);
    EXPECT_EQ(store::readSchoolSettings(), typical());
    EXPECT_TRUE(logic.modified(shown));
}

TEST_F(SchoolSettingsEditTest, ClosingAsksOnlyWhenSomethingIsUnsaved) {
    SchoolSettingsEdit logic(m_messenger);
    EXPECT_TRUE(logic.mayClose(logic.settings()));
    EXPECT_TRUE(m_messenger.entries().empty());

    school::SchoolSettings shown = logic.settings();
    shown.periods[3].afternoon = true;
    m_messenger.scriptAnswers({false, true});
    EXPECT_FALSE(logic.mayClose(shown));
    EXPECT_TRUE(logic.mayClose(shown));
    ASSERT_EQ(m_messenger.entries().size(), 2u);
    EXPECT_EQ(m_messenger.entries()[0].text, "学校信息已修改，放弃未存盘的修改吗？");

    // A value that would be refused counts as a change as well.
    shown = logic.settings();
    shown.periods[0].start = "99";
    EXPECT_TRUE(logic.modified(shown));
}

} // namespace
