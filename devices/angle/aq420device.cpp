#include "aq420device.h"

#include "link/devicelink.h"
#include "ui_configurator.h"

AQ420Device::AQ420Device(Ui::Configurator *form, QSerialPort *, QWidget *parent)
    : QWidget(parent), ui(form), m_link(new DeviceLink(this))
{
    connect(m_link, &DeviceLink::watchdogExpired, this, &AQ420Device::resetDeviceIsConnected);
}

quint8 AQ420Device::getStep() const
{
    return m_link->step();
}

void AQ420Device::setStep(quint8 step)
{
    m_link->setStep(step);
}

bool AQ420Device::isDeviceConnected() const
{
    return m_link->replySeen();
}

quint8 AQ420Device::parseReply(int length, const quint8 *data, quint8 step)
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

void AQ420Device::resetTimerDeviceConnected()
{
    m_link->restartWatchdog();
}

void AQ420Device::resetDeviceIsConnected()
{
    m_link->reset();
    emit copyQueueSurveyDevice(0);
    emit signalWriteLog(QStringLiteral("Device is not responding"));
}

void AQ420Device::resetSettingToDefault()
{
    m_link->reset();
    m_link->setAddresses(AddressList());
    m_link->watchdog()->stop();
    emit copyNetNumToParent(QByteArray());
    emit copyQueueSurveyDevice(0);
}
