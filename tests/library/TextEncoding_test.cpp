#include "library/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace zarnel {
namespace {

TEST(TextEncoding, WellFormedUtf8IsRecognised) {
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_TRUE(isValidUtf8("plain"));
  EXPECT_TRUE(isValidUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5"));
  EXPECT_FALSE(isValidUtf8("caf\xE9"));              // Latin-1
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));             // overlong "/"
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));         // a surrogate
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));     // past U+10FFFF
  EXPECT_FALSE(isValidUtf8("\xE2\x82"));             // cut short
}

TEST(TextEncoding, Latin1BecomesUtf8WithTheWindowsLettersOf0x80To0x9F) {
  EXPECT_EQ(latin1ToUtf8("Caf\xE9 \xC0 \xFF"), "Caf\xC3\xA9 \xC3\x80 \xC3\xBF");
  EXPECT_EQ(latin1ToUtf8("\x80\x92"), "\xE2\x82\xAC\xE2\x80\x99");  // euro, right quote
  EXPECT_EQ(latin1ToUtf8("\x81"), "\xC2\x81");
}

TEST(TextEncoding, MarkedTextIsDecoded) {
  EXPECT_EQ(fromMarkedText("\xEF\xBB\xBFx.mp3"), "x.mp3");
  EXPECT_EQ(fromMarkedText(std::string("\xFF\xFE" "a\0\xE9\0\n\0", 8)), "a\xC3\xA9\n");
  EXPECT_EQ(fromMarkedText(std::string("\xFE\xFF\0a\xD8\x3C\xDF\xB5", 8)), "a\xF0\x9F\x8E\xB5");
  EXPECT_EQ(fromMarkedText(std::string("\xFF\xFE\x00\xD8" "a", 5)), "\xEF\xBF\xBD");  // lone surrogate, odd byte
  EXPECT_EQ(fromMarkedText("no mark"), "no mark");
}

}  // namespace
}  // namespace zarnel
