#pragma once
// Reading of the device catalogue "config.xml": the keyboards and their
// connections, the offered languages and the software's name and addresses.
#include <vector>

#include "device/device_entry.h"

struct SoftwareInfo {
    CString name;       // single-instance name, settings file name, window title
    CString version;    // shown as "Ver: %s"
    CString website;    // website button; hidden when empty
    CString store;      // held, not used by any control
    CString upgrade;    // update address
    CString copyright;  // foot text of the home page
};

struct Catalogue {
    std::vector<DeviceEntry> keyboards;  // in file order
    std::vector<DeviceEntry> modes;      // in file order, keyboard by keyboard
    int defaultLanguage = 0;             // LCID
    std::vector<int> languages;          // LCIDs offered
    SoftwareInfo software;

    // The first keyboard entry of a device type; null when none.
    const DeviceEntry* FindKeyboard(int deviceType) const;
};

// Reads the whole catalogue. Picture names are made absolute with
// programFolder + "/device/". False (and an empty catalogue) when the file
// cannot be loaded or is not well-formed.
bool ReadCatalogue(const CString& path, const CString& programFolder, Catalogue& out);

// Reads only the languages and the software name, as the program does first
// of all at start-up. False when the file cannot be loaded.
bool ReadSoftwareName(const CString& path, Catalogue& out);
