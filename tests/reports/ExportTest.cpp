// "表格导出": the save request, writing and overwriting, and every way it writes nothing,
// among them the places where no document may go (which a PDF print refuses as well).
#include "RecordingMessenger.h"
#include "ReportTestSupport.h"
#include "reports/DocumentPrinter.h"
#include "reports/ReportExport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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
    EXPECT_EQ(week.filters, (std::vector<std::string>{"报表文件 (*.wps *.txt)", "文本文件(*.txt)",
                                                      "所有文件 (*)"}));
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

// What a folder holds: every entry's type (links not followed), a regular file's size and
// a hash of its bytes, a link's target.
std::map<fs::path, std::string> snapshot(const fs::path& dir) {
    std::map<fs::path, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const fs::file_status status = entry.symlink_status();
        std::string& held = entries[entry.path()];
        held = std::to_string(int(status.type()));
        if (fs::is_regular_file(status)) {
            const std::string bytes = readBytes(entry.path());
            held += ":" + std::to_string(bytes.size()) + ":" +
                    std::to_string(std::hash<std::string>{}(bytes));
        } else if (fs::is_symlink(status)) {
            held += ":" + fs::read_symlink(entry.path()).string();
        }
    }
    return entries;
}

TEST(Export, WhereNoDocumentMayGoNothingIsWrittenCreatedOrRemoved) {
    struct Case {
        const char* target;
        const char* reason;
        bool fifo; // the PDF is not tried: a writer opening it would wait, not fail
    };
    const std::vector<Case> cases = {
        {"fifo", "这不是普通文件（设备、管道或套接字）", true},
        {"device", "这不是普通文件（设备、管道或套接字）", false},
        {"link-to-fifo", "这不是普通文件（设备、管道或套接字）", true},
        {"dangling-link", "符号链接指向的文件不存在", false},
        {"tavlen/tavlen.mdb", "这是数据库文件，不能用报表覆盖", false},
        {"tavlen/../tavlen/tavlen.mdb", "这是数据库文件，不能用报表覆盖", false},
        {"link-to-database", "这是数据库文件，不能用报表覆盖", false},
        {"hard-link-to-database", "这是数据库文件，不能用报表覆盖", false},
        {"other.db", "这是数据库文件，不能用报表覆盖", false},
    };
    using Writer = std::function<bool(const WorkDir&, const fs::path&, ui::Messenger&)>;
    const std::vector<Writer> writers = {
        [](const WorkDir& wd, const fs::path& target, ui::Messenger& messenger) {
            ScriptedChooser chooser(target); // probed first
            return reports::exportReport(ReportKind::Weekly, weekly(1), wd.path(), chooser,
                                         messenger) == ExportOutcome::Written;
        },
        [](const WorkDir& wd, const fs::path& target, ui::Messenger& messenger) {
            ScriptedChooser chooser(target); // written without a probe
            ReportTable table = weekly(1);
            table.counts[0].values.assign(9, 1);
            return reports::exportReport(ReportKind::Monthly, table, wd.path(), chooser,
                                         messenger) == ExportOutcome::Written;
        },
        [](const WorkDir& wd, const fs::path& target, ui::Messenger& messenger) {
            return reports::DocumentPrinter(messenger).printToPdf(ReportKind::Weekly, "第01周",
                                                                  weekly(1), wd.path(), target) ==
                   reports::PrintOutcome::Printed;
        },
    };
    for (const Case& c : cases) {
        for (std::size_t w = 0; w < (c.fifo ? 2 : writers.size()); ++w) {
            const WorkDir wd;
            // The database of the working directory need not be a whole one to be kept.
            std::ofstream(wd / "tavlen/tavlen.mdb", std::ios::binary) << "the school's data";
            std::ofstream(wd / "other.db", std::ios::binary)
                << std::string("SQLite format 3\0", 16) << "another database";
            ASSERT_EQ(::mkfifo((wd / "fifo").c_str(), 0644), 0);
            fs::create_symlink(wd / "fifo", wd / "link-to-fifo");
            fs::create_symlink("missing.txt", wd / "dangling-link");
            fs::create_symlink("tavlen/tavlen.mdb", wd / "link-to-database");
            fs::create_hard_link(wd / "tavlen/tavlen.mdb", wd / "hard-link-to-database");
            if (::mknod((wd / "device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) {
                ASSERT_NE(::geteuid(), 0u);
                std::ofstream(wd / "device") << "no device without root";
                if (std::string_view(c.target) == "device") {
                    continue;
                }
            }
            const auto before = snapshot(wd.path());
            testsupport::RecordingMessenger messenger;
            const fs::path target = wd / c.target;
            EXPECT_FALSE(writers[w](wd, target, messenger)) << c.target << " writer " << w;
            EXPECT_EQ(snapshot(wd.path()), before) << c.target << " writer " << w;
            EXPECT_EQ(messenger.texts(),
                      std::vector<std::string>{(w == 2 ? "无法写出 PDF 文件“" : "无法写入文件“") +
                                               target.string() + "”：" + c.reason + "。"})
                << c.target << " writer " << w;
        }
    }
}

} // namespace
