#pragma once
// The MPEG source's input module, "Input From Read-Ahead": a file read
// directly while the decoder opens it on the UI thread, then, once handed a
// read-ahead, read only through it, so that the decoder's reads and seeks on
// the audio thread never touch the file.

#include <cstdint>

#include "decoder/InputModule.h"

namespace zarnel {

// Messages the module takes through Decoder::inputMessage.
enum MpegStreamMessage : int32_t {
  kStreamThroughReadAhead = 1,  // data: the ReadAhead to stream through from here on
  kReadDirectly = 2,            // data: unused; back to direct reads (before a reopen)
};

// Return: the module's descriptor, alive for the whole run.
const InputModule& mpegStreamInputModule();

}  // namespace zarnel
