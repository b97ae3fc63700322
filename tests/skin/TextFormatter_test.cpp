#include "skin/TextFormatter.h"

#include <gtest/gtest.h>

#include "skin/support/FakeZoneValues.h"

namespace zarnel {
namespace {

using test::FakeZoneValues;

// The runs of format on desk 0, each after the first led by its pen place.
std::string show(const FakeZoneValues& v, std::string_view format, int32_t desk = 0, int64_t counterStart = 0) {
  const ZoneFields fields(&v, desk, counterStart);
  std::string out;
  for (const TextRun& run : TextFormatter(fields).format(format)) {
    if (!out.empty() || run.x != 0 || run.y != 0)
      out += "[" + std::to_string(run.x) + "," + std::to_string(run.y) + "]";
    out += run.text;
  }
  return out;
}

// A three-minute track a quarter through.
FakeZoneValues threeMinutes() {
  FakeZoneValues v;
  v.desk[0].length = 180;
  v.desk[0].position = 0.25f;
  return v;
}

TEST(TextFormatterTime, RunsAtTheSpeedHeardUnlessPlain) {
  FakeZoneValues v = threeMinutes();
  EXPECT_EQ(show(v, "%time"), "03:00.0");
  EXPECT_EQ(show(v, "%spent"), "00:45.0");
  EXPECT_EQ(show(v, "%left"), "02:15.1");  // a tenth more than the rest
  v.desk[0].pitch = 4505;                   // about +10 %
  EXPECT_EQ(show(v, "%time"), "02:43.6");
  EXPECT_EQ(show(v, "%Ptime"), "03:00.0");
}

TEST(TextFormatterTime, LimitsZeroAnHourNoTrackAndTheEnd) {
  FakeZoneValues v = threeMinutes();
  v.desk[0].length = 0;
  EXPECT_EQ(show(v, "%time %spent %left"), "00:00.0 00:00.0 00:00.1");
  v.desk[0].length = 3725;  // an hour, two minutes and five seconds: minutes run on
  EXPECT_EQ(show(v, "%time"), "62:05.0");
  v.desk[0].position = -1.0f;  // ended: at the end, not before the start
  EXPECT_EQ(show(v, "%spent/%left"), "62:05.0/00:00.1");
  v.desk[0].length = -1;  // nothing loaded: no time at all
  EXPECT_EQ(show(v, "<%time|%spent|%left|%cue|%first|%end>"), "<|||||>");
  v.desk[0].length = 180;
  v.desk[0].pitch = 0;  // a speed of zero has no heard time
  EXPECT_EQ(show(v, "%time"), "");
  EXPECT_EQ(show(v, "%time", -1), "");  // a zone without a desk
}

TEST(TextFormatterTime, CuePointsFirstBeatAndEndMarker) {
  FakeZoneValues v = threeMinutes();
  v.desk[0].length = 160;
  v.desk[0].cues = {0.125f, 0.375f};
  EXPECT_EQ(show(v, "%cue0"), "00:20.0");
  EXPECT_EQ(show(v, "%cue1"), "-00:20.0");  // before the cue point
  EXPECT_EQ(show(v, "[%cue2]"), "[]");      // only two cue points
  EXPECT_EQ(show(v, "[%cue]"), "[]");       // no track data
  v.desk[0].mainCue = 0.5f;
  v.desk[0].firstBeat = 0.0625f;
  v.desk[0].endMarker = 0.75f;
  EXPECT_EQ(show(v, "%cue %first %end"), "-00:40.0 00:30.0 -01:20.0");
}

TEST(TextFormatterTime, BeatsNeedAStoredTempo) {
  FakeZoneValues v = threeMinutes();
  EXPECT_EQ(show(v, "[%Btime]"), "[]");
  v.desk[0].storedBpm = 120.0f;
  EXPECT_EQ(show(v, "%Btime"), "360.0");
  EXPECT_EQ(show(v, "%BPspent"), "90.0");
  v.desk[0].storedBpm = 999.9f;  // the analyser's "no beat"
  EXPECT_EQ(show(v, "[%Btime]"), "[]");
}

TEST(TextFormatterValues, TempoPitchAndLevel) {
  FakeZoneValues v = threeMinutes();
  EXPECT_EQ(show(v, "[%bpm]"), "[]");
  v.desk[0].storedBpm = 120.0f;
  v.desk[0].liveBpm = 999.9f;
  v.desk[0].pitch = 4505;
  EXPECT_EQ(show(v, "%bpm %Pbpm [%Lbpm]"), "132.0 120.0 []");
  v.desk[0].liveBpm = 128.0f;
  EXPECT_EQ(show(v, "%LPbpm %PLbpm"), "128.0 128.0");
  EXPECT_EQ(show(v, "%pitch%%"), "110.0%");
  v.desk[0].pitch = 2730;
  EXPECT_EQ(show(v, "%pitch"), "66.7");

  EXPECT_EQ(show(v, "[%level]"), "[]");  // no analysed level
  v.desk[0].storedLevel = 8231;           // a full-scale sine: 0 dB
  v.desk[0].liveLevel = 823;
  EXPECT_EQ(show(v, "%level %Level %Llevel"), "0.0 0.0 -20.0");
  v.desk[0].gain = 4096;
  EXPECT_EQ(show(v, "%level %Plevel"), "30.0 0.0");
  v.desk[0].gain = 1000;  // -15.35 dB, whole decibels toward zero
  EXPECT_EQ(show(v, "%level"), "-15.0");
}

TEST(TextFormatterValues, TextsClockAndCounter) {
  FakeZoneValues v = threeMinutes();
  v.desk[0].title = "Night Drive";
  v.desk[0].author = "Omen";
  v.desk[0].comment = "warm-up";
  EXPECT_EQ(show(v, "Now: %title"), "Now: Night Drive");
  EXPECT_EQ(show(v, "%TITLE"), "Night Drive");
  EXPECT_EQ(show(v, "%title!"), "%title!");  // only as the whole rest
  EXPECT_EQ(show(v, "%author / %comment"), "%author / warm-up");
  v.time = {9, 5, 3};
  EXPECT_EQ(show(v, "%fullhour"), "09:05:03");
  EXPECT_EQ(show(v, "%hour", -1), "09:05");
  v.ticks = 3723456 + 1000;  // an hour, two minutes, 3.4 s after the start
  EXPECT_EQ(show(v, "%counter", 0, 1000), "02:03'4");
  EXPECT_EQ(show(v, "%counter", 0, v.ticks + 5), "00:00'0");
}

TEST(TextFormatterLanguage, EscapesPercentsAndTextAsWritten) {
  FakeZoneValues v = threeMinutes();
  EXPECT_EQ(show(v, "a\\\\b\\tc\\nd\\re"), "a\\b\tc\r\nd\re");
  EXPECT_EQ(show(v, "\\65\\066!\\0\\321"), std::string("AB!") + char(321 % 256));
  EXPECT_EQ(show(v, "\\q\\"), "\\q\\");
  EXPECT_EQ(show(v, "100%% %"), "100% %");
  EXPECT_EQ(show(v, "%x %pbpm %PL"), "%x %pbpm %PL");  // flags are upper case only
  EXPECT_EQ(show(v, "%Pitch"), "100.0");             // a name before a flag
  EXPECT_EQ(show(v, "%timer"), "03:00.0r");          // names are prefixes
}

TEST(TextFormatterLanguage, PenMovesStartNewRuns) {
  FakeZoneValues v = threeMinutes();
  EXPECT_EQ(show(v, "a%10b%5,20c%3,d"), "a[0,10]b[5,20]c[0,3],d");
  EXPECT_EQ(show(v, "%99999999999999x"), "[0,16384]x");
}

// Hostile formats: every cut of a string of every construct, and long runs
// of each, end and stay within a bounded size (the sanitizers watch reads).
TEST(TextFormatterLanguage, AnyFormatEndsWithinBounds) {
  FakeZoneValues v = threeMinutes();
  v.desk[0].title = std::string(300, 't');
  const std::string all = "\\\\\\t\\n\\r\\12\\x%%%1%2,3%PLBtime%Lleft%cue4%end%Bbpm%PLevel%title%hour\\";
  for (size_t n = 0; n <= all.size(); ++n) {
    const std::string f = all.substr(0, n);
    EXPECT_LE(show(v, f).size(), 400 + 40 * f.size()) << f;
  }
  for (const char* unit : {"%", "\\", "%9", "%1,", "%P", "\\n", "%time"}) {
    std::string f;
    for (int i = 0; i < 2000; ++i) f += unit;
    EXPECT_LE(show(v, f).size(), 40 * f.size()) << unit;
  }
}

}  // namespace
}  // namespace zarnel
