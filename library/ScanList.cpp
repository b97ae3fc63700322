#include "library/ScanList.h"

#include <algorithm>
#include <limits>

#include "platform/ByteFile.h"
#include "platform/WritableFile.h"

namespace zarnel {

namespace {

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool containsFolded(std::string_view path, std::string_view upperText) {
  auto same = [](char a, char b) { return upperAscii(a) == b; };
  return std::search(path.begin(), path.end(), upperText.begin(), upperText.end(), same) !=
         path.end();
}

// Return: the decimal number at the start of text, after blanks, with its
// sign; 0 without digits; held to the int32 range.
int32_t parseSize(std::string_view text) {
  size_t i = text.find_first_not_of(" \t\v\f");
  if (i == std::string_view::npos) return 0;
  bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t(1) << 32);
  value = negative ? -value : value;
  return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

ScanItem parseLine(std::string_view line) {
  size_t comma = line.rfind(',');
  if (comma == std::string_view::npos || comma == 0) return {std::string(line), 0};
  return {std::string(line.substr(0, comma)), parseSize(line.substr(comma + 1))};
}

bool readWhole(FileSystem& files, const std::string& path, std::string& text) {
  std::unique_ptr<ByteFile> file = files.openRead(path.c_str());
  if (!file) return false;
  char chunk[65536];
  for (;;) {
    int32_t n = file->read(chunk, int32_t(sizeof chunk));
    if (n < 0) return false;
    if (n == 0) return true;
    text.append(chunk, size_t(n));
  }
}

// The message's "%s" takes the disc name once; "%%" is a percent sign; any
// other "%" stays as it is, so a language file cannot make it read more.
std::string formatBadCd(std::string_view text, std::string_view disc) {
  std::string out;
  bool named = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char next = i + 1 < text.size() && text[i] == '%' ? text[i + 1] : '\0';
    if (next == '%' || (next == 's' && !named)) {
      out.append(next == '%' ? std::string_view("%") : disc);
      named = named || next == 's';
      ++i;
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

bool ScanList::load(FileSystem& files, const std::string& path) {
  std::string text;
  bool read = readWhole(files, path, text);
  parse(read ? std::string_view(text) : std::string_view());
  return read;
}

void ScanList::parse(std::string_view text) {
  items_.clear();
  for (size_t at = 0; at < text.size();) {
    size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    if (end > at) items_.push_back(parseLine(text.substr(at, end - at)));
    at = end + 1;
  }
  current_.clear();
  showAll();
}

void ScanList::showAll() {
  shown_.resize(items_.size());
  for (size_t i = 0; i < items_.size(); ++i) shown_[i] = int32_t(i);
}

void ScanList::search(std::string_view typed) {
  std::string text(typed);
  std::transform(text.begin(), text.end(), text.begin(), upperAscii);
  if (text.empty()) {
    current_.clear();
    lastSearched_ = 0;
    showAll();
    return;
  }
  bool narrower = !current_.empty() && text.find(current_) != std::string::npos;
  if (!narrower) showAll();
  lastSearched_ = int32_t(shown_.size());
  std::erase_if(shown_, [&](int32_t i) { return !containsFolded(items_[size_t(i)].path, text); });
  current_ = std::move(text);
}

bool ScanList::hasPrefix(std::string_view prefix) const {
  return std::any_of(items_.begin(), items_.end(),
                     [&](const ScanItem& item) { return item.path.starts_with(prefix); });
}

void ScanList::removePrefix(std::string_view prefix) {
  for (ScanItem& item : items_)
    if (item.path.starts_with(prefix)) item.path.clear();
}

std::string ScanList::text() const {
  std::string out;
  for (const ScanItem& item : items_) {
    if (item.path.empty()) continue;
    out += item.path;
    out += ',';
    out += std::to_string(item.size);
    out += "\r\n";
  }
  return out;
}

bool ScanList::writeAll(FileSystem& files, const std::string& path) const {
  std::string out = text();
  if (out.size() > size_t(std::numeric_limits<int32_t>::max())) return false;
  std::unique_ptr<WritableFile> file = files.openReadWrite(path.c_str(), true);
  if (!file || !file->seek(0)) return false;
  if (file->write(out.data(), int32_t(out.size())) != int32_t(out.size())) return false;
  return file->truncate(int64_t(out.size())) && file->flush();
}

bool ScanList::resolveDiscPath(FileSystem& files, std::string_view cdRoot,
                               std::string_view discPath, std::string& filePath,
                               std::string& message, std::string_view badCdText) {
  size_t equals = discPath.find('=');
  std::string_view disc = discPath.substr(0, equals);
  std::string_view rest = equals == std::string_view::npos ? "" : discPath.substr(equals + 1);
  bool rootEnds = !cdRoot.empty() && (cdRoot.back() == '\\' || cdRoot.back() == '/');
  if (rootEnds && !rest.empty() && (rest.front() == '\\' || rest.front() == '/'))
    rest.remove_prefix(1);
  std::string path = std::string(cdRoot) + std::string(rest);
  if (!cdRoot.empty() && cdRoot.back() == '/')
    std::replace(path.begin() + std::ptrdiff_t(cdRoot.size()), path.end(), '\\', '/');
  if (equals != std::string_view::npos && files.openRead(path.c_str())) {
    filePath = std::move(path);
    return true;
  }
  message = formatBadCd(badCdText, disc);
  return false;
}

}  // namespace zarnel
