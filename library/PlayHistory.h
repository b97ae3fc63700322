#pragma once
// The play history: every track that stayed loaded on a desk for 40 seconds
// during the run, newest first, with the local time it was recorded. It
// marks played tracks in the browser, removes them from the playlist ("New
// songs only"), is appended to "history.txt" at exit, can be saved as a text
// file, and gives the charts report its file names.
//
// The desks' 40-second timers belong to the program: when one fires, it
// calls add with the entry of the track then on the desk.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/LocalClock.h"

namespace zarnel {

struct TrackEntry;
class FileWriter;

inline constexpr char kHistoryFile[] = "history.txt";

struct PlayRecord {
  TrackEntry* entry = nullptr;  // the track store's; not owned
  LocalTime time;               // local time of day when recorded
};

// Thread: the UI thread.
class PlayHistory {
 public:
  // Return: today's local date stamp (year × 1024 + month × 64 + day).
  using DateSource = std::function<int32_t()>;

  // writer: writes the history files. clock: the time of a record; null
  // uses the standard library's local time. today: the date of a written
  // history; empty uses todayStamp(). writer and clock must outlive this.
  explicit PlayHistory(FileWriter& writer, const LocalClock* clock = nullptr, DateSource today = {});

  // Records entry as played now, at the head. A null entry is ignored.
  // Post: onChange (when set) was called, so the browser lists redraw.
  void add(TrackEntry* entry);
  // Return: true when some record holds entry (the "played" status).
  bool contains(const TrackEntry* entry) const;
  // Removes every record of entry ("Unmark status"). Return: how many.
  // Post: onChange was called when some were removed.
  size_t remove(const TrackEntry* entry);
  // Removes every record.
  void clear();

  // Return: the records, newest first.
  const std::deque<PlayRecord>& records() const { return records_; }
  bool empty() const { return records_.empty(); }
  // Return: the file name of each record's track, newest first (the charts
  // report's list).
  std::vector<std::string> fileNames() const;

  // Return: the history file's text for the date stamp date:
  // "\nZarnel History - DD/MM/YYYY\n" then 30 "-", "\n\n", then for every
  // record, newest first, "HH:MM - name\n" (the entry's file name).
  std::string text(int32_t date) const;
  // Writes text(today) to path: appended when append is set (the file is
  // created when missing; at exit to "history.txt"), else replacing the file
  // through a temporary ("Save the history list"). An empty path writes
  // nothing. Return: false when the file could not be written (the caller
  // skips silently, as the program does); true for an empty path.
  bool write(const std::string& path, bool append) const;

  // Called after every change (add, remove of some records, clear).
  std::function<void()> onChange;

 private:
  void changed() const;

  FileWriter& writer_;
  const LocalClock* clock_;
  DateSource today_;
  std::deque<PlayRecord> records_;
  std::unordered_map<const TrackEntry*, int32_t> counts_;  // records per entry
};

}  // namespace zarnel
