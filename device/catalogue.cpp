#include "device/catalogue.h"

#include "device/number_text.h"
#include "xml/xml_document.h"

namespace {

CString DevicePicture(const CString& programFolder, const CString& name)
{
    return programFolder + u"/device/"_qs + name;
}

// Reads the attributes of a `keyboard` element into an entry.
void ReadKeyboard(const XmlDocument& doc, const CString& programFolder, DeviceEntry& entry)
{
    entry.name = doc.GetAttribute(u"name"_qs);
    entry.deviceType = DecimalValue(doc.GetAttribute(u"device_type"_qs));
    entry.deviceInfo = doc.GetAttribute(u"device_info"_qs);
    entry.imgConnected = DevicePicture(programFolder, doc.GetAttribute(u"img_connected"_qs));
    entry.imgDisconnected = DevicePicture(programFolder, doc.GetAttribute(u"img_disconnected"_qs));
}

// Reads the attributes of a `mode` element over the keyboard's values, so that
// whatever the mode does not name is inherited from its keyboard.
void ReadMode(const XmlDocument& doc, DeviceEntry& entry)
{
    entry.mode = DecimalValue(doc.GetAttribute(u"value"_qs));
    entry.desc = doc.GetAttribute(u"desc"_qs);
    entry.vendorId = HexValue(doc.GetAttribute(u"vid"_qs));
    entry.productId = HexValue(doc.GetAttribute(u"pid"_qs));
    entry.name = doc.GetAttribute(u"product_name"_qs);
    entry.hidInterface = doc.GetAttribute(u"hid_interface"_qs);
}

void ReadLanguages(XmlDocument& doc, Catalogue& out)
{
    if (!doc.FindElement(u"language.info"_qs)) return;
    out.defaultLanguage = DecimalValue(doc.GetAttribute(u"default_lan"_qs));
    doc.EnterElement();
    while (doc.FindElement(u"lan"_qs))
        out.languages.push_back(DecimalValue(doc.GetAttribute(u"value"_qs)));
    doc.LeaveElement();
}

// Opens the file and enters its `config` root; false when that is impossible.
bool EnterRoot(XmlDocument& doc, const CString& path)
{
    if (!doc.LoadFile(path)) return false;
    if (!doc.FindElement(u"config"_qs)) return false;
    return doc.EnterElement();
}

}  // namespace

const DeviceEntry* Catalogue::FindKeyboard(int deviceType) const
{
    for (const DeviceEntry& k : keyboards)
        if (k.deviceType == deviceType) return &k;
    return nullptr;
}

bool ReadCatalogue(const CString& path, const CString& programFolder, Catalogue& out)
{
    out = Catalogue();
    XmlDocument doc;
    if (!EnterRoot(doc, path)) return false;

    if (doc.FindElement(u"device.info"_qs)) {
        doc.EnterElement();
        while (doc.FindElement(u"keyboard"_qs)) {
            DeviceEntry entry;
            ReadKeyboard(doc, programFolder, entry);
            out.keyboards.push_back(entry);
            doc.EnterElement();
            while (doc.FindElement(u"mode"_qs)) {
                ReadMode(doc, entry);
                out.modes.push_back(entry);
            }
            doc.LeaveElement();
        }
        doc.LeaveElement();
    }

    ReadLanguages(doc, out);

    if (doc.FindElement(u"software"_qs)) {
        out.software.name = doc.GetAttribute(u"name"_qs);
        out.software.version = doc.GetAttribute(u"version"_qs);
        doc.EnterElement();
        if (doc.FindElement(u"website"_qs)) out.software.website = doc.GetAttribute(u"url"_qs);
        if (doc.FindElement(u"store"_qs)) out.software.store = doc.GetAttribute(u"url"_qs);
        if (doc.FindElement(u"upgrade"_qs)) out.software.upgrade = doc.GetAttribute(u"url"_qs);
        if (doc.FindElement(u"copyright"_qs)) out.software.copyright = doc.GetAttribute(u"info"_qs);
        doc.LeaveElement();
    }
    return true;
}

bool ReadSoftwareName(const CString& path, Catalogue& out)
{
    out = Catalogue();
    XmlDocument doc;
    if (!EnterRoot(doc, path)) return false;
    ReadLanguages(doc, out);
    if (doc.FindElement(u"software"_qs)) out.software.name = doc.GetAttribute(u"name"_qs);
    return true;
}
