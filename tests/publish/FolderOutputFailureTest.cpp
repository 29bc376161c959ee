// Both folder outputs (the site, the calendars) refuse a target that is a file or that exists
// without replace, leave nothing behind when cancelled midway, and replace a folder whole.
#include "WebTestSupport.h"
#include "publish/CalendarOutput.h"
#include "publish/OutputTarget.h"
#include "publish/SiteOutput.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using publish::PageKind;

namespace {

using Writer = std::function<void(const fs::path&, bool, const publish::Progress&)>;

std::vector<publish::Page> pages() {
    std::vector<publish::Page> all;
    for (const char* name : {"初一⑴", "初一⑵", "初一⑶"})
        all.push_back(webtest::weekPage(PageKind::Class, name, "初一",
                                        {webtest::lesson(0, 1, "语文", name, "张三")}));
    return all;
}

struct Output {
    const char* name;
    Writer write;
};

const Output kOutputs[] = {
    {"site",
     [](const fs::path& target, bool replace, const publish::Progress& progress) {
         publish::writeSite(pages(), target, replace, progress);
     }},
    {"calendars",
     [](const fs::path& target, bool replace, const publish::Progress& progress) {
         publish::writeCalendars(pages(), school::SchoolSettings(), 18, target, replace, progress);
     }},
};

std::set<std::string> entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

TEST(FolderOutputFailureTest, RefusalsAndCancelLeaveEverythingAsItWas) {
    for (const Output& output : kOutputs) {
        SCOPED_TRACE(output.name);
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();

        // a target that is a file
        writeFile(root / "plain", "keep");
        try {
            output.write(root / "plain", true, {});
            ADD_FAILURE() << "a file taken as a folder";
        } catch (const publish::PublishError& e) {
            EXPECT_EQ(e.kind(), publish::PublishError::Kind::Other);
        }
        EXPECT_TRUE(fs::is_regular_file(root / "plain"));

        // an existing folder without replace
        fs::create_directory(root / "out");
        writeFile(root / "out" / "mine.txt", "mine");
        try {
            output.write(root / "out", false, {});
            ADD_FAILURE() << "an existing folder overwritten";
        } catch (const publish::PublishError& e) {
            EXPECT_EQ(e.kind(), publish::PublishError::Kind::Exists);
        }
        EXPECT_EQ(entries(root / "out"), std::set<std::string>{"mine.txt"});

        // cancelled after the second of three pages
        std::vector<int> seen;
        const publish::Progress cancelling{[&seen](int done, int total) {
            EXPECT_EQ(total, 3);
            seen.push_back(done);
            return done < 2;
        }};
        EXPECT_THROW(output.write(root / "fresh", false, cancelling), publish::Cancelled);
        EXPECT_THROW(output.write(root / "out", true, cancelling), publish::Cancelled);
        EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 2}));
        EXPECT_EQ(entries(root), (std::set<std::string>{"plain", "out"}));
        EXPECT_EQ(entries(root / "out"), std::set<std::string>{"mine.txt"});

        // replace puts the new folder in the old one's place, whole
        std::vector<int> all;
        output.write(root / "out", true, {[&all](int done, int) {
                         all.push_back(done);
                         return true;
                     }});
        EXPECT_EQ(all, (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(entries(root), (std::set<std::string>{"plain", "out"}));
        EXPECT_EQ(entries(root / "out").count("mine.txt"), 0u);
        EXPECT_EQ(entries(root / "out")
                      .count("class-1-03" + std::string(output.name[0] == 's' ? ".html" : ".ics")),
                  1u);
    }
}

} // namespace
