#include "library/PlayHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/DateStamp.h"
#include "library/TrackEntry.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/MemoryFileWriter.h"

namespace zarnel {
namespace {

class FixedClock : public LocalClock {
 public:
  LocalTime now() const override { return time; }
  LocalTime time;
};

class PlayHistoryTest : public ::testing::Test {
 protected:
  PlayHistoryTest() {
    a.name = "Band - First.mp3";
    b.name = "second.wav";
  }
  void addAt(TrackEntry& e, int32_t hour, int32_t minute) {
    clock.time = LocalTime{hour, minute, 30};
    history.add(&e);
  }

  VirtualFileSystem files;
  test::MemoryFileWriter writer{files};
  FixedClock clock;
  int32_t today = dateStamp(2024, 3, 7);
  PlayHistory history{writer, &clock, [this] { return today; }};
  TrackEntry a, b;
};

constexpr char kHeader[] = "\nZarnel History - 07/03/2024\n------------------------------\n\n";

TEST_F(PlayHistoryTest, RecordsAreNewestFirstWithTheirTime) {
  int changes = 0;
  history.onChange = [&] { ++changes; };
  addAt(a, 9, 5);
  addAt(b, 23, 59);
  addAt(a, 0, 0);
  history.add(nullptr);
  ASSERT_EQ(history.records().size(), 3u);
  EXPECT_EQ(history.records()[0].entry, &a);
  EXPECT_EQ(history.records()[1].entry, &b);
  EXPECT_EQ(history.records()[1].time.hour, 23);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(history.fileNames(), (std::vector<std::string>{"Band - First.mp3", "second.wav", "Band - First.mp3"}));
}

TEST_F(PlayHistoryTest, TheFileTextIsPinned) {
  addAt(a, 9, 5);
  addAt(b, 23, 59);
  EXPECT_EQ(history.text(today), std::string(kHeader) + "23:59 - second.wav\n09:05 - Band - First.mp3\n");
  EXPECT_EQ(PlayHistory(writer, &clock).text(dateStamp(1999, 12, 31)),
            "\nZarnel History - 31/12/1999\n------------------------------\n\n");
}

TEST_F(PlayHistoryTest, ContainsAndRemoveEveryRecordOfAnEntry) {
  addAt(a, 1, 0);
  addAt(b, 2, 0);
  addAt(a, 3, 0);
  EXPECT_TRUE(history.contains(&a));
  EXPECT_FALSE(history.contains(nullptr));
  EXPECT_EQ(history.remove(&a), 2u);
  EXPECT_FALSE(history.contains(&a));
  EXPECT_TRUE(history.contains(&b));
  EXPECT_EQ(history.remove(&a), 0u);
  ASSERT_EQ(history.records().size(), 1u);
  EXPECT_EQ(history.records()[0].time.hour, 2);
  history.clear();
  EXPECT_TRUE(history.empty());
  EXPECT_FALSE(history.contains(&b));
}

TEST_F(PlayHistoryTest, AppendAddsToTheFileAndCreatesIt) {
  addAt(a, 10, 30);
  ASSERT_TRUE(history.write("/home/history.txt", true));
  today = dateStamp(2024, 3, 8);
  addAt(b, 11, 0);
  ASSERT_TRUE(history.write("/home/history.txt", true));
  EXPECT_EQ(writer.text("/home/history.txt"),
            std::string(kHeader) + "10:30 - Band - First.mp3\n" +
                "\nZarnel History - 08/03/2024\n------------------------------\n\n"
                "11:00 - second.wav\n10:30 - Band - First.mp3\n");
  EXPECT_EQ(writer.replaces, 0);
}

TEST_F(PlayHistoryTest, SavingReplacesTheFile) {
  files.put("/saved.txt", {'o', 'l', 'd'});
  addAt(a, 10, 30);
  ASSERT_TRUE(history.write("/saved.txt", false));
  EXPECT_EQ(writer.text("/saved.txt"), std::string(kHeader) + "10:30 - Band - First.mp3\n");
  EXPECT_EQ(writer.appends, 0);
}

TEST_F(PlayHistoryTest, AnEmptyPathWritesNothingAndAFailureIsReported) {
  addAt(a, 10, 30);
  EXPECT_TRUE(history.write("", true));
  EXPECT_EQ(writer.appends + writer.replaces, 0);
  writer.failing = true;
  EXPECT_FALSE(history.write("/h.txt", true));
  EXPECT_FALSE(history.write("/h.txt", false));
  EXPECT_FALSE(files.exists("/h.txt"));
}

TEST_F(PlayHistoryTest, AnEmptyHistoryWritesItsHeader) {
  ASSERT_TRUE(history.write("/h.txt", true));
  EXPECT_EQ(writer.text("/h.txt"), kHeader);
}

}  // namespace
}  // namespace zarnel
