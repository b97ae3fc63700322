#pragma once
// The registry on Linux: one key kept in a text file in the Windows registry
// export format (see RegExport.h), by default
// $XDG_CONFIG_HOME/zarnel/Zarnel.reg or ~/.config/zarnel/Zarnel.reg.
//
// A missing file, or one without the key's section, is a key that cannot be
// opened: the installer makes the file, the program never does. Values live
// in memory while the key is open; closing it after a write replaces the
// whole file atomically (a temporary file in the same folder, flushed to the
// disk, then renamed over it), so a crash while saving leaves the old file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryValueList.h"

namespace zarnel {

// Thread: one thread at a time (the UI thread).
class PosixRegistry : public Registry {
 public:
  // Larger files are refused as damaged, and never written.
  static constexpr size_t kMaxFileBytes = 1024 * 1024;

  // The file at defaultPath().
  PosixRegistry() : PosixRegistry(defaultPath()) {}
  explicit PosixRegistry(std::string path) : path_(std::move(path)) {}
  ~PosixRegistry() override = default;
  PosixRegistry(const PosixRegistry&) = delete;
  PosixRegistry& operator=(const PosixRegistry&) = delete;

  // Return: "zarnel/Zarnel.reg" below $XDG_CONFIG_HOME when that is an
  // absolute path, else below $HOME/.config (or the user database's home);
  // empty when no home is known.
  static std::string defaultPath();
  const std::string& path() const { return path_; }
  // Return: the value lines the last open could not read (they are dropped
  // when the file is next written).
  int32_t damagedLines() const { return damaged_; }

  // Reads the whole file. Return: false when it is missing, not a regular
  // file, over kMaxFileBytes, without the header or without a section for
  // "HKEY_LOCAL_MACHINE\" subKey.
  bool open(const char* subKey) override;
  bool read(const char* name, uint32_t& type, std::vector<uint8_t>& data) override;
  // Return: false also for a name holding a control byte, or data over
  // kMaxRegistryValueBytes.
  bool write(const char* name, uint32_t type, const uint8_t* data, uint32_t size) override;
  // Writes the file when a value was written since open.
  // Return: false when that write failed; the old file is then untouched.
  bool close() override;

 protected:
  // Moves the finished, flushed temporary file over target (tests stop here
  // to play a crash). Return: false when it could not.
  virtual bool replaceFile(const std::string& temp, const std::string& target);

 private:
  bool readFile(std::string& text) const;
  bool writeFile(const std::string& text);

  std::string path_;
  std::string keyPath_;
  RegistryValueList values_;
  bool open_ = false;
  bool changed_ = false;
  int32_t damaged_ = 0;
};

}  // namespace zarnel
