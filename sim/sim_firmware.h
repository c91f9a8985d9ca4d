#pragma once
// The firmware of a simulated keyboard: decodes what arrives on the command,
// receiver and screen interfaces with its own reading of the protocol, keeps
// the keyboard's memory and produces the answers. Malformed transactions are
// ignored as a device would ignore them, and each is recorded as an error.
// Not thread-safe: the simulator's back end serialises every call.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/sim_memory.h"
#include "sim/sim_model.h"

class SimFirmware {
public:
    explicit SimFirmware(const SimModel& model);

    const SimModel& Model() const { return m_model; }
    SimMemory& Memory() { return m_memory; }
    const SimMemory& Memory() const { return m_memory; }

    // --- command interface (cable: mode 0, Bluetooth: mode 1) -----------------
    // A 64-byte payload arrived in a feature report.
    void OnFeatureReport(int mode, const uint8_t* payload);
    // The payload of the next feature report read: an acknowledge (the last
    // payload with byte 3 = status) or, after a colour read request, the next
    // block of the LED colours.
    void NextFeatureAnswer(int mode, uint8_t* payload);
    // The next acknowledge of this interface carries `status` (0xFF busy).
    void SetAckStatus(int mode, uint8_t status);

    // --- receiver interface ----------------------------------------------------
    // A 33-byte output report arrived (report id at byte 0). True when the
    // keyboard answers; the 32 answer bytes (no report id) are then filled.
    bool OnReceiverReport(const uint8_t* report, uint8_t* answer);

    // --- screen interface --------------------------------------------------------
    // A 4097-byte output report arrived. True when it was taken; the 4096
    // answer bytes are then filled.
    bool OnScreenReport(const uint8_t* report, uint8_t* answer);

    // Errors recorded for transactions the keyboard ignored (the last 200).
    const std::vector<std::string>& Errors() const { return m_errors; }
    int ErrorCount() const { return m_errorCount; }
    void ClearErrors();

    // The colours the LEDs show, as a colour read returns them (576 bytes),
    // at the keyboard's present time (SetTime): preset effects animate.
    std::vector<uint8_t> LedColours() const;
    // Milliseconds since the keyboard started; the simulator's clock sets it
    // before each transaction and each LED read.
    void SetTime(int64_t ms) { m_timeMs = ms; }
    int64_t Time() const { return m_timeMs; }

private:
    enum class Phase { kIdle, kOpen, kData, kAwaitEnd, kClosed, kColourRead };
    struct CableSession {
        Phase phase = Phase::kIdle;
        bool macroTransaction = false;
        int blockType = 0;
        int expected = 0;
        std::vector<uint8_t> data;
        uint8_t last[64] = {};
        uint8_t status = 1;
        int colourBlock = -1;  // next colour block to return; -1: the acknowledge comes first
        std::vector<uint8_t> colourSnapshot;
    };
    struct ChunkAssembly {
        int command = -1;
        int next = 0;
        std::vector<uint8_t> data;
    };
    struct ScreenUpload {
        bool active = false;
        bool viaReceiver = false;
        int slot = 0;
        int blocks = 0;  // expected 4096-byte blocks (cable)
        int received = 0;
        std::vector<uint8_t> data;
    };

    void Error(const std::string& text);
    CableSession& Session(int mode) { return m_sessions[mode == 1 ? 1 : 0]; }
    void OnFraming(CableSession& s, const uint8_t* p);
    void OnAnnounce(CableSession& s, const uint8_t* p);
    bool Commit(CableSession& s);
    bool HasTrailer(const std::vector<uint8_t>& block, size_t at, const char* what);
    int ColourBlockSize() const { return m_model.rgb ? 576 : 192; }
    void ApplySettings(const uint8_t* d);
    void ApplyClock(const uint8_t* d);
    void ApplyLightBlock(const uint8_t* d);
    bool ApplyScreenImage(int slot, std::vector<uint8_t> image);
    void StartScreenUpload(int slot, int blocks, bool viaReceiver, size_t bytes);
    bool ReceiverChunk(int command, int index, const uint8_t* data, size_t blockSize, int lastIndex,
                       std::vector<uint8_t>* completed);
    bool ReceiverRequest(const uint8_t* r);

    SimModel m_model;
    std::vector<SimLightPlace> m_places;  // the lights the preset effects animate
    int64_t m_timeMs = 0;
    SimMemory m_memory;
    CableSession m_sessions[2];
    ChunkAssembly m_chunks;
    ScreenUpload m_screen;
    // Storage of an earlier image, reused by the next upload: a 30-frame image
    // is megabytes, and fresh memory for each upload costs page faults.
    std::vector<uint8_t> m_screenSpare;
    std::vector<std::string> m_errors;
    int m_errorCount = 0;
};
