#pragma once
// The broadcast plug-in host: a library of another maker that offers the
// published DSP plug-in interface, fed the recorded mix as if it were
// a DSP stage. What it returns, and what it writes into the samples, is
// ignored: it gets a copy that nothing else reads.
//
// The interface, for plug-in authors (C, pointer-sized fields, the caller
// cleans the stack):
//  - the library exports winampDSPGetHeader2 (preferred) or the older
//    winampDSPGetHeader: no arguments, returning a DspHeader*;
//  - header->getModule(0) gives the module the host uses;
//  - the host sets module->hwndParent and module->hDllInstance (the
//    library's module handle: its HMODULE on Windows, its dlopen handle on
//    Linux), calls Init then Config on the UI thread, then ModifySamples on
//    the recorder's writer thread with 16-bit stereo frames at 44100 Hz
//    (the buffer has room for twice the frames), and Quit on the UI thread
//    before it frees the library.
//
// The host's window. A plug-in may ask it for the skin with the query
// message 0x0400 (WM_USER), lparam 201, wparam a char buffer or 0: the
// answer writes an empty string into the buffer when one is given and
// returns the address of an empty string (no skin); any other query
// returns -1. On Windows hwndParent is the program's main window (an HWND),
// asked with SendMessage. Elsewhere, or when the program hands no window,
// hwndParent points to a DspHostWindow record, asked as
//     DspHostWindow* w = (DspHostWindow*)module->hwndParent;
//     char skin[MAX_PATH];
//     w->sendMessage(w, 0x0400, (uintptr_t)skin, 201);
// The record stays valid from Init to the end of Quit.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/DynamicLibrary.h"

extern "C" {

struct DspModule {
  char* description;
  void* hwndParent;    // set by the host: its window (see above)
  void* hDllInstance;  // set by the host: the library's module handle
  void(ZARNEL_CDECL* Config)(DspModule* self);
  int(ZARNEL_CDECL* Init)(DspModule* self);
  int(ZARNEL_CDECL* ModifySamples)(DspModule* self, short* samples, int frameCount, int bitsPerSample, int channels,
                                   int sampleRate);
  void(ZARNEL_CDECL* Quit)(DspModule* self);
  void* userData;  // the plug-in's own
};

struct DspHeader {
  int version;
  char* description;
  DspModule*(ZARNEL_CDECL* getModule)(int index);
  int(ZARNEL_CDECL* sf)(int key);  // newer headers only: never read
};

// The host's window where the program hands none (see above).
struct DspHostWindow {
  intptr_t(ZARNEL_CDECL* sendMessage)(DspHostWindow* self, uint32_t message, uintptr_t wparam, intptr_t lparam);
};

}  // extern "C"

namespace zarnel {

constexpr uint32_t kDspHostQueryMessage = 0x0400;  // WM_USER
constexpr intptr_t kDspGetSkinQuery = 201;
constexpr int kDspBitsPerSample = 16;
constexpr int kDspChannels = 2;
constexpr int kDspSampleRate = 44100;

// Return: the host window's answer to a plug-in's query (see above). wparam,
// when not 0, must point to a writable char. Any thread.
intptr_t answerDspHostQuery(uint32_t message, uintptr_t wparam, intptr_t lparam);

// One loaded plug-in and its module 0.
// Thread: load and unload on the UI thread; feed on the one thread that
// owns the recorder's writing (the writer thread while it runs).
class BroadcastPlugin {
 public:
  BroadcastPlugin();
  // Unloads (see unload).
  ~BroadcastPlugin();
  BroadcastPlugin(const BroadcastPlugin&) = delete;
  BroadcastPlugin& operator=(const BroadcastPlugin&) = delete;

  // Unloads any plug-in, loads the library at path, takes its header and
  // module 0, sets the module's hwndParent to hostWindow (or, when null, to
  // this object's DspHostWindow) and hDllInstance, and calls Init then
  // Config. Init's result is not checked, as the interface's hosts do not.
  // Return: false, with error set and the library freed, when the library
  // cannot be loaded, exports no header getter, or gives a null header,
  // module getter, module 0, or one of the module's four functions.
  bool load(DynamicLibraries& libraries, const std::string& path, void* hostWindow, std::string& error);
  // Hands count frames to ModifySamples, ignoring its result.
  // Pre: loaded(); frames holds room for 2 * count frames, and nothing else
  // reads them (the plug-in may write over them).
  void feed(int16_t* frames, int32_t count);
  // Calls Quit, then frees the library. Nothing without a plug-in.
  void unload();

  bool loaded() const { return module_ != nullptr; }

 private:
  DspHostWindow hostWindow_;
  std::unique_ptr<LoadedLibrary> library_;
  DspModule* module_ = nullptr;
};

}  // namespace zarnel
