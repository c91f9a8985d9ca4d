#include "app/device_side_factory.h"

#include "app/device_link_side.h"

std::unique_ptr<DeviceSide> CreateDeviceSide(const ShellOptions& options, const CString& programFolder,
                                             const CString& dataFolder, TaskQueue& queue, CString& error)
{
    return DeviceLinkSide::Create(options, programFolder, dataFolder, queue, error);
}
