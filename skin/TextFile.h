#pragma once
// Reads a whole file into memory through the platform's file service.

#include <cstddef>
#include <string>

namespace zarnel {

class FileSystem;

enum class TextFileStatus {
  kOk,
  kCannotOpen,
  kReadError,
  kTooLarge,
};

// Reads every byte of the file at path into out, unchanged.
// Return: kOk with out holding the bytes; otherwise the failure, with out
// empty. A file longer than maxBytes is kTooLarge, found without reading more
// than maxBytes + 1 bytes. Pre: maxBytes < SIZE_MAX. UI thread.
TextFileStatus readTextFile(FileSystem& files, const char* path, size_t maxBytes, std::string& out);

}  // namespace zarnel
