// Start-up: the data source is registered after the main window is on screen, for the
// directory the program was started in, and a failing registration does not stop it.
#include "app/StartUp.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "core/Typeface.h"
#include "reports/ReportExport.h"
#include "reports/SaveFileDialog.h"
#include "widgets/TextConvert.h"

#include "RecordingMessenger.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// Runs the body with the process's current directory set to a fresh directory.
class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
        m_startDir = QDir::currentPath();
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    QTemporaryDir m_dir;
    QString m_previous;
    QString m_startDir;
    testsupport::RecordingMessenger m_messenger;
};

TEST_F(StartUpTest, RegistersTheWorkingDirectoryAfterTheWindowIsShown) {
    app::MainWindow window(app::commandTable(), {&m_messenger, {}});
    std::vector<std::string> registered;
    bool shownWhenRegistered = false;
    app::startUp(window, [&](const std::string& dir) {
        registered.push_back(dir);
        shownWhenRegistered = window.isVisible();
    });
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0], widgets::toStdString(m_startDir));
    EXPECT_TRUE(shownWhenRegistered);
    EXPECT_EQ(window.workingDirectory(), m_startDir);
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(StartUpTest, AFailingRegistrationIsNotReportedAndTheWindowStays) {
    app::MainWindow window(app::commandTable(), {&m_messenger, {}});
    app::startUp(window,
                 [](const std::string&) { throw std::runtime_error("General installer error"); });
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.workingDirectory(), m_startDir);
    EXPECT_TRUE(m_messenger.entries().empty());
}

// Every window shows its text in the chosen CJK face at the platform's size, and in it the
// class numbers ⑴ … ⒇ stand as tall as a Han character, so ⒀ and ⒅ read apart.
TEST(Fonts, WindowsShowTheChosenFaceWithFullHeightClassNumbers) {
    const QFont before = QApplication::font();
    app::installFonts();
    const QFont font = QApplication::font();
    QApplication::setFont(before);

    EXPECT_EQ(widgets::toStdString(QFontInfo(font).family()), typeface::kCjkFamily);
    EXPECT_EQ(font.pointSizeF(), before.pointSizeF());
    // Measured large, where pixel rounding does not blur the glyphs' proportions.
    QFont large = font;
    large.setPixelSize(64);
    const QFontMetricsF metrics(large);
    const double han = metrics.tightBoundingRect(QStringLiteral("初")).height();
    for (char32_t number = U'⑴'; number <= U'⒇'; ++number) {
        EXPECT_TRUE(metrics.inFontUcs4(number)) << int(number);
        EXPECT_GE(metrics.tightBoundingRect(QString::fromUcs4(&number, 1)).height(), 0.9 * han)
            << int(number);
    }
}

} // namespace

namespace {

// Qt's own Chinese texts: the export's file dialog reads 保存 / 取消 and offers the report
// files first, so the proposed .wps shows.
TEST(StartUpTranslationTest, TheExportFileDialogSpeaksChinese) {
    QTranslator* translator = app::installTranslations();
    ASSERT_NE(translator, nullptr) << "qtbase_zh_CN.qm (qt6-translations-l10n) is missing";
    QTemporaryDir dir;
    const reports::SaveRequest request = reports::saveRequestFor(
        reports::ReportKind::GradeTimetable, widgets::toStdString(dir.path()));
    std::vector<std::string> buttons;
    QString chosenFilter;
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const auto* box = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        for (const QAbstractButton* button : box->buttons()) {
            buttons.push_back(widgets::toStdString(button->text().remove(u'&')));
        }
        filters = dialog->nameFilters();
        chosenFilter = dialog->selectedNameFilter();
        dialog->reject();
    });
    EXPECT_EQ(reports::SaveFileDialog().chooseSaveFile(request), std::nullopt);
    QCoreApplication::removeTranslator(translator);
    delete translator;

    ASSERT_EQ(buttons.size(), 2u);
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons[0].rfind("保存", 0), 0u) << buttons[0];
    EXPECT_EQ(buttons[1].rfind("取消", 0), 0u) << buttons[1];
    EXPECT_EQ(filters,
              (QStringList{QStringLiteral("报表文件 (*.wps *.txt)"),
                           QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件 (*)")}));
    EXPECT_EQ(chosenFilter, filters.value(0));
}

} // namespace
