#pragma once
// Path helpers of the library's stores.

#include <string>
#include <string_view>

namespace zarnel {

// Return: the part of path after its last "\" (or "/"), the whole path when
// it has neither.
std::string_view fileNameOf(std::string_view path);

// Return: name inside folder, joined by "/" unless folder already ends with a
// separator; name alone for an empty folder (the current directory).
std::string pathInFolder(std::string_view folder, std::string_view name);

}  // namespace zarnel
