#pragma once
// The Windows registry export format ("Windows Registry Editor Version
// 5.00") for the values of one key, as 8-bit text:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Zarnel]
//   "Skin"="night"                     REG_SZ, with \\ and \" escapes
//   "ToolTip"=dword:00000001           REG_DWORD
//   "BandSizes"=hex:80,01,00,00,\      REG_BINARY; a line ending in a
//     80,01,00,00                      backslash goes on in the next one
//   "Other"=hex(7):61,00,00            any other type by its number
//   @="..."                            the value without a name
//
// Lines starting with ';' are comments. Texts are stored as the program's
// 8-bit bytes (the format's usual UTF-16 files are not read).

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/RegistryValueList.h"

namespace zarnel {

// Reads the values of the key keyPath (compared without regard to case) from
// text into values; the sections of other keys are skipped. A value line that
// cannot be read, or whose value is longer than kMaxRegistryValueBytes, is
// skipped and counted in damaged.
// Return: false when the header is missing or no section names keyPath.
// Thread: any; touches only its arguments.
bool parseRegExport(std::string_view text, std::string_view keyPath, RegistryValueList& values,
                    int32_t& damaged);

// Return: the text of a file holding keyPath with values, in their order.
// Pre: no value name holds a byte below 0x20.
std::string formatRegExport(std::string_view keyPath, const RegistryValueList& values);

}  // namespace zarnel
