// What both file outputs, the PDF and the workbook, do when they cannot or must not write:
// the target a folder, an existing file without replace, a cancel midway, a folder that
// cannot be written, no pages. The target is never left half-written, nothing stays beside it.
#include "SamplePages.h"
#include "publish/OutputTarget.h"
#include "publish/PdfOutput.h"
#include "publish/WorkbookOutput.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <unistd.h>

using namespace publishtest;
namespace fs = std::filesystem;

namespace {

using Writer = std::function<void(const std::vector<publish::Page>&, const fs::path&, bool,
                                  const publish::Progress&)>;

struct Output {
    const char* name;
    Writer write;
    const char* magic; // how the written file begins
};

void PrintTo(const Output& output, std::ostream* os) {
    *os << output.name;
}

const Output kOutputs[] = {
    {"pdf", publish::writePdf, "%PDF"},
    {"xlsx", publish::writeWorkbook, "PK"},
};

class OutputFailureTest : public testing::TestWithParam<Output> {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    fs::path dir() const { return fs::path(m_dir.path().toStdString()); }
    fs::path target() const { return dir() / (std::string("out.") + GetParam().name); }
    static std::string contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void writeOld() const { std::ofstream(target(), std::ios::binary) << "old"; }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    const std::vector<publish::Page> m_pages = {classWeek(), teacherWeek(), overview()};
    QTemporaryDir m_dir;
};

TEST_P(OutputFailureTest, WritesAndReplacesWhole) {
    std::vector<std::pair<int, int>> steps;
    const publish::Progress progress{[&](int done, int total) {
        steps.emplace_back(done, total);
        return true;
    }};
    GetParam().write(m_pages, target(), false, progress);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(contents(target()).rfind(GetParam().magic, 0), 0u);

    writeOld();
    GetParam().write(m_pages, target(), true, {});
    EXPECT_EQ(contents(target()).rfind(GetParam().magic, 0), 0u);
    EXPECT_EQ(entries(), std::vector<std::string>{target().filename().string()});
}

TEST_P(OutputFailureTest, RefusesWithoutWriting) {
    // an existing file without replace: Exists, the file as it was
    writeOld();
    try {
        GetParam().write(m_pages, target(), false, {});
        ADD_FAILURE() << "an existing file was replaced";
    } catch (const publish::PublishError& refused) {
        EXPECT_EQ(refused.kind(), publish::PublishError::Kind::Exists);
    }
    EXPECT_EQ(contents(target()), "old");

    // the target is a folder
    const fs::path folder = dir() / "folder";
    fs::create_directory(folder);
    EXPECT_THROW(GetParam().write(m_pages, folder, true, {}), publish::PublishError);
    EXPECT_TRUE(fs::is_directory(folder));

    // no pages
    EXPECT_THROW(GetParam().write({}, dir() / "empty", true, {}), publish::PublishError);
    EXPECT_EQ(entries(), (std::vector<std::string>{"folder", target().filename().string()}));
}

TEST_P(OutputFailureTest, CancelLeavesTheTargetAsItWas) {
    writeOld();
    int steps = 0;
    const publish::Progress cancelSecond{[&](int done, int) {
        ++steps;
        return done < 2;
    }};
    EXPECT_THROW(GetParam().write(m_pages, target(), true, cancelSecond), publish::Cancelled);
    EXPECT_EQ(steps, 2) << "no page is drawn after the cancel";
    EXPECT_EQ(contents(target()), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{target().filename().string()});

    const fs::path fresh = dir() / (std::string("fresh.") + GetParam().name);
    EXPECT_THROW(GetParam().write(m_pages, fresh, false, cancelSecond), publish::Cancelled);
    EXPECT_FALSE(fs::exists(fresh));
}

TEST_P(OutputFailureTest, UnwritableFolderIsRefused) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    const fs::path locked = dir() / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(GetParam().write(m_pages, locked / "out", false, {}), publish::PublishError);
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(locked));
}

INSTANTIATE_TEST_SUITE_P(Outputs, OutputFailureTest, testing::ValuesIn(kOutputs),
                         [](const testing::TestParamInfo<Output>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
