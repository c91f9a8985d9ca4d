// varnetctl devices: every HID interface enumerated and what the link made
// of it (command, receiver, notify, screen interface, closed, unknown).
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "sim/sim_setup.h"

namespace {

CString Hex4(unsigned v)
{
    return CString::number(v, 16).toUpper().rightJustified(4, u'0');
}

}  // namespace

int RunDevicesCommand(const CommandLine& line)
{
    DeviceSession session;
    CString error;
    if (!session.Open(line, error) || !session.StartTrace(error)) {
        PrintError(u"varnetctl devices: "_qs + error + u"\n"_qs);
        return 1;
    }
    session.Refresh();
    const std::vector<InterfaceClassification> list = session.Manager().LastClassification();

    if (line.json) {
        QJsonArray array;
        for (const InterfaceClassification& c : list) {
            array.append(QJsonObject{{u"path"_qs, QString::fromStdString(c.info.path)},
                                     {u"vid"_qs, Hex4(c.info.vendorId)},
                                     {u"pid"_qs, Hex4(c.info.productId)},
                                     {u"release"_qs, Hex4(c.info.release)},
                                     {u"product"_qs, c.info.productName},
                                     {u"usage_page"_qs, Hex4(c.info.usagePage)},
                                     {u"usage"_qs, Hex4(c.info.usage)},
                                     {u"interface"_qs, c.info.interfaceNumber},
                                     {u"input"_qs, c.lengths.input},
                                     {u"output"_qs, c.lengths.output},
                                     {u"feature"_qs, c.lengths.feature},
                                     {u"role"_qs, QString::fromLatin1(RoleName(c.role))},
                                     {u"device_type"_qs, c.deviceType},
                                     {u"mode"_qs, c.mode},
                                     {u"online"_qs, c.online}});
        }
        Print(QString::fromUtf8(QJsonDocument(array).toJson()));
        return 0;
    }

    if (list.empty()) {
        Print(u"no HID interfaces\n"_qs);
        return 0;
    }
    int keyboards = 0;
    for (const InterfaceClassification& c : list) {
        const bool record = c.role == InterfaceClassification::kCommand || c.role == InterfaceClassification::kReceiver;
        keyboards += record;
        CString what = QString::fromLatin1(RoleName(c.role)).leftJustified(15);
        if (c.deviceType) what += CString::number(c.deviceType) + u" "_qs;
        if (record) what += QString::fromLatin1(ConnectModeName(c.mode)) + (c.online ? u" online"_qs : u" offline"_qs);
        Print(what + u"\n"_qs);
        CString detail = u"    %1:%2 release %3 \"%4\" usage %5:%6"_qs.arg(Hex4(c.info.vendorId), Hex4(c.info.productId),
                                                                             Hex4(c.info.release), c.info.productName,
                                                                             Hex4(c.info.usagePage), Hex4(c.info.usage));
        if (c.info.interfaceNumber >= 0) detail += u" MI_%1"_qs.arg(c.info.interfaceNumber, 2, 16, QChar(u'0'));
        if (c.role != InterfaceClassification::kUnknownDevice && c.role != InterfaceClassification::kOpenFailed)
            detail += u" reports in %1 out %2 feature %3"_qs.arg(c.lengths.input).arg(c.lengths.output).arg(c.lengths.feature);
        Print(detail + u"\n    "_qs + QString::fromStdString(c.info.path) + u"\n"_qs);
    }
    Print(u"%1 interface(s), %2 keyboard command interface(s)\n"_qs.arg(list.size()).arg(keyboards));
    return 0;
}
