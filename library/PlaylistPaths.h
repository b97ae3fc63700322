#pragma once
// How the path texts of a playlist file become this machine's paths.
// Playlists come from other programs and other machines, so a path may be
// relative to the playlist's folder, a Windows path with a drive letter and
// backslashes, a "file://" URI, a name in the Latin-1 code page, or padded
// with blanks. Each text gives candidates in order of preference: the file's
// reader takes the first that exists, else the first.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

class DriveList;

// Return: the folder that stands for the root of drive letter ('A'..'Z')
// on this machine, ending with a separator (for example "/" or "E:\"); none
// when the drive has no place here.
using DriveRootMap = std::function<std::optional<std::string>(char letter)>;

// Thread: any one thread at a time (candidates does no I/O).
class PlaylistPaths {
 public:
  // Most trailing folder levels of a foreign absolute path tried below the
  // playlist's folder, when the path itself is not found.
  static constexpr size_t kMaxTailParts = 4;

  // separator: this machine's separator, '/' or '\'. driveRoot: where
  // drive letters lead; empty: no drive letter leads anywhere.
  explicit PlaylistPaths(char separator = '/', DriveRootMap driveRoot = {});

  // Return: the rules of a machine whose drives drives lists, read once now.
  // With separator '\' every drive letter is its own root ("X:\"). With '/'
  // each fixed drive the list names stands for the file system root "/" (the
  // POSIX drive list's "C:\"), and the other drives have no place.
  static PlaylistPaths forDrives(DriveList& drives, char separator);

  // Return: where the file that the path text line names may be, for a
  // playlist file in folder (as folderOf gives it), best first, without
  // duplicates, none empty, holding no NUL, "\r" or "\n", none longer than
  // kMaxPlaylistLineBytes. First the plain reading: a text that is not UTF-8
  // is taken as Latin-1; "file:" URIs are decoded; a drive path goes through
  // the drive map with its separators made this machine's; a path starting
  // with one "\" is on the root of the playlist's drive; a relative path is
  // joined to folder; another URI ("http://...") stays as it is. Then the
  // same with blanks trimmed, then the raw bytes of a non-UTF-8 text, and
  // for a foreign absolute path (a drive letter, "\\server") its last
  // kMaxTailParts..1 parts below folder.
  std::vector<std::string> candidates(std::string_view line, std::string_view folder) const;

  char separator() const { return separator_; }

  // Return: the folder part of path, up to and with its last "/" or "\";
  // empty when it has none. Any thread.
  static std::string folderOf(std::string_view path);
  // Return: true when path names a playlist file: ".m3u", ".m3u8" or ".pls"
  // at its end, in any case. Any thread.
  static bool isPlaylistFileName(std::string_view path);
  // Return: the path that a "file:" URI names, percent escapes decoded
  // ("file:///x" and "file://localhost/x" give "/x", "file:///C:/x" and
  // "file:///C|/x" give "C:/x", "file://host/x" gives "//host/x"); none
  // when uri is not one. Any thread.
  static std::optional<std::string> decodeFileUri(std::string_view uri);

 private:
  // The candidates of one line: its readings, then the fallbacks of all.
  struct Found {
    std::vector<std::string> readings;
    std::vector<std::string> fallbacks;
  };

  void addVariant(std::string_view text, std::string_view folder, Found& found) const;
  void addFilePath(std::string_view text, std::string_view folder, Found& found) const;
  void addTails(std::string_view rest, std::string_view folder, std::vector<std::string>& out) const;
  std::string native(std::string_view text) const;
  std::string join(std::string_view folder, std::string_view relative) const;

  char separator_;
  DriveRootMap driveRoot_;
};

}  // namespace zarnel
