#pragma once
// The reader for the XML subset of skins and the language file.
//
// The subset: one element, surrounded by nothing but white space. Names are
// runs of letters, digits and "&-.:;_". Attribute values are single- or
// double-quoted. An element's content runs to the first "</name>" of its own
// name, so an element cannot hold a non-empty descendant of the same name.
// Content is entity-decoded as a whole before its children are parsed, so each
// level decodes once more: "&amp;lt;" is "&lt;" in the root's text but "<" in
// a child's attribute. The entities are "&lt;", "&gt;", "&amp;", "&apos;" and
// "&quot;"; any other "&" is an error. Declarations, processing instructions,
// comments, CDATA and DOCTYPE are errors.
//
// The files are untrusted: the text, the nesting depth and the names are
// bounded, and anything beyond a bound is an error like any other.

#include <cstddef>
#include <memory>
#include <string_view>

#include "skin/XmlNode.h"

namespace zarnel {

class FileSystem;

// The largest XML text read, in bytes.
inline constexpr size_t kXmlMaxBytes = size_t(1) << 20;
// The deepest nesting of elements, the root being level 1.
inline constexpr int kXmlMaxDepth = 32;
// The longest element or attribute name.
inline constexpr size_t kXmlMaxNameLength = 255;

// Parses text, which ends at its first zero byte if it holds one.
// Return: the root element, or null when the text is not one well-formed
// element of the subset followed by nothing but white space, or is beyond a
// bound. Any thread; no shared state.
std::unique_ptr<XmlNode> xmlParse(std::string_view text);

// Reads the file at path through files and parses it.
// Return: the root element, or null when the file cannot be opened or read,
// is larger than kXmlMaxBytes, or does not parse. UI thread.
std::unique_ptr<XmlNode> xmlLoad(FileSystem& files, const char* path);

}  // namespace zarnel
