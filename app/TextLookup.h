#pragma once
// Where the shell takes its user texts from: the localised text table, or a
// stand-in in tests.

#include <cstdint>
#include <string>

#include "app/TextSlots.h"

namespace zarnel {

class FileSystem;

class TextLookup {
 public:
  virtual ~TextLookup() = default;
  // Return: the text of slot in section.
  virtual std::string text(TextSection section, int32_t slot) const = 0;
  // Return: the "Errors" text of a fatal error index.
  virtual std::string errorText(int32_t index) const = 0;
};

// The localised text table as start-up drives it.
class TextTable : public TextLookup {
 public:
  // Loads the language file at path; slots it lacks keep their defaults.
  virtual void load(const std::string& path) = 0;
  // Frees the loaded texts (the defaults stay).
  virtual void release() = 0;
};

// The process-wide localised texts, their file read through files.
class LocalisedTexts : public TextTable {
 public:
  explicit LocalisedTexts(FileSystem* files) : files_(files) {}
  void load(const std::string& path) override;
  void release() override;
  std::string text(TextSection section, int32_t slot) const override;
  std::string errorText(int32_t index) const override;

 private:
  FileSystem* files_;
};

}  // namespace zarnel
