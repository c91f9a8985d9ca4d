// The preset light effects of the simulated keyboard: they move with the
// simulator's clock (and only with it), static holds still, brightness
// dims, direction steers, and per-key colours and "off" are left alone.
#include <gtest/gtest.h>

#include <QThread>
#include <cmath>

#include "link/device_commands.h"
#include "sim/sim_setup.h"
#include "tests/link/link_test_support.h"

using namespace linktest;

namespace {

CString DataFolder() { return QString::fromUtf8(VARNET_SOURCE_DIR) + u"/data"_qs; }

// The shipped keyboard of a device type, with its key places from its layout file.
SimModel ShippedModel(int deviceType)
{
    Catalogue catalogue;
    EXPECT_TRUE(ReadCatalogue(DataFolder() + u"/config.xml"_qs, DataFolder(), catalogue));
    for (const SimModel& m : LoadSimModels(catalogue, DataFolder()))
        if (m.deviceType == deviceType) return m;
    ADD_FAILURE() << "no model " << deviceType;
    return {};
}

SimLightMode Light(int mode, int brightness = 5, int colorful = 0, int direction = 0)
{
    SimLightMode l;
    l.mode = mode;
    l.red = 0xFF;
    l.green = 0xFF;
    l.blue = 0xFF;
    l.colorful = colorful;
    l.brightness = brightness;
    l.speed = 3;
    l.direction = direction;
    return l;
}

std::vector<uint8_t> FrameAt(SimFirmware& firmware, int64_t ms)
{
    firmware.SetTime(ms);
    return firmware.LedColours();
}

class LightEffects : public ::testing::Test {
protected:
    SimModel k104 = ShippedModel(kK104);
    SimFirmware firmware{k104};

    void Show(const SimLightMode& light) { firmware.Memory().light = light; }
};

// Names of the effect numbers, as the light page lists them.
const char* const kEffectNames[20] = {"Off",        "Static",    "Breathing", "Reactive", "Ripple",
                                      "Starlight",  "Spectrum",  "Raindrops", "Neon",     "Fireworks",
                                      "Waterfall",  "Wave",      "Meteor",    "Snake",    "Heartbeat",
                                      "Aurora",     "Marquee",   "Spiral",    "Flow",     "Pulse"};

TEST_F(LightEffects, StaticAndOffHoldStillEveryOtherEffectMoves)
{
    for (int mode = 0; mode <= 19; ++mode)
        for (int colorful : {0, 1}) {
            SCOPED_TRACE(std::string(kEffectNames[mode]) + (colorful ? " colourful" : " one colour"));
            Show(Light(mode, 5, colorful, 1));
            const std::vector<uint8_t> start = FrameAt(firmware, 0);
            bool moved = false;
            for (int64_t ms : {400, 1100, 2300, 3700}) moved = moved || FrameAt(firmware, ms) != start;
            EXPECT_EQ(moved, mode >= 2);
            // The same moment gives the same frame: nothing depends on when it is asked.
            EXPECT_EQ(FrameAt(firmware, 2300), FrameAt(firmware, 2300));
        }
}

TEST_F(LightEffects, StaticShowsTheColourOnEveryLitKeyAndOffShowsNothing)
{
    SimLightMode light = Light(1);
    light.red = 0x12;
    light.green = 0x34;
    light.blue = 0x56;
    Show(light);
    const std::vector<uint8_t> frame = FrameAt(firmware, 5000);
    ASSERT_EQ(frame.size(), 576u);
    ASSERT_FALSE(k104.lightPositions.empty());
    for (int p : k104.lightPositions) {
        SCOPED_TRACE(p);
        EXPECT_EQ(frame[size_t(4 * p)], p);
        EXPECT_EQ(frame[size_t(4 * p + 1)], 0x12);
        EXPECT_EQ(frame[size_t(4 * p + 2)], 0x34);
        EXPECT_EQ(frame[size_t(4 * p + 3)], 0x56);
    }
    Show(Light(0));
    EXPECT_EQ(FrameAt(firmware, 5000), std::vector<uint8_t>(576, 0));
}

TEST_F(LightEffects, BrightnessDimsUpToFullAtTheMaximum)
{
    // Static white, and the breathing effect at the top of a breath (the
    // frames of one moment, compared across brightness levels).
    const int esc = k104.lightPositions.front();
    for (int mode : {1, 2}) {
        SCOPED_TRACE(kEffectNames[mode]);
        int previous = -1;
        for (int brightness = 1; brightness <= k104.brightnessMax; ++brightness) {
            Show(Light(mode, brightness));
            int level = 0;
            for (int64_t ms = 0; ms <= 12000; ms += 100)
                level = std::max<int>(level, FrameAt(firmware, ms)[size_t(4 * esc + 1)]);
            EXPECT_GT(level, previous) << "brightness " << brightness;
            previous = level;
        }
        EXPECT_GE(previous, 250);  // the maximum is full light
    }
    Show(Light(1, 1));
    EXPECT_LT(FrameAt(firmware, 0)[size_t(4 * esc + 1)], 128);
}

TEST_F(LightEffects, BreathingRisesAndFallsWithTheClock)
{
    Show(Light(2));
    const int esc = k104.lightPositions.front();
    int low = 255, high = 0;
    for (int64_t ms = 0; ms <= 12000; ms += 100) {
        const int level = FrameAt(firmware, ms)[size_t(4 * esc + 1)];
        low = std::min(low, level);
        high = std::max(high, level);
    }
    EXPECT_LT(low, 40);
    EXPECT_GT(high, 215);
}

// Which way the pattern of a frame travels: the sum over neighbouring keys
// along one axis of (change in time) x (change in space). A pattern moving
// towards larger coordinates gives a negative sum.
double TravelSign(SimFirmware& firmware, const std::vector<SimLightPlace>& places, bool vertical, int64_t ms)
{
    const std::vector<uint8_t> now = FrameAt(firmware, ms);
    const std::vector<uint8_t> later = FrameAt(firmware, ms + 40);
    auto level = [](const std::vector<uint8_t>& f, int p) { return double(f[size_t(4 * p + 1)]); };
    double sum = 0;
    for (const SimLightPlace& a : places)
        for (const SimLightPlace& b : places) {
            const double along = vertical ? b.y - a.y : b.x - a.x;
            const double across = vertical ? std::abs(b.x - a.x) : std::abs(b.y - a.y);
            if (along <= 0 || along > 0.25 || across > 0.03) continue;
            const double space = (level(now, b.position) - level(now, a.position)) / along;
            const double time = level(later, a.position) + level(later, b.position) - level(now, a.position) -
                                level(now, b.position);
            sum += space * time;
        }
    return sum;
}

TEST_F(LightEffects, DirectionSteersTheWave)
{
    ASSERT_FALSE(k104.lightPlaces.empty());
    const struct {
        int direction;
        bool vertical;
        bool towardsLarger;  // x grows to the right, y downwards
    } cases[] = {{0, false, false}, {1, false, true}, {2, true, false}, {3, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.direction);
        Show(Light(11, 5, 0, c.direction));
        for (int64_t ms : {0, 900, 2600}) {
            const double sign = TravelSign(firmware, k104.lightPlaces, c.vertical, ms);
            if (c.towardsLarger)
                EXPECT_LT(sign, 0) << ms;
            else
                EXPECT_GT(sign, 0) << ms;
        }
    }
}

TEST_F(LightEffects, PerKeyColoursAndLiveFramesDoNotAnimate)
{
    Show(Light(0x80));
    const int esc = k104.lightPositions.front();
    firmware.Memory().colours[size_t(4 * esc + 1)] = 0x20;
    firmware.Memory().colours[size_t(4 * esc + 3)] = 0x40;
    const std::vector<uint8_t> start = FrameAt(firmware, 0);
    EXPECT_EQ(start[size_t(4 * esc + 1)], 0x20);
    EXPECT_EQ(start[size_t(4 * esc + 3)], 0x40);
    EXPECT_EQ(FrameAt(firmware, 4321), start);

    Show(Light(2));
    firmware.Memory().liveFrame.assign(512, 0);
    firmware.Memory().liveFrame[0] = uint8_t(esc);
    firmware.Memory().liveFrame[1] = 0x77;
    firmware.Memory().liveActive = true;
    const std::vector<uint8_t> live = FrameAt(firmware, 0);
    EXPECT_EQ(live[size_t(4 * esc + 1)], 0x77);
    EXPECT_EQ(FrameAt(firmware, 2500), live);
}

TEST(LightEffectsSingleColour, LevelsFollowTheEffectAndIgnoreTheColour)
{
    SimModel k87 = ShippedModel(kK87);
    ASSERT_FALSE(k87.rgb);
    SimFirmware firmware(k87);
    SimLightMode light = Light(1);
    light.red = 0x10;  // a colour the keyboard cannot show
    light.green = light.blue = 0;
    firmware.Memory().light = light;
    const int p = k87.lightPositions.front();
    EXPECT_EQ(FrameAt(firmware, 0)[size_t(p)], 0xFF);
    firmware.Memory().light.mode = 2;
    EXPECT_NE(FrameAt(firmware, 1000)[size_t(p)], FrameAt(firmware, 2000)[size_t(p)]);
}

TEST(LightEffectsOddModels, KeysWithoutPlacesAndStrangeSettingsStillGiveFrames)
{
    SimModel model;
    model.rgb = true;
    model.lightPositions = {1, 2, 3, 200, -4, 143};  // 200 and -4 lie outside the colour block
    SimFirmware firmware(model);
    for (int mode : {0, 1, 2, 5, 11, 13, 19, 20, 0x7F, 0xFF}) {
        SCOPED_TRACE(mode);
        SimLightMode l = Light(mode, -3, 7, 99);
        l.speed = 1000;
        firmware.Memory().light = l;
        for (int64_t ms : {int64_t(0), int64_t(999), int64_t(1) << 40}) {
            const std::vector<uint8_t> frame = FrameAt(firmware, ms);
            ASSERT_EQ(frame.size(), 576u);
            EXPECT_EQ(frame[4], mode == 0 ? 0 : 1);
        }
    }
}

// Through the simulator's back end: frames follow its clock, not the wall clock.
TEST(LightEffectsClock, FramesFollowTheSimulatorsClock)
{
    SimRig rig;
    const int kb = rig.sim->AddKeyboard(ShippedModel(kK104));
    rig.sim->SwitchMode(kb, 0);
    rig.Select(kK104);
    const LayoutFile layout = ShippedLayout(kK104);
    const KeyTables tables = TablesOf(layout);
    const CommandContext context{rig.manager, rig.manager.GetConnectMode(), layout, tables};

    LightModeValues breathing;
    breathing.mode = 2;
    breathing.colour = 0x000000FF;
    breathing.brightness = 5;
    breathing.speed = 3;
    ASSERT_EQ(WriteLightMode(context, breathing), CommandOutcome::kDone);
    const std::vector<uint8_t> first = rig.sim->LedColours(kb);
    QThread::msleep(300);  // wall time passes, the manual clock does not
    EXPECT_EQ(rig.sim->LedColours(kb), first);
    rig.clock.Advance(std::chrono::milliseconds(1500));
    EXPECT_NE(rig.sim->LedColours(kb), first);

    LightModeValues still = breathing;
    still.mode = 1;
    ASSERT_EQ(WriteLightMode(context, still), CommandOutcome::kDone);
    const std::vector<uint8_t> fixed = rig.sim->LedColours(kb);
    rig.clock.Advance(std::chrono::milliseconds(1500));
    EXPECT_EQ(rig.sim->LedColours(kb), fixed);
    EXPECT_EQ(rig.sim->ErrorCount(kb), 0);
}

}  // namespace
