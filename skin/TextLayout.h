#pragma once
// Laying text out in a box as the window system's text drawing does: lines
// broken at CR LF, CR or LF; alignment; an ellipsis ("...") that replaces
// the end of a line too wide for the box; and word breaks at spaces.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinLook.h"

namespace zarnel {

class TextRenderer;

enum class TextAlign { kLeft, kRight, kCentre };

inline constexpr std::string_view kEllipsis = "...";

// Return: text cut into lines at each CR LF, lone CR or lone LF; one empty
// line for empty text. Any thread.
std::vector<std::string_view> splitLines(std::string_view text);

// Return: line as it fits width pixels in font: unchanged when it fits, else
// its longest start that fits followed by "...", or "..." alone. UI thread,
// as the renderer's measure.
std::string ellipsize(const TextRenderer& text, const FontDescription& font, std::string_view line, int32_t width);

// Return: the lines of text broken at spaces so that each fits width where
// a word allows (a longer word keeps a line to itself), with the explicit
// line breaks kept.
std::vector<std::string> wrapWords(const TextRenderer& text, const FontDescription& font, std::string_view s,
                                   int32_t width);

// Return: the left edge of a line textWidth wide aligned in [left, left +
// width).
int32_t alignedLeft(TextAlign align, int32_t left, int32_t width, int32_t textWidth);

}  // namespace zarnel
