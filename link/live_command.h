#pragma once
// Live lighting: the colour read-back of the light page (ReadKeyColours),
// per-key frames by cable (LiveFrame) and music frames by receiver (MusicFrame).
#include <map>
#include <optional>

#include "device/key_tables.h"
#include "link/link_transaction.h"

// The request of ReadFeatureBlocks: DataAnnounce 0xF5 with 9 (RGB) or 3
// packets; the same number is its acknowledge-read length.
Payload ColourReadRequest(bool rgb);
int ColourReadAckLength(bool rgb);
// Key code -> 0x00BBGGRR from the 576 bytes read: RGB from bytes 4p+1..4p+3,
// single colour the grey b x 255 / 256 of byte p.
std::map<int, uint32_t> DecodeKeyColours(const uint8_t* blocks, const KeyTables& tables, bool rgb);

struct LiveKeyColour {
    int lightPosition = 0;  // 0: the key has none (its entry stays 0)
    uint8_t red = 0, green = 0, blue = 0;
};
// RGB frame, 512 bytes: entry k (bytes 4k..4k+3) for the k-th key of the
// list: light position, red, green, blue.
std::vector<uint8_t> LiveFrameRgb(const std::vector<LiveKeyColour>& keys);
// Single-colour frame, 192 bytes: byte p holds the level of the key at light
// position p.
std::vector<uint8_t> LiveFrameSingle(const std::map<int, uint8_t>& levelByPosition);
// Bursts: DataAnnounce 0x20 with 8 or 3 packets, the frame, ConfigEnd; each
// later one only when the one before succeeded.
Transaction LiveFrame(const std::vector<uint8_t>& frame, bool rgb);

struct MusicFrameValues {
    int effect = 0;      // item data of the music page's first selector
    int background = 0;  // item data of its second selector
    int level = 0;       // position of its level control
    std::array<uint8_t, 21> heights{};  // column heights of the visualiser frame
};
// Request 0x0B (checksum over 33 bytes); nothing when no column is above 1.
std::optional<Transaction> MusicFrame(const MusicFrameValues& values);
