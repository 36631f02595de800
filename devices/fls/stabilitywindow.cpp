#include "stabilitywindow.h"

#include <cmath>

StabilityWindow::StabilityWindow() : m_history(kWindow)
{
    m_history.setup();
}

StabilityWindow::Verdict StabilityWindow::add(qint32 cnt)
{
    m_history.put(cnt);
    if (m_history.count() < quint32(kWindow))
        return m_verdict;
    const double mean = std::trunc(m_history.mean());
    // A count of zero has no meaningful relative deviation: call it unstable
    // rather than divide by zero.
    const double d = cnt == 0 ? (mean == 0.0 ? 0.0 : 1.0) : std::fabs(mean - cnt) / std::fabs(double(cnt));
    if (d < 0.01)
        m_verdict = Stable;
    else if (d > 0.01 && d < 0.05)
        m_verdict = SlightlyUnstable;
    else if (d > 0.05)
        m_verdict = Unstable;
    m_history.get();
    return m_verdict;
}

void StabilityWindow::clear()
{
    m_history.clear();
    m_verdict = None;
}
