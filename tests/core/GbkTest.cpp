#include "core/Gbk.h"

#include <gtest/gtest.h>

namespace {

TEST(GbkWidth, CountsGbkBytesNotUtf8Bytes) {
    EXPECT_EQ(gbk::width(""), 0u);
    EXPECT_EQ(gbk::width("abc"), 3u);
    EXPECT_EQ(gbk::width("语文"), 4u);  // 6 UTF-8 bytes
    EXPECT_EQ(gbk::width("初一⑴"), 6u); // ⑴ is A2C5 in GBK
    EXPECT_EQ(gbk::width("高三⒇"), 6u);
    EXPECT_EQ(gbk::width("迟  到"), 6u);
    EXPECT_EQ(gbk::width("─│┌┐└┘├┤┬┴┼"), 22u);
    EXPECT_EQ(gbk::width("，。：（）"), 10u);
    EXPECT_EQ(gbk::width("€"), 1u); // single byte 0x80 in this code page
}

TEST(GbkWidth, UnencodableCharactersCountAsTwoAndAreReported) {
    EXPECT_FALSE(gbk::encodable("王😀"));
    EXPECT_FALSE(gbk::encodable("a•b"));
    EXPECT_FALSE(gbk::encodable("〜"));
    EXPECT_FALSE(gbk::encodable("\xEE\x80\x80")); // private use
    EXPECT_FALSE(gbk::encodable("\xFF"));         // not UTF-8 at all
    EXPECT_TRUE(gbk::encodable("王伟 abc ⑴"));
    EXPECT_EQ(gbk::width("王😀"), 4u);
    EXPECT_EQ(gbk::firstUnencodable("王a•b😀"), "•");
    EXPECT_EQ(gbk::firstUnencodable("王伟"), "");
}

TEST(GbkBlank, NamesUnderFourBytesAreBlank) {
    EXPECT_TRUE(gbk::isBlank(""));
    EXPECT_TRUE(gbk::isBlank("王"));
    EXPECT_TRUE(gbk::isBlank("abc"));
    EXPECT_FALSE(gbk::isBlank("王伟"));
    EXPECT_FALSE(gbk::isBlank("abcd"));
    EXPECT_FALSE(gbk::isBlank("       ")); // seven spaces: a unified slot is not blank text
    EXPECT_TRUE(gbk::isBlank("ab", 3));
    EXPECT_FALSE(gbk::isBlank("abc", 3));
}

TEST(GbkCut, NeverSplitsACharacter) {
    EXPECT_EQ(gbk::cut("欧阳明华", 6), "欧阳明");
    EXPECT_EQ(gbk::cut("ab欧阳明", 5), "ab欧");
    EXPECT_EQ(gbk::cut("a欧阳明华", 6), "a欧阳"); // 5 bytes: the next character would need 7
    EXPECT_EQ(gbk::cut("王伟", 10), "王伟");
    EXPECT_EQ(gbk::cut("王伟", 1), "");
    EXPECT_EQ(gbk::cut("王伟", 0), "");
    EXPECT_EQ(gbk::cut("abcdefgh", 6), "abcdef");
    EXPECT_EQ(gbk::cut("王😀伟", 4), "王😀");
    EXPECT_EQ(gbk::cut("王😀伟", 3), "王");
}

TEST(GbkConvert, RoundTripsAndRefusesUnencodableText) {
    const auto bytes = gbk::toGbk("初一⑴ 语文");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, std::string("\xB3\xF5\xD2\xBB\xA2\xC5 \xD3\xEF\xCE\xC4"));
    EXPECT_EQ(gbk::fromGbk(*bytes), "初一⑴ 语文");
    EXPECT_EQ(gbk::toGbk("⒇")->size(), 2u);
    EXPECT_EQ(*gbk::toGbk("⒇"), std::string("\xA2\xD8"));
    EXPECT_FALSE(gbk::toGbk("王😀").has_value());
    EXPECT_FALSE(gbk::toGbk("a•").has_value());
    EXPECT_EQ(*gbk::toGbk(""), "");
}

TEST(GbkConvert, DamagedBytesDecodeToReplacementKeepingTheRest) {
    // A lead byte at the end and an invalid pair around readable text.
    const std::string damaged = std::string("\xD3\xEF") + "ab" + std::string("\xFF") + "\xB3";
    const std::string text = gbk::fromGbk(damaged);
    EXPECT_EQ(text.substr(0, 5), "语ab");
    EXPECT_NE(text.find("\xEF\xBF\xBD"), std::string::npos);
}

} // namespace
