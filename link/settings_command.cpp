#include "link/settings_command.h"

#include "link/framing.h"

Payload SettingsPacket(const DeviceSettings& s)
{
    Payload p{};
    p[1] = 0x01;
    p[2] = s.disableAltTab ? 1 : 0;
    p[3] = s.disableAltF4 ? 1 : 0;
    p[4] = s.disableWin ? 1 : 0;
    p[5] = uint8_t(s.fnSwitch);
    p[6] = uint8_t(s.sleepTime);
    p[8] = uint8_t(s.keyRespondTime);
    p[62] = kTrailer0;
    p[63] = kTrailer1;
    return p;
}

Transaction WriteSettingsCable(const DeviceSettings& settings)
{
    Payload announce = DataAnnounce(kBlockSettings, 1);
    announce[2] = 1;
    Transaction t;
    t.Add(FeatureStep(ConfigBegin(), true));
    t.Add(FeatureStep(announce, true));
    t.Add(FeatureStep(SettingsPacket(settings), false));
    t.Add(FeatureStep(ConfigEnd(), true));
    return t;
}

Transaction WriteSettingsReceiver(const DeviceSettings& settings)
{
    const Payload p = SettingsPacket(settings);
    return TrailedReceiverExchange(0x07, 0x10, p.data(), 14);
}
