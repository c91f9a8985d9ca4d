#include "sim/sim_setup.h"

#include <QStringList>

#include "device/layout_file.h"

int ParseConnectMode(const CString& text)
{
    const CString t = text.trimmed().toLower();
    if (t == u"cable" || t == u"usb" || t == u"0") return 0;
    if (t == u"bluetooth" || t == u"bt" || t == u"1") return 1;
    if (t == u"receiver" || t == u"2.4g" || t == u"rf" || t == u"2") return 2;
    return -1;
}

const char* ConnectModeName(int mode)
{
    switch (mode) {
    case 0: return "cable";
    case 1: return "bluetooth";
    case 2: return "receiver";
    default: return "none";
    }
}

bool ParseSimChoice(const CString& text, const Catalogue& catalogue, SimChoice& choice, CString* error)
{
    choice = SimChoice{};
    auto fail = [&](const CString& message) {
        if (error) *error = message;
        return false;
    };
    if (catalogue.keyboards.empty()) return fail(u"the catalogue names no keyboard"_qs);
    const int colon = text.indexOf(u':');
    const CString model = (colon < 0 ? text : text.left(colon)).trimmed();
    const CString modes = colon < 0 ? CString() : text.mid(colon + 1);

    choice.deviceType = catalogue.keyboards.front().deviceType;
    if (!model.isEmpty()) {
        bool isNumber = false;
        const int number = model.toInt(&isNumber);
        const DeviceEntry* found = nullptr;
        for (const DeviceEntry& k : catalogue.keyboards)
            if ((isNumber && k.deviceType == number) || k.deviceInfo.compare(model, Qt::CaseInsensitive) == 0 ||
                k.name.compare(model, Qt::CaseInsensitive) == 0) {
                found = &k;
                break;
            }
        if (!found) return fail(u"no keyboard \""_qs + model + u"\" in the catalogue"_qs);
        choice.deviceType = found->deviceType;
    }
    for (const CString& m : modes.split(u',', Qt::SkipEmptyParts)) {
        const int mode = ParseConnectMode(m);
        if (mode < 0) return fail(u"unknown connection mode \""_qs + m + u"\""_qs);
        choice.modes.push_back(mode);
    }
    if (choice.modes.empty()) choice.modes.push_back(0);
    return true;
}

std::vector<SimModel> LoadSimModels(const Catalogue& catalogue, const CString& programFolder)
{
    std::vector<SimModel> models;
    for (const DeviceEntry& k : catalogue.keyboards) {
        LayoutFile layout;
        ReadLayoutFile(programFolder + u"/layouts/"_qs + k.deviceInfo + u".xml"_qs, LayoutFile{}, layout);
        models.push_back(SimModelFromCatalogue(catalogue, k.deviceType, layout));
    }
    return models;
}

int SetUpSimulator(SimBackend& sim, const std::vector<SimModel>& models, const SimChoice& choice)
{
    int chosen = -1;
    for (const SimModel& m : models) {
        const int index = sim.AddKeyboard(m);
        if (m.deviceType == choice.deviceType && chosen < 0) chosen = index;
    }
    if (chosen < 0) return -1;
    bool any = false;
    const std::vector<int> modes = choice.modes.empty() ? std::vector<int>{0} : choice.modes;
    for (int mode : modes) any = sim.Plug(chosen, mode) || any;
    return any ? chosen : -1;
}
