#include "platform/posix/SdlCursor.h"

namespace zarnel {
namespace {

constexpr uint32_t kTransparent = 0xFF00FF;

SDL_Cursor* systemCursor(CursorShape shape) {
  switch (shape) {
    case CursorShape::kText: return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_IBEAM);
    case CursorShape::kSizeWE: return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_SIZEWE);
    case CursorShape::kWait: return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    default: return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  }
}

// A 32-bit ARGB copy of picture, its magenta transparent.
SDL_Cursor* pictureCursor(const Bitmap& picture, int32_t hotX, int32_t hotY) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() < size_t(picture.width) * size_t(picture.height))
    return nullptr;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  for (int32_t y = 0; y < picture.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint32_t p = picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] & 0xFFFFFF;
      row[x] = p == kTransparent ? 0 : (0xFF000000u | p);
    }
  }
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hotX, hotY);
  SDL_FreeSurface(surface);
  return cursor;
}

}  // namespace

SdlCursor::~SdlCursor() {
  if (cursor_) SDL_FreeCursor(cursor_);
}

void SdlCursor::replace(SDL_Cursor* cursor) {
  if (!cursor) cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  if (cursor) SDL_SetCursor(cursor);
  if (cursor_) SDL_FreeCursor(cursor_);
  cursor_ = cursor;
}

void SdlCursor::set(CursorShape shape, const Bitmap* picture, int32_t hotX, int32_t hotY) {
  const uint32_t* pixels = shape == CursorShape::kPicture && picture ? picture->pixels.data() : nullptr;
  if (cursor_ && shape == shape_ && pixels == picture_) return;
  shape_ = shape;
  picture_ = pixels;
  replace(shape == CursorShape::kPicture && picture ? pictureCursor(*picture, hotX, hotY) : systemCursor(shape));
}

}  // namespace zarnel
