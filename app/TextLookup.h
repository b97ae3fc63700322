#pragma once
// Where the shell takes its user texts from: the localised text table.

#include <string>

namespace zarnel {

class TextLookup {
 public:
  virtual ~TextLookup() = default;
  // Return: the text of key in section ("Errors", "Others", ...).
  virtual std::string text(const std::string& section, const std::string& key) const = 0;
  // Return: the "Errors" text of a fatal error index.
  virtual std::string errorText(int32_t index) const = 0;
};

}  // namespace zarnel
