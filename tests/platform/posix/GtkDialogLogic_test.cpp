#include "platform/posix/GtkDialogLogic.h"

#include <gtest/gtest.h>

namespace zarnel::gtkdlg {
namespace {

TEST(GtkDialogLogic, PatternsSplitOnSemicolonsWithoutBlanksOrEmpties) {
  EXPECT_EQ(splitPatterns("*.m3u;*.pls"), (std::vector<std::string>{"*.m3u", "*.pls"}));
  EXPECT_EQ(splitPatterns(" *.wav ; ;*.mp3;"), (std::vector<std::string>{"*.wav", "*.mp3"}));
  EXPECT_EQ(splitPatterns("*.*"), (std::vector<std::string>{"*.*"}));
  EXPECT_TRUE(splitPatterns("").empty());
  EXPECT_TRUE(splitPatterns(";;").empty());
}

TEST(GtkDialogLogic, DefaultExtensionOnlyForANameWithoutOne) {
  EXPECT_EQ(withDefaultExtension("/home/u/mix", "wav"), "/home/u/mix.wav");
  EXPECT_EQ(withDefaultExtension("/home/u/mix", ".wav"), "/home/u/mix.wav");
  EXPECT_EQ(withDefaultExtension("/home/u/mix.mp3", "wav"), "/home/u/mix.mp3");
  // A dot in a folder name is not the file's extension.
  EXPECT_EQ(withDefaultExtension("/home/u.v/mix", "scu"), "/home/u.v/mix.scu");
  // A leading dot names a hidden file, not an extension.
  EXPECT_EQ(withDefaultExtension("/home/u/.keys", "scu"), "/home/u/.keys.scu");
  EXPECT_EQ(withDefaultExtension("mix", ""), "mix");
  EXPECT_EQ(withDefaultExtension("", "wav"), "");
  EXPECT_EQ(withDefaultExtension("/home/u/", "wav"), "/home/u/");
}

TEST(GtkDialogLogic, TruncationNeverCutsAUtf8Character) {
  EXPECT_EQ(truncateUtf8("128.5", 9), "128.5");
  EXPECT_EQ(truncateUtf8("abcdef", 3), "abc");
  const std::string e = "caf\xC3\xA9";  // "café": é is two bytes
  EXPECT_EQ(truncateUtf8(e, 5), e);
  EXPECT_EQ(truncateUtf8(e, 4), "caf");
  const std::string euro = "\xE2\x82\xAC\xE2\x82\xAC";  // two three-byte characters
  EXPECT_EQ(truncateUtf8(euro, 5), "\xE2\x82\xAC");
  EXPECT_EQ(truncateUtf8(euro, 2), "");
  EXPECT_EQ(truncateUtf8(euro, 0), euro);  // no limit
  // Stray continuation bytes at the start never underflow.
  EXPECT_EQ(truncateUtf8("\x80\x80\x80", 2), "");
}

TEST(GtkDialogLogic, WindowsAreCentredOverTheOwnerAndKeptOnScreen) {
  int32_t x = 0, y = 0;
  centredOver({100, 50, 800, 600}, 200, 100, {0, 0, 1920, 1080}, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  // A dialog larger than its owner overhangs it evenly.
  centredOver({100, 100, 200, 100}, 400, 300, {0, 0, 1920, 1080}, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  // An owner partly off the screen: the dialog is pulled back in.
  centredOver({1700, 900, 800, 600}, 300, 200, {0, 0, 1920, 1080}, x, y);
  EXPECT_EQ(x, 1620);
  EXPECT_EQ(y, 880);
  centredOver({-700, -500, 800, 600}, 300, 200, {0, 0, 1920, 1080}, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  // No screen size known: the centre as it is.
  centredOver({-700, -500, 800, 600}, 300, 200, {}, x, y);
  EXPECT_EQ(x, -450);
  EXPECT_EQ(y, -300);
}

}  // namespace
}  // namespace zarnel::gtkdlg
