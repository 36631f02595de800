#include "wiredtagdevice.h"

#include "link/devicelink.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "ui_configurator.h"

WiredTagDevice::WiredTagDevice(Ui::Configurator *form, QWidget *parent)
    : QWidget(parent), ui(form), m_link(new DeviceLink(this))
{
    connect(m_link, &DeviceLink::watchdogExpired, this, &WiredTagDevice::resetDeviceIsConnected);
}

quint8 WiredTagDevice::getStep() const
{
    return m_link->step();
}

void WiredTagDevice::setStep(quint8 step)
{
    m_link->setStep(step);
}

bool WiredTagDevice::isDeviceConnected() const
{
    return m_link->replySeen();
}

quint8 WiredTagDevice::parseReply(int length, const quint8 *data, quint8 step)
{
    m_link->setStep(step);
    if (!data || length <= 0)
        return step;
    const QByteArray block(reinterpret_cast<const char *>(data), length);
    if (step == Protocol::Step::Search) {
        const AddressList list(block);
        m_link->setAddresses(list);
        emit copyNetNumToParent(block);
        emit copyQueueSurveyDevice(0);
        m_link->setStep(Protocol::Step::ReadSettings);
        return m_link->step();
    }
    if (Frame::check(block, m_link->polledAddress()) != Frame::Verdict::Accepted)
        return step;
    switch (quint8(block.at(Protocol::kCommandOffset))) {
    case Protocol::Command::ReadSettings:
        m_link->setStep(Protocol::Step::ReadIdentification);
        break;
    case Protocol::Command::ReadIdentification:
        m_link->setStep(Protocol::Step::ReadSettings);
        break;
    default:
        return step;
    }
    m_link->setReplySeen(true);
    resetTimerDeviceConnected();
    return m_link->step();
}

void WiredTagDevice::resetTimerDeviceConnected()
{
    m_link->restartWatchdog();
}

void WiredTagDevice::resetDeviceIsConnected()
{
    m_link->reset();
    emit copyQueueSurveyDevice(0);
    emit signalWriteLog(QStringLiteral("Device is not responding"));
}

void WiredTagDevice::resetSettingToDefault()
{
    m_link->reset();
    m_link->setAddresses(AddressList());
    m_link->watchdog()->stop();
    emit copyNetNumToParent(QByteArray());
    emit copyQueueSurveyDevice(0);
}
