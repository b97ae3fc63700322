#pragma once
// Finding and loading a skin by name: "<home>/skins/<name>.xml" and its
// bitmap "<home>/skins/<name>.bmp", and the choice of the skin at start.

#include <memory>
#include <string>
#include <string_view>

#include "skin/Skin.h"

namespace zarnel {

class FileSystem;

// The skin loaded when the chosen one cannot be.
inline constexpr char kDefaultSkinName[] = "default";

// Return: the paths of skin name's description and bitmap below home.
std::string skinXmlPath(std::string_view home, std::string_view name);
std::string skinBitmapPath(std::string_view home, std::string_view name);

// Reads one of the program's own pictures beside the skins ("tooltip",
// "panel"): "%s/skins/%s.bmp". Return: false (out empty) when it is missing or
// not a bitmap the skin loader reads.
bool loadSkinPicture(FileSystem& files, std::string_view home, std::string_view name, Bitmap& out);

// Loads the skin name: an empty name, an unreadable or invalid description,
// an unreadable or refused bitmap each make it invalid.
// Return: the whole skin, or null with FatalError 19 set (nothing of it is
// kept). UI thread.
std::unique_ptr<Skin> loadSkin(FileSystem& files, std::string_view home, std::string_view name);

// Loads the skin named by the "Skin" setting; when that fails with FatalError
// 19 the error is cleared and "default" is loaded instead, without a message.
// Return: the skin, or null with FatalError 19 set when "default" fails too.
// UI thread.
std::unique_ptr<Skin> loadStartSkin(FileSystem& files, std::string_view home, std::string_view settingName);

}  // namespace zarnel
