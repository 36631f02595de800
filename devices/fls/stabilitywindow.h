#pragma once

#include "link/ringbufferint32.h"

// The stability verdict of a sensor from its last eight raw counts: how far
// the latest count lies from their mean.
class StabilityWindow
{
public:
    enum Verdict { None = 0, Unstable = 1, SlightlyUnstable = 2, Stable = 3 };
    static constexpr int kWindow = 8;

    StabilityWindow();
    // Adds a count; from the eighth on, renews the verdict and drops the
    // oldest. A deviation of exactly 1 % or 5 % keeps the verdict it had.
    Verdict add(qint32 cnt);
    Verdict verdict() const { return m_verdict; }
    void clear();

private:
    RingBufferInt32 m_history;
    Verdict m_verdict = None;
};
