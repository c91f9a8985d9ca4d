#include "link/report_descriptor.h"

#include <algorithm>
#include <map>

namespace {

enum ItemType { kMain = 0, kGlobal = 1, kLocal = 2 };
enum MainTag { kInput = 0x8, kOutput = 0x9, kFeature = 0xB };
enum GlobalTag { kReportSize = 0x7, kReportId = 0x8, kReportCount = 0x9, kPush = 0xA, kPop = 0xB };

// Reports longer than this are not real; the sum is clamped so that absurd
// sizes and counts cannot overflow.
constexpr uint64_t kMaxReportBits = uint64_t(1) << 24;

struct Globals {
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

uint32_t ItemValue(const uint8_t* p, int size)
{
    uint32_t v = 0;
    for (int i = 0; i < size; ++i) v |= uint32_t(p[i]) << (8 * i);
    return v;
}

int LengthOf(const std::map<uint32_t, uint64_t>& bits)
{
    uint64_t longest = 0;
    for (const auto& [id, b] : bits) longest = std::max(longest, b);
    if (bits.empty()) return 0;
    return int((std::min(longest, kMaxReportBits) + 7) / 8) + 1;
}

}  // namespace

HidReportLengths ParseReportDescriptor(const uint8_t* data, size_t size)
{
    std::map<uint32_t, uint64_t> bits[3];  // input, output, feature: report id -> bits
    Globals g;
    std::vector<Globals> stack;

    size_t i = 0;
    while (i < size) {
        const uint8_t prefix = data[i];
        if (prefix == 0xFE) {  // long item: size byte, tag byte, data
            if (i + 2 >= size) break;
            const size_t dataSize = data[i + 1];
            i += 3 + dataSize;
            continue;
        }
        static const int kSizes[4] = {0, 1, 2, 4};
        const int itemSize = kSizes[prefix & 3];
        const int type = (prefix >> 2) & 3;
        const int tag = prefix >> 4;
        if (i + 1 + size_t(itemSize) > size) break;
        const uint32_t value = ItemValue(data + i + 1, itemSize);
        i += 1 + size_t(itemSize);

        if (type == kGlobal) {
            switch (tag) {
            case kReportSize: g.reportSize = value; break;
            case kReportCount: g.reportCount = value; break;
            case kReportId: g.reportId = value; break;
            case kPush:
                if (stack.size() < 64) stack.push_back(g);
                break;
            case kPop:
                if (!stack.empty()) {
                    g = stack.back();
                    stack.pop_back();
                }
                break;
            default: break;
            }
        } else if (type == kMain) {
            int kind = -1;
            if (tag == kInput) kind = 0;
            else if (tag == kOutput) kind = 1;
            else if (tag == kFeature) kind = 2;
            if (kind < 0) continue;
            uint64_t& b = bits[kind][g.reportId];
            b = std::min(kMaxReportBits, b + uint64_t(g.reportSize) * uint64_t(g.reportCount));
        }
    }

    HidReportLengths lengths;
    lengths.input = LengthOf(bits[0]);
    lengths.output = LengthOf(bits[1]);
    lengths.feature = LengthOf(bits[2]);
    return lengths;
}
