#pragma once
// A device command as data: the ordered steps of one transaction (reports
// with their primitive, pauses, progress marks). Builders produce these from
// values alone; the command runner (command_runner.h) performs them through
// HidDeviceManager. Keeping them apart lets the tests read a command's bytes
// without a device, and the benchmark sum a command's mandated pauses.
#include <array>
#include <cstdint>
#include <vector>

using Payload = std::array<uint8_t, 64>;

struct LinkStep {
    enum Kind : uint8_t {
        kFeature,       // one 64-byte payload with SendFeature (acknowledged or not)
        kFeatureBlock,  // n x 64 bytes with SendFeature, one report per 64 bytes
        kBurst,         // SendFeatureBurst: one payload, or a frame of n x 64 bytes
        kExchange,      // ExchangeReport of a 65-byte receiver buffer
        kScreenBlock,   // SendScreenBlock of 4096 bytes
        kPause,         // the worker sleeps
    };
    Kind kind = kFeature;
    bool acknowledge = false;   // kFeature
    bool stopOnFailure = false; // the transaction ends when this step fails
    int checksumLength = 65;    // kExchange
    int pauseMs = 0;            // kPause
    int progress = -1;          // percent to report once the step is done; -1 none
    std::vector<uint8_t> bytes;
};

struct Transaction {
    std::vector<LinkStep> steps;

    Transaction& Add(LinkStep step)
    {
        steps.push_back(std::move(step));
        return *this;
    }
    Transaction& Append(const Transaction& other)
    {
        steps.insert(steps.end(), other.steps.begin(), other.steps.end());
        return *this;
    }
    bool Empty() const { return steps.empty(); }
};

LinkStep FeatureStep(const Payload& payload, bool acknowledge);
LinkStep FeatureBlockStep(std::vector<uint8_t> block);
LinkStep BurstStep(std::vector<uint8_t> bytes, bool stopOnFailure);
LinkStep ExchangeStep(std::vector<uint8_t> buffer, int checksumLength = 65);
LinkStep ScreenBlockStep(std::vector<uint8_t> block, int progress);
LinkStep PauseStep(int milliseconds);

// The pauses the transfer rules mandate for a transaction that goes through
// without retries, in milliseconds: the command delay before (and, when
// acknowledged, before the read after) each feature report, 5 ms around a
// single burst report, 2 ms after each report of a burst frame, 5 ms before
// a receiver answer is read, and the transaction's own pauses.
double MandatedPauseMs(const Transaction& t, int commandDelayMs);
