#pragma once
// A file a tool writes without risking the user's files: the target is
// refused when it is one of the tool's inputs (the same file by device and
// inode, so another path, a hard link or a symbolic link is caught), the
// bytes go to a temporary file beside the target, and only a successful
// commit renames that over the target. Anything else removes the temporary,
// leaving an existing target as it was.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zarnel::tools {

// Return: whether a and b name the same existing file ("-" names standard
// input). Any thread.
bool sameFile(const std::string& a, const std::string& b);

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();  // abandons an uncommitted file
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the temporary for target. inputs are the files the tool reads
  // ("-" for standard input). Return: false with error set (the target is an
  // input, a directory, or its folder cannot take the temporary); nothing is
  // written then.
  bool open(const std::string& target, const std::vector<std::string>& inputs, std::string& error);
  // Return: the open temporary's stream (null when not open). Writes and
  // seeks go through it.
  std::FILE* stream() { return file_; }
  // Flushes, syncs and closes the temporary and renames it over the target.
  // Return: false with error set; the temporary is removed then.
  bool commit(std::string& error);
  // Closes and removes the temporary. Safe when nothing is open.
  void abandon();
  bool isOpen() const { return file_ != nullptr; }
  const std::string& target() const { return target_; }
  const std::string& temporaryPath() const { return temporary_; }

 private:
  bool refuseInputs(const std::string& target, const std::vector<std::string>& inputs, std::string& error);
  bool createTemporary(std::string& error);

  std::string target_;     // the path renamed over (a symbolic link resolved)
  std::string temporary_;  // the temporary beside it
  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;  // the stream's buffer, released after the stream
};

}  // namespace zarnel::tools
