#pragma once
// The default skin's colours: a dark, cool grey body with one accent colour
// per desk, green for play, amber for cue and red for kills.

#include <cstdint>

namespace zarnel::art::theme {

constexpr uint32_t kWindow = 0x0E1014;      // gaps between panels
constexpr uint32_t kPanelTop = 0x20242C;    // panels: top of their gradient
constexpr uint32_t kPanel = 0x1A1D23;       // panels' body (flat below the header)
constexpr uint32_t kPanelEdge = 0x2C313B;
constexpr uint32_t kDisplay = 0x0A0C0F;     // text displays and grooves
constexpr uint32_t kDisplayEdge = 0x30353F;
constexpr uint32_t kGroove = 0x07080A;
constexpr uint32_t kText = 0xE6EAF0;
constexpr uint32_t kTextDim = 0x8A92A0;
constexpr uint32_t kCaption = 0x6C7482;

constexpr uint32_t kDesk1 = 0x27C0F0;  // cyan
constexpr uint32_t kDesk2 = 0xFF8A2E;  // orange
constexpr uint32_t kPlay = 0x39D67C;
constexpr uint32_t kCue = 0xFFB323;
constexpr uint32_t kKill = 0xFF4759;
constexpr uint32_t kNeutral = 0xC9D3E3;  // accent of controls of no desk

}  // namespace zarnel::art::theme
