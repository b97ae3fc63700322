#pragma once
// Metadata tags that files put around MPEG audio: ID3v2 at the start, APE and
// ID3v1 at the end. They hold no audio; the decoder keeps them out of the
// stream's positions, duration and seeks.

#include <cstdint>

namespace zarnel {

constexpr int32_t kId3v2HeaderBytes = 10;
constexpr int32_t kId3v1Bytes = 128;
constexpr int32_t kApeFooterBytes = 32;

// Reads an ID3v2 tag header ("ID3", version, flags, 28-bit synchsafe size).
// Pre: p holds kId3v2HeaderBytes bytes.
// Return: the whole tag's bytes (header, body and the footer when its flag is
// set), or 0 when p is no valid ID3v2 header.
int64_t id3v2TagBytes(const uint8_t* p);

// Pre: tail holds the kId3v1Bytes bytes that end the audio.
// Return: kId3v1Bytes when they are an ID3v1 tag ("TAG"), else 0.
int32_t id3v1TagBytes(const uint8_t* tail);

// Pre: footer holds the kApeFooterBytes bytes that end the audio.
// Return: the whole APE tag's bytes (items, footer and the header when the
// footer says there is one), or 0 when they are no APE tag footer.
int64_t apeTagBytes(const uint8_t* footer);

// Pre: p holds 4 bytes.
// Return: true when a tag starts at p ("TAG", "ID3" or "APET"): the audio
// before it may end there.
bool tagStartsAt(const uint8_t* p);

}  // namespace zarnel
