#include "skin/SkinFiles.h"

#include "app/FatalError.h"
#include "library/LibraryPaths.h"
#include "skin/BmpImage.h"
#include "skin/SkinParser.h"
#include "skin/TextFile.h"
#include "skin/XmlReader.h"

namespace zarnel {

namespace {

std::string skinFile(std::string_view home, std::string_view name, std::string_view ending) {
  std::string file(name);
  file += ending;
  return pathInFolder(pathInFolder(home, "skins"), file);
}

// Return: the decoded bitmap at path, or false.
bool readBitmap(FileSystem& files, const std::string& path, Bitmap& out) {
  std::string bytes;
  if (readTextFile(files, path.c_str(), kBmpMaxFileBytes, bytes) != TextFileStatus::kOk) return false;
  return decodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out) == BmpStatus::kOk;
}

std::unique_ptr<Skin> readSkin(FileSystem& files, std::string_view home, std::string_view name) {
  if (name.empty()) return nullptr;
  std::unique_ptr<XmlNode> root = xmlLoad(files, skinXmlPath(home, name).c_str());
  if (!root) return nullptr;
  // The elements are checked before the bitmap is read, as its images are
  // checked against it afterwards.
  SkinParser parser;
  if (!parser.readElements(*root)) return nullptr;
  root.reset();
  Bitmap bitmap;
  if (!readBitmap(files, skinBitmapPath(home, name), bitmap) || !parser.finish(bitmap)) return nullptr;
  return parser.take();
}

}  // namespace

std::string skinXmlPath(std::string_view home, std::string_view name) { return skinFile(home, name, ".xml"); }

std::string skinBitmapPath(std::string_view home, std::string_view name) { return skinFile(home, name, ".bmp"); }

bool loadSkinPicture(FileSystem& files, std::string_view home, std::string_view name, Bitmap& out) {
  out = Bitmap{};
  if (readBitmap(files, skinBitmapPath(home, name), out)) return true;
  out = Bitmap{};
  return false;
}

std::unique_ptr<Skin> loadSkin(FileSystem& files, std::string_view home, std::string_view name) {
  std::unique_ptr<Skin> skin = readSkin(files, home, name);
  if (!skin) setFatalError(kErrorSkin);
  return skin;
}

std::unique_ptr<Skin> loadStartSkin(FileSystem& files, std::string_view home, std::string_view settingName) {
  std::unique_ptr<Skin> skin = loadSkin(files, home, settingName);
  if (skin || fatalError() != kErrorSkin) return skin;
  clearFatalError();
  return loadSkin(files, home, kDefaultSkinName);
}

}  // namespace zarnel
