// libFuzzer target for the report descriptor parser: any bytes a device
// presents as its descriptor give lengths that are 0 or a sane positive size.
#include <cstdint>
#include <cstdlib>

#include "link/report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const HidReportLengths l = ParseReportDescriptor(data, size);
    for (int v : {l.input, l.output, l.feature})
        if (v < 0 || v > (1 << 21) + 1) std::abort();
    return 0;
}
