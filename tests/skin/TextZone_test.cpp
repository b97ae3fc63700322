#include "skin/TextZone.h"

#include <gtest/gtest.h>

#include "skin/support/FakeZoneValues.h"
#include "skin/support/RecordingTextRenderer.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

using test::DrawnText;

// One text zone of the given attributes and formats at (10, 20), 60 by 40
// unless said, on the first desk, bound to recording text and fixed values.
struct ZoneBench {
  ZoneBench(const std::string& attributes, const std::string& formats, int width = 60)
      : bound(test::buildFrom(test::skinXml("<textzone chan='1' " + attributes + "><size width='" +
                                            std::to_string(width) + "' height='40'/><pos x='10' y='20'/>" +
                                            formats + "</textzone>"))),
        text(bound.back.data(), 800) {
    values.desk[0].length = 180;
    values.desk[0].position = 0.0f;
    values.desk[0].title = "A very long title";
    bound.context.text = &text;
    bound.context.zones = &values;
    bound.skin->bind(&bound.context);
  }
  TextZone& zone() { return *bound.skin->textZones[0]; }
  const std::vector<DrawnText>& draw() {
    text.drawn.clear();
    zone().draw();
    return text.drawn;
  }

  test::BoundSkin bound;
  test::RecordingTextRenderer text;
  test::FakeZoneValues values;
};

TEST(TextZoneDraw, StatusMessagesReplaceTheFormatCentredAndWrapped) {
  ZoneBench b("geterrormessage='true'", "<text format='%title' color='#FF0000'/>", 72);
  b.values.desk[0].status = 157;  // an empty desk: the start message
  const auto& start = b.draw();
  ASSERT_EQ(start.size(), 3u);
  // Three lines of 10 pixels centred in 40: from y 25; each line centred.
  EXPECT_EQ(start[0].text, "Drag a file");
  EXPECT_EQ(start[0].x, 13);
  EXPECT_EQ(start[0].y, 25);
  EXPECT_EQ(start[1].y, 35);
  EXPECT_EQ(start[2].text, "to load it");
  EXPECT_EQ(start[2].x, 16);
  EXPECT_EQ(start[0].colour, 0xFF0000u);

  b.values.desk[0].status = 152;
  b.values.desk[0].message = "Disc 7";
  ASSERT_EQ(b.draw().size(), 1u);
  EXPECT_EQ(b.text.drawn[0].text, "Disc 7");
  b.values.desk[0].status = 99;  // no message of its own: the background only
  EXPECT_TRUE(b.draw().empty());
  b.values.desk[0].status = 0;
  ASSERT_EQ(b.draw().size(), 1u);
  EXPECT_EQ(b.text.drawn[0].text, "A very lo...");
}

TEST(TextZoneDraw, AMessageTallerThanTheZoneStartsAtItsTop) {
  ZoneBench b("geterrormessage='true'", "<text format='%title'/>");
  b.values.desk[0].status = 157;
  const auto& lines = b.draw();  // broken at spaces to 60 pixels: five lines
  ASSERT_EQ(lines.size(), 4u);  // the fifth is below the zone
  EXPECT_EQ(lines[0].text, "Drag a");
  EXPECT_EQ(lines[0].x, 22);
  EXPECT_EQ(lines[0].y, 20);
  EXPECT_EQ(lines[1].text, "file");
  EXPECT_EQ(lines[3].text, "disc");
}

TEST(TextZoneDraw, StatusIgnoredWithoutTheFlag) {
  ZoneBench b("", "<text format='%title'/>");
  b.values.desk[0].status = 156;
  ASSERT_EQ(b.draw().size(), 1u);
  EXPECT_EQ(b.text.drawn[0].text, "A very ...");
}

TEST(TextZoneDraw, AlignmentEllipsisAndPenMoves) {
  ZoneBench right("", "<text format='ab' align='right'/>");
  ASSERT_EQ(right.draw().size(), 1u);
  EXPECT_EQ(right.text.drawn[0].x, 10 + 60 - 12);
  ZoneBench centre("", "<text format='ab\\ncd' align='center'/>");
  ASSERT_EQ(centre.draw().size(), 2u);
  EXPECT_EQ(centre.text.drawn[0].x, 10 + 24);
  EXPECT_EQ(centre.text.drawn[1].y, 30);  // the second line below the first
  ZoneBench moves("", "<text format='a%12b%30,5c'/>");
  const auto& runs = moves.draw();
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].x, 10);
  EXPECT_EQ(runs[1].y, 32);
  EXPECT_EQ(runs[2].x, 40);
  EXPECT_EQ(runs[2].y, 25);
  EXPECT_EQ(runs[2].clipWidth, 30);  // the pen's box runs to the zone's right edge
  EXPECT_EQ(runs[2].clipHeight, 35);
}

TEST(TextZoneDraw, AClickSwitchesFormatsAndRestartsTheCounter) {
  ZoneBench b("resetcounter='true'", "<text format='%counter'/><text2 format='%time'/>");
  b.values.ticks = 61500;
  ASSERT_EQ(b.draw().size(), 1u);
  EXPECT_EQ(b.text.drawn[0].text, "01:01'5");  // started at the first binding, tick 0
  b.zone().mouseUp(15, 25, keys::kLeft);
  ASSERT_EQ(b.draw().size(), 1u);
  EXPECT_EQ(b.text.drawn[0].text, "03:00.0");
  b.values.ticks = 70000;
  b.zone().mouseUp(15, 25, keys::kLeft);  // back to the counter, from now
  b.values.ticks = 78500;
  ASSERT_EQ(b.draw().size(), 1u);
  EXPECT_EQ(b.text.drawn[0].text, "00:08'5");
}

}  // namespace
}  // namespace zarnel
