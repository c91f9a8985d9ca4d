#include "link/link_transaction.h"

LinkStep FeatureStep(const Payload& payload, bool acknowledge)
{
    LinkStep s;
    s.kind = LinkStep::kFeature;
    s.acknowledge = acknowledge;
    s.bytes.assign(payload.begin(), payload.end());
    return s;
}

LinkStep FeatureBlockStep(std::vector<uint8_t> block)
{
    LinkStep s;
    s.kind = LinkStep::kFeatureBlock;
    s.bytes = std::move(block);
    return s;
}

LinkStep BurstStep(std::vector<uint8_t> bytes, bool stopOnFailure)
{
    LinkStep s;
    s.kind = LinkStep::kBurst;
    s.stopOnFailure = stopOnFailure;
    s.bytes = std::move(bytes);
    return s;
}

LinkStep ExchangeStep(std::vector<uint8_t> buffer, int checksumLength)
{
    LinkStep s;
    s.kind = LinkStep::kExchange;
    s.checksumLength = checksumLength;
    s.bytes = std::move(buffer);
    return s;
}

LinkStep ScreenBlockStep(std::vector<uint8_t> block, int progress)
{
    LinkStep s;
    s.kind = LinkStep::kScreenBlock;
    s.progress = progress;
    s.bytes = std::move(block);
    return s;
}

LinkStep PauseStep(int milliseconds)
{
    LinkStep s;
    s.kind = LinkStep::kPause;
    s.pauseMs = milliseconds;
    return s;
}

double MandatedPauseMs(const Transaction& t, int commandDelayMs)
{
    double total = 0;
    for (const LinkStep& s : t.steps) {
        switch (s.kind) {
        case LinkStep::kFeature: total += commandDelayMs * (s.acknowledge ? 2 : 1); break;
        case LinkStep::kFeatureBlock: total += commandDelayMs * double(1 + s.bytes.size() / 64); break;
        case LinkStep::kBurst: total += s.bytes.size() <= 65 ? 10 : 2.0 * double(s.bytes.size() / 64); break;
        case LinkStep::kExchange: total += 5; break;
        case LinkStep::kScreenBlock: break;
        case LinkStep::kPause: total += s.pauseMs; break;
        }
    }
    return total;
}
