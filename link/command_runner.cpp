#include "link/command_runner.h"

#include <cstring>

#include "link/report_sizes.h"

namespace {

bool Perform(HidDeviceManager& m, const LinkStep& s)
{
    switch (s.kind) {
    case LinkStep::kFeature: {
        // One report: the acknowledge is read back with the whole report's length.
        uint8_t payload[kFeatureReportSize] = {};
        std::memcpy(payload, s.bytes.data(), std::min<size_t>(s.bytes.size(), kPayloadSize));
        return m.SendFeature(payload, kFeatureReportSize, s.acknowledge);
    }
    case LinkStep::kFeatureBlock: return m.SendFeature(s.bytes.data(), int(s.bytes.size()), false);
    case LinkStep::kBurst:
        if (s.bytes.size() <= size_t(kPayloadSize)) {
            uint8_t payload[kFeatureReportSize] = {};
            std::memcpy(payload, s.bytes.data(), s.bytes.size());
            return m.SendFeatureBurst(payload, kFeatureReportSize);
        }
        return m.SendFeatureBurst(s.bytes.data(), int(s.bytes.size()));
    case LinkStep::kExchange: {
        uint8_t buffer[kReceiverBufferSize] = {};
        std::memcpy(buffer, s.bytes.data(), std::min<size_t>(s.bytes.size(), kReceiverBufferSize));
        return m.ExchangeReport(buffer, s.checksumLength);
    }
    case LinkStep::kScreenBlock:
        return s.bytes.size() >= size_t(kScreenBlockSize) && m.SendScreenBlock(s.bytes.data());
    case LinkStep::kPause: m.Clock().SleepMs(s.pauseMs); return true;
    }
    return false;
}

}  // namespace

RunResult RunTransaction(HidDeviceManager& manager, const Transaction& t, const ProgressCallback& progress)
{
    RunResult r;
    for (const LinkStep& s : t.steps) {
        ++r.steps;
        const bool ok = Perform(manager, s);
        if (!ok) ++r.failed;
        if (!ok && s.stopOnFailure) {
            r.stopped = true;
            break;
        }
        // Progress moves on also past a failed block, as its callers ignore failures.
        if (s.progress >= 0 && progress) progress(s.progress);
    }
    return r;
}
