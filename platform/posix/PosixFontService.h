#pragma once
// Fonts found through fontconfig (which maps Windows face names such as
// "Arial" to installed metric twins) and rasterised, anti-aliased, by FreeType.

#include <memory>

#include "platform/FontService.h"

namespace zarnel {

class PosixFontService : public FontService {
 public:
  PosixFontService();
  ~PosixFontService() override;
  PosixFontService(const PosixFontService&) = delete;
  PosixFontService& operator=(const PosixFontService&) = delete;

  // Return: false when FreeType or fontconfig could not start; createFont
  // then always returns null.
  bool ready() const;
  std::unique_ptr<Font> createFont(const FontSpec& spec) override;

 private:
  struct Libraries;
  std::unique_ptr<Libraries> libs_;
};

}  // namespace zarnel
