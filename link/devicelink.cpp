#include "devicelink.h"

#include "frame.h"
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

quint8 DeviceLink::takeReply(const QByteArray &block, quint8 step, bool *addressesTaken)
{
    *addressesTaken = false;
    m_step = step;
    if (block.isEmpty())
        return step;
    if (step == Protocol::Step::Search) {
        setAddresses(AddressList(block));
        m_step = Protocol::Step::ReadSettings;
        *addressesTaken = true;
        return m_step;
    }
    if (Frame::check(block, polledAddress()) != Frame::Verdict::Accepted)
        return step;
    switch (quint8(block.at(Protocol::kCommandOffset))) {
    case Protocol::Command::ReadSettings:
        m_step = Protocol::Step::ReadIdentification;
        break;
    case Protocol::Command::ReadIdentification:
        m_step = Protocol::Step::ReadSettings;
        break;
    default:
        return step;
    }
    m_replySeen = true;
    restartWatchdog();
    return m_step;
}
