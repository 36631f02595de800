#pragma once

#include "adwrecord.h"

#include <QString>
#include <QWidget>

#include <array>

// One advertising sensor as the page knows it from its latest record, with
// what the engineer did to it: connected by name, switched on, additional
// parameters on. A record of signal strength 0 empties it.
class BLEAdwModel : public QWidget
{
    Q_OBJECT
public:
    using Name = std::array<char, AdwRecord::kNameSize>;

    BLEAdwModel();

    const AdwRecord &record() const { return m_record; }
    int address() const { return m_record.address; }
    void setAddress(int address) { m_record.address = quint8(address); }
    quint8 flags() const { return m_record.flags; }
    bool isConnected() const { return m_connected; }
    bool hasFilter() const { return m_filter; }
    bool isDopParamOn() const { return m_dop; }
    bool isEnabled() const { return m_enabled; }
    bool isLinkedSensor() const { return m_linked; }
    int scaleMaximum() const { return m_scaleMaximum; }
    QString nameString() const { return m_nameString; }
    // False for the empty model a slot has before its first record.
    bool hasRecord() const { return m_hasRecord; }

public slots:
    void setParamDevice(const AdwRecord &record);
    void setParamNull();
    void resetFlConnectedDevice();
    void setFlConnectedDevice(bool connected);
    void sendSignalEnableDevice();
    void sendSignalEnableDopParam();
    void setEnableFlagDopParam(bool on);
    void setNameChar(const Name &name) { m_name = name; }
    void setNameChar(const QString &text);
    Name getNameChar() const { return m_name; }
    void setNameCharForConnect(const Name &name) { m_nameForConnect = name; }
    void setNameCharForConnect(const QString &text);
    Name getNameCharForConnect() const { return m_nameForConnect; }

signals:
    void signalToMainToConnectDevice(const QString &serial, int slot);
    void deviceAdwertIsConnected();
    void copyLevelValueToMain(int level, int slot);
    void signalEnableDopParam(int slot, bool enableDevice, bool enableDop);
    void sendSignalToDialogErrorConnectindToDevice();
    void signalChangeNetNumAdwert(int slot, int address);

private:
    void clearNames();

    AdwRecord m_record;
    bool m_hasRecord = false;
    bool m_connected = false;
    bool m_filter = false;
    bool m_dop = false;
    bool m_enabled = false;
    bool m_linked = false;
    int m_scaleMaximum = 1024;
    Name m_name{};
    Name m_nameForConnect{};
    QString m_nameString;
};
