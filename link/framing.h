#pragma once
// The packets that frame every cable transaction, and the receiver's request
// layout with its chunking of long blocks.
#include <cstddef>

#include "link/link_transaction.h"

// Cable framing (64-byte payloads, every other byte 0).
Payload ConfigBegin();
Payload MacroConfigBegin();
Payload ConfigEnd();
Payload ConfigFinal();
// Announces a block of `packets` 64-byte data packets (byte 8, low byte).
Payload DataAnnounce(int blockType, int packets);

// Block types of DataAnnounce.
enum BlockType : uint8_t {
    kBlockKeyMapBase = 0x11,
    kBlockLightMode = 0x13,
    kBlockMacros = 0x15,
    kBlockSettings = 0x17,
    kBlockLiveFrame = 0x20,
    kBlockColours = 0x23,
    kBlockKeyMapFn = 0x27,
    kBlockScreenClock = 0x28,
    kBlockScreenImage = 0x72,
    kBlockColourRead = 0xF5,
};

// Every configuration block ends with these two bytes.
constexpr uint8_t kTrailer0 = 0xAA;
constexpr uint8_t kTrailer1 = 0x55;

// Receiver request in a 65-byte buffer laid out as the report: byte 0 report
// id 0, byte 1 command, byte 2 data length, byte 3 index, data from byte 4
// (at most 28 bytes), byte 32 the checksum ExchangeReport fills in.
constexpr int kReceiverChunk = 28;
std::vector<uint8_t> ReceiverRequest(int command, int length, int index, const uint8_t* data = nullptr,
                                     size_t dataSize = 0);

// One receiver exchange whose request carries the configuration trailer at
// bytes 18 and 19 (the clock, the settings and the side light).
Transaction TrailedReceiverExchange(int command, int length, const uint8_t* data, size_t dataSize);

// A block in receiver chunks: chunk k carries block bytes 28k..28k+27 with
// index k and length 28, the last one the bytes that remain (or
// `lastLength` when given), each followed by a 2 ms pause.
Transaction ReceiverChunks(int command, const std::vector<uint8_t>& block, int lastLength = -1);
