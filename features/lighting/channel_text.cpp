#include "features/lighting/channel_text.h"

#include <algorithm>

namespace {

constexpr long long kSaturation = 1000000000LL;

}  // namespace

int ParseChannelText(const CString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') break;
        value = std::min(value * 10 + (c - u'0'), kSaturation);
    }
    return int(negative ? -value : value);
}

int ClampChannel(int value)
{
    return std::clamp(value, 0, 255);
}
