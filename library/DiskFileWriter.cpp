#include "library/DiskFileWriter.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/AudioThread.h"

namespace zarnel {

namespace fs = std::filesystem;

namespace {

// Most temporary names tried beside one file before giving up.
constexpr int kTemporaryTries = 100;

fs::path utf8Path(const std::string& path) {
  return fs::path(std::u8string(path.begin(), path.end()));
}

// Return: the file path stands for: a symbolic link's target, so that the
// rename replaces the file and keeps the link.
fs::path finalTarget(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  fs::path resolved = fs::weakly_canonical(path, error);
  return error ? path : resolved;
}

// Return: a name beside target that no file has yet; empty when none found.
fs::path freeTemporaryName(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  for (int i = 0; i < kTemporaryTries; ++i) {
    fs::path candidate = target;
    candidate += ".~" + std::to_string(counter.fetch_add(1) % 100000u);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
  return {};
}

bool writeAll(const fs::path& path, std::string_view text, std::ios::openmode mode) {
  std::ofstream out(path, mode);
  if (!out) return false;
  out.write(text.data(), std::streamsize(text.size()));
  out.flush();
  const bool ok = bool(out);
  out.close();
  return ok && !out.fail();
}

}  // namespace

bool DiskFileWriter::replace(const std::string& path, std::string_view text) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (path.empty()) return false;
  const fs::path target = finalTarget(utf8Path(path));
  const fs::path temporary = freeTemporaryName(target);
  if (temporary.empty()) return false;
  std::error_code error;
  if (!writeAll(temporary, text, std::ios::out | std::ios::trunc)) {
    fs::remove(temporary, error);
    return false;
  }
  const fs::file_status old = fs::status(target, error);
  if (!error && fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), error);
  fs::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

bool DiskFileWriter::append(const std::string& path, std::string_view text) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (path.empty()) return false;
  return writeAll(utf8Path(path), text, std::ios::out | std::ios::app);
}

}  // namespace zarnel
