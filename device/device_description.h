#pragma once
// What the program knows of the keyboards it supports: the catalogue, and the
// layout of the keyboard currently chosen with the tables built from it.
// Loading reports to a listener, through which the device list, the HID link,
// the store and the pages are attached; nothing here knows of any UI.
#include "device/catalogue.h"
#include "device/key_tables.h"
#include "device/layout_file.h"

class DeviceDescriptionListener {
public:
    virtual ~DeviceDescriptionListener() = default;
    // Device list.
    virtual void ClearDeviceList() {}
    virtual void AddDevice(const DeviceEntry& keyboard) {}
    virtual void SelectDevice(int deviceType) {}
    // HID link.
    virtual void AddKnownDevice(unsigned vendorId, unsigned productId, const CString& productName,
                                int deviceType, int mode) {}
    virtual void SetCommandDelay(int milliseconds) {}
    virtual void RegisterForArrivals() {}
    // Language default and the home page's texts and addresses.
    virtual void SetDefaultLanguage(int lcid) {}
    virtual void ShowSoftwareInfo(const SoftwareInfo& software) {}
    // The chosen keyboard: its name and disconnected picture (empty when the
    // catalogue has no such keyboard), its store, and every value of its layout.
    virtual void ShowKeyboard(const CString& name, const CString& disconnectedPicture) {}
    virtual void OpenStore(int deviceType, const CString& layoutName) {}
    virtual void ApplyLayout(const LayoutFile& layout, const KeyTables& tables) {}
};

class DeviceDescription {
public:
    // The program folder holds "config.xml", "layouts/" and "device/".
    explicit DeviceDescription(const CString& programFolder);

    // Reads the catalogue and loads the layout of the stored device type
    // (below 100 means none stored: 101). A missing or malformed catalogue
    // leaves the lists empty. Returns true when the catalogue was read.
    bool LoadCatalogue(int storedDeviceType, DeviceDescriptionListener& listener);
    // Loads the layout of a device type. A layout file that cannot be read
    // leaves the previous layout's values in place (and returns false).
    bool LoadLayout(int deviceType, DeviceDescriptionListener& listener);

    const CString& ProgramFolder() const { return m_programFolder; }
    const Catalogue& GetCatalogue() const { return m_catalogue; }
    int CurrentDeviceType() const { return m_currentDeviceType; }
    const LayoutFile& Layout() const { return m_layout; }
    const KeyTables& Tables() const { return m_tables; }
    CString LayoutPath(const CString& layoutName) const;

private:
    CString m_programFolder;
    Catalogue m_catalogue;
    int m_currentDeviceType = 0;
    LayoutFile m_layout;
    KeyTables m_tables;
};
