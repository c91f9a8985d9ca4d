#pragma once
// What a simulated keyboard remembers, as its firmware would keep it: the
// blocks written to it (byte for byte as received, trailers included) and the
// values decoded from them.
#include <array>
#include <cstdint>
#include <map>
#include <vector>

struct SimSettings {
    int disableAltTab = 0;
    int disableAltF4 = 0;
    int disableWin = 0;
    int fnSwitch = 0;
    int sleepTime = 0;
    int keyRespondTime = 0;
};

struct SimClock {
    int shownSlot = 0;  // screen slot shown (1-based), 0 before any clock packet
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, dayOfWeek = 0;
};

struct SimLightMode {
    int mode = 0;          // 0x80: the per-key user colours
    uint8_t red = 0, green = 0, blue = 0;
    int colorful = 0, brightness = 0, speed = 0, direction = 0;
};

struct SimMemory {
    std::vector<uint8_t> keyMap[2];   // base and Fn layer, 576 bytes each
    std::vector<uint8_t> macros;      // the macro area as last written
    SimLightMode light;
    int sideLightMode = 0;            // 32..41 once set
    std::vector<uint8_t> colours;     // per-key colour block (576 RGB, 192 single colour)
    std::vector<uint8_t> liveFrame;   // last live frame (512 RGB, 192 single colour)
    bool liveActive = false;          // the LEDs show the live frame
    std::vector<uint8_t> musicFrame;  // request bytes 4..27 of the last music frame
    SimSettings settings;
    SimClock clock;
    std::map<int, std::vector<uint8_t>> screenSlots;  // slot -> image bytes
    int lastScreenSlot = 0;           // slot of the image taken last, 0 before any
    int screenImages = 0;             // images taken so far (changes with every upload)
    int battery = 80;                 // percent
    bool linked = true;               // the keyboard behind the receiver is on and paired
    int resets = 0;                   // factory resets received

    // Back to the state of a new keyboard.
    void Reset(bool rgb);
};
