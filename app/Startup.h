#pragma once
// The program's run from start to end: settings, texts, the single-instance
// rule, the splash, the main window and its message loop, the crash report,
// and the fatal error shown at the very end.

#include "app/TextLookup.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

namespace zarnel {

constexpr int32_t kSplashMs = 2000;

// Runs the program. UI thread.
// Return: 0 after a normal run or a fatal error, -1 when another instance runs.
int runZarnel(const PlatformServices& services, WindowSystem& windows, TextTable& texts);

// Return: the crash report text with its first two "%x" replaced by the
// numbers in hexadecimal; any other '%' stays as it is (the text comes from
// the language file and is never used as a format).
std::string formatCrashReport(const std::string& text, uint32_t address, uint32_t word);

}  // namespace zarnel
