#include "sim/sim_model.h"

#include <QRegularExpression>

namespace {

SimInterfaceDesc Interface(SimInterfaceKind kind, int number, int collection, uint16_t page, uint16_t usage,
                      HidReportLengths lengths)
{
    SimInterfaceDesc s;
    s.kind = kind;
    s.number = number;
    s.collection = collection;
    s.usagePage = page;
    s.usage = usage;
    s.lengths = lengths;
    return s;
}

// Report lengths (input, output, feature), report id byte included.
const HidReportLengths kKeyboardLengths{9, 2, 0};
const HidReportLengths kConsumerLengths{3, 0, 0};
const HidReportLengths kNotifyLengths{65, 0, 0};
const HidReportLengths kCommandLengths{0, 0, 65};
const HidReportLengths kReceiverLengths{33, 33, 0};
const HidReportLengths kScreenLengths{4097, 4097, 0};

// The key centres of the lit keys, scaled to the keys' extent. A layout
// whose keys all sit in one line or column gets 0.5 across that axis; one
// whose keys have no rects at all names no places.
std::vector<SimLightPlace> LightPlacesOf(const LayoutFile& layout)
{
    std::vector<SimLightPlace> places;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool first = true;
    for (const LayoutKey& key : layout.keys) {
        if (key.lightIndex <= 0 || key.keyIndex <= 0) continue;
        const double x = (double(key.rect.left) + double(key.rect.right)) / 2;
        const double y = (double(key.rect.top) + double(key.rect.bottom)) / 2;
        if (first || x < minX) minX = x;
        if (first || x > maxX) maxX = x;
        if (first || y < minY) minY = y;
        if (first || y > maxY) maxY = y;
        first = false;
    }
    if (maxX <= minX && maxY <= minY) return places;
    for (const LayoutKey& key : layout.keys) {
        if (key.lightIndex <= 0 || key.keyIndex <= 0) continue;
        const double x = (double(key.rect.left) + double(key.rect.right)) / 2;
        const double y = (double(key.rect.top) + double(key.rect.bottom)) / 2;
        SimLightPlace p;
        p.position = key.lightIndex;
        p.x = maxX > minX ? float((x - minX) / (maxX - minX)) : 0.5f;
        p.y = maxY > minY ? float((y - minY) / (maxY - minY)) : 0.5f;
        places.push_back(p);
    }
    return places;
}

}  // namespace

const char* SimInterfaceKindName(SimInterfaceKind kind)
{
    switch (kind) {
    case SimInterfaceKind::kKeyboard: return "keyboard";
    case SimInterfaceKind::kConsumer: return "consumer";
    case SimInterfaceKind::kNotify: return "notify";
    case SimInterfaceKind::kCommand: return "command";
    case SimInterfaceKind::kReceiver: return "receiver";
    case SimInterfaceKind::kScreen: return "screen";
    }
    return "?";
}

const SimConnectionDesc* SimModel::Connection(int mode) const
{
    for (const SimConnectionDesc& c : connections)
        if (c.mode == mode) return &c;
    return nullptr;
}

int InterfaceNumberOf(const CString& hidInterface)
{
    static const QRegularExpression mi(u"MI_([0-9A-F]{2})"_qs, QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = mi.match(hidInterface);
    if (!m.hasMatch()) return -1;
    return m.captured(1).toInt(nullptr, 16);
}

SimModel SimModelFromCatalogue(const Catalogue& catalogue, int deviceType, const LayoutFile& layout)
{
    SimModel model;
    model.deviceType = deviceType;
    for (const DeviceEntry& k : catalogue.keyboards)
        if (k.deviceType == deviceType) {
            model.name = k.deviceInfo;
            break;
        }
    model.rgb = layout.IsRgb();
    model.hasScreen = layout.hasScreen && layout.screen.width > 0 && layout.screen.height > 0;
    model.screen = layout.screen;
    for (const LayoutKey& key : layout.keys)
        if (key.lightIndex > 0 && key.keyIndex > 0) model.lightPositions.push_back(key.lightIndex);
    model.lightPlaces = LightPlacesOf(layout);
    if (layout.light.brightnessMax > 0) model.brightnessMax = layout.light.brightnessMax;
    if (layout.light.speedMax > 0) model.speedMax = layout.light.speedMax;
    // The firmware the layout offers, written as hexadecimal digits (106 -> 0x0106).
    bool ok = false;
    const int version = layout.firmware.version.toInt(&ok);
    if (ok && version > 0 && version <= 9999) model.release = uint16_t(QString::number(version).toUInt(nullptr, 16));

    for (const DeviceEntry& m : catalogue.modes) {
        if (m.deviceType != deviceType) continue;
        SimConnectionDesc c;
        c.mode = m.mode;
        c.vendorId = uint16_t(m.vendorId);
        c.productId = uint16_t(m.productId);
        c.productName = m.name;
        const int command = InterfaceNumberOf(m.hidInterface);
        if (m.mode == 1 || command < 0) {
            c.interfaces.push_back(Interface(SimInterfaceKind::kKeyboard, -1, 1, 0x01, 0x06, kKeyboardLengths));
            c.interfaces.push_back(Interface(SimInterfaceKind::kCommand, -1, 2, 0xFF00, 0x01, kCommandLengths));
        } else {
            if (command >= 1)
                c.interfaces.push_back(Interface(SimInterfaceKind::kKeyboard, 0, 0, 0x01, 0x06, kKeyboardLengths));
            if (command >= 2) {
                c.interfaces.push_back(Interface(SimInterfaceKind::kConsumer, 1, 1, 0x0C, 0x01, kConsumerLengths));
                c.interfaces.push_back(Interface(SimInterfaceKind::kNotify, 1, 2, 0xFFFF, 0x01, kNotifyLengths));
            }
            if (m.mode == 0 && model.hasScreen && command >= 3)
                c.interfaces.push_back(Interface(SimInterfaceKind::kScreen, command - 1, 0, 0xFF00, 0x02, kScreenLengths));
            if (m.mode == 2)
                c.interfaces.push_back(Interface(SimInterfaceKind::kReceiver, command, 0, 0xFF00, 0x01, kReceiverLengths));
            else
                c.interfaces.push_back(Interface(SimInterfaceKind::kCommand, command, 0, 0xFF00, 0x01, kCommandLengths));
        }
        model.connections.push_back(std::move(c));
    }
    return model;
}
