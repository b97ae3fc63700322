// The elements of the skin reader that carry text: "textzone" and "browser".

#include "skin/SkinParser.h"

namespace zarnel {

namespace {

// Reads "font", "weight" and "size" over font. Return: false for a height
// beyond the bound.
bool readFont(const XmlNode* e, FontDescription& font) {
  if (const std::string* face = xmlAttr(e, "font")) font.face = *face;
  if (const std::string* weight = xmlAttr(e, "weight")) {
    font.weight = equalsIgnoringCase(*weight, "bold") ? kFontWeightBold : kFontWeightNormal;
  }
  xmlAttrInt(e, "size", font.height);
  return font.height >= -kSkinMaxFontHeight && font.height <= kSkinMaxFontHeight;
}

void readColour(const XmlNode* e, const char* name, ColourRef& out) { xmlAttrColour(e, name, out); }

}  // namespace

bool SkinParser::readTextFormat(const XmlNode* child, TextFormat& out) {
  const std::string* format = xmlAttr(child, "format");
  if (!format) return false;
  out.format = *format;
  if (!readFont(child, out.font)) return false;
  readColour(child, "color", out.colour);
  size_t which = 0;
  if (matchWord(xmlAttr(child, "align"), {"left", "right", "center", "middle"}, which)) {
    out.align = which == 0 ? TextAlign::kLeft : which == 1 ? TextAlign::kRight : TextAlign::kCentre;
  }
  return true;
}

bool SkinParser::readTextZone(const XmlNode& e) {
  auto z = std::make_unique<TextZone>();
  if (!countWidget() || !readChan(e, *z, false) || !readPlace(e, *z) || !readHitArea(e, *z)) return false;
  TextFormat first;
  if (!readTextFormat(xmlChild(&e, "text"), first)) return false;
  std::optional<TextFormat> second;
  if (const XmlNode* text2 = xmlChild(&e, "text2")) {
    second.emplace();
    if (!readTextFormat(text2, *second)) return false;
  }
  z->setFormats(std::move(first), std::move(second));
  auto flag = [&](const char* name) {
    const std::string* v = xmlAttr(&e, name);
    return v && equalsIgnoringCase(*v, "true");
  };
  z->setFlags(flag("geterrormessage"), flag("resetcounter"));
  skin_->textZones.insert(skin_->textZones.begin(), std::move(z));
  return true;
}

// The three fonts are made from one description that each child modifies
// further: the list's, the options list's, the controls'.
bool SkinParser::readBrowser(const XmlNode& e) {
  if (skin_->browser || !countWidget()) return false;  // exactly one
  auto view = std::make_unique<BrowserView>();
  if (!readPlace(e, *view)) return false;
  BrowserLook look;
  FontDescription font;
  const XmlNode* text = xmlChild(&e, "text");
  if (!readFont(text, font)) return false;
  look.listFont = font;
  readColour(text, "color", look.listColour);
  readColour(text, "over", look.listOver);
  readColour(text, "selected", look.listSelected);
  look.optionsColour = look.listColour;
  look.optionsOver = look.listOver;
  look.optionsSelected = look.listSelected;
  if (const XmlNode* options = xmlChild(&e, "options")) {
    if (!xmlAttr(options, "font") || !readFont(options, font)) return false;
    readColour(options, "color", look.optionsColour);
    readColour(options, "over", look.optionsOver);
    readColour(options, "selected", look.optionsSelected);
  }
  look.optionsFont = font;
  const XmlNode* widgets = xmlChild(&e, "widgets");
  if (!readFont(widgets, font)) return false;
  look.controlsFont = font;
  readColour(widgets, "color", look.controlsColour);
  if (xmlAttrColour(widgets, "facecolor", look.face)) look.stripes = look.face;
  readColour(widgets, "lightcolor", look.light);
  readColour(widgets, "shadowcolor", look.shadow);
  readColour(widgets, "highlightcolor", look.highlight);
  readColour(widgets, "darkshadowcolor", look.darkShadow);
  readColour(widgets, "stripescolor", look.stripes);
  if (xmlAttrColour(widgets, "trackcolor1", look.track1)) look.track2 = look.track1;
  readColour(widgets, "trackcolor2", look.track2);
  static constexpr const char* kMatrix[9] = {"rr", "rg", "rb", "gr", "gg", "gb", "br", "bg", "bb"};
  const XmlNode* matrix = xmlChild(&e, "colormatrix");
  for (int i = 0; i < 9; ++i) {
    xmlAttrInt(matrix, kMatrix[i], look.matrix[i]);
    if (look.matrix[i] < -65536 || look.matrix[i] > 65536) return false;  // keeps the products in 32 bits
  }
  view->setLook(look);
  skin_->browser = std::move(view);
  return true;
}

}  // namespace zarnel
