// The disk scan and the database search at the size of a large collection:
// BM_ScanTree walks a real folder tree of 100,000 small files with the Linux
// folder service into a scan list file (goal: well under 10 s), and
// BM_SearchScanList times each keystroke of an incremental search over a
// 100,000-line scan list (goal: under 20 ms a key).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "library/ScanList.h"
#include "library/ScanListFile.h"
#include "library/ScanWalk.h"
#include "platform/DialogService.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixFolderService.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

constexpr int kTopFolders = 10;
constexpr int kFoldersEach = 100;
constexpr int kFilesEach = 100;  // 10 x 100 x 100 = 100,000 files

class SilentProgress : public ProgressWindow {
 public:
  void setText(const std::string&) override {}
  bool stopRequested() const override { return false; }
  void pump() override {}
};

// The tree, made once for the run and removed at its end.
class ScanTree {
 public:
  ScanTree() {
    std::string pattern = (fs::temp_directory_path() / "zarnel-scan-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    root = pattern;
    for (int top = 0; top < kTopFolders; ++top)
      for (int album = 0; album < kFoldersEach; ++album) makeAlbum(top, album);
  }
  ~ScanTree() {
    if (!root.empty()) fs::remove_all(root);
  }
  fs::path root;

 private:
  void makeAlbum(int top, int album) {
    const fs::path folder = root / ("Artist " + std::to_string(top)) / ("Album " + std::to_string(album));
    fs::create_directories(folder);
    for (int track = 0; track < kFilesEach; ++track) {
      const char* ending = track % 10 == 0 ? ".jpg" : (track % 7 == 0 ? ".wav" : ".mp3");
      std::ofstream(folder / ("Track " + std::to_string(track) + ending)) << "data";
    }
  }
};

void BM_ScanTree(benchmark::State& state) {
  static ScanTree tree;
  if (tree.root.empty()) {
    state.SkipWithError("cannot make the folder tree");
    return;
  }
  PosixFileSystem files;
  PosixFolderService folders;
  SilentProgress progress;
  const std::string listPath = (tree.root / "mp3database.txt").string();
  int64_t written = 0;
  for (auto _ : state) {
    ScanListFile file(files, folders, listPath);
    if (!file.create()) {
      state.SkipWithError("cannot create the scan list");
      return;
    }
    ScanWalk walker(folders, file, progress, kScanMp3 | kScanWav | kScanWma, nullptr);
    walker.walk(tree.root.string(), "");
    if (!file.finish()) state.SkipWithError("cannot write the scan list");
    written = walker.filesWritten();
  }
  state.counters["files"] = double(written);
}
BENCHMARK(BM_ScanTree)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

std::string bigScanList() {
  static const char* const kWords[] = {"Beat", "Drums", "Night", "Love", "Summer", "Deep", "House", "Remix",
                                       "Live", "Edit",  "Dub",   "Bass", "Groove", "Mix",  "Club",  "Radio"};
  std::string text;
  for (int i = 0; i < 100000; ++i) {
    text += "C:\\Music\\Artist " + std::to_string(i % 997) + "\\Album " + std::to_string(i % 89) + "\\" +
            std::to_string(i % 20) + " " + kWords[i % 16] + " " + kWords[(i / 16) % 16] + " " + kWords[(i / 256) % 16] +
            ".mp3," + std::to_string(3000000 + i) + "\r\n";
  }
  return text;
}

// Arg: the keystroke timed. 1..6 type "GROOVE" a key at a time (each
// narrowing the list shown); 7 is a backspace to "GROOV", which searches the
// whole list again.
void BM_SearchScanList(benchmark::State& state) {
  static const std::string text = bigScanList();
  static const std::string typed = "groove";
  ScanList list;
  list.parse(text);
  const size_t key = size_t(state.range(0));
  const std::string before = key <= typed.size() ? typed.substr(0, key - 1) : typed;
  const std::string after = key <= typed.size() ? typed.substr(0, key) : typed.substr(0, typed.size() - 1);
  size_t shown = 0;
  for (auto _ : state) {
    state.PauseTiming();
    list.search("");
    for (size_t i = 1; i <= before.size(); ++i) list.search(before.substr(0, i));
    state.ResumeTiming();
    list.search(after);
    shown = list.shown().size();
  }
  state.counters["shown"] = double(shown);
}
BENCHMARK(BM_SearchScanList)->DenseRange(1, 7)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarnel
