#include "platform/posix/RegExport.h"

#include <cstdio>

#include "platform/Registry.h"
#include "platform/TextCase.h"

namespace zarnel {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Written hex lines stay within the format's usual 80 columns.
constexpr size_t kHexLineColumns = 77;

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Post: line is the next physical line of rest, without its end.
// Return: false at the end of rest.
bool nextLine(std::string_view& rest, std::string_view& line) {
  if (rest.empty()) return false;
  const size_t end = rest.find('\n');
  line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  return true;
}

// Joins the lines that a value's trailing backslash continues.
std::string logicalLine(std::string_view first, std::string_view& rest) {
  std::string line(trim(first));
  std::string_view next;
  while (!line.empty() && line.back() == '\\' && nextLine(rest, next)) {
    line.pop_back();
    line += trim(next);
  }
  return line;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Return: false unless s is 1 to maxDigits hex digits; out holds their value.
bool parseHexNumber(std::string_view s, size_t maxDigits, uint32_t& out) {
  if (s.empty() || s.size() > maxDigits) return false;
  out = 0;
  for (char c : s) {
    const int d = hexDigit(c);
    if (d < 0) return false;
    out = out << 4 | uint32_t(d);
  }
  return true;
}

// Reads a quoted text at s[pos] with its \\ and \" escapes. Post: pos is past the closing quote.
bool parseQuoted(std::string_view s, size_t& pos, std::string& out) {
  if (pos >= s.size() || s[pos] != '"') return false;
  for (++pos; pos < s.size(); ++pos) {
    char c = s[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\') {
      if (++pos >= s.size() || (s[pos] != '\\' && s[pos] != '"')) return false;
      c = s[pos];
    }
    out.push_back(c);
  }
  return false;
}

bool parseHexList(std::string_view s, std::vector<uint8_t>& out) {
  if (trim(s).empty()) return true;
  while (true) {
    const size_t comma = s.find(',');
    uint32_t byte = 0;
    if (!parseHexNumber(trim(s.substr(0, comma)), 2, byte)) return false;
    if (out.size() >= kMaxRegistryValueBytes) return false;
    out.push_back(uint8_t(byte));
    if (comma == std::string_view::npos) return true;
    s.remove_prefix(comma + 1);
  }
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && equalNoCase(s.substr(0, prefix.size()), prefix);
}

bool parseData(std::string_view data, RegistryValue& value) {
  if (!data.empty() && data.front() == '"') {
    size_t pos = 0;
    std::string text;
    if (!parseQuoted(data, pos, text) || pos != data.size() || text.size() >= kMaxRegistryValueBytes)
      return false;
    value.type = kRegSz;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    return true;
  }
  uint32_t number = 0;
  if (startsWithNoCase(data, "dword:")) {
    if (!parseHexNumber(data.substr(6), 8, number)) return false;
    value.type = kRegDword;
    value.data = {uint8_t(number), uint8_t(number >> 8), uint8_t(number >> 16), uint8_t(number >> 24)};
    return true;
  }
  if (startsWithNoCase(data, "hex:")) {
    value.type = kRegBinary;
    return parseHexList(data.substr(4), value.data);
  }
  const size_t close = data.find("):");
  if (!startsWithNoCase(data, "hex(") || close == std::string_view::npos) return false;
  if (!parseHexNumber(data.substr(4, close - 4), 8, number)) return false;
  value.type = number;
  return parseHexList(data.substr(close + 2), value.data);
}

bool parseValueLine(std::string_view line, RegistryValue& value) {
  size_t pos = 0;
  if (line.front() == '@')
    pos = 1;
  else if (!parseQuoted(line, pos, value.name))
    return false;
  if (pos >= line.size() || line[pos] != '=') return false;
  return parseData(line.substr(pos + 1), value);
}

// A section line names our key: "[" keyPath "]".
bool isSection(std::string_view line, std::string_view keyPath) {
  return line.size() >= 2 && line.back() == ']' && equalNoCase(trim(line.substr(1, line.size() - 2)), keyPath);
}

bool readHeader(std::string_view& rest) {
  if (rest.substr(0, kBom.size()) == kBom) rest.remove_prefix(kBom.size());
  std::string_view line;
  while (nextLine(rest, line))
    if (!trim(line).empty()) return trim(line) == kHeader;
  return false;
}

void appendQuoted(std::string& out, std::string_view s) {
  out.push_back('"');
  for (char c : s) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
}

// A text the quoted form can hold: one terminating zero, no control bytes.
bool isPlainText(const std::vector<uint8_t>& data) {
  if (data.empty() || data.back() != 0) return false;
  for (size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] < 0x20 || data[i] == 0x7F) return false;
  return true;
}

void appendHex(std::string& out, const RegistryValue& value) {
  char prefix[20];
  if (value.type == kRegBinary)
    std::snprintf(prefix, sizeof prefix, "hex:");
  else
    std::snprintf(prefix, sizeof prefix, "hex(%x):", unsigned(value.type));
  out += prefix;
  size_t column = out.size() - out.rfind('\n') - 1;
  for (size_t i = 0; i < value.data.size(); ++i) {
    if (column + 3 > kHexLineColumns) {
      out += "\\\n  ";
      column = 2;
    }
    char byte[4];
    std::snprintf(byte, sizeof byte, i + 1 < value.data.size() ? "%02x," : "%02x", unsigned(value.data[i]));
    out += byte;
    column += 3;
  }
}

void appendValue(std::string& out, const RegistryValue& value) {
  if (value.name.empty())
    out.push_back('@');
  else
    appendQuoted(out, value.name);
  out.push_back('=');
  if (value.type == kRegSz && isPlainText(value.data)) {
    appendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
  } else if (value.type == kRegDword && value.data.size() == 4) {
    char number[20];
    const uint32_t v = uint32_t(value.data[0]) | uint32_t(value.data[1]) << 8 |
                       uint32_t(value.data[2]) << 16 | uint32_t(value.data[3]) << 24;
    std::snprintf(number, sizeof number, "dword:%08x", unsigned(v));
    out += number;
  } else {
    appendHex(out, value);
  }
  out.push_back('\n');
}

}  // namespace

bool parseRegExport(std::string_view text, std::string_view keyPath, RegistryValueList& values,
                    int32_t& damaged) {
  values.clear();
  damaged = 0;
  if (!readHeader(text)) return false;
  bool inKey = false, keyFound = false;
  std::string_view first;
  while (nextLine(text, first)) {
    const std::string_view head = trim(first);
    if (head.empty() || head.front() == ';') continue;
    if (head.front() == '[') {
      inKey = isSection(head, keyPath);
      keyFound = keyFound || inKey;
      continue;
    }
    const std::string line = logicalLine(first, text);
    if (!inKey) continue;
    RegistryValue value;
    if (!parseValueLine(line, value) || !values.set(std::move(value))) ++damaged;
  }
  if (!keyFound) values.clear();
  return keyFound;
}

std::string formatRegExport(std::string_view keyPath, const RegistryValueList& values) {
  std::string out(kHeader);
  out += "\n\n[";
  out += keyPath;
  out += "]\n";
  for (const RegistryValue& value : values.values()) appendValue(out, value);
  out.push_back('\n');
  return out;
}

}  // namespace zarnel
