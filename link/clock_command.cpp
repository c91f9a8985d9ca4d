#include "link/clock_command.h"

#include "link/framing.h"

ScreenClock ScreenClockAt(const QDateTime& local, int currentItem)
{
    const QDate d = local.date();
    const QTime t = local.time();
    ScreenClock c;
    c.slot = currentItem + 1;
    c.year = d.year();
    c.month = d.month();
    c.day = d.day();
    c.hour = t.hour();
    c.minute = t.minute();
    c.second = t.second();
    c.dayOfWeek = d.dayOfWeek() % 7;  // Qt counts Monday 1 .. Sunday 7
    return c;
}

Payload ClockPacket(const ScreenClock& c)
{
    Payload p{};
    p[1] = uint8_t(c.slot);
    p[2] = 0x5A;
    p[3] = uint8_t(c.year % 2000);
    p[4] = uint8_t(c.month);
    p[5] = uint8_t(c.day);
    p[6] = uint8_t(c.hour);
    p[7] = uint8_t(c.minute);
    p[8] = uint8_t(c.second);
    p[10] = uint8_t(c.dayOfWeek);
    p[62] = kTrailer0;
    p[63] = kTrailer1;
    return p;
}

Transaction WriteScreenClockCable(const ScreenClock& clock)
{
    Transaction t;
    t.Add(FeatureStep(ConfigBegin(), true));
    t.Add(FeatureStep(DataAnnounce(kBlockScreenClock, 1), true));
    t.Add(FeatureStep(ClockPacket(clock), true));
    t.Add(FeatureStep(ConfigEnd(), true));
    return t;
}

Transaction WriteScreenClockReceiver(const ScreenClock& clock)
{
    const Payload p = ClockPacket(clock);
    return TrailedReceiverExchange(0x0C, 0x10, p.data(), 14);
}
