#include "sim/sim_control.h"

#include <unistd.h>

#include <sstream>

#include "sim/sim_setup.h"
#include "sim/sim_trace.h"

namespace {

std::string Error(const std::string& why) { return "error: " + why + "\n"; }

bool Number(const QString& text, int& value)
{
    bool ok = false;
    value = text.startsWith(u"0x"_qs, Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok);
    return ok;
}

int PickKeyboard(SimBackend& sim, QStringList& words, std::string& error)
{
    for (int i = 0; i < words.size(); ++i) {
        if (!words[i].startsWith(u"kb="_qs)) continue;
        const QString which = words.takeAt(i).mid(3);
        int n = 0;
        if (!Number(which, n)) {
            error = "kb= needs a number";
            return -1;
        }
        const int byType = sim.FindKeyboard(n);
        if (byType >= 0) return byType;
        if (n >= 0 && n < sim.KeyboardCount()) return n;
        error = "no simulated keyboard " + which.toStdString();
        return -1;
    }
    for (const SimInterfaceState& s : sim.Interfaces())
        if (s.plugged) return s.keyboard;
    if (sim.KeyboardCount() == 0) error = "no simulated keyboard";
    return sim.KeyboardCount() > 0 ? 0 : -1;
}

std::string Status(SimBackend& sim)
{
    std::ostringstream out;
    out << "ok\n";
    const std::vector<SimInterfaceState> all = sim.Interfaces();
    for (int k = 0; k < sim.KeyboardCount(); ++k) {
        const SimModel model = sim.Model(k);
        const SimMemory m = sim.Memory(k);
        out << "keyboard " << k << " type " << model.deviceType << " " << model.name.toStdString() << " battery "
            << m.battery << " " << (m.linked ? "linked" : "unlinked") << " errors " << sim.ErrorCount(k) << "\n";
        int index = 0, lastMode = -1;
        for (const SimInterfaceState& s : all) {
            if (s.keyboard != k) continue;
            if (s.mode != lastMode) index = 0;
            lastMode = s.mode;
            out << "  " << ConnectModeName(s.mode) << " " << index++ << " " << SimInterfaceKindName(s.desc.kind) << " "
                << (s.plugged ? "plugged" : "unplugged") << " " << s.path << "\n";
        }
    }
    return out.str();
}

std::string MemoryText(SimBackend& sim, int k)
{
    const SimMemory m = sim.Memory(k);
    std::ostringstream out;
    out << "ok\n";
    out << "settings alttab " << m.settings.disableAltTab << " altf4 " << m.settings.disableAltF4 << " win "
        << m.settings.disableWin << " fn " << m.settings.fnSwitch << " sleep " << m.settings.sleepTime << " respond "
        << m.settings.keyRespondTime << "\n";
    out << "clock slot " << m.clock.shownSlot << " " << m.clock.year << "-" << m.clock.month << "-" << m.clock.day
        << " " << m.clock.hour << ":" << m.clock.minute << ":" << m.clock.second << " weekday " << m.clock.dayOfWeek
        << "\n";
    out << "light mode " << m.light.mode << " rgb " << int(m.light.red) << "," << int(m.light.green) << ","
        << int(m.light.blue) << " colorful " << m.light.colorful << " brightness " << m.light.brightness << " speed "
        << m.light.speed << " direction " << m.light.direction << " side " << m.sideLightMode << "\n";
    for (int layer = 0; layer < 2; ++layer)
        out << "keymap " << layer << " " << SimTrace::Hex(m.keyMap[layer].data(), m.keyMap[layer].size()) << "\n";
    out << "macros " << SimTrace::Hex(m.macros.data(), m.macros.size()) << "\n";
    out << "colours " << SimTrace::Hex(m.colours.data(), m.colours.size()) << "\n";
    out << "live " << (m.liveActive ? 1 : 0) << " " << SimTrace::Hex(m.liveFrame.data(), m.liveFrame.size()) << "\n";
    out << "music " << SimTrace::Hex(m.musicFrame.data(), m.musicFrame.size()) << "\n";
    for (const auto& [slot, image] : m.screenSlots)
        out << "screen " << slot << " bytes " << image.size() << " frames " << (image.empty() ? 0 : int(image[0]))
            << "\n";
    out << "battery " << m.battery << " linked " << (m.linked ? 1 : 0) << " resets " << m.resets << "\n";
    return out.str();
}

std::string Fault(SimBackend& sim, int k, const QStringList& args)
{
    if (args.isEmpty()) return Error("fault needs a name");
    const QString name = args[0];
    int count = -1, value = 0;
    if (args.size() > 1 && !Number(args[1], count)) return Error("fault count is not a number");
    if (args.size() > 2 && !Number(args[2], value)) return Error("fault value is not a number");
    SimFaults f = sim.Faults(k);
    if (name == u"none" || name == u"clear") f = SimFaults{};
    else if (name == u"no-answer") f.noAnswer = count;
    else if (name == u"late") f.lateAnswerMs = std::max(0, count);
    else if (name == u"wrong-echo") f.wrongEcho = count;
    else if (name == u"busy") f.busy = count;
    else if (name == u"nack") {
        f.nack = count;
        f.nackValue = value;
    } else if (name == u"garbage") f.garbage = count;
    else if (name == u"disconnect-after") f.disconnectAfter = std::max(0, count);
    else if (name == u"latency") f.reportLatencyMs = std::max(0, count);
    else return Error("unknown fault " + name.toStdString());
    sim.SetFaults(k, f);
    return "ok\n";
}

}  // namespace

std::string ExecuteSimCommand(SimBackend& sim, const QStringList& input)
{
    QStringList words = input;
    if (words.isEmpty()) return Error("empty command");
    const QString command = words.takeFirst();
    if (command == u"status") return Status(sim);
    std::string error;
    const int k = PickKeyboard(sim, words, error);
    if (k < 0) return Error(error);
    int n = 0;

    if (command == u"plug" || command == u"unplug" || command == u"mode") {
        const int mode = words.isEmpty() ? -1 : ParseConnectMode(words[0]);
        if (mode < 0) return Error("which connection: cable, receiver or bluetooth");
        bool ok = false;
        if (command == u"mode") ok = sim.SwitchMode(k, mode);
        else if (words.size() > 1) {
            if (!Number(words[1], n)) return Error("interface index is not a number");
            ok = sim.PlugInterface(k, mode, n, command == u"plug");
        } else ok = command == u"plug" ? sim.Plug(k, mode) : sim.Unplug(k, mode);
        return ok ? "ok\n" : Error("the keyboard has no such connection or interface");
    }
    if (command == u"battery") {
        if (words.isEmpty() || !Number(words[0], n)) return Error("battery needs a percentage");
        sim.SetBattery(k, n);
        return "ok\n";
    }
    if (command == u"link" || command == u"unlink") {
        sim.SetLinked(k, command == u"link");
        return "ok\n";
    }
    if (command == u"key") {
        if (words.isEmpty() || !Number(words[0], n)) return Error("key needs a value");
        return sim.ReportKeyAction(k, n) ? "ok\n" : Error("no notify interface plugged");
    }
    if (command == u"release") {
        if (words.isEmpty() || !Number(words[0], n)) return Error("release needs a number");
        sim.SetRelease(k, uint16_t(n));
        return "ok\n";
    }
    if (command == u"notify") {
        const int mode = words.isEmpty() ? -1 : ParseConnectMode(words[0]);
        if (mode < 0 || words.size() < 2) return Error("notify MODE HEX");
        const QByteArray bytes = QByteArray::fromHex(words[1].toLatin1());
        return sim.InjectNotification(k, mode, std::vector<uint8_t>(bytes.begin(), bytes.end()))
                   ? "ok\n"
                   : Error("no notify interface plugged on that connection");
    }
    if (command == u"fault") return Fault(sim, k, words);
    if (command == u"memory") return MemoryText(sim, k);
    if (command == u"errors") {
        std::string out = "ok\n";
        for (const std::string& e : sim.Errors(k)) out += e + "\n";
        return out;
    }
    if (command == u"clear-errors") {
        sim.ClearErrors(k);
        return "ok\n";
    }
    return Error("unknown command " + command.toStdString());
}

std::string DefaultSimSocketPath()
{
    if (const char* explicitPath = getenv("VARNET_SIM_SOCKET"); explicitPath && *explicitPath) return explicitPath;
    if (const char* runtime = getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/varnet-sim.sock";
    return "/tmp/varnet-sim-" + std::to_string(getuid()) + ".sock";
}
