#pragma once
// The receiver-only commands without values (ResetAll, QueryBattery) and the
// reading of what the keyboard reports by itself (battery level, notifications).
#include <optional>

#include "link/link_transaction.h"

Transaction ResetAllReceiver();
Transaction QueryBatteryReceiver();
// The level of a QueryBattery answer (answer byte 0 = 0x20, level in byte 3,
// above 100 counting as 100); nothing for another answer or a level of 0.
std::optional<int> BatteryLevel(const uint8_t* answer);

struct Notification {
    enum Kind { kNone, kLinkUp, kLinkDown, kKeyAction, kOther };
    Kind kind = kNone;
    int value = 0;  // kKeyAction: the stored function's value
};
// A report read from the notify interface (`length` bytes, the rest counting
// as 0): 05 A6 FF 01 link up, 05 A6 FE 02 link down, any other report with
// byte 0 = 5 a key action with value byte 2; byte 0 = 0 nothing.
Notification ParseNotification(const uint8_t* report, int length);
