#include "platform/posix/PosixFontService.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <vector>

namespace zarnel {

namespace {

constexpr const char* kDefaultFamily = "sans-serif";
// Heights beyond this many pixels are cut to it, so no glyph bitmap is huge.
constexpr int32_t kMaxPixels = 4096;

struct FaceFile {
  std::string path;
  int index = 0;
  std::string family;
};

// Return: the file fontconfig picks for family at weight; false when none.
bool matchFace(FcConfig* config, const std::string& family, int32_t weight, FaceFile& out) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* file = nullptr;
  FcChar8* name = nullptr;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  if (found) {
    out.path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &out.index);
    if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
      out.family = reinterpret_cast<const char*>(name);
  }
  FcPatternDestroy(match);
  return found;
}

// Post: up and down hold the face's Windows ascent and descent in font units
// (its OS/2 table's), or its FreeType ones when the table has none.
void windowsExtent(FT_Face face, int64_t& up, int64_t& down) {
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  up = face->ascender;
  down = -face->descender;
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    up = os2->usWinAscent;
    down = os2->usWinDescent;
  }
}

struct Glyph {
  bool loaded = false;
  int32_t left = 0, top = 0, width = 0, rows = 0;
  int32_t advance = 0;  // 26.6 pixels
  std::vector<uint8_t> coverage;
};

class FreeTypeFont : public Font {
 public:
  FreeTypeFont(FT_Face face, std::string family, int32_t height) : face_(face), family_(std::move(family)) {
    setSize(height);
  }
  ~FreeTypeFont() override { FT_Done_Face(face_); }

  std::string family() const override { return family_; }
  int32_t height() const override { return height_; }
  int32_t ascent() const override { return ascent_; }

  TextExtent measure(std::string_view text) const override {
    int32_t pen = 0;
    for (unsigned char c : text) pen += glyph(c).advance;
    return {(pen + 32) >> 6, height_};
  }

  void draw(const PixelTarget& target, int32_t x, int32_t y, std::string_view text,
            uint32_t colour, const ClipRect& clip) const override {
    const ClipRect box = clipToTarget(clip, target);
    int32_t pen = 0;
    for (unsigned char c : text) {
      const Glyph& g = glyph(c);
      blit(target, box, x + ((pen + 32) >> 6) + g.left, y + ascent_ - g.top, g, colour);
      pen += g.advance;
    }
  }

 private:
  // Sizes the face for a Windows font height. Positive: the cell, the face's
  // Windows ascent plus descent, is that many pixels. Negative: the em (the
  // character height) is its magnitude in pixels and the cell follows from
  // it. Zero: the default cell height.
  void setSize(int32_t requested) {
    int64_t up = 0, down = 0;
    windowsExtent(face_, up, down);
    const int64_t units = std::max<int64_t>(up + down, 1);
    const int64_t perEm = std::max<int64_t>(face_->units_per_EM, 1);
    if (requested == 0) requested = FontSpec{}.height;
    int64_t em64 = 0;  // 26.6 pixels
    if (requested > 0) {
      const int64_t cell = std::min(requested, kMaxPixels);
      em64 = (cell * 64 * perEm + units / 2) / units;
      height_ = int32_t(cell);
      ascent_ = int32_t((cell * up + units / 2) / units);
    } else {
      const int64_t em = std::min(-int64_t(requested), int64_t(kMaxPixels));
      em64 = em * 64;
      height_ = int32_t(std::max<int64_t>((em * units + perEm / 2) / perEm, 1));
      ascent_ = int32_t((em * up + perEm / 2) / perEm);
    }
    FT_Set_Char_Size(face_, 0, FT_F26Dot6(std::max<int64_t>(em64, 1)), 72, 72);
  }

  const Glyph& glyph(unsigned char c) const {
    Glyph& g = cache_[c];
    if (g.loaded) return g;
    g.loaded = true;
    const FT_UInt index = FT_Get_Char_Index(face_, ansiCodePoint(c));
    if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return g;
    const FT_GlyphSlot slot = face_->glyph;
    g.advance = int32_t(slot->advance.x);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = int32_t(slot->bitmap.width);
    g.rows = int32_t(slot->bitmap.rows);
    g.coverage.resize(size_t(g.width) * size_t(g.rows));
    for (int32_t r = 0; r < g.rows; ++r) {
      const uint8_t* row = slot->bitmap.buffer + r * slot->bitmap.pitch;
      std::copy(row, row + g.width, g.coverage.begin() + r * g.width);
    }
    return g;
  }

  static void blit(const PixelTarget& target, const ClipRect& box, int32_t x0, int32_t y0,
                   const Glyph& g, uint32_t colour) {
    for (int32_t r = 0; r < g.rows; ++r) {
      const int32_t y = y0 + r;
      if (y < box.top || y >= box.bottom) continue;
      uint32_t* row = target.pixels + int64_t(y) * target.stride;
      for (int32_t col = 0; col < g.width; ++col) {
        const int32_t x = x0 + col;
        if (x < box.left || x >= box.right) continue;
        row[x] = blendCoverage(row[x], colour, g.coverage[size_t(r * g.width + col)]);
      }
    }
  }

  FT_Face face_;
  std::string family_;
  int32_t height_ = 1;
  int32_t ascent_ = 0;
  mutable std::array<Glyph, 256> cache_;
};

}  // namespace

struct PosixFontService::Libraries {
  FT_Library freetype = nullptr;
  FcConfig* config = nullptr;
};

PosixFontService::PosixFontService() : libs_(std::make_unique<Libraries>()) {
  if (FT_Init_FreeType(&libs_->freetype) != 0) libs_->freetype = nullptr;
  libs_->config = FcInitLoadConfigAndFonts();
}

PosixFontService::~PosixFontService() {
  if (libs_->config) FcConfigDestroy(libs_->config);
  if (libs_->freetype) FT_Done_FreeType(libs_->freetype);
}

bool PosixFontService::ready() const { return libs_->freetype && libs_->config; }

std::unique_ptr<Font> PosixFontService::createFont(const FontSpec& spec) {
  if (!ready()) return nullptr;
  for (const std::string& family : {spec.face, std::string(kDefaultFamily)}) {
    FaceFile file;
    if (!matchFace(libs_->config, family, spec.weight, file)) continue;
    FT_Face face = nullptr;
    if (FT_New_Face(libs_->freetype, file.path.c_str(), file.index, &face) != 0) continue;
    if (!FT_IS_SCALABLE(face)) {
      FT_Done_Face(face);
      continue;
    }
    return std::make_unique<FreeTypeFont>(face, file.family, spec.height);
  }
  return nullptr;
}

}  // namespace zarnel
