// varnetctl send: one device command with values from the command line,
// in the form the connection mode asks for (nothing in Bluetooth mode).
#include <QDateTime>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "cli/send_values.h"
#include "link/device_commands.h"
#include "sim/sim_setup.h"

namespace {

struct Send {
    DeviceSession& session;
    const SendValues& values;
    CommandContext context;
    CString error;
};

using Runner = bool (*)(Send& s, CommandOutcome& outcome);

bool Fail(Send& s, const CString& message)
{
    s.error = message;
    return false;
}

std::vector<int> MacroIds(Send& s)
{
    std::vector<int> ids;
    for (const CString& t : s.values.Text(u"macros"_qs).split(u',', Qt::SkipEmptyParts))
        if (const std::optional<int> n = ParseNumber(t)) ids.push_back(*n);
    return ids;
}

bool Assignments(Send& s, const CString& prefix, std::vector<KeyAssignment>& out)
{
    for (const auto& [code, text] : s.values.KeyWords(prefix)) {
        const std::optional<KeyAssignment> a = ParseAssignment(code, text);
        if (!a) return Fail(s, u"key %1: expected TYPE[:VALUE[:VALUE2[:VALUE3]]], not \"%2\""_qs.arg(code, 2, 16, QChar(u'0')).arg(text));
        out.push_back(*a);
    }
    return true;
}

bool Colours(Send& s, std::map<int, uint32_t>& out)
{
    if (s.values.Has(u"all"_qs)) {
        const std::optional<uint32_t> all = ParseColour(s.values.Text(u"all"_qs));
        if (!all) return Fail(s, u"all= needs a colour RRGGBB"_qs);
        for (const LayoutKey& k : s.session.Layout().keys) out[k.code] = *all;
    }
    for (const auto& [code, text] : s.values.KeyWords()) {
        const std::optional<uint32_t> c = ParseColour(text);
        if (!c) return Fail(s, u"key %1: expected a colour RRGGBB, not \"%2\""_qs.arg(code, 2, 16, QChar(u'0')).arg(text));
        out[code] = *c;
    }
    return true;
}

bool Settings(Send& s, CommandOutcome& outcome)
{
    DeviceSettings d;
    int altTab = 0, altF4 = 0, win = 0;
    if (!s.values.Int(u"alttab"_qs, altTab, s.error) || !s.values.Int(u"altf4"_qs, altF4, s.error) ||
        !s.values.Int(u"win"_qs, win, s.error) || !s.values.Int(u"fn"_qs, d.fnSwitch, s.error) ||
        !s.values.Int(u"sleep"_qs, d.sleepTime, s.error) || !s.values.Int(u"respond"_qs, d.keyRespondTime, s.error))
        return false;
    d.disableAltTab = altTab != 0;
    d.disableAltF4 = altF4 != 0;
    d.disableWin = win != 0;
    outcome = WriteSettings(s.context, d);
    return true;
}

bool Clock(Send& s, CommandOutcome& outcome)
{
    int slot = 1;
    if (!s.values.Int(u"slot"_qs, slot, s.error)) return false;
    QDateTime time = QDateTime::currentDateTime();
    if (s.values.Has(u"time"_qs)) {
        time = QDateTime::fromString(s.values.Text(u"time"_qs), Qt::ISODate);
        if (!time.isValid()) return Fail(s, u"time= needs YYYY-MM-DDTHH:MM:SS"_qs);
    }
    outcome = WriteScreenClock(s.context, ScreenClockAt(time, slot - 1));
    return true;
}

bool KeyMap(Send& s, CommandOutcome& outcome)
{
    std::vector<KeyAssignment> base, fn;
    if (!Assignments(s, {}, base) || !Assignments(s, u"fn."_qs, fn)) return false;
    outcome = WriteKeyMaps(s.context, base, fn, MacroIds(s));
    return true;
}

bool KeyEntryCommand(Send& s, CommandOutcome& outcome)
{
    int layer = 0;
    if (!s.values.Int(u"layer"_qs, layer, s.error)) return false;
    std::vector<KeyAssignment> assignments;
    if (!Assignments(s, layer == 1 ? u"fn."_qs : CString(), assignments)) return false;
    std::optional<int> key;
    if (s.values.Has(u"key"_qs)) {
        bool ok = false;
        key = s.values.Text(u"key"_qs).toInt(&ok, 16);
        if (!ok) return Fail(s, u"key= needs a hexadecimal key code"_qs);
        if (s.values.Has(u"assign"_qs)) {
            const std::optional<KeyAssignment> a = ParseAssignment(*key, s.values.Text(u"assign"_qs));
            if (!a) return Fail(s, u"assign= needs TYPE[:VALUE[:VALUE2[:VALUE3]]]"_qs);
            assignments.push_back(*a);
        }
    }
    outcome = WriteKeyChange(s.context, layer, assignments, key, MacroIds(s));
    return true;
}

bool ResetKeys(Send& s, CommandOutcome& outcome)
{
    outcome = ResetKeyMap(s.context);
    return true;
}

bool Macros(Send& s, CommandOutcome& outcome)
{
    std::vector<Macro> macros;
    for (const CString& text : s.values.All(u"macro"_qs)) {
        const std::optional<Macro> m = ParseMacro(text);
        if (!m) return Fail(s, u"macro= needs ID:TYPE/VALUE/DELAY,..., not \""_qs + text + u"\""_qs);
        macros.push_back(*m);
    }
    const MacroBlock block =
        BuildMacroBlock(macros, s.context.connectMode == 2 ? LinkForm::kReceiver : LinkForm::kCable);
    if (!block.accepted && (s.context.connectMode == 0 || s.context.connectMode == 2))
        PrintError(u"macros refused: "_qs + QString::fromStdString(block.refusal) + u"\n"_qs);
    outcome = WriteMacros(s.context, macros);
    return true;
}

bool Light(Send& s, CommandOutcome& outcome)
{
    LightModeValues v;
    v.mode = 1;
    if (!s.values.Int(u"mode"_qs, v.mode, s.error) || !s.values.Int(u"colorful"_qs, v.colorful, s.error) ||
        !s.values.Int(u"brightness"_qs, v.brightness, s.error) || !s.values.Int(u"speed"_qs, v.speed, s.error) ||
        !s.values.Int(u"direction"_qs, v.direction, s.error))
        return false;
    if (s.values.Has(u"color"_qs)) {
        const std::optional<uint32_t> c = ParseColour(s.values.Text(u"color"_qs));
        if (!c) return Fail(s, u"color= needs RRGGBB"_qs);
        v.colour = *c;
    }
    outcome = WriteLightMode(s.context, v);
    return true;
}

bool SideLight(Send& s, CommandOutcome& outcome)
{
    int value = 32;
    if (!s.values.Int(u"value"_qs, value, s.error)) return false;
    outcome = WriteSideLightMode(s.context, value);
    return true;
}

bool UserLight(Send& s, CommandOutcome& outcome)
{
    std::map<int, uint32_t> colours;
    if (!Colours(s, colours)) return false;
    outcome = WriteUserLight(s.context, colours);
    return true;
}

// RGB565, low byte first.
void PutPixel(std::vector<uint8_t>& px, size_t i, uint32_t colour)
{
    const unsigned r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    const unsigned v = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    px[2 * i] = uint8_t(v);
    px[2 * i + 1] = uint8_t(v >> 8);
}

bool Screen(Send& s, CommandOutcome& outcome)
{
    int slot = 1, count = 1, delay = 100;
    if (!s.values.Int(u"slot"_qs, slot, s.error) || !s.values.Int(u"frames"_qs, count, s.error) ||
        !s.values.Int(u"delay"_qs, delay, s.error))
        return false;
    const std::optional<uint32_t> colour = ParseColour(s.values.Text(u"color"_qs, u"FF0000"_qs));
    if (!colour) return Fail(s, u"color= needs RRGGBB"_qs);
    const ScreenInfo& screen = s.session.Layout().screen;
    const size_t pixels = size_t(std::max(0, screen.width)) * size_t(std::max(0, screen.height));
    std::vector<ScreenFrame> frames;
    for (int f = 0; f < std::clamp(count, 0, 255); ++f) {
        // Each frame a bar of the colour that moves down the screen.
        ScreenFrame frame{delay, std::vector<uint8_t>(pixels * 2, 0)};
        const int rows = std::max(1, screen.height);
        for (size_t i = 0; i < pixels; ++i) {
            const int row = int(i / size_t(std::max(1, screen.width)));
            PutPixel(frame.pixels, i, (row + f * 8) % rows < rows / 4 ? *colour : 0);
        }
        frames.push_back(std::move(frame));
    }
    int shown = -1;
    outcome = UploadScreenAnimation(s.context, frames, slot, [&](int percent) {
        if (percent == shown) return;
        shown = percent;
        Print(u"Loading: %1%\n"_qs.arg(percent));
    });
    return true;
}

bool ReadColours(Send& s, CommandOutcome& outcome)
{
    if (s.context.connectMode != 0) {
        outcome = CommandOutcome::kSkipped;
        return true;
    }
    const std::optional<std::map<int, uint32_t>> colours = ReadKeyColours(s.context);
    outcome = colours ? CommandOutcome::kDone : CommandOutcome::kFailed;
    if (colours)
        for (const auto& [code, c] : *colours)
            Print(u"%1 %2%3%4\n"_qs.arg(code, 2, 16, QChar(u'0'))
                      .arg(c & 0xFF, 2, 16, QChar(u'0'))
                      .arg((c >> 8) & 0xFF, 2, 16, QChar(u'0'))
                      .arg((c >> 16) & 0xFF, 2, 16, QChar(u'0'))
                      .toUpper());
    return true;
}

bool Live(Send& s, CommandOutcome& outcome)
{
    std::map<int, uint32_t> colours;
    if (!Colours(s, colours)) return false;
    const KeyTables& tables = s.session.Tables();
    std::vector<uint8_t> frame;
    if (s.session.Layout().IsRgb()) {
        std::vector<LiveKeyColour> keys;
        for (const LayoutKey& k : s.session.Layout().keys) {
            const auto p = tables.lightPositions.find(k.code);
            const auto c = colours.find(k.code);
            const uint32_t colour = c == colours.end() ? 0 : c->second;
            keys.push_back({p == tables.lightPositions.end() ? 0 : p->second, uint8_t(colour), uint8_t(colour >> 8),
                            uint8_t(colour >> 16)});
        }
        frame = LiveFrameRgb(keys);
    } else {
        std::map<int, uint8_t> levels;
        for (const auto& [code, colour] : colours) {
            const auto p = tables.lightPositions.find(code);
            if (p != tables.lightPositions.end() && colour != 0) levels[p->second] = 0xFD;
        }
        frame = LiveFrameSingle(levels);
    }
    outcome = SendLiveFrame(s.context, frame);
    return true;
}

bool Music(Send& s, CommandOutcome& outcome)
{
    MusicFrameValues v;
    if (!s.values.Int(u"effect"_qs, v.effect, s.error) || !s.values.Int(u"background"_qs, v.background, s.error) ||
        !s.values.Int(u"level"_qs, v.level, s.error))
        return false;
    const QStringList heights = s.values.Text(u"heights"_qs).split(u',', Qt::SkipEmptyParts);
    for (int i = 0; i < heights.size() && i < int(v.heights.size()); ++i) {
        const std::optional<int> h = ParseNumber(heights[i]);
        if (!h) return Fail(s, u"heights= needs numbers separated by commas"_qs);
        v.heights[size_t(i)] = uint8_t(*h);
    }
    outcome = SendMusicFrame(s.context, v);
    return true;
}

bool Reset(Send& s, CommandOutcome& outcome)
{
    outcome = ResetAll(s.context);
    return true;
}

bool Battery(Send& s, CommandOutcome& outcome)
{
    if (s.context.connectMode != 2) {
        outcome = CommandOutcome::kSkipped;
        return true;
    }
    const std::optional<int> level = QueryBattery(s.context);
    outcome = level ? CommandOutcome::kDone : CommandOutcome::kFailed;
    if (level) Print(u"battery %1%\n"_qs.arg(*level));
    return true;
}

struct SendCommand {
    const char* name;
    Runner run;
    const char* usage;
    const char* names;  // the NAME= words it takes, besides key codes
};

const SendCommand kSendCommands[] = {
    {"settings", Settings, "alttab=0|1 altf4=0|1 win=0|1 fn=N sleep=N respond=N", "alttab altf4 win fn sleep respond"},
    {"clock", Clock, "slot=N time=YYYY-MM-DDTHH:MM:SS (default: now, slot 1)", "slot time"},
    {"keymap", KeyMap, "KEY=TYPE[:V[:V2[:V3]]] ... fn.KEY=... macros=ID,ID,... (KEY: hex key code)", "macros"},
    {"keyentry", KeyEntryCommand, "key=KEY layer=0|1 assign=TYPE[:V...] [KEY=... the rest of the layer]",
     "key layer assign macros"},
    {"resetkeymap", ResetKeys, "(receiver only)", ""},
    {"macros", Macros, "macro=ID:TYPE/VALUE/DELAY,... macro=... (records: 2 key down, 3 key up, 4/5 mouse)", ""},
    {"light", Light, "mode=N color=RRGGBB colorful=0|1 brightness=N speed=N direction=N",
     "mode color colorful brightness speed direction"},
    {"sidelight", SideLight, "value=32..41", "value"},
    {"userlight", UserLight, "all=RRGGBB KEY=RRGGBB ...", "all"},
    {"screen", Screen, "slot=N frames=N delay=MS color=RRGGBB", "slot frames delay color"},
    {"readcolours", ReadColours, "(cable only) prints KEY RRGGBB", ""},
    {"liveframe", Live, "all=RRGGBB KEY=RRGGBB ...", "all"},
    {"musicframe", Music, "effect=N background=N level=N heights=H,H,... (receiver only)",
     "effect background level heights"},
    {"resetall", Reset, "(receiver only)", ""},
    {"battery", Battery, "(receiver only) prints the level", ""},
};

void SendUsage()
{
    CString text = u"usage: varnetctl send COMMAND [type=DEVICE_TYPE] [NAME=VALUE ...] [--simulate[=MODEL:MODES]]"
                   " [--sim-trace FILE]\n\ncommands:\n"_qs;
    for (const SendCommand& c : kSendCommands)
        text += u"  %1 %2\n"_qs.arg(QString::fromLatin1(c.name).leftJustified(12), QString::fromLatin1(c.usage));
    PrintError(text);
}

}  // namespace

int RunSendCommand(const CommandLine& line)
{
    if (line.words.isEmpty() || line.words[0] == u"help") {
        SendUsage();
        return line.words.isEmpty() ? 2 : 0;
    }
    const SendCommand* command = nullptr;
    for (const SendCommand& c : kSendCommands)
        if (line.words[0] == QString::fromLatin1(c.name)) command = &c;
    if (!command) {
        PrintError(u"varnetctl send: unknown command "_qs + line.words[0] + u"\n"_qs);
        SendUsage();
        return 2;
    }
    SendValues values;
    CString error;
    if (!values.Parse(line.words.mid(1), error)) {
        PrintError(u"varnetctl send: "_qs + error + u"\n"_qs);
        return 2;
    }
    QStringList known = QString::fromLatin1(command->names).split(u' ', Qt::SkipEmptyParts);
    known << u"type"_qs;
    QStringList unused = values.Unused(known);
    if (command->run == Macros) unused.removeIf([](const QString& n) { return n.startsWith(u"macro"_qs); });
    if (!unused.isEmpty()) {
        PrintError(u"varnetctl send %1: unknown value(s) %2\n"_qs.arg(line.words[0], unused.join(u", "_qs)));
        return 2;
    }
    int type = 0;
    if (!values.Int(u"type"_qs, type, error)) {
        PrintError(u"varnetctl send: "_qs + error + u"\n"_qs);
        return 2;
    }

    DeviceSession session;
    if (!session.Open(line, error)) {
        PrintError(u"varnetctl send: "_qs + error + u"\n"_qs);
        return 1;
    }
    session.Refresh();
    if (!session.SelectKeyboard(type, error) || !session.StartTrace(error)) {
        PrintError(u"varnetctl send: "_qs + error + u"\n"_qs);
        return 1;
    }
    const int mode = session.Manager().GetConnectMode();
    Send s{session, values, CommandContext{session.Manager(), mode, session.Layout(), session.Tables()}, {}};
    CommandOutcome outcome = CommandOutcome::kSkipped;
    if (!command->run(s, outcome)) {
        PrintError(u"varnetctl send %1: %2\n"_qs.arg(line.words[0], s.error));
        return 2;
    }
    Print(u"%1: %2 (device type %3, %4)\n"_qs.arg(line.words[0], QString::fromLatin1(OutcomeName(outcome)))
              .arg(session.DeviceType())
              .arg(QString::fromLatin1(mode < 0 ? "not connected" : ConnectModeName(mode))));
    return outcome == CommandOutcome::kDone || outcome == CommandOutcome::kSkipped ? 0 : 1;
}
