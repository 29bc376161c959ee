// "表格导出": the save request, writing and overwriting, and every way it writes nothing.
#include "RecordingMessenger.h"
#include "ReportTestSupport.h"
#include "reports/ReportExport.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace reporttest;
using reports::ExportOutcome;
using reports::ReportKind;
using reports::ReportTable;

namespace {

// Answers the save dialog with a fixed path (or cancels) and remembers the request.
class ScriptedChooser : public reports::SaveFileChooser {
public:
    explicit ScriptedChooser(std::optional<fs::path> answer) : m_answer(std::move(answer)) {}
    std::optional<fs::path> chooseSaveFile(const reports::SaveRequest& request) override {
        m_requests.push_back(request);
        return m_answer;
    }
    const std::vector<reports::SaveRequest>& requests() const { return m_requests; }

private:
    std::optional<fs::path> m_answer;
    std::vector<reports::SaveRequest> m_requests;
};

ReportTable weekly(int n) {
    ReportTable table;
    for (int i = 0; i < n; ++i) {
        table.counts.push_back({"张老师", {1, 2, 3, 4, 5, 6}});
    }
    return table;
}

TEST(ExportRequest, EachReportHasItsTitleAndDefaultFile) {
    const fs::path wd = "/school";
    const auto week = reports::saveRequestFor(ReportKind::Weekly, wd);
    EXPECT_EQ(week.title, "保存周出勤表");
    EXPECT_EQ(week.defaultPath, fs::path("/school/week.wps"));
    EXPECT_EQ(week.filter, "文本文件(*.txt)");
    EXPECT_EQ(week.defaultSuffix, "txt");
    EXPECT_EQ(reports::saveRequestFor(ReportKind::Term, wd).defaultPath,
              fs::path("/school/tavlen/term.wps"));
    EXPECT_EQ(reports::saveRequestFor(ReportKind::Term, wd).title, "保存学期工作量统计表");
    EXPECT_EQ(reports::saveRequestFor(ReportKind::GradeTimetable, wd).defaultPath,
              fs::path("/school/lesson.wps"));
    EXPECT_EQ(reports::saveRequestFor(ReportKind::ReviewTimetable, wd).title, "保存年段复习课程表");
    EXPECT_EQ(reports::saveRequestFor(ReportKind::DutyRoster, wd).defaultPath,
              fs::path("/school/tavlen/supervise.wps"));
}

TEST(Export, WritesTheWholeDocumentSilently) {
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    ScriptedChooser chooser(wd / "out.txt");
    EXPECT_EQ(reports::exportReport(ReportKind::Weekly, weekly(41), wd.path(), chooser, messenger),
              ExportOutcome::Written);
    const std::string bytes = readBytes(wd / "out.txt");
    EXPECT_EQ(bytes.size(), 2u * 3956u);
    EXPECT_EQ(bytes.substr(3956 + 3 * 92 + 2, 6), g("张老师"));
    EXPECT_TRUE(messenger.entries().empty());
    ASSERT_EQ(chooser.requests().size(), 1u);
    EXPECT_EQ(chooser.requests()[0].defaultPath, wd.path() / "week.wps");
}

TEST(Export, OverwritesAnExistingFileWithTheFullPageSize) {
    for (ReportKind kind : {ReportKind::Weekly, ReportKind::Monthly}) {
        const WorkDir wd;
        {
            std::ofstream old(wd / "old.txt", std::ios::binary);
            old << std::string(20000, 'x');
        }
        testsupport::RecordingMessenger messenger;
        ScriptedChooser chooser(wd / "old.txt");
        ReportTable table = weekly(1);
        if (kind == ReportKind::Monthly) {
            table.counts[0].values = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        }
        EXPECT_EQ(reports::exportReport(kind, table, wd.path(), chooser, messenger),
                  ExportOutcome::Written);
        const std::string bytes = readBytes(wd / "old.txt");
        EXPECT_EQ(bytes.size(), reports::layoutOf(kind).templateSize);
        EXPECT_EQ(bytes.find('x'), std::string::npos);
        // No temporary file is left beside it.
        EXPECT_EQ(std::distance(fs::directory_iterator(wd.path()), fs::directory_iterator()), 2);
    }
}

TEST(Export, CancelWritesNothing) {
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    ScriptedChooser chooser(std::nullopt);
    EXPECT_EQ(reports::exportReport(ReportKind::Weekly, weekly(1), wd.path(), chooser, messenger),
              ExportOutcome::Cancelled);
    EXPECT_TRUE(messenger.entries().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(wd.path()), fs::directory_iterator()), 1);
}

TEST(Export, AMissingOrShortTemplateIsReportedBeforeAnythingIsAsked) {
    for (bool missing : {true, false}) {
        const WorkDir wd;
        if (missing) {
            fs::remove(wd / "tavlen/weeks");
        } else {
            fs::resize_file(wd / "tavlen/weeks", 3955);
        }
        testsupport::RecordingMessenger messenger;
        ScriptedChooser chooser(wd / "out.txt");
        EXPECT_EQ(
            reports::exportReport(ReportKind::Weekly, weekly(1), wd.path(), chooser, messenger),
            ExportOutcome::Failed);
        EXPECT_TRUE(chooser.requests().empty());
        EXPECT_FALSE(fs::exists(wd / "out.txt"));
        ASSERT_EQ(messenger.entries().size(), 1u);
        EXPECT_EQ(messenger.entries()[0].kind, testsupport::RecordingMessenger::Entry::Kind::Error);
        EXPECT_NE(messenger.entries()[0].text.find("weeks"), std::string::npos);
        EXPECT_NE(messenger.entries()[0].text.find(missing ? "找不到" : "3955"), std::string::npos);
    }
}

TEST(Export, TextGbkCannotEncodeNeverReachesTheFile) {
    const WorkDir wd;
    testsupport::RecordingMessenger messenger;
    ScriptedChooser chooser(wd / "out.txt");
    ReportTable table = weekly(2);
    table.counts[1].name = "李•四";
    EXPECT_EQ(reports::exportReport(ReportKind::Weekly, table, wd.path(), chooser, messenger),
              ExportOutcome::Failed);
    EXPECT_FALSE(fs::exists(wd / "out.txt"));
    EXPECT_EQ(messenger.entries().size(), 1u);
}

TEST(Export, AnUncreatablePathShowsTheFileErrorAndWritesNothing) {
    // With the probe (weekly) and without it (monthly).
    for (ReportKind kind : {ReportKind::Weekly, ReportKind::Monthly}) {
        const WorkDir wd;
        testsupport::RecordingMessenger messenger;
        ScriptedChooser chooser(wd / "no-such-folder" / "out.txt");
        ReportTable table = weekly(0);
        EXPECT_EQ(reports::exportReport(kind, table, wd.path(), chooser, messenger),
                  ExportOutcome::Failed);
        ASSERT_EQ(messenger.entries().size(), 1u);
        EXPECT_NE(messenger.entries()[0].text.find("no-such-folder/out.txt"), std::string::npos);
        EXPECT_NE(messenger.entries()[0].text.find("路径不存在"), std::string::npos);
        EXPECT_FALSE(fs::exists(wd / "no-such-folder"));
    }
}

TEST(Export, ALinkIsWrittenThroughAndStays) {
    for (ReportKind kind : {ReportKind::Weekly, ReportKind::Monthly}) {
        const WorkDir wd;
        {
            std::ofstream old(wd / "real.txt", std::ios::binary);
            old << "old";
        }
        fs::create_symlink(wd / "real.txt", wd / "link.txt");
        testsupport::RecordingMessenger messenger;
        ScriptedChooser chooser(wd / "link.txt");
        ReportTable table = weekly(1);
        if (kind == ReportKind::Monthly) {
            table.counts[0].values = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        }
        EXPECT_EQ(reports::exportReport(kind, table, wd.path(), chooser, messenger),
                  ExportOutcome::Written);
        EXPECT_TRUE(fs::is_symlink(wd / "link.txt"));
        EXPECT_EQ(fs::file_size(wd / "real.txt"), reports::layoutOf(kind).templateSize);
        EXPECT_TRUE(messenger.entries().empty());
    }
}

TEST(Export, AWriteProtectedFileIsNotReplaced) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into write-protected files";
    }
    // Monthly: no probe first; the write itself refuses.
    const WorkDir wd;
    {
        std::ofstream old(wd / "old.txt", std::ios::binary);
        old << "old";
    }
    fs::permissions(wd / "old.txt", fs::perms::owner_read);
    testsupport::RecordingMessenger messenger;
    ScriptedChooser chooser(wd / "old.txt");
    ReportTable table = weekly(1);
    table.counts[0].values = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(reports::exportReport(ReportKind::Monthly, table, wd.path(), chooser, messenger),
              ExportOutcome::Failed);
    EXPECT_TRUE(messenger.said("无法写入文件“" + (wd / "old.txt").string() + "”：没有访问权限。"));
    EXPECT_EQ(readBytes(wd / "old.txt"), "old");
}

TEST(Export, AReadOnlyFolderShowsThePermissionError) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    const WorkDir wd;
    fs::create_directory(wd / "ro");
    fs::permissions(wd / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    testsupport::RecordingMessenger messenger;
    ScriptedChooser chooser(wd / "ro" / "out.txt");
    EXPECT_EQ(reports::exportReport(ReportKind::Weekly, weekly(1), wd.path(), chooser, messenger),
              ExportOutcome::Failed);
    EXPECT_TRUE(
        messenger.said("无法写入文件“" + (wd / "ro" / "out.txt").string() + "”：没有访问权限。"));
    fs::permissions(wd / "ro", fs::perms::owner_all);
}

} // namespace
