#include "sim/sim_light_effects.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Keyboards are about three times as wide as high: distances across the
// board weigh a step down by this much against a step across.
constexpr double kAspect = 0.35;

enum Effect {
    kStatic = 1, kBreathing, kReactive, kRipple, kStarlight, kSpectrumCycle, kRaindrops, kNeon, kFireworks,
    kWaterfall, kWave, kMeteor, kSnake, kHeartbeat, kAurora, kMarquee, kSpiral, kFlow, kPulse,
};

struct Colour {
    double r = 0, g = 0, b = 0;
    Colour operator*(double k) const { return {r * k, g * k, b * k}; }
};

uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0)
{
    uint32_t h = a * 0x9E3779B1u;
    h ^= (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// A hash as a fraction in [0, 1).
double Unit(uint32_t h) { return double(h & 0xFFFFFF) / double(0x1000000); }

double Frac(double v) { return v - std::floor(v); }

// Time slots as hash input; negative slots (before the start) stay distinct.
uint32_t Slot(double v) { return uint32_t(int64_t(std::floor(v))); }

// A fully saturated colour at `turns` around the colour wheel (0 red, 1/3 green, 2/3 blue).
Colour Hue(double turns)
{
    const double h = Frac(turns) * 6;
    const int i = std::min(int(h), 5);
    const double f = h - i;
    switch (i) {
    case 0: return {1, f, 0};
    case 1: return {1 - f, 1, 0};
    case 2: return {0, 1, f};
    case 3: return {0, 1 - f, 1};
    case 4: return {f, 0, 1};
    default: return {1, 0, 1 - f};
    }
}

// The six-colour palette the static effect's colourful variant spreads by light position.
Colour Rainbow(int position)
{
    static const Colour palette[6] = {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}, {1, 0, 1}};
    return palette[((position % 6) + 6) % 6];
}

double Gauss(double d, double width) { return std::exp(-(d * d) / (width * width)); }

double Distance(double x1, double y1, double x2, double y2)
{
    const double dx = x1 - x2, dy = (y1 - y2) * kAspect;
    return std::sqrt(dx * dx + dy * dy);
}

class Frame {
public:
    Frame(const SimLightMode& light, const std::vector<SimLightPlace>& places, const SimEffectLimits& limits,
          double seconds)
        : m_places(places), m_t(seconds), m_direction(light.direction)
    {
        m_colourful = limits.rgb && light.colorful != 0;
        m_own = limits.rgb ? Colour{light.red / 255.0, light.green / 255.0, light.blue / 255.0} : Colour{1, 1, 1};
        const int speedMax = std::max(limits.speedMax, 1);
        const int speed = std::clamp(light.speed, 1, speedMax);
        // Speed 1 runs at 0.4 times the base pace, the maximum at twice it.
        m_rate = speedMax > 1 ? 0.4 + 1.6 * (speed - 1) / (speedMax - 1) : 1.0;
        m_u = m_t * m_rate;
    }

    // The colour of a light at its place, before brightness.
    Colour At(int effect, size_t i) const
    {
        const SimLightPlace& p = m_places[i];
        switch (effect) {
        case kBreathing: return Breathing();
        case kReactive: return Reactive(i);
        case kRipple: return Ripple(p);
        case kStarlight: return Starlight(i);
        case kSpectrumCycle: return Hue(m_u / 6);
        case kRaindrops: return Raindrops(p);
        case kNeon: return Hue(0.5 * p.x + 0.08 * m_u) * (0.85 + 0.15 * std::sin(2 * kPi * (0.5 * m_u + p.y)));
        case kFireworks: return Fireworks(p);
        case kWaterfall: return Waterfall(p);
        case kWave: return Wave(p);
        case kMeteor: return Meteor(p);
        case kSnake: return Snake(i);
        case kHeartbeat: return Heartbeat();
        case kAurora: return Aurora(p);
        case kMarquee: return Marquee(p);
        case kSpiral: return Spiral(p);
        case kFlow: return Flow(p);
        case kPulse: return Pulse(p);
        default: return m_colourful ? Rainbow(p.position) : m_own;
        }
    }

private:
    Colour Pick(double hue) const { return m_colourful ? Hue(hue) : m_own; }

    // 0..1 along the direction of travel: 1 right, 2 up, 3 down, else left.
    double Along(const SimLightPlace& p) const
    {
        switch (m_direction) {
        case 1: return p.x;
        case 2: return 1 - p.y;
        case 3: return p.y;
        default: return 1 - p.x;
        }
    }
    // 0..1 across the direction of travel.
    double Across(const SimLightPlace& p) const { return m_direction == 2 || m_direction == 3 ? p.x : p.y; }

    // A smooth rise and fall every four seconds (at the base pace), dark at
    // the start of each breath; the colourful variant takes the next colour
    // of the wheel with every breath.
    Colour Breathing() const
    {
        const double phase = m_u / 4;
        const double level = 0.5 - 0.5 * std::cos(2 * kPi * phase);
        return Pick(double(Slot(phase) % 6) / 6) * level;
    }

    // Keys "pressed" one after another light up and fade within a second.
    Colour Reactive(size_t i) const
    {
        const double interval = 0.3, fade = 1.0 / m_rate;
        const double now = m_t / interval;
        Colour out;
        double best = 0;
        for (int back = 0; back * interval <= fade + interval && back < 16; ++back) {
            const double slot = std::floor(now) - back;
            const uint32_t s = Slot(slot);
            if (Hash(s, 3) % m_places.size() != i) continue;
            const double age = m_t - slot * interval;
            const double level = age < 0 ? 0 : std::max(0.0, 1 - age / fade);
            if (level > best) {
                best = level;
                out = Pick(Unit(Hash(s, 5))) * level;
            }
        }
        return out;
    }

    // Rings running out from a key pressed every two seconds.
    Colour Ripple(const SimLightPlace& p) const
    {
        const double interval = 2.0 / m_rate, life = 1.8 / m_rate;
        Colour out;
        double best = 0;
        for (int back = 0; back < 2; ++back) {
            const double slot = std::floor(m_t / interval) - back;
            const uint32_t s = Slot(slot);
            const SimLightPlace& c = m_places[Hash(s, 7) % m_places.size()];
            const double age = m_t - slot * interval;
            if (age < 0 || age > life) continue;
            const double radius = age / life * 1.1;
            const double level = Gauss(Distance(p.x, p.y, c.x, c.y) - radius, 0.05) * (1 - age / life);
            if (level > best) {
                best = level;
                out = Pick(Unit(Hash(s, 9))) * level;
            }
        }
        return out;
    }

    // Each key twinkles now and then, on its own rhythm.
    Colour Starlight(size_t i) const
    {
        const uint32_t k = uint32_t(i);
        const double period = 1.5 + 2 * Unit(Hash(k, 11));
        const double phase = m_u / period + Unit(Hash(k, 13));
        const uint32_t cycle = Slot(phase);
        if (Unit(Hash(k, cycle, 15)) >= 0.45) return {};
        const double level = std::pow(std::sin(kPi * Frac(phase)), 3);
        return Pick(Unit(Hash(k, cycle, 17))) * level;
    }

    // Drops falling down columns, each with a fading trail.
    Colour Raindrops(const SimLightPlace& p) const
    {
        const uint32_t column = uint32_t(std::lround(p.x * 20));
        const double period = 1.2 + Unit(Hash(column, 19));
        const double phase = m_u / period + Unit(Hash(column, 23));
        const double head = Frac(phase) * 1.5 - 0.2;
        const double d = head - p.y;
        double level = 0;
        if (d >= -0.08 && d < 0) level = 1;
        else if (d >= 0 && d < 0.4) level = 1 - d / 0.4;
        return Pick(Unit(Hash(column, Slot(phase), 25))) * level;
    }

    // Bursts at random places: a flash, then a ring that spreads and fades.
    Colour Fireworks(const SimLightPlace& p) const
    {
        const double interval = 0.9 / m_rate, life = 1.2 / m_rate;
        Colour out;
        double best = 0;
        for (int back = 0; back < 2; ++back) {
            const double slot = std::floor(m_t / interval) - back;
            const uint32_t s = Slot(slot);
            const double age = m_t - slot * interval;
            if (age < 0 || age > life) continue;
            const double cx = 0.1 + 0.8 * Unit(Hash(s, 27)), cy = 0.15 + 0.7 * Unit(Hash(s, 29));
            const double f = age / life;
            const double d = Distance(p.x, p.y, cx, cy);
            const double level = std::max(Gauss(d, 0.06) * (1 - 3 * f), Gauss(d - 0.3 * f, 0.05) * (1 - f));
            if (level > best) {
                best = level;
                out = Pick(Unit(Hash(s, 31))) * level;
            }
        }
        return out;
    }

    // Stepped bands of colour pouring in the direction of travel.
    Colour Waterfall(const SimLightPlace& p) const
    {
        const double band = std::floor(Along(p) * 6) / 6;
        if (m_colourful) return Hue(0.6 * band - 0.25 * m_u);
        return m_own * (0.55 + 0.45 * std::cos(2 * kPi * (band * 1.5 - 0.4 * m_u)));
    }

    // Smooth bands (of the colour wheel, or of light and shade) moving in the direction.
    Colour Wave(const SimLightPlace& p) const
    {
        const double along = Along(p);
        if (m_colourful) return Hue(0.8 * along - 0.3 * m_u);
        return m_own * (0.5 + 0.5 * std::cos(2 * kPi * (1.5 * along - 0.4 * m_u)));
    }

    // Bright heads with fading tails shooting along lanes.
    Colour Meteor(const SimLightPlace& p) const
    {
        const uint32_t lane = uint32_t(std::lround(Across(p) * 5));
        const double phase = 0.35 * m_u + Unit(Hash(lane, 33));
        const double head = Frac(phase) * 1.6 - 0.3;
        const double d = head - Along(p);
        double level = 0;
        if (d >= -0.04 && d < 0) level = 1;
        else if (d >= 0 && d < 0.35) level = (1 - d / 0.35) * (1 - d / 0.35);
        return Pick(lane / 6.0 + 0.1 * Slot(phase)) * level;
    }

    // A short snake crawling through the keys row by row, turning at each end.
    Colour Snake(size_t i) const
    {
        const size_t n = m_places.size();
        const SimLightPlace& me = m_places[i];
        const int myRow = int(std::lround(me.y * 5));
        size_t rank = 0;  // the key's place on the serpentine path
        for (const SimLightPlace& o : m_places) {
            const int row = int(std::lround(o.y * 5));
            const bool before = row < myRow || (row == myRow && ((row % 2 == 0) ? o.x < me.x : o.x > me.x));
            if (before) ++rank;
        }
        const size_t length = std::min<size_t>(8, n);
        const size_t head = size_t(int64_t(std::floor(m_u * 12)) % int64_t(n) + int64_t(n)) % n;
        const size_t behind = (head + n - rank) % n;
        if (behind >= length) return {};
        return Pick(double(rank) / double(n)) * (1 - double(behind) / double(length));
    }

    // Two quick beats, then a pause, over a dim glow.
    Colour Heartbeat() const
    {
        const double period = 1.2;
        const double f = Frac(m_u / period);
        const double beat = std::max({Gauss(f, 0.06), 0.7 * Gauss(f - 0.22, 0.06), Gauss(f - 1, 0.06)});
        return Pick(double(Slot(m_u / period) % 6) / 6) * (0.08 + 0.92 * beat);
    }

    // Slow curtains of green, blue and violet.
    Colour Aurora(const SimLightPlace& p) const
    {
        const double a = std::sin(2 * kPi * (1.3 * p.x + 0.07 * m_u));
        const double b = std::sin(2 * kPi * (0.8 * p.y + 0.5 * p.x - 0.05 * m_u));
        const double level = 0.55 + 0.45 * std::sin(2 * kPi * (0.9 * p.x - 0.1 * m_u) + 1.5 * b);
        return Pick(0.42 + 0.18 * (a + b) / 2) * level;
    }

    // Chasing lights: every third stripe lit, the stripes stepping in the direction.
    Colour Marquee(const SimLightPlace& p) const
    {
        const int64_t cell = int64_t(std::floor(Along(p) * 24 - 4 * m_u));
        if (((cell % 3) + 3) % 3 != 0) return {};
        return Pick(Frac(double(cell) / 24));
    }

    // Colour arms turning around the middle of the keyboard.
    Colour Spiral(const SimLightPlace& p) const
    {
        const double dx = p.x - 0.5, dy = (p.y - 0.5) * kAspect;
        const double turns = std::atan2(dy, dx) / (2 * kPi) + 1.5 * std::sqrt(dx * dx + dy * dy) - 0.2 * m_u;
        if (m_colourful) return Hue(turns);
        return m_own * (0.5 + 0.5 * std::cos(2 * kPi * turns));
    }

    // A long, gentle gradient drifting in the direction.
    Colour Flow(const SimLightPlace& p) const
    {
        const double along = Along(p);
        if (m_colourful) return Hue(0.35 * along - 0.12 * m_u);
        return m_own * (0.6 + 0.4 * std::cos(2 * kPi * (0.7 * along - 0.2 * m_u)));
    }

    // A ring running out from the middle once a beat, over a dim glow.
    Colour Pulse(const SimLightPlace& p) const
    {
        const double period = 1.5;
        const double f = Frac(m_u / period);
        const double d = Distance(p.x, p.y, 0.5, 0.5);
        const double level = 0.1 + 0.9 * Gauss(d - 0.6 * f, 0.07) * (1 - f);
        return Pick(double(Slot(m_u / period) % 7) / 7) * level;
    }

    const std::vector<SimLightPlace>& m_places;
    double m_t;      // seconds since the keyboard started
    double m_rate;   // pace set by the speed
    double m_u;      // m_t at that pace
    int m_direction;
    bool m_colourful = false;
    Colour m_own;
};

uint8_t Channel(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

}  // namespace

std::vector<SimRgb> PresetEffectColours(const SimLightMode& light, const std::vector<SimLightPlace>& places,
                                        const SimEffectLimits& limits, int64_t ms)
{
    std::vector<SimRgb> out(places.size());
    if (places.empty()) return out;
    const Frame frame(light, places, limits, double(ms) / 1000);
    // Brightness sets the LEDs' duty (light linear in the level); the colour
    // values report that light as a screen shows it, gamma-encoded, so that
    // the lower levels stay visible steps rather than near-black.
    const int brightnessMax = std::max(limits.brightnessMax, 1);
    const double duty = double(std::clamp(light.brightness, 1, brightnessMax)) / brightnessMax;
    const double scale = std::pow(duty, 1 / 2.2);
    const int effect = light.mode >= kStatic && light.mode <= kPulse ? light.mode : kStatic;
    for (size_t i = 0; i < places.size(); ++i) {
        const Colour c = frame.At(effect, i) * scale;
        SimRgb& o = out[i];
        if (limits.rgb) {
            o = {Channel(c.r), Channel(c.g), Channel(c.b)};
        } else {
            const uint8_t level = Channel(std::max({c.r, c.g, c.b}));
            o = {level, level, level};
        }
    }
    return out;
}
