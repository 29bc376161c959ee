// 代课安排 on the demo school, arranged and saved: a three-day 事假 of a teacher with 14 lessons a
// week planned and applied through the dialog; the records then stand in 出勤情况预览 and are
// counted by 出勤情况周统计. With TAVLEN_SHOT_DIR set the three dialogs are saved there as
// pictures and the notice as notice.pdf.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "attendance/AttendancecountDialog.h"
#include "attendance/AttendancesquireDialog.h"
#include "cli/Command.h"
#include "cli/DemoSchool.h"
#include "core/Gbk.h"
#include "cover/CoverNotice.h"
#include "cover/CoverPlanningDialog.h"
#include "store/CTNRecord.h"
#include "timetable/SchoolTimetableStore.h"
#include "timetable/TimetableRules.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using dialogtest::messageFrom;
using widgets::toQString;
using widgets::toStdString;

void shoot(QWidget& widget, const char* name) {
    if (const QByteArray dir = qgetenv("TAVLEN_SHOT_DIR"); !dir.isEmpty()) {
        QApplication::processEvents();
        widget.grab().save(QString::fromUtf8(dir) + u'/' + QString::fromUtf8(name));
    }
}

class CoverDemoSchoolDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::current_path(m_db.workingDir());
        cli::storeDemoSchool(cli::makeDemoSchool());
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(cli::dispatch({"tavlen-cli", "arrange", "all", "--save"}, out, err), 0)
            << err.str();
        const school::SchoolTimetable timetable = timetable::loadTeacherTimetable();
        for (const store::TeachernameRow& row : store::CTNRecord().readAll()) {
            int week = 0;
            for (int d = 0; d < school::kDays; ++d) {
                week += timetable::lessonsOnDay(timetable, d, row.name);
            }
            if (week == 14) {
                m_teacher = row.name;
                break;
            }
        }
        ASSERT_FALSE(m_teacher.empty());
    }
    void TearDown() override { fs::current_path(m_previous); }

    fs::path m_previous = fs::current_path();
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
    std::string m_teacher;
};

TEST_F(CoverDemoSchoolDialogTest, AppliedCoversStandInThePreviewAndTheWeeklyCount) {
    int lessons = 0;
    dialogtest::openFromMenu<cover::CoverPlanningDialog>(
        m_window, "代课安排", [&](cover::CoverPlanningDialog& d) {
            d.teacherBox()->setCurrentText(toQString(m_teacher));
            d.fromBox()->setText(QStringLiteral("2024-09-11"));
            d.toBox()->setText(QStringLiteral("2024-09-13"));
            d.button(QStringLiteral("制定"))->click();
            lessons = d.list()->rowCount();
            EXPECT_GE(lessons, 6);
            for (int r = 0; r < lessons; ++r) {
                EXPECT_NE(toStdString(d.list()->item(r, 5)->text()), m_teacher);
            }
            d.resize(QSize(1280, 620));
            shoot(d, "cover-dialog-demo.png");
            EXPECT_EQ(messageFrom([&] { d.button(QStringLiteral("应用"))->click(); }),
                      "已写入 " + std::to_string(lessons) + " 条出勤记录。");
            if (const QByteArray dir = qgetenv("TAVLEN_SHOT_DIR"); !dir.isEmpty()) {
                cover::writeNotice(d.logic().noticePages(),
                                   fs::path(dir.toStdString()) / "notice.pdf", true);
            }
            d.button(QStringLiteral("关闭"))->click();
            EXPECT_FALSE(d.isVisible());
        });

    const std::string shown = gbk::cut(m_teacher, 6);
    dialogtest::openFromMenu<attendance::AttendancesquireDialog>(
        m_window, "出勤情况预览", [&](attendance::AttendancesquireDialog& d) {
            d.sortButton(QStringLiteral("教师排序"))->click();
            int covered = 0;
            for (int r = 0; r < d.table()->rowCount(); ++r) {
                covered += toStdString(d.table()->item(r, 0)->text()) == shown &&
                                   toStdString(d.table()->item(r, 1)->text()) == "2" &&
                                   toStdString(d.table()->item(r, 6)->text()) == "事  假"
                               ? 1
                               : 0;
            }
            EXPECT_GE(covered, lessons);
            d.resize(QSize(900, 600));
            shoot(d, "cover-preview.png");
            d.reject();
        });

    dialogtest::openFromMenu<attendance::AttendancecountDialog>(
        m_window, "出勤情况周统计", [&](attendance::AttendancecountDialog& d) {
            d.weekBox()->setText(QStringLiteral("2"));
            d.refreshButton()->click();
            int leave = -1;
            for (int r = 0; r < d.list()->rowCount(); ++r) {
                if (toStdString(d.list()->item(r, 0)->text()) == shown) {
                    leave = d.list()->item(r, 3)->text().toInt();
                }
            }
            EXPECT_GE(leave, lessons);
            shoot(d, "cover-weekly-count.png");
            d.reject();
        });
    EXPECT_TRUE(m_messenger.entries().empty());
}

} // namespace
