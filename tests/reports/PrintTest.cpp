// "打印" through the same drawing code into PDF files: pages, the temporary file (never a
// user's), the messages; and the default printer, on the same steps, missing on a machine
// without one.
#include "RecordingMessenger.h"
#include "ReportTestSupport.h"
#include "core/Typeface.h"
#include "reports/Document.h"
#include "reports/DocumentPrinter.h"
#include "reports/PageRenderer.h"
#include "reports/ReportPrinter.h"

#include <QFontDatabase>
#include <QPrinterInfo>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>

using namespace reporttest;
using reports::PrintOutcome;
using reports::ReportKind;
using reports::ReportTable;

namespace {

int pdfPages(const fs::path& pdf) {
    const std::string bytes = readBytes(pdf);
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page),
                                          std::sregex_iterator()));
}

// The text of a PDF through pdftotext, or nullopt when poppler's tools are missing.
std::optional<std::string> pdfText(const fs::path& pdf) {
    const fs::path text = pdf.string() + ".txt";
    const std::string command =
        "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        return std::nullopt;
    }
    return readBytes(text);
}

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

ReportTable counts(int n, int values) {
    ReportTable table;
    for (int i = 0; i < n; ++i) {
        table.counts.push_back(
            {i == n - 1 ? "末位师" : "王老师", std::vector<long long>(std::size_t(values), 7)});
    }
    return table;
}

ReportTable grade(int classes) {
    ReportTable table;
    for (int c = 0; c < classes; ++c) {
        reports::ClassTimetable row{"初二" + std::string("⑴⑵⑶⑷").substr(std::size_t(3 * c), 3), {}};
        for (int j = 0; j < 35; ++j) {
            row.cells.push_back(j % 3 ? "英语" : "化学");
        }
        table.classes.push_back(row);
    }
    return table;
}

struct PdfCase {
    ReportKind kind;
    ReportTable table;
    int pages;
};

TEST(PdfPrint, RendersThePrintedPagesAndRemovesTheTemporaryFile) {
    ReportTable wide;
    wide.grid.push_back({"班级"});
    for (int c = 1; c < 18; ++c) {
        wide.grid[0].push_back("课程" + std::to_string(c));
    }
    wide.grid.push_back({"高二⑴", "赵老师"});
    const std::vector<PdfCase> cases = {
        {ReportKind::Weekly, counts(39, 6), 1}, {ReportKind::Weekly, counts(40, 6), 1},
        {ReportKind::Weekly, counts(41, 6), 1}, {ReportKind::Monthly, counts(26, 9), 2},
        {ReportKind::Term, counts(25, 9), 2},   {ReportKind::GradeTimetable, grade(4), 1},
        {ReportKind::TeacherList, wide, 2},
    };
    for (const PdfCase& c : cases) {
        const WorkDir wd;
        testsupport::RecordingMessenger messenger;
        reports::DocumentPrinter printer(messenger);
        const fs::path pdf = wd / "out.pdf";
        EXPECT_EQ(printer.printToPdf(c.kind, "第05周常规教学出勤情况", c.table, wd.path(), pdf),
                  PrintOutcome::Printed);
        EXPECT_GT(fs::file_size(pdf), 1000u);
        EXPECT_EQ(pdfPages(pdf), c.pages) << reports::layoutOf(c.kind).cliName;
        EXPECT_EQ(messenger.texts(), std::vector<std::string>{"打印完毕!"});
        ASSERT_EQ(messenger.entries().size(), 1u);
        EXPECT_EQ(messenger.entries()[0].caption, "提示");
        // Nothing but the PDF is left in the working directory.
        EXPECT_EQ(std::distance(fs::recursive_directory_iterator(wd.path()),
                                fs::recursive_directory_iterator()),
                  8);
    }
}

TEST(PdfPrint, ThePageShowsTheTitleAndTheTexts) {
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    reports::DocumentPrinter printer(messenger);
    const fs::path pdf = wd / "week.pdf";
    ASSERT_EQ(printer.printToPdf(ReportKind::Weekly, "第05周常规教学出勤情况", counts(3, 6),
                                 wd.path(), pdf),
              PrintOutcome::Printed);
    const std::optional<std::string> text = pdfText(pdf);
    if (!text) {
        GTEST_SKIP() << "pdftotext not installed";
    }
    EXPECT_NE(text->find("末位师"), std::string::npos);
    EXPECT_NE(text->find("迟到"), std::string::npos);
    EXPECT_NE(text->find("情"), std::string::npos);
    EXPECT_NE(text->find("7"), std::string::npos);
}

TEST(PdfPrint, TheTimetableTitleIsDrawnWhole) {
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    reports::DocumentPrinter printer(messenger);
    const fs::path pdf = wd / "lesson.pdf";
    ASSERT_EQ(printer.printToPdf(ReportKind::GradeTimetable,
                                 std::string(20, ' ') + "初  二  年  段  总  课  程  表", grade(3),
                                 wd.path(), pdf),
              PrintOutcome::Printed);
    const std::optional<std::string> text = pdfText(pdf);
    if (!text) {
        GTEST_SKIP() << "pdftotext not installed";
    }
    EXPECT_NE(withoutSpaces(*text).find("初二年段总课程表"), std::string::npos) << *text;
    EXPECT_NE(text->find("初二⑶"), std::string::npos) << *text;
}

TEST(PdfPrint, TheTextReadsBackAsItWasWritten) {
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    reports::DocumentPrinter printer(messenger);
    const fs::path pdf = wd / "title.pdf";
    ASSERT_EQ(printer.printToPdf(ReportKind::Weekly, "初一⑴ 语文 星期一 文", counts(2, 6),
                                 wd.path(), pdf),
              PrintOutcome::Printed);
    const std::optional<std::string> text = pdfText(pdf);
    if (!text) {
        GTEST_SKIP() << "pdftotext not installed";
    }
    // the characters drawn, not the radicals drawn with the same glyphs (⼀ for 一); the page
    // sets each character in a column of its own
    EXPECT_NE(withoutSpaces(*text).find("初一⑴语文星期一文"), std::string::npos) << *text;
    EXPECT_EQ(text->find("\xE2\xBC"), std::string::npos) << *text;
    EXPECT_EQ(pdfPages(pdf), 1);
    // poppler finds nothing wrong with the file (a broken xref table shows as "Syntax Error"),
    // and the face is still embedded
    const fs::path complaints = wd / "complaints.txt";
    ASSERT_EQ(
        std::system(
            ("pdfinfo '" + pdf.string() + "' >/dev/null 2>'" + complaints.string() + "'").c_str()),
        0);
    EXPECT_EQ(readBytes(complaints), "");
    const fs::path fonts = wd / "fonts.txt";
    ASSERT_EQ(
        std::system(
            ("pdffonts '" + pdf.string() + "' >'" + fonts.string() + "' 2>/dev/null").c_str()),
        0);
    EXPECT_TRUE(std::regex_search(readBytes(fonts), std::regex("NotoSansCJK.* yes .* yes ")))
        << readBytes(fonts);
}

TEST(PdfPrint, TheDutyRosterPrintsItsLastColumn) {
    // Cells 1 … 9 of a roster row stand at columns 18 … 82: the line is printed over its
    // whole text width, so the last column ("周五早") reaches the paper.
    ReportTable roster;
    roster.grid.push_back({"班级", "周一早", "周一晚", "周二早", "周二晚", "周三早", "周三晚",
                           "周四早", "周四晚", "周五早", "周日晚"});
    roster.grid.push_back({"初三⑵", "", "", "", "", "", "", "", "", "末位师", ""});
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    reports::DocumentPrinter printer(messenger);
    const fs::path pdf = wd / "duty.pdf";
    ASSERT_EQ(printer.printToPdf(ReportKind::DutyRoster, "班  级  年  段  督  修  表", roster,
                                 wd.path(), pdf),
              PrintOutcome::Printed);
    const std::optional<std::string> text = pdfText(pdf);
    if (!text) {
        GTEST_SKIP() << "pdftotext not installed";
    }
    EXPECT_NE(text->find("末位师"), std::string::npos);
    EXPECT_NE(text->find("周五早"), std::string::npos);
}

TEST(PdfPrint, FailuresPrintNothing) {
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    reports::DocumentPrinter printer(messenger);
    ReportTable review = grade(1);
    EXPECT_EQ(
        printer.printToPdf(ReportKind::ReviewTimetable, "复习", review, wd.path(), wd / "r.pdf"),
        PrintOutcome::NotPrintable);
    fs::remove(wd / "tavlen/months");
    EXPECT_EQ(printer.printToPdf(ReportKind::Monthly, "01月份工作量情况", counts(1, 9), wd.path(),
                                 wd / "m.pdf"),
              PrintOutcome::Failed);
    EXPECT_EQ(
        printer.printToPdf(ReportKind::Weekly, "标题😀", counts(1, 6), wd.path(), wd / "w.pdf"),
        PrintOutcome::Failed);
    EXPECT_EQ(printer.printToPdf(ReportKind::Weekly, "标题", counts(1, 6), wd.path(),
                                 wd / "no-such-folder" / "w.pdf"),
              PrintOutcome::Failed);
    EXPECT_FALSE(fs::exists(wd / "r.pdf"));
    EXPECT_FALSE(fs::exists(wd / "m.pdf"));
    EXPECT_FALSE(fs::exists(wd / "w.pdf"));
    EXPECT_FALSE(fs::exists(wd / "tavlen/month.wps"));
    EXPECT_FALSE(fs::exists(wd / "week.wps"));
    EXPECT_FALSE(fs::exists(wd / "tavlen/week.wps"));
    EXPECT_EQ(messenger.entries().size(), 4u);
    EXPECT_FALSE(messenger.said("打印完毕!"));
}

TEST(Printer, WithoutADefaultPrinterNothingIsPrinted) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer";
    }
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    reports::ReportPrinter printer(messenger);
    EXPECT_EQ(printer.print(ReportKind::Weekly, "第01周", counts(2, 6), wd.path()),
              PrintOutcome::NoPrinter);
    EXPECT_EQ(messenger.texts(), std::vector<std::string>{"没有默认打印机,或者没有安装打印机!"});
    // The steps before the device are the PDF's: a report that is never printed stops there.
    EXPECT_EQ(printer.print(ReportKind::ReviewTimetable, "复习", grade(1), wd.path()),
              PrintOutcome::NotPrintable);
    EXPECT_EQ(messenger.texts().back(), "复习课程表只能导出，不能打印。");
}

// Points TMPDIR at a fresh folder while it lives.
class ScopedTemporaryFolder {
public:
    ScopedTemporaryFolder() : m_path(testsupport::makeTempDir("tavlen-print-tmp-")) {
        if (const char* old = std::getenv("TMPDIR")) {
            m_old = old;
        }
        ::setenv("TMPDIR", m_path.c_str(), 1);
    }
    ~ScopedTemporaryFolder() {
        if (m_old) {
            ::setenv("TMPDIR", m_old->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    ScopedTemporaryFolder(const ScopedTemporaryFolder&) = delete;
    ScopedTemporaryFolder& operator=(const ScopedTemporaryFolder&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
    std::optional<std::string> m_old;
};

TEST(PrintFiles, APrintKeepsEveryFileOfTheUserAndLeavesNothingBehind) {
    // Files at every report's default export path, and at the names prints once used,
    // keep their bytes whether the print is drawn or finds no printer; the print's own
    // folder in the temporary folder is gone afterwards.
    ReportTable roster;
    roster.grid = {{"班级", "周一早"}, {"初三⑵", "末位师"}};
    ReportTable teachers;
    teachers.grid = {{"班级", "语文"}, {"高二⑴", "赵老师"}};
    const std::map<ReportKind, ReportTable> tables = {
        {ReportKind::Weekly, counts(2, 6)}, {ReportKind::Monthly, counts(2, 9)},
        {ReportKind::Term, counts(2, 9)},   {ReportKind::TeacherList, teachers},
        {ReportKind::DutyRoster, roster},   {ReportKind::GradeTimetable, grade(2)},
    };
    const WorkDir wd;
    const ScopedTemporaryFolder tmp;
    std::map<fs::path, std::string> userFiles;
    for (const char* name : {"tavlen/week.wps", "tavlen/supervises.wps"}) {
        userFiles[wd / name] = std::string("the user's ") + name;
    }
    for (const auto& [kind, table] : tables) {
        const fs::path path = wd / std::string(reports::layoutOf(kind).exportDefault);
        userFiles[path] = "the user's " + path.filename().string();
    }
    for (const auto& [path, bytes] : userFiles) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    const bool noPrinter = QPrinterInfo::defaultPrinter().isNull();
    for (const auto& [kind, table] : tables) {
        testsupport::RecordingMessenger messenger;
        reports::ReportPrinter printer(messenger);
        EXPECT_EQ(printer.printToPdf(kind, "标题", table, wd.path(), wd / "out.pdf"),
                  PrintOutcome::Printed);
        if (noPrinter) {
            EXPECT_EQ(printer.print(kind, "标题", table, wd.path()), PrintOutcome::NoPrinter);
        }
        for (const auto& [path, bytes] : userFiles) {
            EXPECT_EQ(readBytes(path), bytes) << reports::layoutOf(kind).cliName << ": " << path;
        }
        EXPECT_TRUE(fs::is_empty(tmp.path())) << reports::layoutOf(kind).cliName;
    }
}

TEST(Renderer, UsesAnInstalledCjkFaceAndOrientsThePageToTheTable) {
    const QString family = reports::PageRenderer::fontFamily();
    EXPECT_TRUE(QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        << family.toStdString();
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese));
    if (!QFontDatabase::families().contains(QStringLiteral("SimSun"), Qt::CaseInsensitive)) {
        EXPECT_EQ(family.toStdString(), typeface::kCjkFamily); // the windows' face
    }
    reports::Document timetable{ReportKind::GradeTimetable, std::string(6840, ' '), {{0, 45}}};
    EXPECT_EQ(reports::PageRenderer(timetable, "").orientation(), QPageLayout::Landscape);
    reports::Document week{ReportKind::Weekly, std::string(3956, ' '), {{0, 43}}};
    EXPECT_EQ(reports::PageRenderer(week, "").orientation(), QPageLayout::Portrait);
    EXPECT_EQ(reports::PageRenderer::bodyFont().pixelSize(), 32);
    EXPECT_EQ(reports::PageRenderer::titleFont(ReportKind::Monthly).pixelSize(), 40);
    EXPECT_EQ(reports::PageRenderer::titleFont(ReportKind::Weekly).weight(), QFont::Bold);
}

} // namespace

namespace {

// Without a printer the print is offered as a PDF: 否 or a cancelled file dialog writes
// nothing, 是 writes the pages the print would draw into the chosen file.
TEST(Printer, WithoutAPrinterTheSamePagesAreOfferedAsAPdf) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer";
    }
    const WorkDir wd;
    const fs::path chosen = wd / "打印稿.pdf";
    struct Case {
        bool yes;
        std::optional<fs::path> file;
        PrintOutcome outcome;
    };
    for (const Case& c : {Case{false, chosen, PrintOutcome::NoPrinter},
                          Case{true, std::nullopt, PrintOutcome::NoPrinter},
                          Case{true, chosen, PrintOutcome::Printed}}) {
        testsupport::RecordingMessenger messenger;
        messenger.scriptAnswers({c.yes});
        std::vector<fs::path> proposed;
        reports::ReportPrinter printer(messenger, {[&](const fs::path& p) {
                                           proposed.push_back(p);
                                           return c.file;
                                       }});
        EXPECT_EQ(printer.print(ReportKind::Monthly, "月工作量", counts(26, 9), wd.path()),
                  c.outcome);
        ASSERT_GE(messenger.texts().size(), 2u);
        EXPECT_EQ(messenger.texts()[0], reports::kNoPrinter);
        EXPECT_EQ(messenger.texts()[1], "是否另存为 PDF 文件？");
        EXPECT_EQ(proposed,
                  c.yes ? std::vector<fs::path>{wd / "tavlen/month.pdf"} : std::vector<fs::path>{});
        EXPECT_EQ(fs::exists(chosen), c.outcome == PrintOutcome::Printed);
    }
    // The same pages as printToPdf draws: two monthly pages for 26 teachers.
    EXPECT_EQ(pdfPages(chosen), 2);
}

} // namespace
