#include "sim/sim_firmware.h"

#include "sim/sim_light_effects.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr uint8_t kFraming = 0x04;
constexpr size_t kKeyMapSize = 576;
constexpr size_t kMacroAreaCable = 56 * 64;
// Receiver macro area: an end offset of up to 4000 bytes plus the chunk that
// carries the trailer.
constexpr size_t kMacroAreaReceiver = 144 * 28;
constexpr int kChunk = 28;

std::string HexByte(int v)
{
    static const char d[] = "0123456789ABCDEF";
    return std::string("0x") + d[(v >> 4) & 15] + d[v & 15];
}

// The lights of a model that names no key places: spread in one line, in
// the order of their positions.
std::vector<SimLightPlace> PlacesInALine(const std::vector<int>& positions)
{
    std::vector<SimLightPlace> places;
    const size_t n = positions.size();
    for (size_t i = 0; i < n; ++i) {
        SimLightPlace p;
        p.position = positions[i];
        p.x = n > 1 ? float(double(i) / double(n - 1)) : 0.5f;
        p.y = 0.5f;
        places.push_back(p);
    }
    return places;
}

}  // namespace

SimFirmware::SimFirmware(const SimModel& model)
    : m_model(model), m_places(model.lightPlaces.empty() ? PlacesInALine(model.lightPositions) : model.lightPlaces)
{
    m_memory.Reset(model.rgb);
}

void SimFirmware::Error(const std::string& text)
{
    ++m_errorCount;
    m_errors.push_back(text);
    if (m_errors.size() > 200) m_errors.erase(m_errors.begin());
}

void SimFirmware::ClearErrors()
{
    m_errors.clear();
    m_errorCount = 0;
}

bool SimFirmware::HasTrailer(const std::vector<uint8_t>& block, size_t at, const char* what)
{
    if (at + 1 < block.size() && block[at] == 0xAA && block[at + 1] == 0x55) return true;
    Error(std::string(what) + ": no AA 55 trailer at bytes " + std::to_string(at) + ", " + std::to_string(at + 1));
    return false;
}

// --- command interface ---------------------------------------------------------

void SimFirmware::OnFeatureReport(int mode, const uint8_t* p)
{
    CableSession& s = Session(mode);
    std::memcpy(s.last, p, sizeof s.last);
    if (s.phase == Phase::kData) {
        s.data.insert(s.data.end(), p, p + 64);
        if (int(s.data.size()) >= s.expected * 64) s.phase = Phase::kAwaitEnd;
        s.status = 1;
        return;
    }
    if (p[0] != kFraming) {
        Error("data packet " + HexByte(p[0]) + " " + HexByte(p[1]) + " outside a data block");
        s.status = 0;
        return;
    }
    OnFraming(s, p);
}

void SimFirmware::OnFraming(CableSession& s, const uint8_t* p)
{
    const bool inside = s.phase == Phase::kOpen || s.phase == Phase::kData || s.phase == Phase::kAwaitEnd;
    switch (p[1]) {
    case 0x18:
    case 0x19:
        if (inside) Error("transaction opened inside another; the earlier one is dropped");
        if (m_screen.active && !m_screen.viaReceiver) m_screen = ScreenUpload{};
        s.phase = Phase::kOpen;
        s.macroTransaction = p[1] == 0x19;
        s.blockType = 0;
        s.data.clear();
        s.status = 1;
        return;
    case 0x02:  // ConfigEnd
        if (s.phase == Phase::kColourRead) {
            s.phase = Phase::kIdle;
            s.status = 1;
        } else if (s.phase == Phase::kAwaitEnd) {
            s.status = Commit(s) ? 1 : 0;
            s.phase = Phase::kClosed;
        } else if (s.phase == Phase::kData) {
            Error("ConfigEnd after " + std::to_string(s.data.size() / 64) + " of " + std::to_string(s.expected) +
                  " data packets of block " + HexByte(s.blockType));
            s.status = 0;
            s.phase = Phase::kClosed;
        } else if (s.phase == Phase::kOpen) {
            Error("ConfigEnd of a transaction without a data block");
            s.status = 0;
            s.phase = Phase::kClosed;
        } else {
            Error("ConfigEnd outside a transaction");
            s.status = 0;
        }
        return;
    case 0xF0:  // ConfigFinal
        if (s.phase == Phase::kClosed) {
            s.status = 1;
        } else {
            Error("ConfigFinal without a preceding ConfigEnd");
            s.status = 0;
        }
        if (!inside) s.phase = Phase::kIdle;
        return;
    default:
        OnAnnounce(s, p);
    }
}

void SimFirmware::OnAnnounce(CableSession& s, const uint8_t* p)
{
    const int type = p[1];
    const int count = p[8];
    const int colourPackets = m_model.rgb ? 9 : 3;
    auto refuse = [&](const std::string& why) {
        Error("DataAnnounce " + HexByte(type) + ": " + why);
        s.status = 0;
    };
    const bool idle = s.phase == Phase::kIdle || s.phase == Phase::kClosed || s.phase == Phase::kColourRead;

    if (type == 0x20 || type == 0xF5) {  // live frame, colour read: no ConfigBegin
        if (!idle) return refuse("inside a transaction");
        const int want = type == 0x20 ? (m_model.rgb ? 8 : 3) : colourPackets;
        if (count != want) return refuse("announces " + std::to_string(count) + " packets, the keyboard takes " +
                                         std::to_string(want));
        s.blockType = type;
        s.status = 1;
        if (type == 0xF5) {
            s.phase = Phase::kColourRead;
            s.colourBlock = -1;
            s.colourSnapshot = LedColours();
        } else {
            s.phase = Phase::kData;
            s.expected = count;
            s.data.clear();
        }
        return;
    }
    if (s.phase != Phase::kOpen) return refuse("without ConfigBegin");
    if ((type == 0x15) != s.macroTransaction)
        return refuse(type == 0x15 ? "macro block without MacroConfigBegin" : "inside a macro transaction");

    int want = -1;
    switch (type) {
    case 0x17:
        if (p[2] != 1) return refuse("byte 2 is not 1");
        want = 1;
        break;
    case 0x28: want = 1; break;
    case 0x11:
    case 0x27: want = 9; break;
    case 0x13: want = 1; break;
    case 0x23: want = colourPackets; break;
    case 0x15:
        if (count < 1 || size_t(count) * 64 > kMacroAreaCable) return refuse("macro block of " + std::to_string(count) + " packets");
        want = count;
        break;
    case 0x72: {
        if (!m_model.hasScreen) return refuse("the keyboard has no screen");
        const int blocks = p[8] | (p[9] << 8);
        if (blocks < 1) return refuse("no screen blocks");
        StartScreenUpload(p[2], blocks, false, size_t(blocks) * 4096);
        s.blockType = type;
        s.phase = Phase::kAwaitEnd;
        s.status = 1;
        return;
    }
    default: return refuse("unknown block type");
    }
    if (count != want)
        return refuse("announces " + std::to_string(count) + " packets, the block takes " + std::to_string(want));
    s.blockType = type;
    s.expected = count;
    s.data.clear();
    s.phase = Phase::kData;
    s.status = 1;
}

bool SimFirmware::Commit(CableSession& s)
{
    std::vector<uint8_t>& d = s.data;
    switch (s.blockType) {
    case 0x17:
        if (!HasTrailer(d, 62, "settings packet")) return false;
        ApplySettings(d.data());
        return true;
    case 0x28:
        if (!HasTrailer(d, 62, "clock packet")) return false;
        ApplyClock(d.data());
        return true;
    case 0x11:
    case 0x27:
        if (!HasTrailer(d, kKeyMapSize - 2, "key map block")) return false;
        m_memory.keyMap[s.blockType == 0x27 ? 1 : 0].assign(d.begin(), d.begin() + kKeyMapSize);
        return true;
    case 0x13:
        if (!HasTrailer(d, 14, "light mode block")) return false;
        ApplyLightBlock(d.data());
        return true;
    case 0x23:
        if (!HasTrailer(d, size_t(ColourBlockSize()) - 2, "colour block")) return false;
        m_memory.colours.assign(d.begin(), d.begin() + ColourBlockSize());
        return true;
    case 0x15:
        if (!HasTrailer(d, d.size() - 2, "macro block")) return false;
        m_memory.macros = d;
        return true;
    case 0x20:
        m_memory.liveFrame = d;
        m_memory.liveActive = true;
        return true;
    case 0x72: {
        ScreenUpload upload = std::move(m_screen);
        m_screen = ScreenUpload{};
        if (upload.received != upload.blocks) {
            Error("screen upload ended after " + std::to_string(upload.received) + " of " +
                  std::to_string(upload.blocks) + " blocks");
            return false;
        }
        return ApplyScreenImage(upload.slot, std::move(upload.data));
    }
    default: return false;
    }
}

void SimFirmware::NextFeatureAnswer(int mode, uint8_t* payload)
{
    CableSession& s = Session(mode);
    if (s.phase == Phase::kColourRead && s.colourBlock >= 0 && s.colourBlock < 9) {
        std::memcpy(payload, s.colourSnapshot.data() + size_t(s.colourBlock) * 64, 64);
        ++s.colourBlock;
        return;
    }
    std::memcpy(payload, s.last, 64);
    payload[3] = s.status;
    if (s.phase == Phase::kColourRead && s.colourBlock < 0 && s.status == 1) s.colourBlock = 0;
}

void SimFirmware::SetAckStatus(int mode, uint8_t status)
{
    Session(mode).status = status;
}

// --- decoded values ------------------------------------------------------------

void SimFirmware::ApplySettings(const uint8_t* d)
{
    if (d[1] != 0x01) {
        Error("settings packet: byte 1 is " + HexByte(d[1]) + ", not 0x01");
        return;
    }
    SimSettings& s = m_memory.settings;
    s.disableAltTab = d[2];
    s.disableAltF4 = d[3];
    s.disableWin = d[4];
    s.fnSwitch = d[5];
    s.sleepTime = d[6];
    s.keyRespondTime = d[8];
}

void SimFirmware::ApplyClock(const uint8_t* d)
{
    if (d[2] != 0x5A || d[4] < 1 || d[4] > 12 || d[5] < 1 || d[5] > 31 || d[6] > 23 || d[7] > 59 || d[8] > 60 ||
        d[10] > 6) {
        Error("clock packet with impossible values");
        return;
    }
    SimClock& c = m_memory.clock;
    c.shownSlot = d[1];
    c.year = 2000 + d[3];
    c.month = d[4];
    c.day = d[5];
    c.hour = d[6];
    c.minute = d[7];
    c.second = d[8];
    c.dayOfWeek = d[10];
}

void SimFirmware::ApplyLightBlock(const uint8_t* d)
{
    const int mode = d[0];
    if (mode >= 32 && mode <= 41) {
        m_memory.sideLightMode = mode;
        return;
    }
    SimLightMode l;
    l.mode = mode;
    if (mode != 0) {
        l.red = d[1];
        l.green = d[2];
        l.blue = d[3];
        l.colorful = d[8];
        l.brightness = d[9];
        l.speed = d[10];
        l.direction = d[11];
    }
    m_memory.light = l;
    m_memory.liveActive = false;
}

void SimFirmware::StartScreenUpload(int slot, int blocks, bool viaReceiver, size_t bytes)
{
    std::vector<uint8_t> buffer = std::move(m_screenSpare);
    buffer.clear();
    buffer.reserve(bytes);
    m_screen = ScreenUpload{};
    m_screen.active = true;
    m_screen.viaReceiver = viaReceiver;
    m_screen.slot = slot;
    m_screen.blocks = blocks;
    m_screen.data = std::move(buffer);
}

bool SimFirmware::ApplyScreenImage(int slot, std::vector<uint8_t> image)
{
    const ScreenInfo& si = m_model.screen;
    const int frames = image.empty() ? 0 : image[0];
    const size_t size = size_t(si.headLength) + size_t(si.width) * size_t(si.height) * 2 * size_t(std::max(frames, 0));
    bool ok = false;
    if (slot < 1 || slot > si.count)
        Error("screen image for slot " + std::to_string(slot) + " of " + std::to_string(si.count));
    else if (frames < 1 || frames > si.maxFrames)
        Error("screen image of " + std::to_string(frames) + " frames");
    else if (image.size() < size)
        Error("screen image of " + std::to_string(image.size()) + " bytes, its head names " + std::to_string(size));
    else
        ok = true;
    if (ok) {
        image.resize(size);
        std::swap(m_memory.screenSlots[slot], image);  // the slot's old image becomes the spare
        m_memory.lastScreenSlot = slot;
        ++m_memory.screenImages;
    }
    m_screenSpare = std::move(image);
    return ok;
}

std::vector<uint8_t> SimFirmware::LedColours() const
{
    std::vector<uint8_t> led(576, 0);
    const SimMemory& m = m_memory;
    if (m.liveActive) {
        if (m_model.rgb) {
            for (size_t k = 0; k + 3 < m.liveFrame.size(); k += 4) {
                const int p = m.liveFrame[k];
                if (p <= 0 || 4 * p + 3 >= 576) continue;
                std::copy(m.liveFrame.begin() + long(k), m.liveFrame.begin() + long(k) + 4, led.begin() + 4 * p);
            }
        } else {
            std::copy_n(m.liveFrame.begin(), std::min<size_t>(m.liveFrame.size(), 192), led.begin());
        }
        return led;
    }
    if (m.light.mode == 0) return led;
    if (m.light.mode == 0x80) {
        for (int p : m_model.lightPositions) {
            if (m_model.rgb) {
                if (p <= 0 || 4 * p + 3 >= 576) continue;
                led[size_t(4 * p)] = uint8_t(p);
                std::copy_n(m.colours.begin() + 4 * p + 1, 3, led.begin() + 4 * p + 1);
            } else {
                if (p <= 0 || p >= 190) continue;
                led[size_t(p)] = m.colours[size_t(p)];
            }
        }
        return led;
    }
    const SimEffectLimits limits{m_model.brightnessMax, m_model.speedMax, m_model.rgb};
    const std::vector<SimRgb> shown = PresetEffectColours(m.light, m_places, limits, m_timeMs);
    for (size_t i = 0; i < m_places.size(); ++i) {
        const int p = m_places[i].position;
        if (m_model.rgb) {
            if (p <= 0 || 4 * p + 3 >= 576) continue;
            led[size_t(4 * p)] = uint8_t(p);
            led[size_t(4 * p + 1)] = shown[i].r;
            led[size_t(4 * p + 2)] = shown[i].g;
            led[size_t(4 * p + 3)] = shown[i].b;
        } else {
            if (p <= 0 || p >= 190) continue;
            led[size_t(p)] = shown[i].r;
        }
    }
    return led;
}

// --- receiver interface --------------------------------------------------------

bool SimFirmware::OnReceiverReport(const uint8_t* r, uint8_t* answer)
{
    if (r[0] != 0) {
        Error("receiver report with id " + HexByte(r[0]));
        return false;
    }
    unsigned sum = 0;
    for (int i = 0; i < 32; ++i) sum += r[i];
    if (uint8_t(sum) != r[32]) {
        Error("receiver request " + HexByte(r[1]) + " with checksum " + HexByte(r[32]) + ", expected " +
              HexByte(int(sum & 0xFF)));
        return false;
    }
    if (!m_memory.linked) return false;  // nothing behind the receiver answers
    if (!ReceiverRequest(r)) return false;
    std::memset(answer, 0, 32);
    answer[0] = r[1];
    answer[1] = r[2];
    answer[2] = r[3];
    if (r[1] == 0x20) answer[3] = uint8_t(m_memory.battery);
    return true;
}

bool SimFirmware::ReceiverChunk(int command, int index, const uint8_t* data, size_t blockSize, int lastIndex,
                                std::vector<uint8_t>* completed)
{
    const std::string name = "chunk " + std::to_string(index) + " of command " + HexByte(command);
    if (index == 0) {
        if (m_chunks.command >= 0) Error("incomplete block of command " + HexByte(m_chunks.command) + " dropped");
        m_chunks = ChunkAssembly{command, 0, std::vector<uint8_t>(blockSize, 0)};
    } else if (m_chunks.command != command || m_chunks.next != index) {
        Error(name + " out of order");
        m_chunks = ChunkAssembly{};
        return false;
    }
    const size_t start = size_t(index) * kChunk;
    if (start >= blockSize) {
        Error(name + " beyond the keyboard's block of " + std::to_string(blockSize) + " bytes");
        m_chunks = ChunkAssembly{};
        return false;
    }
    std::memcpy(m_chunks.data.data() + start, data, std::min<size_t>(kChunk, blockSize - start));
    ++m_chunks.next;
    if (index == lastIndex) {
        *completed = std::move(m_chunks.data);
        m_chunks = ChunkAssembly{};
    }
    return true;
}

bool SimFirmware::ReceiverRequest(const uint8_t* r)
{
    const int command = r[1];
    const int length = r[2];
    const int index = r[3];
    const uint8_t* d = r + 4;
    std::vector<uint8_t> block;
    auto expectLength = [&](int want) {
        if (length == want) return true;
        Error("receiver command " + HexByte(command) + " with length " + std::to_string(length));
        return false;
    };
    auto trailer18 = [&](const char* what) {
        if (r[18] == 0xAA && r[19] == 0x55) return true;
        Error(std::string(what) + ": no AA 55 trailer at report bytes 18, 19");
        return false;
    };

    if (command & 0x80) {  // screen chunk j = (command & 0x7F) << 16 | byte 3 << 8 | byte 2
        const int j = ((command & 0x7F) << 16) | (index << 8) | length;
        if (!m_screen.active || !m_screen.viaReceiver || j != m_screen.received) {
            Error("screen chunk " + std::to_string(j) + " out of order");
            return false;
        }
        m_screen.data.insert(m_screen.data.end(), d, d + kChunk);
        if (++m_screen.received == m_screen.blocks) {
            ScreenUpload upload = std::move(m_screen);
            m_screen = ScreenUpload{};
            return ApplyScreenImage(upload.slot, std::move(upload.data));
        }
        return true;
    }

    switch (command) {
    case 0x02: return true;
    case 0x20: return expectLength(1);
    case 0x07:
        if (!expectLength(0x10) || !trailer18("settings request")) return false;
        ApplySettings(d);
        return true;
    case 0x0C:
        if (!expectLength(0x10) || !trailer18("clock request")) return false;
        ApplyClock(d);
        return true;
    case 0x05:
        if (length == 0x10) {
            if (!trailer18("light mode request")) return false;
            ApplyLightBlock(d);
            return true;
        }
        if (!expectLength(1) || !trailer18("side light request")) return false;
        if (d[0] < 32 || d[0] > 41) {
            Error("side light mode " + std::to_string(d[0]));
            return false;
        }
        m_memory.sideLightMode = d[0];
        return true;
    case 0x10:
    case 0x12: {
        if (!expectLength(index == 20 ? 16 : kChunk)) return false;
        if (!ReceiverChunk(command, index, d, kKeyMapSize, 20, &block)) return false;
        if (block.empty()) return true;
        if (!HasTrailer(block, kKeyMapSize - 2, "key map block")) return false;
        m_memory.keyMap[command == 0x12 ? 1 : 0] = block;
        return true;
    }
    case 0x03:
    case 0x0D:
        if (!expectLength(4)) return false;
        if (4 * index + 3 >= int(kKeyMapSize) - 2) {
            Error("key entry at position " + std::to_string(index) + " beyond the key map");
            return false;
        }
        std::memcpy(m_memory.keyMap[command == 0x0D ? 1 : 0].data() + 4 * index, d, 4);
        return true;
    case 0x1F:
        m_memory.keyMap[0].assign(kKeyMapSize, 0);
        m_memory.keyMap[1].assign(kKeyMapSize, 0);
        return true;
    case 0x09: {
        // Every chunk but the last carries 28 bytes; the last one names the
        // end offset modulo 28 and holds the trailer.
        if (length > kChunk) return expectLength(kChunk);
        const int last = length == kChunk ? -1 : index;
        if (!ReceiverChunk(command, index, d, kMacroAreaReceiver, last, &block)) return false;
        if (block.empty()) return true;
        block.resize(size_t(index + 1) * kChunk);
        if (!HasTrailer(block, block.size() - 2, "macro block")) return false;
        m_memory.macros = block;
        return true;
    }
    case 0x14: {
        const size_t size = size_t(ColourBlockSize());
        const int lastIndex = int((size + kChunk - 1) / kChunk) - 1;
        if (!expectLength(index == lastIndex ? int(size) - lastIndex * kChunk : kChunk)) return false;
        if (!ReceiverChunk(command, index, d, size, lastIndex, &block)) return false;
        if (block.empty()) return true;
        if (!HasTrailer(block, size - 2, "colour block")) return false;
        m_memory.colours = block;
        return true;
    }
    case 0x0B:
        if (!expectLength(0x1C)) return false;
        m_memory.musicFrame.assign(d, d + 24);
        return true;
    case 0x0F: {
        const int battery = m_memory.battery;
        const int resets = m_memory.resets;
        m_memory.Reset(m_model.rgb);
        m_memory.battery = battery;
        m_memory.linked = true;
        m_memory.resets = resets + 1;
        return true;
    }
    case 0x7F: {
        if (!expectLength(3)) return false;
        if (!m_model.hasScreen) {
            Error("screen upload to a keyboard without a screen");
            return false;
        }
        const ScreenInfo& si = m_model.screen;
        const size_t largest = size_t(si.headLength) + size_t(si.width) * size_t(si.height) * 2 * size_t(si.maxFrames);
        const int chunks = d[1] | (d[2] << 8) | (d[3] << 16);
        if (chunks < 1 || size_t(chunks) > (largest + kChunk - 1) / kChunk) {
            Error("screen upload of " + std::to_string(chunks) + " chunks");
            return false;
        }
        StartScreenUpload(d[0], chunks, true, size_t(chunks) * kChunk);
        return true;
    }
    default:
        Error("unknown receiver command " + HexByte(command));
        return false;
    }
}

// --- screen interface --------------------------------------------------------

bool SimFirmware::OnScreenReport(const uint8_t* report, uint8_t* answer)
{
    if (report[0] != 0) {
        Error("screen report with id " + HexByte(report[0]));
        return false;
    }
    if (!m_screen.active || m_screen.viaReceiver) {
        Error("screen block without an announced upload");
        return false;
    }
    if (m_screen.received >= m_screen.blocks) {
        Error("screen block beyond the " + std::to_string(m_screen.blocks) + " announced");
        return false;
    }
    m_screen.data.insert(m_screen.data.end(), report + 1, report + 4097);
    ++m_screen.received;
    std::memset(answer, 0, 4096);
    answer[0] = 1;
    answer[1] = uint8_t(m_screen.received);
    answer[2] = uint8_t(m_screen.received >> 8);
    return true;
}
