#pragma once
// Writing whole text files without risking the old ones: the playlists the
// user saves and the play history. A replaced file is either the old one or
// the whole new one, never a part.

#include <string>
#include <string_view>

namespace zarnel {

// Thread: the UI thread (one thread at a time).
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Replaces the file at path by text: the text goes to a temporary file
  // beside it, which is renamed over path only once written whole.
  // Return: false when that failed; path is then as it was.
  virtual bool replace(const std::string& path, std::string_view text) = 0;
  // Adds text at the end of the file at path, creating it when missing.
  // Return: false when not all of text was written (a part may have been).
  virtual bool append(const std::string& path, std::string_view text) = 0;
};

}  // namespace zarnel
