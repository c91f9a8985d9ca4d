#pragma once
// The one place where the shell meets the device link: builds the device
// side the worker runs tasks 1 to 4 and its polls against, on hidraw or on
// the simulated keyboard (--simulate).
#include <memory>

#include "app/shell/device_side.h"
#include "app/shell/shell_options.h"
#include "app/shell/task_queue.h"

// dataFolder: where the keyboards' stores live; empty when it could not be
// prepared (the stores then stay closed). Null when --simulate asked for
// something the catalogue does not have (the message is in `error`).
std::unique_ptr<DeviceSide> CreateDeviceSide(const ShellOptions& options, const CString& programFolder,
                                             const CString& dataFolder, TaskQueue& queue, CString& error);
