#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <chrono>

class Tank;

// A device on the emulated line: a wired fuel level sensor, a BLE base
// station or a tag reader. It answers request frames for its address; timing, faults and the
// line itself are the business of VirtualLine.
class EmulatedDevice
{
public:
    struct Response {
        QByteArray reply;        // empty: the device says nothing
        bool restarting = false; // it reboots and hears nothing for restartTime
        std::chrono::milliseconds restartTime{0};
    };

    virtual ~EmulatedDevice() = default;

    virtual quint8 address() const = 0;
    // Where the device answers on the line, in the order it answers the
    // search broadcast: a wired sensor or a linked base at its address, an
    // advertising base at those of the sensors it hears.
    virtual QList<quint8> searchAddresses() const { return {address()}; }
    bool answers(quint8 address) const { return searchAddresses().contains(address); }
    // The kind as written in a device description: "kv510", "ble".
    virtual QString kindName() const = 0;

    // Handles one request frame for this device's address; the CRC has been
    // checked by the framing. Frames it does not understand get silence.
    virtual Response handle(const QByteArray &request) = 0;

    // The tank reported at one of the device's addresses (a wired sensor's
    // own, the wireless sensor a base relays or hears there), and all of
    // them; none for a device that measures no fuel (a tag reader).
    virtual Tank *tankAt(quint8 address)
    {
        Q_UNUSED(address)
        return nullptr;
    }
    virtual QList<Tank *> tanks() { return {}; }

    virtual QJsonObject state() const = 0;

    // Readings (0xF0) and table (0xEF) replies that went out on the line; the
    // line tells the device, since only it knows what was dropped.
    void countSentReply(const QByteArray &reply);
    int readingsRepliesSent() const { return m_readingsSent; }
    int tableRepliesSent() const { return m_tablesSent; }

private:
    int m_readingsSent = 0;
    int m_tablesSent = 0;
};
