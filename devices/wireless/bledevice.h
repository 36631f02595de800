#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

class DeviceLink;
class QSerialPort;
namespace Ui {
class Configurator;
}

// The wireless base station page: the base and the sensors it relays.
// Finds its sensors with the search and alternates the readings and
// identification requests; its own readings decoder sits in parseReply.
class BLEDevice : public QWidget
{
    Q_OBJECT
public:
    BLEDevice(Ui::Configurator *ui, QSerialPort *port, QWidget *parent = nullptr);

    quint8 getStep() const;
    void setStep(quint8 step);
    bool isDeviceConnected() const;
    DeviceLink *link() const { return m_link; }

    // Decodes one block drained by a parse tick; returns the next poll step.
    quint8 parseReply(int length, const quint8 *data, quint8 step);

public slots:
    void resetDeviceIsConnected();
    void resetTimerDeviceConnected();
    void resetSettingToDefault();

signals:
    void copyNetNumToParent(const QByteArray &data);
    void copyQueueSurveyDevice(int index);
    void writeData(const QByteArray &data);
    void signalWriteLog(const QString &message);
    void signalShowStatusMessageUp(const QString &text);
    void copyLevelValueToMain(int level, int device);
    void callParceDataFromComPort();

private:
    Ui::Configurator *ui;
    DeviceLink *m_link;
};
