#include "wiredtagdevice.h"

#include "link/devicelink.h"
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
    const QByteArray block = (data && length > 0)
        ? QByteArray(reinterpret_cast<const char *>(data), length)
        : QByteArray();
    bool addressesTaken = false;
    const quint8 next = m_link->takeReply(block, step, &addressesTaken);
    if (addressesTaken) {
        emit copyNetNumToParent(block);
        emit copyQueueSurveyDevice(0);
    }
    return next;
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
