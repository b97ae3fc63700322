#pragma once
// The text zones' display format language, turned into runs of text placed
// in the zone. A format comes from a skin and is untrusted: every read stays
// inside it, the output grows at most by a bounded amount per character of
// it, and one pass over it ends.
//
// The language: plain characters are copied; "\\" "\t" "\n" (CR LF) "\r" and
// a backslash with decimal digits (that byte) are escapes, any other
// backslash stays; "%%" is a percent sign; "%N" and "%X,Y" move the pen;
// "%" with the flag letters P, L, B (upper case, any order) and a field name
// (matched ignoring case as a prefix: time, spent, left, cue0..cue4, cue,
// first, end, bpm, pitch, level; or as the whole rest: title, author,
// comment, fullhour, hour, counter) is the field's value; anything else is
// the percent sign and the text as written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/ZoneFields.h"

namespace zarnel {

// Text drawn from a pen position, given as offsets from the zone's corner.
struct TextRun {
  int32_t x = 0, y = 0;
  std::string text;
};

// UI thread.
class TextFormatter {
 public:
  explicit TextFormatter(const ZoneFields& fields) : fields_(fields) {}

  // Return: the runs of format in drawing order: one per pen position, the
  // first at (0, 0); a run may be empty.
  std::vector<TextRun> format(std::string_view format) const;

 private:
  struct Cursor {
    std::string_view f;
    size_t i = 0;
  };
  static void escape(Cursor& c, std::string& out);
  // Handles the percent sign at c.i. Return: whether it was a pen move.
  bool percent(Cursor& c, std::string& out, TextRun& pen) const;
  // Return: the field at the start of rest, with its length in len.
  static bool prefixField(std::string_view rest, ZoneField& field, size_t& len);
  static bool wholeRestField(std::string_view rest, ZoneField& field);

  const ZoneFields& fields_;
};

}  // namespace zarnel
