#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/commands.h"
#include "device/catalogue.h"

namespace {

CString Hex4(unsigned value)
{
    return CString::number(value, 16).toUpper().rightJustified(4, u'0');
}

CString ModeName(int mode)
{
    switch (mode) {
    case kConnectCable: return u"cable"_qs;
    case kConnectBluetooth: return u"Bluetooth"_qs;
    case kConnectReceiver: return u"2.4 GHz receiver"_qs;
    default: return CString(u"mode %1"_qs).arg(mode);
    }
}

QJsonObject EntryJson(const DeviceEntry& e, bool mode)
{
    QJsonObject o;
    o[u"name"_qs] = e.name;
    o[u"device_type"_qs] = e.deviceType;
    o[u"device_info"_qs] = e.deviceInfo;
    o[u"img_connected"_qs] = e.imgConnected;
    o[u"img_disconnected"_qs] = e.imgDisconnected;
    if (mode) {
        o[u"mode"_qs] = e.mode;
        o[u"desc"_qs] = e.desc;
        o[u"vid"_qs] = Hex4(e.vendorId);
        o[u"pid"_qs] = Hex4(e.productId);
        o[u"hid_interface"_qs] = e.hidInterface;
    }
    return o;
}

QJsonObject CatalogueJson(const Catalogue& c)
{
    QJsonArray keyboards;
    for (const DeviceEntry& k : c.keyboards) {
        QJsonObject o = EntryJson(k, false);
        QJsonArray modes;
        for (const DeviceEntry& m : c.modes)
            if (m.deviceType == k.deviceType) modes.append(EntryJson(m, true));
        o[u"modes"_qs] = modes;
        keyboards.append(o);
    }
    QJsonArray languages;
    for (int l : c.languages) languages.append(l);
    QJsonObject software{{u"name"_qs, c.software.name},       {u"version"_qs, c.software.version},
                         {u"website"_qs, c.software.website}, {u"store"_qs, c.software.store},
                         {u"upgrade"_qs, c.software.upgrade}, {u"copyright"_qs, c.software.copyright}};
    return QJsonObject{{u"keyboards"_qs, keyboards},
                       {u"default_language"_qs, c.defaultLanguage},
                       {u"languages"_qs, languages},
                       {u"software"_qs, software}};
}

CString CatalogueText(const Catalogue& c)
{
    CString t;
    t += CString(u"software   %1 %2\n"_qs).arg(c.software.name, c.software.version);
    t += CString(u"website    %1\nstore      %2\nupgrade    %3\ncopyright  %4\n"_qs)
             .arg(c.software.website, c.software.store, c.software.upgrade, c.software.copyright);
    QStringList languages;
    for (int l : c.languages) languages << CString::number(l);
    t += CString(u"languages  %1 (default %2)\n"_qs).arg(languages.join(u", "_qs)).arg(c.defaultLanguage);
    for (const DeviceEntry& k : c.keyboards) {
        t += CString(u"\nkeyboard %1  \"%2\"  layout %3\n"_qs).arg(k.deviceType).arg(k.name, k.deviceInfo);
        t += CString(u"  pictures  %1 | %2\n"_qs).arg(k.imgConnected, k.imgDisconnected);
        for (const DeviceEntry& m : c.modes) {
            if (m.deviceType != k.deviceType) continue;
            t += CString(u"  %1  %2:%3  \"%4\"  %5  (%6)\n"_qs)
                     .arg(ModeName(m.mode).leftJustified(16), Hex4(m.vendorId), Hex4(m.productId), m.name,
                          m.hidInterface, m.desc);
        }
    }
    return t;
}

}  // namespace

int RunCatalogueCommand(const CommandLine& line)
{
    const CString path = line.programFolder + u"/config.xml"_qs;
    Catalogue catalogue;
    if (!ReadCatalogue(path, line.programFolder, catalogue)) {
        PrintError(u"varnetctl: cannot read the catalogue "_qs + path + u"\n"_qs);
        return 1;
    }
    if (line.json)
        Print(QString::fromUtf8(QJsonDocument(CatalogueJson(catalogue)).toJson()));
    else
        Print(CString(u"catalogue  %1\n"_qs).arg(path) + CatalogueText(catalogue));
    return 0;
}
