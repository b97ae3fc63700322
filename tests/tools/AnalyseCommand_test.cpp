#include "tools/analyse/AnalyseCommand.h"

#include <gtest/gtest.h>

#include <sstream>

#include "library/TrackStore.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/BeatSignal.h"
#include "support/WavBuilder.h"
#include "tools/synth/DemoSong.h"

namespace zarnel {
namespace {

struct CsvRow {
  std::string file;
  double bpm = 0, firstBeat = 0, lastBeat = 0;
};

std::vector<CsvRow> parse(const std::string& text) {
  std::vector<CsvRow> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    CsvRow row;
    const size_t c3 = line.rfind(','), c2 = line.rfind(',', c3 - 1), c1 = line.rfind(',', c2 - 1);
    row.file = line.substr(0, c1);
    row.bpm = std::stod(line.substr(c1 + 1));
    row.firstBeat = std::stod(line.substr(c2 + 1));
    row.lastBeat = std::stod(line.substr(c3 + 1));
    rows.push_back(row);
  }
  return rows;
}

TEST(AnalyseCommand, DemoSongsAndKicksReportTheirTempoAndAreStored) {
  VirtualFileSystem files;
  const std::vector<std::pair<std::string, double>> songs = {
      {"night.wav", 124.0}, {"copper.wav", 128.0}, {"tide.wav", 118.0}};
  uint32_t seed = 7;
  for (const auto& [name, bpm] : songs) {
    tools::SongRecipe recipe{name, bpm, 16, 45, int32_t(seed % 3), seed};
    files.put(name, test::makeWav({}, test::toBytes(tools::renderSong(recipe))));
    seed += 4;
  }
  files.put("clicks.wav", test::makeWav({}, test::toBytes(test::beatTrack({100.0, 40.0, 1.0, 20000.0, test::Beat::kClick}))));
  std::vector<std::string> paths = {"night.wav", "copper.wav", "tide.wav", "clicks.wav", "missing.wav"};

  TrackStore store(files, 2050 * 1024 + 3 * 64 + 4);
  ASSERT_TRUE(store.open(""));
  std::ostringstream out, err;
  {
    FileAnalysis analysis(files, &store);
    EXPECT_EQ(tools::analyseFiles(analysis, paths, out, err), 1);  // one file did not open
  }
  const std::vector<CsvRow> rows = parse(out.str());
  ASSERT_EQ(rows.size(), 4u) << out.str();
  const double expected[] = {124.0, 128.0, 118.0, 100.0};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].file, paths[i]);
    EXPECT_NEAR(rows[i].bpm, expected[i], 0.5) << paths[i];
    EXPECT_GE(rows[i].firstBeat, 0.0);
    EXPECT_LT(rows[i].firstBeat, rows[i].lastBeat) << paths[i];
    EXPECT_LE(rows[i].lastBeat, 1.0);
  }
  EXPECT_NE(err.str().find("[5/5] missing.wav  cannot open"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("[2/5] copper.wav"), std::string::npos);
  store.close();

  // Stored: a new run of the store finds the tempo and the beats.
  TrackStore again(files, 2050 * 1024 + 3 * 64 + 5);
  ASSERT_TRUE(again.open(""));
  const int32_t size = int32_t(files.bytes("copper.wav").size());
  TrackEntry* entry = again.find("copper.wav", size);
  EXPECT_NEAR(entry->bpm, rows[1].bpm, 0.005);
  TrackData* data = again.acquire(entry);
  EXPECT_NEAR(data->v1, rows[1].firstBeat, 1e-6);
  EXPECT_NEAR(data->v2, rows[1].lastBeat, 1e-6);
  EXPECT_GT(data->v6, 1);
  EXPECT_GT(data->v8, 0);
  again.release(entry);
}

TEST(AnalyseCommand, CsvQuotesAwkwardFileNames) {
  FileAnalysisResult r;
  r.bpm = 127.996f;
  r.firstBeat = 0.0125f;
  r.lastBeat = 0.975f;
  EXPECT_EQ(tools::analysisCsvLine("/music/a.mp3", r), "/music/a.mp3,128.00,0.012500,0.975000");
  EXPECT_EQ(tools::analysisCsvLine("Artist, \"Live\".mp3", r),
            "\"Artist, \"\"Live\"\".mp3\",128.00,0.012500,0.975000");
}

}  // namespace
}  // namespace zarnel
