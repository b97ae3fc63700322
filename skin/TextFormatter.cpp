#include "skin/TextFormatter.h"

#include <algorithm>

#include "skin/SkinGeometry.h"

namespace zarnel {

namespace {

struct FieldName {
  const char* name;
  ZoneField field;
};

// Matched in this order, so "cue0" wins over "cue".
constexpr FieldName kPrefixNames[] = {
    {"time", ZoneField::kTime},   {"spent", ZoneField::kSpent}, {"left", ZoneField::kLeft},
    {"cue0", ZoneField::kCue0},   {"cue1", ZoneField::kCue1},   {"cue2", ZoneField::kCue2},
    {"cue3", ZoneField::kCue3},   {"cue4", ZoneField::kCue4},   {"cue", ZoneField::kCue},
    {"first", ZoneField::kFirst}, {"end", ZoneField::kEnd},     {"bpm", ZoneField::kBpm},
    {"pitch", ZoneField::kPitch}, {"level", ZoneField::kLevel},
};
constexpr FieldName kWholeRestNames[] = {
    {"title", ZoneField::kTitle},       {"author", ZoneField::kAuthor}, {"comment", ZoneField::kComment},
    {"fullhour", ZoneField::kFullHour}, {"hour", ZoneField::kHour},     {"counter", ZoneField::kCounter},
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Return: whether text starts with name, ignoring case.
bool startsWith(std::string_view text, std::string_view name) {
  if (text.size() < name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (lower(text[i]) != name[i]) return false;
  }
  return true;
}

// Reads the digits at f[i...], saturating at limit. Post: i past them.
int32_t readNumber(std::string_view f, size_t& i, int32_t limit) {
  int32_t v = 0;
  for (; i < f.size() && isDigit(f[i]); ++i) v = std::min(limit, v * 10 + (f[i] - '0'));
  return v;
}

// Sets the flag of letter c. Return: false when c is not a flag letter.
bool readFlag(char c, FieldFlags& flags) {
  if (c == 'P') return flags.plain = true;
  if (c == 'L') return flags.live = true;
  if (c == 'B') return flags.beats = true;
  return false;
}

}  // namespace

std::vector<TextRun> TextFormatter::format(std::string_view f) const {
  std::vector<TextRun> runs(1);
  Cursor c{f, 0};
  while (c.i < f.size()) {
    const char ch = f[c.i];
    if (ch == '\\') {
      escape(c, runs.back().text);
    } else if (ch == '%') {
      TextRun pen;
      if (percent(c, runs.back().text, pen)) runs.push_back(std::move(pen));
    } else {
      runs.back().text += ch;
      ++c.i;
    }
  }
  return runs;
}

void TextFormatter::escape(Cursor& c, std::string& out) {
  const std::string_view f = c.f;
  const size_t j = c.i + 1;
  const char next = j < f.size() ? f[j] : '\0';
  c.i = j + 1;
  if (next == '\\') {
    out += '\\';
  } else if (next == 't') {
    out += '\t';
  } else if (next == 'n') {
    out += "\r\n";
  } else if (next == 'r') {
    out += '\r';
  } else if (isDigit(next)) {
    c.i = j;
    // The byte of the value; a zero byte would end the text, so it is left out.
    const int32_t v = readNumber(f, c.i, 1 << 20) % 256;
    if (v != 0) out += char(v);
  } else {
    // Any other backslash stays, and what follows is read as usual.
    out += '\\';
    c.i = j;
  }
}

bool TextFormatter::percent(Cursor& c, std::string& out, TextRun& pen) const {
  const std::string_view f = c.f;
  const size_t j = c.i + 1;
  if (j < f.size() && f[j] == '%') {
    out += '%';
    c.i = j + 1;
    return false;
  }
  if (j < f.size() && isDigit(f[j])) {
    size_t k = j;
    const int32_t a = readNumber(f, k, kSkinMaxCoordinate);
    pen.y = a;
    if (k + 1 < f.size() && f[k] == ',' && isDigit(f[k + 1])) {
      ++k;
      pen.x = a;
      pen.y = readNumber(f, k, kSkinMaxCoordinate);
    }
    c.i = k;
    return true;
  }
  FieldFlags flags;
  ZoneField field{};
  size_t len = 0;
  // At each place a field name is tried before a flag letter.
  for (size_t k = j; k < f.size(); ++k) {
    const std::string_view rest = f.substr(k);
    if (prefixField(rest, field, len)) {
      out += fields_.text(field, flags);
      c.i = k + len;
      return false;
    }
    if (wholeRestField(rest, field)) {
      out += fields_.text(field, flags);
      c.i = f.size();
      return false;
    }
    if (!readFlag(f[k], flags)) break;
  }
  out += '%';
  c.i = j;
  return false;
}

bool TextFormatter::prefixField(std::string_view rest, ZoneField& field, size_t& len) {
  for (const FieldName& n : kPrefixNames) {
    if (startsWith(rest, n.name)) {
      field = n.field;
      len = std::string_view(n.name).size();
      return true;
    }
  }
  return false;
}

bool TextFormatter::wholeRestField(std::string_view rest, ZoneField& field) {
  for (const FieldName& n : kWholeRestNames) {
    if (rest.size() == std::string_view(n.name).size() && startsWith(rest, n.name)) {
      field = n.field;
      return true;
    }
  }
  return false;
}

}  // namespace zarnel
