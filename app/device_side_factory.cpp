#include "app/device_side_factory.h"

#include <cstdio>

std::unique_ptr<DeviceSide> CreateDeviceSide(const ShellOptions& options, const CString& programFolder,
                                             TaskQueue& queue)
{
    // The device link is not wired into the shell yet: the worker runs with
    // no keyboard present, so tasks from 5 on are dropped as they come.
    if (options.simulate)
        std::fprintf(stderr, "varnet: --simulate: the device link is not wired into the shell yet\n");
    return std::make_unique<NoDeviceSide>();
}
