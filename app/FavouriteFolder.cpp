#include "app/FavouriteFolder.h"

namespace zarnel {
namespace {

constexpr size_t kSizeField = 2;
constexpr size_t kLongestItem = 0xFFFF - kSizeField;

}  // namespace

std::vector<uint8_t> encodeFavourite(const std::string& path) {
  if (path.empty() || path.size() > kLongestItem) return {};
  const size_t size = path.size() + kSizeField;
  std::vector<uint8_t> out = {uint8_t(size & 0xFF), uint8_t(size >> 8)};
  out.insert(out.end(), path.begin(), path.end());
  out.push_back(0);
  out.push_back(0);
  return out;
}

std::string decodeFavourite(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < kSizeField) return {};
  const size_t size = size_t(bytes[0]) | size_t(bytes[1]) << 8;
  if (size <= kSizeField || size > bytes.size()) return {};
  std::string path(bytes.begin() + kSizeField, bytes.begin() + std::ptrdiff_t(size));
  return path.find('\0') == std::string::npos ? path : std::string();
}

}  // namespace zarnel
