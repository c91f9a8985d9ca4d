#pragma once
// WriteScreenClock: the local time and the screen slot to show.
#include <QDateTime>

#include "link/link_transaction.h"

struct ScreenClock {
    int slot = 1;  // current item of the screen animation list plus 1
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    int dayOfWeek = 0;  // 0 = Sunday
};

// The clock values of a local time with the list's current item (0-based).
ScreenClock ScreenClockAt(const QDateTime& local, int currentItem);

Payload ClockPacket(const ScreenClock& clock);
// ConfigBegin (ack), DataAnnounce 0x28 (ack), the packet (ack), ConfigEnd (ack).
Transaction WriteScreenClockCable(const ScreenClock& clock);
// One request 0x0C: the packet's bytes 0..13, then the trailer.
Transaction WriteScreenClockReceiver(const ScreenClock& clock);
