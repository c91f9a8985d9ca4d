#pragma once
// WriteSettings: the key locks, the Fn switch, sleep time and key response time.
#include "link/link_transaction.h"

struct DeviceSettings {
    bool disableAltTab = false;
    bool disableAltF4 = false;
    bool disableWin = false;
    int fnSwitch = 0;        // profile setting "fn_switch"
    int sleepTime = 0;       // "sleep_time" (0 when empty)
    int keyRespondTime = 0;  // "key_respondtime" (0 when empty)
};

Payload SettingsPacket(const DeviceSettings& settings);
// ConfigBegin (ack), DataAnnounce 0x17 with byte 2 = 1 (ack), the packet, ConfigEnd (ack).
Transaction WriteSettingsCable(const DeviceSettings& settings);
// One request 0x07: the packet's first 14 bytes, then the trailer.
Transaction WriteSettingsReceiver(const DeviceSettings& settings);
