#include "skin/XmlNode.h"

#include <gtest/gtest.h>

#include <limits>

#include "skin/XmlReader.h"

namespace zarnel {
namespace {

TEST(XmlNodeLookup, NamesCompareWithoutCaseAndTheFirstMatchWins) {
  auto root = xmlParse("<Skin><Button id='1'/><button id='2'/><Slider/></Skin>");
  ASSERT_NE(root, nullptr);
  const XmlNode* button = xmlChild(root.get(), "BUTTON");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(*xmlAttr(button, "ID"), "1");
  EXPECT_EQ(xmlChild(root.get(), "knob"), nullptr);
  EXPECT_EQ(xmlChild(nullptr, "skin"), nullptr);
  EXPECT_EQ(xmlChild(xmlChild(root.get(), "knob"), "x"), nullptr);
  EXPECT_EQ(xmlAttr(button, "i"), nullptr);
  EXPECT_EQ(xmlAttr(nullptr, "id"), nullptr);

  auto twice = xmlParse("<a k='first' K='second'/>");
  EXPECT_EQ(*xmlAttr(twice.get(), "k"), "first");
}

TEST(XmlNodeValues, IntegersReadLikeTheCLibrary) {
  auto node = xmlParse(
      "<a p=' \t-42px' q='+7' r='abc' s='' t='99999999999' u='-99999999999' v='- 5'/>");
  ASSERT_NE(node, nullptr);
  int32_t value = 123;
  EXPECT_TRUE(xmlAttrInt(node.get(), "p", value));
  EXPECT_EQ(value, -42);
  EXPECT_TRUE(xmlAttrInt(node.get(), "q", value));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(xmlAttrInt(node.get(), "r", value));
  EXPECT_EQ(value, 0);
  value = 9;
  EXPECT_TRUE(xmlAttrInt(node.get(), "s", value));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(xmlAttrInt(node.get(), "t", value));
  EXPECT_EQ(value, std::numeric_limits<int32_t>::max());
  EXPECT_TRUE(xmlAttrInt(node.get(), "u", value));
  EXPECT_EQ(value, std::numeric_limits<int32_t>::min());
  EXPECT_TRUE(xmlAttrInt(node.get(), "v", value));
  EXPECT_EQ(value, 0);
  value = 55;
  EXPECT_FALSE(xmlAttrInt(node.get(), "missing", value));
  EXPECT_EQ(value, 55);
}

TEST(XmlNodeValues, ColoursTakeNamesAndUpperCaseHexOnly) {
  auto node = xmlParse(
      "<a upper='#FF0000' lower='#ff0000' mixed='#Ff0000' name='YeLLow' gray='gray' none='transparent'"
      " long='#12345678' short='#A' bare='#' other='#12G' purple='purple' spaced=' red'/>");
  ASSERT_NE(node, nullptr);
  ColourRef colour = 0xABCDEF;
  EXPECT_FALSE(xmlAttrColour(node.get(), "lower", colour));
  EXPECT_FALSE(xmlAttrColour(node.get(), "mixed", colour));
  EXPECT_FALSE(xmlAttrColour(node.get(), "bare", colour));
  EXPECT_FALSE(xmlAttrColour(node.get(), "other", colour));
  EXPECT_FALSE(xmlAttrColour(node.get(), "purple", colour));
  EXPECT_FALSE(xmlAttrColour(node.get(), "spaced", colour));
  EXPECT_FALSE(xmlAttrColour(node.get(), "missing", colour));
  EXPECT_EQ(colour, 0xABCDEFu);
  EXPECT_TRUE(xmlAttrColour(node.get(), "upper", colour));
  EXPECT_EQ(colour, 0x0000FFu);  // red sits in the low byte
  EXPECT_TRUE(xmlAttrColour(node.get(), "name", colour));
  EXPECT_EQ(colour, 0x00FFFFu);
  EXPECT_TRUE(xmlAttrColour(node.get(), "gray", colour));
  EXPECT_EQ(colour, 0x7F7F7Fu);
  EXPECT_TRUE(xmlAttrColour(node.get(), "none", colour));
  EXPECT_EQ(colour, kColourTransparent);
  EXPECT_TRUE(xmlAttrColour(node.get(), "long", colour));  // low three bytes 34 56 78
  EXPECT_EQ(colour, 0x785634u);
  EXPECT_TRUE(xmlAttrColour(node.get(), "short", colour));
  EXPECT_EQ(colour, 0x0A0000u);
}

}  // namespace
}  // namespace zarnel
