#include "devicelink.h"

#include "protocol.h"
#include "sharedtimers.h"

DeviceLink::DeviceLink(QObject *parent) : QObject(parent), m_step(Protocol::Step::Search)
{
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(PollTiming::kWatchdog);
    connect(&m_watchdog, &QTimer::timeout, this, &DeviceLink::watchdogExpired);
}

void DeviceLink::setAddresses(const AddressList &list)
{
    m_addresses = list;
    m_polledIndex = 0;
}

void DeviceLink::restartWatchdog()
{
    if (m_watchdogEnabled)
        m_watchdog.start();
    else
        m_watchdog.stop();
}

void DeviceLink::setWatchdogEnabled(bool enabled)
{
    m_watchdogEnabled = enabled;
    if (!enabled)
        m_watchdog.stop();
}

void DeviceLink::reset()
{
    m_step = Protocol::Step::Search;
    m_polledIndex = 0;
    m_replySeen = false;
}
