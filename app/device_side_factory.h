#pragma once
// The one place where the shell meets the device link: builds the device
// side the worker runs tasks 1 to 4 and its polls against, on hidraw or on
// the simulated keyboard (--simulate).
#include <memory>

#include "app/shell/device_side.h"
#include "app/shell/shell_options.h"
#include "app/shell/task_queue.h"

std::unique_ptr<DeviceSide> CreateDeviceSide(const ShellOptions& options, const CString& programFolder,
                                             TaskQueue& queue);
