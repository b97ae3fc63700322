#include "skin/XmlReader.h"

#include <array>
#include <string>

#include "skin/TextFile.h"

namespace zarnel {

namespace {

struct Entity {
  std::string_view name;  // between "&" and ";"
  char value;
};

constexpr std::array<Entity, 5> kEntities{{
    {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'},
}};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '&' ||
         c == '-' || c == '.' || c == ':' || c == ';' || c == '_';
}

size_t skipSpace(std::string_view text, size_t pos) {
  while (pos < text.size() && isSpace(text[pos])) ++pos;
  return pos;
}

// Decodes the five entities in one pass, so "&amp;lt;" becomes "&lt;".
// Return: false when an "&" starts none of them.
bool decodeEntities(std::string_view in, std::string& out) {
  out.clear();
  out.reserve(in.size());
  for (size_t i = 0; i < in.size();) {
    if (in[i] != '&') {
      out += in[i++];
      continue;
    }
    const Entity* match = nullptr;
    for (const Entity& entity : kEntities) {
      std::string_view rest = in.substr(i + 1);
      if (rest.starts_with(entity.name) && rest.substr(entity.name.size()).starts_with(';')) match = &entity;
    }
    if (!match) return false;
    out += match->value;
    i += match->name.size() + 2;
  }
  return true;
}

bool parseContent(std::string_view content, int depth, XmlNode& node);

bool readName(std::string_view text, size_t& pos, std::string& name) {
  size_t end = pos;
  while (end < text.size() && isNameChar(text[end])) ++end;
  if (end == pos || end - pos > kXmlMaxNameLength) return false;
  name.assign(text.substr(pos, end - pos));
  pos = end;
  return true;
}

bool parseAttribute(std::string_view text, size_t& pos, XmlNode& node) {
  XmlAttribute attribute;
  if (!readName(text, pos, attribute.name)) return false;
  pos = skipSpace(text, pos);
  if (pos >= text.size() || text[pos] != '=') return false;
  pos = skipSpace(text, pos + 1);
  if (pos >= text.size() || (text[pos] != '"' && text[pos] != '\'')) return false;
  size_t close = text.find(text[pos], pos + 1);
  if (close == std::string_view::npos) return false;
  if (!decodeEntities(text.substr(pos + 1, close - pos - 1), attribute.value)) return false;
  node.attributes.push_back(std::move(attribute));
  pos = skipSpace(text, close + 1);
  return true;
}

// Pre: text[pos] == '<'. Post: on success pos is just past the element.
// Return: false on any error of the element or of a descendant.
bool parseElement(std::string_view text, size_t& pos, int depth, XmlNode& node) {
  if (depth > kXmlMaxDepth) return false;
  ++pos;
  if (!readName(text, pos, node.name)) return false;
  pos = skipSpace(text, pos);
  for (;;) {
    if (pos >= text.size()) return false;
    if (text[pos] == '>') break;
    if (text.substr(pos).starts_with("/>")) {
      pos += 2;
      return true;
    }
    if (!parseAttribute(text, pos, node)) return false;
  }
  ++pos;
  // The first closing tag of this name ends the element, whatever the nesting.
  std::string closeTag = "</" + node.name + ">";
  size_t close = text.find(closeTag, pos);
  if (close == std::string_view::npos) return false;
  std::string_view content = text.substr(pos, close - pos);
  pos = close + closeTag.size();
  return parseContent(content, depth, node);
}

// Each level decodes its own copy of the content, so the depth bound also
// bounds the memory held at once.
bool parseContent(std::string_view content, int depth, XmlNode& node) {
  std::string decoded;
  if (!decodeEntities(content, decoded)) return false;
  node.text.reserve(decoded.size());
  for (size_t pos = 0; pos < decoded.size();) {
    size_t open = decoded.find('<', pos);
    node.text.append(decoded, pos, open == std::string::npos ? std::string::npos : open - pos);
    if (open == std::string::npos) break;
    pos = open;
    node.children.emplace_back();
    if (!parseElement(decoded, pos, depth + 1, node.children.back())) return false;
  }
  node.text.shrink_to_fit();
  return true;
}

}  // namespace

std::unique_ptr<XmlNode> xmlParse(std::string_view text) {
  // The text ends at a zero byte, as a file read into a terminated buffer does.
  text = text.substr(0, text.find('\0'));
  if (text.size() > kXmlMaxBytes) return nullptr;
  size_t pos = skipSpace(text, 0);
  if (pos >= text.size() || text[pos] != '<') return nullptr;
  auto root = std::make_unique<XmlNode>();
  if (!parseElement(text, pos, 1, *root)) return nullptr;
  if (skipSpace(text, pos) != text.size()) return nullptr;
  return root;
}

std::unique_ptr<XmlNode> xmlLoad(FileSystem& files, const char* path) {
  std::string text;
  if (readTextFile(files, path, kXmlMaxBytes, text) != TextFileStatus::kOk) return nullptr;
  return xmlParse(text);
}

}  // namespace zarnel
