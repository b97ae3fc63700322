#pragma once
// File operations of the folder service on POSIX calls: none of them
// replaces an existing file.

#include <string>

namespace zarnel {

// Reads a whole small file (a /proc table) into text. Return: false when it
// cannot be read.
bool readSmallFile(const char* path, std::string& text);

// Renames from to to unless to exists (atomically where the file system
// allows). Return: 0 when done, else the errno (EEXIST when to exists,
// EXDEV across file systems).
int placeWithoutReplacing(const std::string& from, const std::string& to);

// Return: path's file name inside folder; empty when path has no file name.
std::string destinationIn(const std::string& path, const std::string& folder);

// Copies the file path into folder under its own name, through a temporary
// in folder, keeping its permission bits. Return: true when done; false,
// leaving no temporary, when the name exists there or anything failed.
bool copyIntoFolder(const std::string& path, const std::string& folder);

// Starts program with the one argument, searched in PATH, without waiting;
// a thread of its own reaps it. Return: whether it started.
bool spawnDetached(const char* program, const std::string& argument);

}  // namespace zarnel
