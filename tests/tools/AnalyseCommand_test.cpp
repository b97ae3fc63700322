#include "tools/analyse/AnalyseCommand.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "library/TrackStore.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/BeatSignal.h"
#include "support/MpegStreams.h"
#include "support/RiffBuilder.h"
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

TEST(AnalyseCommand, AFileThatDoesNotOpenSaysWhy) {
  VirtualFileSystem files;
  files.put("deep.wav", test::makeRawWav(test::pcmHeader(2, 44100, 24), std::vector<uint8_t>(6000, 1)));
  files.put("wide.wav", test::makeRawWav(test::pcmHeader(6, 44100, 16), std::vector<uint8_t>(6000, 1)));
  std::ostringstream out, err;
  FileAnalysis analysis(files, nullptr);
  EXPECT_EQ(tools::analyseFiles(analysis, {"deep.wav", "wide.wav", "gone.wav"}, out, err), 1);
  EXPECT_EQ(out.str(), "");
  const std::string said = err.str();
  EXPECT_NE(said.find("zarnel-analyse: cannot open deep.wav: 24-bit WAV is not supported\n"), std::string::npos) << said;
  EXPECT_NE(said.find("zarnel-analyse: cannot open wide.wav: more than two channels are not supported\n"),
            std::string::npos);
  EXPECT_NE(said.find("zarnel-analyse: cannot open gone.wav: file not found\n"), std::string::npos);
}

TEST(AnalyseCommand, TheUsageNamesTheCommand) {
  EXPECT_NE(tools::analyseUsage().find("usage: zarnel-analyse [--] FILE..."), std::string::npos);
}

TEST(AnalyseArguments, TheWaitNoticeIsSaidOnceAndWaitsOn) {
  std::ostringstream err;
  tools::StoreWaitNotice notice(err);
  EXPECT_FALSE(notice.waited());
  EXPECT_TRUE(notice.keepWaiting(0));
  EXPECT_TRUE(notice.keepWaiting(100));
  EXPECT_TRUE(notice.waited());
  EXPECT_EQ(err.str(), "zarnel-analyse: waiting for another program using the track store...\n");
}

// --- The built program --------------------------------------------------------

// A folder of its own for runs of zarnel-analyse, which keeps its track store
// in the current folder.
class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("zarnel_analyse_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void putKicks(const std::string& name, double bpm, double seconds) {
    test::writeBytes(path(name), test::makeWav({}, test::toBytes(test::beatTrack({bpm, seconds, 0.5}))));
  }
  // The shell line that runs the program in the folder with args, its
  // output, errors and exit status going to files named after tag.
  std::string command(const std::string& tag, const std::string& args) const {
    return "cd '" + dir_.string() + "' && '" ZARNEL_ANALYSE_PROGRAM "' " + args + " > " + tag + ".out 2> " + tag +
           ".err; echo $? > " + tag + ".rc";
  }
  // Return: the program's exit status.
  int run(const std::string& tag, const std::string& args) {
    EXPECT_EQ(std::system(command(tag, args).c_str()), 0);
    return std::stoi(text(tag + ".rc"));
  }
  void start(const std::string& tag, const std::string& args) {
    EXPECT_EQ(std::system(("(" + command(tag, args) + ") &").c_str()), 0);
  }
  // Waits (at most a minute) until file exists and holds what.
  bool waitFor(const std::string& file, const std::string& what) const {
    for (int i = 0; i < 6000; ++i) {
      if (text(file).find(what) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
  std::string text(const std::string& name) const {
    const std::vector<uint8_t> bytes = test::readBytes(path(name));
    return std::string(bytes.begin(), bytes.end());
  }
  // Return: the store the runs left, loaded on a copy of its bytes.
  std::unique_ptr<TrackStore> storeLeft(VirtualFileSystem& files) const {
    files.put(kTrackStoreFile, test::readBytes(path(kTrackStoreFile)));
    auto store = std::make_unique<TrackStore>(files, 1);
    EXPECT_TRUE(store->open(""));
    return store;
  }

  std::filesystem::path dir_;
};

TEST_F(ProgramRun, HelpVersionAndUsageErrors) {
  EXPECT_EQ(run("help", "--help"), 0);
  EXPECT_EQ(text("help.out"), tools::analyseUsage());
  EXPECT_EQ(run("version", "--version"), 0);
  EXPECT_EQ(text("version.out"), "zarnel-analyse 0.1\n");
  EXPECT_EQ(run("none", ""), 2);
  EXPECT_NE(text("none.err").find("usage: zarnel-analyse"), std::string::npos);
  EXPECT_EQ(run("unknown", "-odd.wav"), 2);
  EXPECT_NE(text("unknown.err").find("unknown option -odd.wav"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path(kTrackStoreFile)));  // no run opened the store
  EXPECT_EQ(run("many", "a.wav -- --help"), 1);  // after "--" even "--help" is a file
  EXPECT_NE(text("many.err").find("cannot open --help: file not found"), std::string::npos) << text("many.err");
  putKicks("-odd.wav", 120.0, 12.0);
  EXPECT_EQ(run("odd", "-- -odd.wav"), 0);
  EXPECT_EQ(text("odd.out").rfind("-odd.wav,", 0), 0u) << text("odd.out");
  test::writeBytes(path("deep.wav"), test::makeRawWav(test::pcmHeader(2, 44100, 24), std::vector<uint8_t>(6000, 1)));
  EXPECT_EQ(run("deep", "deep.wav"), 1);
  EXPECT_NE(text("deep.err").find("zarnel-analyse: cannot open deep.wav: 24-bit WAV is not supported"),
            std::string::npos);
}

// Two runs on different files in one folder at once: the second waits for
// the first to let go of the track store, loads it afresh and adds its own
// entry, so both are kept.
TEST_F(ProgramRun, TwoRunsAtOnceLoseNothing) {
  putKicks("first.wav", 120.0, 40.0);
  putKicks("second.wav", 128.0, 20.0);
  start("first", "first.wav first.wav first.wav");  // holds the store through three analyses
  ASSERT_TRUE(waitFor("first.err", "[1/3] first.wav")) << text("first.err");
  EXPECT_EQ(run("second", "second.wav"), 0) << text("second.err");
  ASSERT_TRUE(waitFor("first.rc", "\n"));
  EXPECT_EQ(text("first.rc"), "0\n") << text("first.err");
  EXPECT_NE(text("second.err").find("zarnel-analyse: waiting for another program using the track store..."),
            std::string::npos)
      << text("second.err");
  EXPECT_EQ(text("second.err").find("not kept"), std::string::npos);

  VirtualFileSystem files;
  std::unique_ptr<TrackStore> store = storeLeft(files);
  const std::pair<const char*, double> tracks[] = {{"first.wav", 120.0}, {"second.wav", 128.0}};
  for (const auto& [name, bpm] : tracks) {
    TrackEntry* entry = store->find(name, int32_t(std::filesystem::file_size(path(name))));
    EXPECT_GE(entry->blockOffset, 0) << name;
    EXPECT_NEAR(entry->bpm, bpm, 0.5) << name;
  }
  int32_t entries = 0;
  for (TrackEntry* e = store->first(); e; e = e->next) ++entries;
  EXPECT_EQ(entries, 2);

  // Both started together, with no head start: still nothing lost.
  putKicks("third.wav", 100.0, 20.0);
  start("fourth", "first.wav");
  EXPECT_EQ(run("third", "third.wav"), 0);
  ASSERT_TRUE(waitFor("fourth.rc", "\n"));
  EXPECT_EQ(text("fourth.rc"), "0\n");
  store = storeLeft(files);
  EXPECT_GE(store->find("third.wav", int32_t(std::filesystem::file_size(path("third.wav"))))->blockOffset, 0);
  EXPECT_GE(store->find("first.wav", int32_t(std::filesystem::file_size(path("first.wav"))))->blockOffset, 0);
}

}  // namespace
}  // namespace zarnel
