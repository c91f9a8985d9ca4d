// Report lengths from real report descriptors, as the Windows HID parser
// reports them (longest report of each kind plus the report id byte).
#include <gtest/gtest.h>

#include "link/report_descriptor.h"
#include "tests/link/link_test_support.h"

using linktest::Bytes;

namespace {

struct DescriptorCase {
    const char* name;
    const char* hex;
    int input, output, feature;
};

const DescriptorCase kDescriptors[] = {
    // Boot keyboard: modifiers, reserved byte, six keys in; five LEDs plus padding out.
    {"boot keyboard",
     "05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01"
     "95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07"
     "19 00 29 65 81 00 C0",
     9, 2, 0},
    // Boot mouse: three buttons, padding, X and Y.
    {"boot mouse",
     "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 01"
     "75 05 81 01 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0",
     4, 0, 0},
    // Wheel mouse with report id 1: the id byte is not counted twice.
    {"wheel mouse with report id",
     "05 01 09 02 A1 01 85 01 09 01 A1 00 05 09 19 01 29 05 15 00 25 01 95 05 75 01 81 02"
     "95 01 75 03 81 01 05 01 09 30 09 31 09 38 15 81 25 7F 75 08 95 03 81 06 C0 C0",
     5, 0, 0},
    // Vendor page command interface: 64-byte feature reports.
    {"vendor 64-byte feature",
     "06 00 FF 09 01 A1 01 15 00 26 FF 00 75 08 95 40 09 01 B1 02 C0", 0, 0, 65},
    // Receiver: 32-byte output and input reports.
    {"vendor 32-byte in and out",
     "06 00 FF 09 01 A1 01 15 00 26 FF 00 75 08 95 20 09 01 91 02 95 20 09 01 81 02 C0", 33, 33, 0},
    // Screen interface: 4096-byte output report (two-byte report count).
    {"vendor 4096-byte output",
     "06 00 FF 09 02 A1 01 15 00 26 FF 00 75 08 96 00 10 09 02 91 02 96 00 10 09 02 81 02 C0", 4097, 4097, 0},
    // Consumer keys (id 3, 16 bits) and the notify collection (id 5, 64 bytes)
    // on one interface: the longest input report counts.
    {"consumer and notify",
     "05 0C 09 01 A1 01 85 03 15 00 26 FF 03 19 00 2A FF 03 75 10 95 01 81 00 C0"
     "06 FF FF 09 01 A1 01 85 05 15 00 26 FF 00 75 08 95 40 09 01 81 02 C0",
     65, 0, 0},
    // Push and Pop restore the report size and count.
    {"push and pop",
     "06 00 FF 09 01 A1 01 75 08 95 10 A4 75 01 95 03 81 02 B4 81 02 C0", 18, 0, 0},
    // A long item is skipped whole.
    {"long item", "FE 02 10 AA BB 06 00 FF 09 01 A1 01 75 08 95 04 B1 02 C0", 0, 0, 5},
    {"empty", "", 0, 0, 0},
};

TEST(ReportDescriptor, LengthsOfRealDescriptors)
{
    for (const DescriptorCase& c : kDescriptors) {
        SCOPED_TRACE(c.name);
        const HidReportLengths l = ParseReportDescriptor(Bytes(c.hex));
        EXPECT_EQ(l.input, c.input);
        EXPECT_EQ(l.output, c.output);
        EXPECT_EQ(l.feature, c.feature);
    }
}

TEST(ReportDescriptor, TruncatedOrHostileDescriptorsAreSafe)
{
    // Cut inside the two-byte report count: the items before it still count.
    const std::vector<uint8_t> cut = Bytes("06 00 FF 09 01 A1 01 75 08 95 04 81 02 96 00");
    EXPECT_EQ(ParseReportDescriptor(cut).input, 5);
    // A long item claiming more bytes than there are.
    EXPECT_EQ(ParseReportDescriptor(Bytes("FE FF 10 00")).input, 0);
    // Absurd size and count do not overflow: the length is clamped, positive.
    const HidReportLengths huge = ParseReportDescriptor(Bytes("77 FF FF FF FF 97 FF FF FF FF 81 02 81 02"));
    EXPECT_GT(huge.input, 0);
    // Pops without pushes.
    EXPECT_EQ(ParseReportDescriptor(Bytes("B4 B4 75 08 95 02 91 02")).output, 3);
}

}  // namespace
