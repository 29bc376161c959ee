// 导出 of one page from a week window: the chosen format decides the writer, a name the
// dialog did not ask about is replaced only after asking, a refusal is shown and nothing is
// said to be written; and the buttons say why there is nothing to print or export.
#include "publish/PageActions.h"
#include "publish/PageButtons.h"

#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using publish::ExportChoice;

publish::Page smallPage() {
    publish::Page page;
    page.name = "初一⑴";
    page.title = "初一⑴班课程表";
    page.columnHeads = {"星期一"};
    page.rowHeads = {{"第一节"}};
    page.cells = {{{"语文", "张伟"}}};
    return page;
}

std::string head(const fs::path& file, std::size_t bytes) {
    std::ifstream in(file, std::ios::binary);
    std::string s(bytes, '\0');
    in.read(s.data(), static_cast<std::streamsize>(bytes));
    return s;
}

TEST(PageActions, ExportWritesTheChosenFormatAndAsksAboutANameTheDialogDidNotSee) {
    const fs::path dir = testsupport::makeTempDir("tavlen-page-");
    testsupport::RecordingMessenger messenger;
    const auto choose = [](ExportChoice choice) {
        return [choice](const publish::Page&) { return std::optional<ExportChoice>(choice); };
    };
    publish::exportPage(smallPage(), messenger, choose({dir / "a.pdf", false, true}));
    EXPECT_EQ(head(dir / "a.pdf", 5), "%PDF-");
    publish::exportPage(smallPage(), messenger, choose({dir / "a.xlsx", true, true}));
    EXPECT_EQ(head(dir / "a.xlsx", 2), "PK");
    EXPECT_EQ(messenger.texts(),
              (std::vector<std::string>{"已导出：" + (dir / "a.pdf").string(),
                                        "已导出：" + (dir / "a.xlsx").string()}));

    // the suffix was added to the name given: ask first; 否 leaves the file alone
    messenger.clear();
    messenger.scriptAnswers({false});
    const auto before = fs::file_size(dir / "a.xlsx");
    publish::exportPage(smallPage(), messenger, choose({dir / "a.xlsx", false, false}));
    EXPECT_EQ(messenger.texts(),
              (std::vector<std::string>{"“" + (dir / "a.xlsx").string() + "”已存在，要替换吗？"}));
    EXPECT_EQ(fs::file_size(dir / "a.xlsx"), before);

    // a folder where the file should go is refused and shown
    messenger.clear();
    fs::create_directory(dir / "f.pdf");
    publish::exportPage(smallPage(), messenger, choose({dir / "f.pdf", false, true}));
    ASSERT_EQ(messenger.entries().size(), 1u);
    EXPECT_EQ(messenger.entries()[0].kind, testsupport::RecordingMessenger::Entry::Kind::Error);

    // cancelled in the dialog: nothing at all
    messenger.clear();
    publish::exportPage(smallPage(), messenger, [](const publish::Page&) { return std::nullopt; });
    EXPECT_TRUE(messenger.entries().empty());
    fs::remove_all(dir);
}

TEST(PageActions, TheButtonsSayWhyThereIsNoPage) {
    testsupport::RecordingMessenger messenger;
    QWidget window;
    publish::PageButtons buttons(&window, messenger, [](std::string& whyNot) {
        whyNot = "请先选择教师。";
        return std::optional<publish::Page>();
    });
    EXPECT_EQ(buttons.printButton()->text(), QStringLiteral("打印"));
    EXPECT_EQ(buttons.exportButton()->text(), QStringLiteral("导出"));
    buttons.printButton()->click();
    buttons.exportButton()->click();
    EXPECT_EQ(messenger.texts(), (std::vector<std::string>{"请先选择教师。", "请先选择教师。"}));
}

} // namespace
