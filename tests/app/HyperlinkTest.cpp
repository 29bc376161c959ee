// The About box's link: which targets are opened, and what a click does.
#include "app/HyperlinkLabel.h"
#include "app/LinkTarget.h"

#include "RecordingMessenger.h"

#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(LinkTarget, WebAndMailAddressesAreOpenedWithTheRightScheme) {
    struct Case {
        const char* target;
        const char* url;
    };
    const Case cases[] = {
        {"http://www.example.org/tavlen", "http://www.example.org/tavlen"},
        {"https://example.org", "https://example.org"},
        {"HTTP://EXAMPLE.ORG", "HTTP://EXAMPLE.ORG"},
        {"www.example.org", "http://www.example.org"},
        {"mailto:office@example.org", "mailto:office@example.org"},
        {"office@example.org", "mailto:office@example.org"},
    };
    for (const auto& c : cases) {
        const auto url = app::linkUrl(c.target);
        ASSERT_TRUE(url.has_value()) << c.target;
        EXPECT_EQ(*url, c.url) << c.target;
    }
    EXPECT_EQ(app::classifyLink("www.example.org"), app::LinkKind::Web);
    EXPECT_EQ(app::classifyLink("office@example.org"), app::LinkKind::Mail);
}

TEST(LinkTarget, OtherFormsAreRefused) {
    for (const char* target :
         {"", "example.org", "ftp://example.org", "file:///etc/passwd", "/usr/bin/xterm", "http://",
          "www.", "mailto:", "office @example.org", "@example.org", "office@", "a@b@c",
          "http://example.org/a b", "javascript:alert(1)"}) {
        EXPECT_EQ(app::classifyLink(target), app::LinkKind::Invalid) << target;
        EXPECT_FALSE(app::linkUrl(target).has_value()) << target;
    }
}

TEST(HyperlinkLabel, ClickOpensAValidTargetAndRefusesAnInvalidOne) {
    testsupport::RecordingMessenger messenger;
    std::vector<QUrl> opened;
    auto opener = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };

    app::HyperlinkLabel good(QStringLiteral("www.example.org"), messenger, opener);
    good.show();
    EXPECT_EQ(good.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(&good, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.example.org")));
    EXPECT_TRUE(messenger.entries().empty());

    app::HyperlinkLabel bad(QStringLiteral("ftp://example.org"), messenger, opener);
    bad.show();
    QTest::mouseClick(&bad, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1u);
    ASSERT_EQ(messenger.entries().size(), 1u);
    EXPECT_EQ(messenger.entries()[0].text, "Error: wrong superlink format");
}

TEST(HyperlinkLabel, ADesktopThatCannotOpenTheTargetIsReported) {
    testsupport::RecordingMessenger messenger;
    app::HyperlinkLabel link(QStringLiteral("mailto:office@example.org"), messenger,
                             [](const QUrl&) { return false; });
    EXPECT_FALSE(link.activate());
    ASSERT_EQ(messenger.entries().size(), 1u);
    EXPECT_EQ(messenger.entries()[0].kind, testsupport::RecordingMessenger::Entry::Kind::Error);
    EXPECT_NE(messenger.entries()[0].text.find("mailto:office@example.org"), std::string::npos);
}

} // namespace
