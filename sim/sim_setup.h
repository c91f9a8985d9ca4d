#pragma once
// Setting up the simulated keyboards from the installation data, as the
// programs do for --simulate[=MODEL:MODES]: every keyboard of the catalogue
// is modelled from its layout file; the chosen one is plugged in the chosen
// connection modes.
#include <vector>

#include "device/catalogue.h"
#include "sim/sim_backend.h"

struct SimChoice {
    int deviceType = 0;      // 0: the catalogue's first keyboard
    std::vector<int> modes;  // connection modes plugged at start; empty: cable
};

// MODEL is a layout name ("vn104"), a device type ("101") or a keyboard name;
// MODES a comma-separated list of cable|usb|0, bluetooth|bt|1, receiver|2.4g|2.
// An empty text means the defaults. False (with a message) when a part names
// nothing of the catalogue.
bool ParseSimChoice(const CString& text, const Catalogue& catalogue, SimChoice& choice, CString* error = nullptr);

// Connection mode by name or digit; -1 when the text names none.
int ParseConnectMode(const CString& text);
const char* ConnectModeName(int mode);

// Models of every catalogue keyboard, with layouts read from
// programFolder/layouts (a missing layout gives a model with defaults).
std::vector<SimModel> LoadSimModels(const Catalogue& catalogue, const CString& programFolder);

// Adds the models to the simulator and plugs the chosen keyboard in its
// modes. Returns the simulator index of that keyboard, -1 when it is absent
// or has none of the modes.
int SetUpSimulator(SimBackend& sim, const std::vector<SimModel>& models, const SimChoice& choice);
