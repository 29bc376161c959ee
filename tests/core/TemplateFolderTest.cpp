// The templates' lookup: the variable first, then an installed program's share folder, then
// the build's own folder.
#include "core/TemplateFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class TemplateFolder : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 ("tavlen-templates-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_root / "usr" / "bin");
        fs::create_directories(m_root / "usr" / "share" / "tavlen" / "templates");
        fs::create_directories(m_root / "opt" / "bin");
        fs::create_directories(m_root / "build" / "src" / "cli");
    }
    void TearDown() override { fs::remove_all(m_root); }
    fs::path m_root;
};

TEST_F(TemplateFolder, TheVariableThenTheInstalledFolderThenTheSourceTree) {
    const std::string source = "/src/tavlen/data/templates";
    const std::string installed = (m_root / "usr" / "share" / "tavlen" / "templates").string();
    const fs::path usrBin = m_root / "usr" / "bin" / "tavlen-cli";
    const struct {
        const char* variable;
        fs::path executable;
        std::string expected;
    } cases[] = {
        {"/somewhere/else", usrBin, "/somewhere/else"},
        {"", usrBin, installed},
        {nullptr, usrBin, installed},
        {nullptr, m_root / "usr" / "libexec" / "tavlen" / "tavlen-cli-full", installed},
        {nullptr, m_root / "usr" / "lib" / "tavlen" / "tavlen-cli-full", source},
        // A prefix without the share folder, a build tree, an unknown executable.
        {nullptr, m_root / "opt" / "bin" / "tavlen-cli", source},
        {nullptr, m_root / "build" / "src" / "cli" / "tavlen-cli", source},
        {nullptr, fs::path(), source},
        {"", fs::path(), source},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::templateFolderFor(c.variable, c.executable, source), c.expected)
            << (c.variable == nullptr ? "(unset)" : c.variable) << " " << c.executable;
    }
}

TEST_F(TemplateFolder, AFileNamedLikeTheFolderIsNotTheFolder) {
    fs::create_directories(m_root / "odd" / "bin");
    fs::create_directories(m_root / "odd" / "share" / "tavlen");
    std::ofstream(m_root / "odd" / "share" / "tavlen" / "templates") << "not a folder";
    EXPECT_EQ(core::templateFolderFor(nullptr, m_root / "odd" / "bin" / "tavlen", "/src"), "/src");
}

} // namespace
