#include "skin/XmlReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// Elements nested depth levels deep, each of its own name so that no closing
// tag ends an outer element early.
std::string nested(int depth) {
  std::string open, close;
  for (int i = 0; i < depth; ++i) {
    open += "<e" + std::to_string(i) + ">";
    close = "</e" + std::to_string(i) + ">" + close;
  }
  return open + "x" + close;
}

TEST(XmlReaderSubset, RejectsWhatTheSubsetLeavesOut) {
  EXPECT_NE(xmlParse("<skin/>"), nullptr);
  EXPECT_EQ(xmlParse("<?xml version=\"1.0\"?>\n<skin/>"), nullptr);
  EXPECT_EQ(xmlParse("<!DOCTYPE skin>\n<skin/>"), nullptr);
  EXPECT_EQ(xmlParse("<skin><!-- note --></skin>"), nullptr);
  EXPECT_EQ(xmlParse("<skin><![CDATA[x]]></skin>"), nullptr);
  EXPECT_EQ(xmlParse("<skin><?pi x?></skin>"), nullptr);
  EXPECT_EQ(xmlParse("<skin>&#65;</skin>"), nullptr);
  EXPECT_EQ(xmlParse("<skin>&nbsp;</skin>"), nullptr);
  EXPECT_EQ(xmlParse("<skin>&LT;</skin>"), nullptr);  // entities match with case
  EXPECT_EQ(xmlParse("<skin>a & b</skin>"), nullptr);
  EXPECT_EQ(xmlParse("<skin a='&bad;'/>"), nullptr);
  EXPECT_EQ(xmlParse("< skin/>"), nullptr);
  EXPECT_EQ(xmlParse("<skin a/>"), nullptr);
  EXPECT_EQ(xmlParse(""), nullptr);
  EXPECT_EQ(xmlParse(" \r\n\t"), nullptr);
  EXPECT_EQ(xmlParse("text"), nullptr);
}

TEST(XmlReaderSubset, EmptyElementWithSingleQuotedAttribute) {
  auto root = xmlParse("<button action='play \"now\"'/>");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "button");
  EXPECT_EQ(root->text, "");
  EXPECT_TRUE(root->children.empty());
  ASSERT_EQ(root->attributes.size(), 1u);
  EXPECT_EQ(root->attributes[0].name, "action");
  EXPECT_EQ(root->attributes[0].value, "play \"now\"");
}

TEST(XmlReaderSubset, AttributesKeepDocumentOrderAndSpacing) {
  auto root = xmlParse("<a x = \"1\"y='it&apos;s'\tz=\"&quot;&gt;\" ></a>");
  ASSERT_NE(root, nullptr);
  ASSERT_EQ(root->attributes.size(), 3u);
  EXPECT_EQ(root->attributes[0].name, "x");
  EXPECT_EQ(root->attributes[1].value, "it's");
  EXPECT_EQ(root->attributes[2].value, "\">");
  EXPECT_EQ(xmlParse("<a x=1/>"), nullptr);
  EXPECT_EQ(xmlParse("<a x='1\"/>"), nullptr);
  EXPECT_EQ(xmlParse("<a x 1/>"), nullptr);
}

TEST(XmlReaderSubset, EachLevelDecodesItsContentOnceMore) {
  auto root = xmlParse("<r>&amp;lt;<c a=\"&amp;lt;\">&amp;amp;</c></r>");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->text, "&lt;");
  ASSERT_EQ(root->children.size(), 1u);
  EXPECT_EQ(root->children[0].attributes[0].value, "<");
  EXPECT_EQ(root->children[0].text, "&");
  // A decoded "<" starts a child element.
  auto made = xmlParse("<r>&lt;c/&gt;</r>");
  ASSERT_NE(made, nullptr);
  ASSERT_EQ(made->children.size(), 1u);
  EXPECT_EQ(made->children[0].name, "c");
  EXPECT_EQ(xmlParse("<r>1 &lt; 2</r>"), nullptr);
  // A child's text is decoded twice, so a lone escaped "&" is invalid there.
  EXPECT_EQ(xmlParse("<r><c>&amp;</c></r>"), nullptr);
}

TEST(XmlReaderSubset, ChildrenAreCutOutOfTheParentsText) {
  auto root = xmlParse("<r> one <c>x<g/>y</c>\n two<d k='v'/> </r>");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->text, " one \n two ");
  ASSERT_EQ(root->children.size(), 2u);
  EXPECT_EQ(root->children[0].name, "c");
  EXPECT_EQ(root->children[0].text, "xy");
  EXPECT_EQ(root->children[0].children[0].name, "g");
  EXPECT_EQ(root->children[1].name, "d");
}

TEST(XmlReaderSubset, ClosingTagSearchIgnoresNesting) {
  auto root = xmlParse("<a><a/></a>");
  ASSERT_NE(root, nullptr);
  ASSERT_EQ(root->children.size(), 1u);
  EXPECT_EQ(root->children[0].name, "a");
  EXPECT_EQ(xmlParse("<a><a>x</a></a>"), nullptr);
  auto deeper = xmlParse("<a><b><a/></b></a>");
  ASSERT_NE(deeper, nullptr);
  EXPECT_EQ(deeper->children[0].children[0].name, "a");
  EXPECT_EQ(xmlParse("<a><b><a>x</a></b></a>"), nullptr);
  EXPECT_EQ(xmlParse("<a>x</A>"), nullptr);
  EXPECT_EQ(xmlParse("<a>x</a >"), nullptr);
  EXPECT_EQ(xmlParse("<a>x</ a>"), nullptr);
}

TEST(XmlReaderSubset, OnlyWhiteSpaceMayFollowTheRoot) {
  EXPECT_NE(xmlParse(" \r\n\t<a>x</a> \r\n\t"), nullptr);
  EXPECT_EQ(xmlParse("<a>x</a>y"), nullptr);
  EXPECT_EQ(xmlParse("<a/><b/>"), nullptr);
  EXPECT_EQ(xmlParse("<a>x</a></a>"), nullptr);
  // The text ends at a zero byte.
  EXPECT_NE(xmlParse(std::string("<a/>\0junk", 9)), nullptr);
  EXPECT_EQ(xmlParse(std::string("<a>\0</a>", 8)), nullptr);
}

TEST(XmlReaderSubset, NamesTakeTheirWholeCharacterSet) {
  auto root = xmlParse("<my-skin.v2:x_y;z a.b-c:d_e;f='1'/>");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "my-skin.v2:x_y;z");
  EXPECT_EQ(root->attributes[0].name, "a.b-c:d_e;f");
  EXPECT_EQ(xmlParse("<a/b>"), nullptr);
}

TEST(XmlReaderBounds, NestingDepthIsBounded) {
  EXPECT_NE(xmlParse(nested(kXmlMaxDepth)), nullptr);
  EXPECT_EQ(xmlParse(nested(kXmlMaxDepth + 1)), nullptr);
  EXPECT_EQ(xmlParse(nested(5000)), nullptr);
  std::string open;
  for (int i = 0; i < 100000; ++i) open += "<a>";
  EXPECT_EQ(xmlParse(open), nullptr);
}

TEST(XmlReaderBounds, SizeAndNamesAreBounded) {
  std::string head = "<a v='", tail = "'/>";
  std::string fits(kXmlMaxBytes - head.size() - tail.size(), 'x');
  auto root = xmlParse(head + fits + tail);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->attributes[0].value.size(), fits.size());
  EXPECT_EQ(xmlParse(head + fits + "x" + tail), nullptr);
  std::string name(kXmlMaxNameLength, 'n');
  EXPECT_NE(xmlParse("<" + name + "/>"), nullptr);
  EXPECT_EQ(xmlParse("<" + name + "n/>"), nullptr);
  EXPECT_EQ(xmlParse("<a " + name + "n='1'/>"), nullptr);
}

TEST(XmlReaderBounds, EveryUnterminatedPrefixIsRejected) {
  const std::string doc = "<r a='1' b=\"&amp;\">t<c d='2'>u</c><e/>v</r>";
  ASSERT_NE(xmlParse(doc), nullptr);
  for (size_t n = 0; n < doc.size(); ++n) {
    EXPECT_EQ(xmlParse(doc.substr(0, n)), nullptr) << doc.substr(0, n);
  }
}

TEST(XmlReaderFile, LoadsThroughTheFileSystem) {
  VirtualFileSystem files;
  files.put("good.xml", bytesOf("<skin w='800'/>"));
  files.put("bad.xml", bytesOf("<skin>"));
  files.put("big.xml", std::vector<uint8_t>(kXmlMaxBytes + 1, ' '));
  files.put("broken.xml", bytesOf("<skin w='800'/>"));
  files.failReadsAfter("broken.xml", 4);
  auto root = xmlLoad(files, "good.xml");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "skin");
  EXPECT_EQ(xmlLoad(files, "missing.xml"), nullptr);
  EXPECT_EQ(xmlLoad(files, "bad.xml"), nullptr);
  EXPECT_EQ(xmlLoad(files, "big.xml"), nullptr);
  EXPECT_EQ(xmlLoad(files, "broken.xml"), nullptr);
}

}  // namespace
}  // namespace zarnel
