#pragma once
// UploadScreenAnimation: the ScreenImage (head with frame count and delays,
// then RGB565 frames) and its transfer, by cable over the screen interface in
// 4096-byte blocks or through the receiver in 28-byte chunks.
#include "device/layout_file.h"
#include "link/link_transaction.h"

struct ScreenFrame {
    int delayMs = 0;
    std::vector<uint8_t> pixels;  // width x height RGB565 values, low byte first, rows from the top
};

// The delay byte of a frame: milliseconds in the keyboard's 2 ms units, at
// least 1 and at most 255 (longer delays are held at 510 ms, not wrapped).
uint8_t ScreenDelayByte(int delayMs);

// The image of up to maxFrames frames; empty when the layout's screen values
// cannot hold one (no size, no head, no frames) or the image would be absurdly
// large. Missing pixels stay 0xFF.
std::vector<uint8_t> ScreenImage(const std::vector<ScreenFrame>& frames, const ScreenInfo& screen);

// ConfigBegin (ack), DataAnnounce 0x72 with the slot in byte 2 and the block
// count in bytes 8, 9 (ack), the blocks with SendScreenBlock (progress
// 100 x i / B after block i), ConfigEnd (ack), progress 100.
Transaction UploadScreenCable(const std::vector<uint8_t>& image, int slot);
// Request 0x7F with the slot and the chunk count n, then n chunks j with
// command 0x80 | j >> 16 and j in bytes 2, 3, each followed by 2 ms.
Transaction UploadScreenReceiver(const std::vector<uint8_t>& image, int slot);
