#pragma once

#include "aq420config.h"
#include "emulateddevice.h"

#include <QByteArray>
#include <QJsonObject>
#include <QtGlobal>

// The AQ420 angle sensor: it reports the tilt of the member it sits on,
// keeps its limits, delays and mode, takes its present position as zero on
// request and can be moved to another address. It measures no fuel.
class EmulatedAq420 : public EmulatedDevice
{
public:
    explicit EmulatedAq420(const Aq420Config &config);

    Response handle(const QByteArray &request) override;

    quint8 address() const override { return m_address; }
    QString kindName() const override { return QLatin1String(Aq420Config::kKindName); }
    QJsonObject state() const override;

    // Where the member stands, degrees from the sensor's own origin; the
    // sensor reports it less its zero point, never below 0.
    int position() const { return m_position; }
    void setPosition(int degrees) { m_position = degrees; }
    int zero() const { return m_zero; }
    int angle() const;

    quint32 serial() const { return m_serial; }
    quint16 firmware() const { return m_firmware; }
    int up() const { return m_up; }
    int down() const { return m_down; }
    quint16 delayOn() const { return m_delayOn; }
    quint16 delayOff() const { return m_delayOff; }
    quint8 mode() const { return m_mode; }
    bool isFrozen() const { return m_frozen; }
    void setFrozen(bool frozen) { m_frozen = frozen; }
    // Change commands taken (frozen or not), zero settings among them.
    int changesTaken() const { return m_changes; }
    int zeroSettings() const { return m_zeroSettings; }

private:
    QByteArray readingsReply() const;
    QByteArray identificationReply() const;
    // Takes a change; false when the frame is not one this sensor takes.
    bool change(quint8 command, const QByteArray &data);

    quint8 m_address;
    quint32 m_serial;
    quint16 m_firmware;
    int m_position;
    int m_zero = 0;
    int m_up;
    int m_down;
    quint16 m_delayOn;
    quint16 m_delayOff;
    quint8 m_mode;
    bool m_frozen;
    int m_changes = 0;
    int m_zeroSettings = 0;
};
