#pragma once
// Report lengths from a HID report descriptor, as the Windows HID parser gives
// them: for input, output and feature reports the longest report of that kind
// in bytes, plus one byte for the report id (also when the device does not
// number its reports); 0 when the descriptor has no report of that kind.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/hid_backend.h"

// Parses as far as the descriptor is well-formed; a truncated last item is
// ignored. Never reads outside the given bytes.
HidReportLengths ParseReportDescriptor(const uint8_t* data, size_t size);
inline HidReportLengths ParseReportDescriptor(const std::vector<uint8_t>& d)
{
    return ParseReportDescriptor(d.data(), d.size());
}
