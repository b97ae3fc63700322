#include "platform/ByteFile.h"
#include "platform/WritableFile.h"

namespace zarnel {

std::unique_ptr<WritableFile> FileSystem::openReadWrite(const char*, bool) { return nullptr; }

}  // namespace zarnel
