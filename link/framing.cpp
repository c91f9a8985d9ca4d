#include "link/framing.h"

#include <algorithm>
#include <cstring>

#include "link/report_sizes.h"

namespace {

Payload Frame(uint8_t type)
{
    Payload p{};
    p[0] = 0x04;
    p[1] = type;
    return p;
}

constexpr int kChunkPause = 2;

}  // namespace

Payload ConfigBegin() { return Frame(0x18); }
Payload MacroConfigBegin() { return Frame(0x19); }
Payload ConfigEnd() { return Frame(0x02); }
Payload ConfigFinal() { return Frame(0xF0); }

Payload DataAnnounce(int blockType, int packets)
{
    Payload p = Frame(uint8_t(blockType));
    p[8] = uint8_t(packets);
    return p;
}

std::vector<uint8_t> ReceiverRequest(int command, int length, int index, const uint8_t* data, size_t dataSize)
{
    std::vector<uint8_t> r(kReceiverBufferSize, 0);
    r[1] = uint8_t(command);
    r[2] = uint8_t(length);
    r[3] = uint8_t(index);
    if (data) std::memcpy(r.data() + 4, data, std::min<size_t>(dataSize, kReceiverChunk));
    return r;
}

Transaction TrailedReceiverExchange(int command, int length, const uint8_t* data, size_t dataSize)
{
    std::vector<uint8_t> r = ReceiverRequest(command, length, 0, data, dataSize);
    r[18] = kTrailer0;
    r[19] = kTrailer1;
    Transaction t;
    t.Add(ExchangeStep(std::move(r)));
    return t;
}

Transaction ReceiverChunks(int command, const std::vector<uint8_t>& block, int lastLength)
{
    Transaction t;
    const size_t chunks = (block.size() + kReceiverChunk - 1) / kReceiverChunk;
    for (size_t k = 0; k < chunks; ++k) {
        const size_t start = k * kReceiverChunk;
        const size_t size = std::min<size_t>(kReceiverChunk, block.size() - start);
        const bool last = k + 1 == chunks;
        const int length = last && lastLength >= 0 ? lastLength : int(size);
        t.Add(ExchangeStep(ReceiverRequest(command, length, int(k), block.data() + start, size)));
        t.Add(PauseStep(kChunkPause));
    }
    return t;
}
