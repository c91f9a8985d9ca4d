#pragma once
// Sizes of the reports on the keyboard's interfaces, report id byte included.
constexpr int kFeatureReportSize = 65;   // command interface (cable, Bluetooth)
constexpr int kPayloadSize = 64;         // payload of a feature report
constexpr int kReceiverReportSize = 33;  // receiver command interface
constexpr int kReceiverBufferSize = 65;  // buffer ExchangeReport works in
constexpr int kReceiverChecksumIndex = 32;
constexpr int kScreenReportSize = 4097;  // screen interface
constexpr int kScreenBlockSize = 4096;
constexpr int kNotifyReportSize = 65;    // longest notify report read
constexpr int kColourReadSize = 576;     // nine 64-byte blocks of ReadFeatureBlocks
constexpr int kNotifyUsagePage = 0xFFFF;
constexpr int kNotifyUsage = 1;
