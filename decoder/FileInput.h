#pragma once
// The file input module, "Input From File": any file name, or "-" for
// standard input, read through the C library.

#include "decoder/InputModule.h"

namespace zarnel {

// Return: the module's descriptor, alive for the whole run.
const InputModule& fileInputModule();

}  // namespace zarnel
