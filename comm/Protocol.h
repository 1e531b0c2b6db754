#pragma once

#include <cstdint>

// What the KW3 controller and the PC agree on over the line; the link and the
// simulated controller both keep to it.
namespace Protocol {

// PC to controller: "take an image" (download) and "send your image" (upload).
constexpr std::uint8_t DownloadLetter = 'B';
constexpr std::uint8_t UploadLetter = 'A';
// Controller to PC: ready.
constexpr std::uint8_t ReadyByte = 0x40;

// A letter is sent at most this often; the ready byte counts only as the answer to one of the first 19.
constexpr int HandshakeTries = 20;
// The controller needs this long after its ready byte before the image bytes.
constexpr int PauseAfterHandshakeMs = 2000;
// Image bytes of a download are at least this far apart.
constexpr int DownloadByteIntervalMs = 3;

constexpr int BaudRate = 4800;
// Start bit, 8 data bits, stop bit.
constexpr int LineBitsPerByte = 10;

} // namespace Protocol
