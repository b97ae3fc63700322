#include "app/OptionDialogs.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

TEST(OptionDialogs, OnlySkinsWithBothTheirPictureAndTheirDescriptionAreListed) {
  EXPECT_EQ(skinNamesOf({"default.bmp", "default.xml", "panel.bmp", "night.BMP", "night.xml", "x.xml", "tooltip.bmp"}),
            (std::vector<std::string>{"default", "night"}));
  EXPECT_TRUE(skinNamesOf({".bmp", ".xml", "a.bmpx", "a.xml"}).empty());
}

}  // namespace
}  // namespace zarnel
