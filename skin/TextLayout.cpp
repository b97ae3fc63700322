#include "skin/TextLayout.h"

#include "skin/TextRenderer.h"

namespace zarnel {

namespace {

int32_t widthOf(const TextRenderer& text, const FontDescription& font, std::string_view s) {
  return text.measure(font, s).width;
}

// Appends the words of one line of text to out, each line fitting width
// where the words allow.
void wrapLine(const TextRenderer& text, const FontDescription& font, std::string_view line, int32_t width,
              std::vector<std::string>& out) {
  std::string current;
  size_t i = 0;
  while (i < line.size()) {
    const size_t start = line.find_first_not_of(' ', i);
    if (start == std::string_view::npos) break;
    size_t end = line.find(' ', start);
    if (end == std::string_view::npos) end = line.size();
    const std::string_view word = line.substr(start, end - start);
    std::string tried = current.empty() ? std::string(word) : current + ' ' + std::string(word);
    if (!current.empty() && widthOf(text, font, tried) > width) {
      out.push_back(std::move(current));
      tried = std::string(word);
    }
    current = std::move(tried);
    i = end;
  }
  out.push_back(std::move(current));
}

}  // namespace

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::string ellipsize(const TextRenderer& text, const FontDescription& font, std::string_view line, int32_t width) {
  if (widthOf(text, font, line) <= width) return std::string(line);
  // The longest start that fits with the ellipsis: widths grow with length,
  // so a binary search finds it.
  size_t lo = 0, hi = line.size();
  while (lo < hi) {
    const size_t mid = (lo + hi + 1) / 2;
    const std::string tried = std::string(line.substr(0, mid)) + std::string(kEllipsis);
    if (widthOf(text, font, tried) <= width) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  return std::string(line.substr(0, lo)) + std::string(kEllipsis);
}

std::vector<std::string> wrapWords(const TextRenderer& text, const FontDescription& font, std::string_view s,
                                   int32_t width) {
  std::vector<std::string> out;
  for (std::string_view line : splitLines(s)) wrapLine(text, font, line, width, out);
  return out;
}

int32_t alignedLeft(TextAlign align, int32_t left, int32_t width, int32_t textWidth) {
  switch (align) {
    case TextAlign::kCentre:
      return left + (width - textWidth) / 2;
    case TextAlign::kRight:
      return left + width - textWidth;
    case TextAlign::kLeft:
      break;
  }
  return left;
}

}  // namespace zarnel
