#pragma once
// A back buffer with the shipped panel picture, the built-in text renderer
// and the default skin's browser colours, for the browser panel's widgets;
// and a folder service the tests fill.

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/FolderService.h"
#include "skin/BmpImage.h"
#include "skin/BuiltinTextRenderer.h"
#include "skin/DrawSurface.h"
#include "skin/PanelPainter.h"
#include "skin/WidgetSeams.h"

namespace zarnel::test {

// Return: a 0x00RRGGBB colour as a colour reference (red in the low byte).
constexpr ColourRef colourRef(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

// The default skin's browser look.
inline BrowserLook defaultBrowserLook() {
  BrowserLook look;
  look.listFont.height = 12;
  look.listColour = colourRef(0xE6EAF0);
  look.listOver = colourRef(0xFFFFFF);
  look.listSelected = colourRef(0x1D5A72);
  look.face = colourRef(0x1A1D23);
  look.light = colourRef(0x3A404C);
  look.shadow = colourRef(0x0E1014);
  look.highlight = colourRef(0x2C313B);
  look.darkShadow = colourRef(0x07080A);
  look.stripes = colourRef(0x1E2128);
  look.track1 = colourRef(0x121419);
  look.track2 = colourRef(0x181B21);
  return look;
}

// Return: the repository's home/skins/panel.bmp, decoded (empty on failure).
inline Bitmap shippedPanel() {
  std::ifstream in(std::string(ZARNEL_TEST_SOURCE_DIR) + "/../home/skins/panel.bmp", std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Bitmap out;
  decodeBmp(bytes.data(), bytes.size(), out);
  return out;
}

// A width × height back buffer bound to the panel picture.
struct PanelRig {
  PanelRig(int32_t w, int32_t h)
      : width(w),
        height(h),
        back(size_t(w) * size_t(h), 0x0E1014),
        skin{1, 1, {0}},
        panel(shippedPanel()),
        surface(back.data(), w, h, &skin),
        painter(surface, panel, &text) {
    context.surface = &surface;
    context.panel = &painter;
    context.text = &text;
  }
  uint32_t at(int32_t x, int32_t y) const { return back[size_t(y) * size_t(width) + size_t(x)]; }

  int32_t width, height;
  std::vector<uint32_t> back;
  Bitmap skin;
  Bitmap panel;
  BuiltinTextRenderer text;
  DrawSurface surface;
  PanelPainter painter;
  WidgetContext context;
};

// Folders the test describes: each path's entries, roots in order; a path
// marked dead does not answer.
struct FakeFolders : FolderService {
  std::vector<FolderRoot> rootList;
  std::map<std::string, std::vector<FolderEntry>> folders;
  std::vector<std::string> dead;
  std::vector<std::string> listed;  // every path asked for, in order

  void addFolder(const std::string& path, std::vector<FolderEntry> entries) { folders[path] = std::move(entries); }
  static FolderEntry folder(const std::string& name) { return {name, true, name[0] == '.', false, "", -1}; }
  static FolderEntry file(const std::string& name, int64_t size) {
    return {name, false, name[0] == '.', false, "", size};
  }

  std::vector<FolderRoot> roots() override { return rootList; }
  FolderListing list(const std::string& path, int32_t) override {
    listed.push_back(path);
    FolderListing out;
    if (std::find(dead.begin(), dead.end(), path) != dead.end()) return out;
    const auto it = folders.find(path);
    if (it == folders.end()) return out;
    out.ok = true;
    out.entries = it->second;
    return out;
  }
  bool isFolder(const std::string& path) override { return folders.count(path) != 0; }
  bool renameFile(const std::string&, const std::string&) override { return false; }
  bool deleteFile(const std::string&) override { return false; }
  bool copyFile(const std::string&, const std::string&) override { return false; }
  bool moveFile(const std::string&, const std::string&) override { return false; }
};

}  // namespace zarnel::test
