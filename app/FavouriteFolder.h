#pragma once
// The favourite folder as the "Favorite" setting stores it: a list of items,
// each led by its 16-bit little-endian size (the size field included), ended
// by a zero size. On this platform the list holds one item, the folder's
// path in UTF-8.

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel {

std::vector<uint8_t> encodeFavourite(const std::string& path);
// Return: the path the stored bytes give; empty for none or a damaged value.
std::string decodeFavourite(const std::vector<uint8_t>& bytes);

}  // namespace zarnel
