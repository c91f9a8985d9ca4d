#include "link/device_events.h"

#include <algorithm>

#include "link/framing.h"

Transaction ResetAllReceiver()
{
    Transaction t;
    t.Add(ExchangeStep(ReceiverRequest(0x0F, 0, 0)));
    return t;
}

Transaction QueryBatteryReceiver()
{
    Transaction t;
    t.Add(ExchangeStep(ReceiverRequest(0x20, 0x01, 0)));
    return t;
}

std::optional<int> BatteryLevel(const uint8_t* answer)
{
    if (!answer || answer[0] != 0x20 || answer[3] == 0) return std::nullopt;
    return std::min<int>(answer[3], 100);
}

Notification ParseNotification(const uint8_t* report, int length)
{
    uint8_t b[4] = {};
    if (report && length > 0) std::copy_n(report, std::min(length, 4), b);
    Notification n;
    if (b[0] == 0) return n;
    if (b[0] != 0x05) {
        n.kind = Notification::kOther;
        return n;
    }
    if (b[1] == 0xA6 && b[2] == 0xFF && b[3] == 0x01) n.kind = Notification::kLinkUp;
    else if (b[1] == 0xA6 && b[2] == 0xFE && b[3] == 0x02) n.kind = Notification::kLinkDown;
    else {
        n.kind = Notification::kKeyAction;
        n.value = b[2];
    }
    return n;
}
