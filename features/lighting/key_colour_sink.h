#pragma once
// The keyboard picture as the worker's colour mirror sees it: the keys it
// shows, a colour per key, and a repaint. Called from the worker thread; the
// picture guards its keys itself.
#include <cstdint>
#include <vector>

class KeyColourSink {
public:
    virtual ~KeyColourSink() = default;
    // Key values of the picture's keys, in the picture's order.
    virtual std::vector<int> KeyValues() const = 0;
    virtual void SetKeyColour(int keyValue, uint32_t colour) = 0;  // 0x00BBGGRR
    virtual void Repaint() = 0;
};
