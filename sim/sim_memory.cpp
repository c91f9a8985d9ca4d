#include "sim/sim_memory.h"

void SimMemory::Reset(bool rgb)
{
    keyMap[0].assign(576, 0);
    keyMap[1].assign(576, 0);
    macros.clear();
    light = SimLightMode{};
    light.mode = 1;
    light.red = 0xFF;
    light.brightness = 4;
    sideLightMode = 0;
    colours.assign(rgb ? 576 : 192, 0);
    liveFrame.clear();
    liveActive = false;
    musicFrame.clear();
    settings = SimSettings{};
    clock = SimClock{};
    screenSlots.clear();
    lastScreenSlot = 0;
    ++screenImages;  // the images are gone: a change to whoever shows them
}
