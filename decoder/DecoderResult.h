#pragma once
// Result codes of the decoder module and its input modules.

#include <cstdint>

namespace zarnel::mpeg {

constexpr int32_t kOk = 0;
constexpr int32_t kOutOfMemory = -100;
constexpr int32_t kBadParameter = -101;
constexpr int32_t kWrongState = -102;  // wrong state or bad module; details to the error callback
constexpr int32_t kInitFailed = -104;
constexpr int32_t kOpenFailed = -500;
constexpr int32_t kPermissionDenied = -504;
constexpr int32_t kUnknownModule = -507;
constexpr int32_t kNoModuleForName = -508;
constexpr int32_t kFileNotFound = -513;
constexpr int32_t kEndOfStream = -514;
constexpr int32_t kFrameLost = -600;  // damaged data skipped: call again
constexpr int32_t kUnknownProperty = -800;
constexpr int32_t kWrongPropertyType = -801;

}  // namespace zarnel::mpeg
