#pragma once
// Lighting commands: the preset light mode (LightModeBlock), the side light,
// and the user light (light mode 0x80 followed by the per-key ColourBlock).
#include <map>

#include "device/key_tables.h"
#include "link/link_transaction.h"

struct LightModeValues {
    int mode = 0;
    uint32_t colour = 0;  // 0x00BBGGRR
    int colorful = 0;
    int brightness = 0;
    int speed = 0;
    int direction = 0;
};

using LightBlock = std::array<uint8_t, 16>;
LightBlock LightModeBlock(const LightModeValues& values);
// Byte 0 = the side light mode value (32..41) and the trailer.
LightBlock SideLightBlock(int value);

// ConfigBegin (ack), DataAnnounce 0x13 (ack), the block in one packet,
// ConfigEnd (ack), ConfigFinal (no ack). Side light modes travel the same way.
Transaction WriteLightBlockCable(const LightBlock& block);
// Request 0x05 with length 0x10 and the block.
Transaction WriteLightModeReceiver(const LightBlock& block);
// Request 0x05 with length 1, the value, and the trailer at bytes 18, 19.
Transaction WriteSideLightReceiver(int value);

// The per-key colours: key code -> 0x00BBGGRR. RGB: 576 bytes, the key at
// light position p in bytes 4p..4p+3 (p, red, green, blue). Single colour:
// 192 bytes, byte p 0xFF when the key is lit. Keys without a light position
// are skipped.
std::vector<uint8_t> ColourBlock(const std::map<int, uint32_t>& colours, const KeyTables& tables, bool rgb);

// Light mode 0x80 with the layout's default brightness, then the colours:
// ConfigBegin (ack), DataAnnounce 0x23 with 9 or 3 packets (ack), the block,
// ConfigEnd (ack), ConfigFinal (ack).
Transaction WriteUserLightCable(const std::vector<uint8_t>& colourBlock, int defaultBrightness);
// Request 0x05 for mode 0x80, then the colour block in chunks of command 0x14.
Transaction WriteUserLightReceiver(const std::vector<uint8_t>& colourBlock, int defaultBrightness);
