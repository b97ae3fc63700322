#pragma once
// The names of the recorder's WAV files: a base taken from the chosen name,
// then the first file and the numbered files of each cut; and the names that
// choose a broadcast plug-in instead.

#include <cstdint>
#include <string>
#include <string_view>

namespace zarnel {

constexpr size_t kRecordBaseMaxBytes = 507;

// Return: name without a final ".wav" (any case), cut to at most
// kRecordBaseMaxBytes bytes, never inside a UTF-8 sequence (a split
// character would make a name the file system may refuse). Any thread.
std::string recordBaseName(std::string_view name);

// Return: the file for cut counter (0 for the first file): base + ".wav" for
// the first file when cuts are not automatic, else base + the counter as at
// least three digits + ".wav" (mix000.wav, mix001.wav...). Any thread.
std::string recordFileName(std::string_view base, int32_t counter, bool autoCut);

// Return: whether name chooses broadcast mode: it ends in ".dll" (any case),
// or in the platform's own library ending (".so" on Linux). Any thread.
bool isBroadcastName(std::string_view name);

}  // namespace zarnel
