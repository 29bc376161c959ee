// 打印 of published pages without a printer (the test machine has none): the program's offer
// of a PDF in its place, and Qt's print preview showing every page all the same.
#include "publish/PagePrint.h"
#include "RecordingMessenger.h"
#include "SamplePages.h"
#include "ToolRun.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace publishtest;
using reports::PrintOutcome;
namespace fs = std::filesystem;

namespace {

class PagePrintTest : public testing::Test {
protected:
    void SetUp() override {
        if (!QPrinterInfo::defaultPrinter().isNull()) {
            GTEST_SKIP() << "a printer is installed";
        }
        ASSERT_TRUE(m_dir.isValid());
    }
    fs::path dir() const { return fs::path(m_dir.path().toStdString()); }
    int pdfPages(const fs::path& pdf) const {
        const std::string info = runTool(std::string(TAVLEN_PDFINFO) + " " + quoted(pdf)).out;
        const std::size_t at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
    }

    const std::vector<publish::Page> m_pages = {classWeek(), overview()};
    testsupport::RecordingMessenger m_messenger;
    QTemporaryDir m_dir;
};

TEST_F(PagePrintTest, WithoutPrinterOffersPdf) {
    struct Case {
        const char* name;
        std::optional<std::string> chosen; // the file named, relative to the folder
        PrintOutcome outcome;
        bool written;
        std::string last; // the last message
    };
    const std::vector<Case> cases = {
        {"named", "timetable.pdf", PrintOutcome::Printed, true, reports::kPrinted},
        {"chooser cancelled", std::nullopt, PrintOutcome::NoPrinter, false, reports::kOfferPdf},
        {"folder missing", "missing/t.pdf", PrintOutcome::Failed, false, "文件夹不存在"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::RecordingMessenger messenger;
        messenger.scriptAnswers({true});
        fs::path proposed;
        int previews = 0;
        const publish::PagePrint print(
            messenger,
            [&](const fs::path& offered) -> std::optional<fs::path> {
                proposed = offered;
                return c.chosen ? std::optional<fs::path>(dir() / *c.chosen) : std::nullopt;
            },
            [&](QPrinter&, const std::function<void(QPrinter*)>&) { return ++previews, true; });
        EXPECT_EQ(print.print(m_pages), c.outcome);
        EXPECT_EQ(previews, 0);
        EXPECT_EQ(proposed.filename(), publish::kProposedPdf);
        const std::vector<std::string> texts = messenger.texts();
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[0], reports::kNoPrinter);
        EXPECT_EQ(texts[1], reports::kOfferPdf);
        EXPECT_EQ(texts.back().rfind(c.last, 0), 0u) << texts.back();
        if (c.written && !std::string(TAVLEN_PDFINFO).empty()) {
            EXPECT_EQ(pdfPages(dir() / *c.chosen), 2);
        }
        if (c.chosen && !c.written) {
            EXPECT_FALSE(fs::exists(dir() / *c.chosen));
        }
    }
}

// A printer keeps one orientation for the job: the landscape overview comes turned on a
// portrait sheet, whole.
TEST_F(PagePrintTest, DecliningThePdfStillPreviewsEveryPage) {
    m_messenger.scriptAnswers({false});
    const fs::path pdf = dir() / "preview.pdf";
    const publish::PagePrint print(
        m_messenger, [](const fs::path&) { return std::optional<fs::path>(); },
        [&](QPrinter& printer, const std::function<void(QPrinter*)>& draw) {
            EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
            EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
            printer.setOutputFileName(QString::fromStdString(pdf.string()));
            draw(&printer);
            return false;
        });
    EXPECT_EQ(print.print(m_pages), PrintOutcome::Cancelled);
    if (!std::string(TAVLEN_PDFINFO).empty()) {
        EXPECT_EQ(pdfPages(pdf), 2);
        const std::string pages =
            runTool(std::string(TAVLEN_PDFINFO) + " -f 1 -l 2 " + quoted(pdf)).out;
        EXPECT_TRUE(inOrder(squeezed(pages), {"Page 1 size: 595 x 842", "Page 2 size: 595 x 842"}))
            << pages;
        const std::string overview =
            runTool(std::string(TAVLEN_PDFTOTEXT) + " -f 2 -l 2 " + quoted(pdf) + " -").out;
        EXPECT_NE(overview.find("总课表"), std::string::npos) << overview;
    }
}

// The real preview dialog: it opens over the pages as PagePainter draws them, one preview
// page per page; closing it prints nothing.
TEST_F(PagePrintTest, PreviewDialogShowsThePages) {
    m_messenger.scriptAnswers({false});
    int shown = -1;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* widget = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        shown = widget->pageCount();
        if (const QByteArray shot = qgetenv("TAVLEN_PREVIEW_SHOT"); !shot.isEmpty()) {
            dialog->resize(1000, 700);
            widget->setViewMode(QPrintPreviewWidget::FacingPagesView);
            widget->fitInView();
            dialog->grab().save(QString::fromLocal8Bit(shot));
        }
        dialog->reject();
    });
    const publish::PagePrint print(
        m_messenger, [](const fs::path&) { return std::optional<fs::path>(); },
        publish::PagePrint::previewDialog(nullptr));
    EXPECT_EQ(print.print(m_pages), PrintOutcome::Cancelled);
    EXPECT_EQ(shown, 2);
}

} // namespace
