#pragma once
// Misbehaviour switches of a simulated keyboard. Counts say how many of the
// next occasions misbehave (-1: every one until cleared, 0: none).
struct SimFaults {
    int noAnswer = 0;        // answers (receiver and screen input reports, feature reads) not given
    int lateAnswerMs = 0;    // every answer arrives this late
    int wrongEcho = 0;       // the next receiver answer comes after this many answers with a
                             // changed header (-1: only such answers, every time)
    int busy = 0;            // feature reports refused with 0xFF in the acknowledge
    int nack = 0;            // acknowledges carrying nackValue instead of 1
    int nackValue = 0;
    int garbage = 0;         // answers and feature reads replaced by random bytes of random length
    int disconnectAfter = -1;  // the connection goes away after this many more reports (-1: never)
    int reportLatencyMs = 0;   // every report sent to the keyboard takes this long

    bool Any() const
    {
        return noAnswer || lateAnswerMs || wrongEcho || busy || nack || garbage || disconnectAfter >= 0 ||
               reportLatencyMs;
    }
};

// Uses one occasion of a count: true when this occasion misbehaves.
inline bool TakeFault(int& count)
{
    if (count == 0) return false;
    if (count > 0) --count;
    return true;
}
