#pragma once
// Byte-level text conversions for files written by other programs: playlist
// files come as UTF-8 (with or without a byte-order mark), as UTF-16 with a
// mark, or in the Windows Latin-1 code page.

#include <string>
#include <string_view>

namespace zarnel {

// Return: true when text is well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF). Any thread.
bool isValidUtf8(std::string_view text);

// Return: text read as Windows-1252 (Latin-1 with the printable characters
// of 0x80..0x9F), in UTF-8; the five bytes Windows-1252 leaves undefined
// become U+0081, U+008D... as in Latin-1. Any thread.
std::string latin1ToUtf8(std::string_view text);

// Return: UTF-16 bytes (without their mark; little-endian when littleEndian)
// in UTF-8; an unpaired surrogate becomes U+FFFD, an odd last byte is
// dropped. Any thread.
std::string utf16ToUtf8(std::string_view bytes, bool littleEndian);

// Return: text in UTF-8 as its byte-order mark says: a UTF-8 mark is
// skipped, a UTF-16 mark (either order) converts the rest; text without a
// mark is returned as it is. Any thread.
std::string fromMarkedText(std::string_view text);

}  // namespace zarnel
