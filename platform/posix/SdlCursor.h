#pragma once
// The pointer's shape for a window: SDL's system cursors, or one made from
// a picture (magenta pixels transparent). Owns the cursor it shows.

#include <SDL.h>

#include <cstdint>

#include "platform/WindowSystem.h"

namespace zarnel {

// UI thread.
class SdlCursor {
 public:
  SdlCursor() = default;
  SdlCursor(const SdlCursor&) = delete;
  SdlCursor& operator=(const SdlCursor&) = delete;
  ~SdlCursor();

  // Shows shape; a picture that cannot be made leaves the arrow.
  void set(CursorShape shape, const Bitmap* picture, int32_t hotX, int32_t hotY);

 private:
  void replace(SDL_Cursor* cursor);

  SDL_Cursor* cursor_ = nullptr;
  CursorShape shape_ = CursorShape::kArrow;
  const uint32_t* picture_ = nullptr;  // the picture shown, to skip remaking it
};

}  // namespace zarnel
