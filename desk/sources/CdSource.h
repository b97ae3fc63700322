#pragma once
// Audio CD tracks, named by their ".cda" files and read raw from the drive,
// 27 sectors at a time.

#include <cstdint>
#include <memory>

#include "desk/sources/AudioSource.h"
#include "platform/ByteFile.h"
#include "platform/CdDrive.h"

namespace zarnel {

class CdSource : public AudioSource {
 public:
  static constexpr int32_t kBufferSectors = 27;
  static constexpr int32_t kBufferFrames = kBufferSectors * kCdFramesPerSector;  // 15876

  // Takes a drive from access when the machine has raw CD access; with null
  // access, or none available, tracks still open but every read fails.
  // files and access must outlive the source. UI thread.
  CdSource(FileSystem& files, CdAccess* access);
  ~CdSource() override;

  // path is "X:..." naming a ".cda" file: RIFF "CDDA" with a "fmt " chunk of
  // at least 24 bytes, version word not 0, start sector at bytes 8..11 and
  // sector count (not 0) at bytes 12..15. Opens drive X when there is one.
  // UI thread. Return: sectors / 75, or -1 (openFailure() tells why: a
  // missing file, not a CD track, a damaged header, a drive that does not
  // open). Post: size key =
  // ((start << 16) with the top bit clear) | (sectors & 0xFFFF); position 0.
  int32_t open(const char* path) override;
  // UI thread.
  void close() override;
  // Audio thread. Return: 1; 0 for the block that reaches the track's end
  // (it is not played); -1 when the drive fails or there is none.
  int32_t read(int16_t* block) override;
  // Next read starts at sector start + truncate(sectors × x). Audio thread.
  // Return: 1.
  int32_t seek(float x) override;

 private:
  OpenFailure readCdaFile(const char* path);
  bool fillBuffer();
  void copyFrames(int16_t* dst, int32_t frames);
  void updatePosition();

  FileSystem& files_;
  std::unique_ptr<CdDrive> drive_;
  std::unique_ptr<int16_t[]> buffer_;  // kBufferFrames stereo frames
  int64_t start_ = 0;
  int64_t sectors_ = 0;
  int64_t nextSector_ = 0;
  int32_t bufferIndex_ = kBufferFrames;  // frames; kBufferFrames = empty
  bool driveOpen_ = false;
  bool trackOpen_ = false;
};

}  // namespace zarnel
