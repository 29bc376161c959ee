// A class page drawn by a real browser (headless chromium): the picture must show a table,
// not a blank or an error page. Skipped where chromium is missing.
#include "WebTestSupport.h"
#include "publish/SiteOutput.h"

#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using publish::PageKind;

namespace {

TEST(SiteScreenshotTest, ChromiumDrawsTheClassPage) {
    if (webtest::run("command -v chromium >/dev/null 2>&1").status != 0)
        GTEST_SKIP() << "chromium is missing";
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    std::vector<publish::Lesson> lessons;
    const char* courses[] = {"语文", "数学", "英语", "物理", "化学", "历史", "地理"};
    for (int day = 0; day < 5; ++day)
        for (int period = 1; period <= 7; ++period)
            lessons.push_back(
                webtest::lesson(day, period, courses[(day + period) % 7], "初一⑴", "张老师"));
    publish::writeSite({webtest::weekPage(PageKind::Class, "初一⑴", "初一", lessons)},
                       root / "site", false);

    const fs::path shot = root / "shot.png";
    const webtest::Run result = webtest::run(
        "timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
        "--user-data-dir=" +
        webtest::shellQuoted((root / "profile").string()) +
        " --screenshot=" + webtest::shellQuoted(shot.string()) + " --window-size=1024,768 " +
        webtest::shellQuoted("file://" + (root / "site" / "class-1-01.html").string()) +
        " >/dev/null 2>&1");
    ASSERT_EQ(result.status, 0);
    const QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1024, 768));
    QSet<QRgb> colours;
    qint64 inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xffffff;
            colours.insert(pixel);
            inked += pixel != 0xffffff;
        }
    EXPECT_GT(colours.size(), 16); // text edges, borders, head shading
    EXPECT_GT(inked, image.width() * image.height() / 20);
    EXPECT_LT(inked, image.width() * image.height() * 9 / 10);
}

} // namespace
