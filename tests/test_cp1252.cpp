// Windows-1252 text: code points, UTF-8 conversion and UTF-16 ordering.
#include <gtest/gtest.h>

#include "text/cp1252.h"

namespace kwl::cp1252 {
namespace {

TEST(Cp1252, CodePointsIncludingTheUndefinedCodes) {
  EXPECT_EQ(ToUnicode('A'), U'A');
  EXPECT_EQ(ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(ToUnicode(0x91), U'\u2018');
  EXPECT_EQ(ToUnicode(0x9F), U'\u0178');
  for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(ToUnicode(undefined), undefined);
  EXPECT_EQ(ToUnicode(0xE9), U'\u00E9');
  for (int b = 0; b < 256; ++b) EXPECT_EQ(FromUnicode(ToUnicode(static_cast<unsigned char>(b))), b);
  EXPECT_EQ(FromUnicode(U'\u0416'), '?');
}

TEST(Cp1252, Utf8ConversionBothWays) {
  EXPECT_EQ(ToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(FromUtf8("caf\xC3\xA9 \xE2\x80\x99 \xD0\x96"), "caf\xE9 \x92 ?");
  // Malformed UTF-8 bytes stand for themselves.
  EXPECT_EQ(FromUtf8("a\xE9z"), "a\xE9z");
  EXPECT_EQ(Utf8Length("caf\xC3\xA9"), 4U);
  EXPECT_EQ(Utf8Length("\xFF\xFE"), 2U);
}

TEST(Cp1252, ComparisonFollowsUtf16CodeUnits) {
  EXPECT_LT(Compare("Z", "a"), 0);
  EXPECT_LT(Compare("z", "\xE9"), 0);
  EXPECT_LT(Compare("\xFF", "\x8C"), 0) << "U+00FF before U+0152";
  EXPECT_LT(Compare("\x8C", "\x91"), 0) << "U+0152 before U+2018";
  EXPECT_LT(Compare("\x91", "\x80"), 0) << "U+2018 before U+20AC";
  EXPECT_LT(Compare("\x80", "\x99"), 0) << "U+20AC before U+2122";
  EXPECT_LT(Compare("\x81", "\xA0"), 0) << "U+0081 before U+00A0";
  EXPECT_LT(Compare("ab", "abc"), 0);
  EXPECT_EQ(Compare("abc", "abc"), 0);
  EXPECT_EQ(RankString("\x91") > RankString("\xFF"), true);
}

}  // namespace
}  // namespace kwl::cp1252
