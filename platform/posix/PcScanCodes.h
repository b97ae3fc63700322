#pragma once
// SDL's key positions as PC keyboard scan codes (set 1) with the extended
// flag, the form key messages carry and key bindings store.

#include <SDL_scancode.h>

#include <cstdint>

namespace zarnel {

// Return: the scan code | 0x100 for an extended key, or 0 for a key the PC
// keyboard does not have.
int32_t pcScanCode(SDL_Scancode code);
// Return: SDL's key for a scan code | 0x100 extended, or SDL_SCANCODE_UNKNOWN.
SDL_Scancode sdlScancodeOf(int32_t pcCode);

}  // namespace zarnel
