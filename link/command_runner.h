#pragma once
// Performs a transaction through HidDeviceManager, step by step. A failed
// step does not stop the ones after it (a failed announce is followed by its
// data all the same), except steps marked to stop the transaction.
#include <functional>

#include "link/hid_device_manager.h"
#include "link/link_transaction.h"

using ProgressCallback = std::function<void(int percent)>;

struct RunResult {
    int steps = 0;   // steps performed
    int failed = 0;  // steps that failed
    bool stopped = false;
    bool Ok() const { return failed == 0; }
};

RunResult RunTransaction(HidDeviceManager& manager, const Transaction& t, const ProgressCallback& progress = {});
