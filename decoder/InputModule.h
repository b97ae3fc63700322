#pragma once
// The pluggable input modules the decoder reads its bytes through.

#include <cstdint>

namespace zarnel {

class Decoder;

// What a module says of itself and of one of its devices.
struct InputInfo {
  const char* name = nullptr;
  const char* version = nullptr;
  const char* description = nullptr;
};

// Operations of one input module, in their fixed order. handle is the
// module's own state for one input, made by create ("new") and freed by destroy.
struct InputModule {
  // Return: 0.
  int32_t (*init)();
  // Fills info for device number `device`. Return: 0, or -507 for an unknown device.
  int32_t (*query)(InputInfo* info, int32_t device);
  // Return: 0 with *handle set, or a result code (the name is refused).
  int32_t (*create)(void** handle, const char* name, int32_t moduleId, Decoder* decoder);
  void (*destroy)(void* handle);
  // Return: 0, or a result code.
  int32_t (*open)(void* handle);
  int32_t (*close)(void* handle);
  // Return: bytes read (0 at the end), or a negative code.
  int32_t (*read)(void* handle, uint8_t* buffer, int32_t count);
  // Moves to `offset` bytes from the start. Return: 0, or a negative code.
  int32_t (*seek)(void* handle, int64_t offset);
  // Return: 1 when seek works, else 0.
  int32_t (*isSeekable)(void* handle);
  // Return: the input's size in bytes, 0 when unknown.
  int64_t (*getSize)(void* handle);
  // Return: 0.
  int32_t (*sendMessage)(void* handle, int32_t message, void* data);
};

}  // namespace zarnel
