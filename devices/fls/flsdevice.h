#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

class DeviceLink;
class QLabel;
class QSerialPort;
namespace Ui {
class Configurator;
}

// The wired fuel level sensor page: turns the sensor's replies into what the
// engineer sees and owns the page's poll step, address list and watchdog.
class FLSDevice : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxSensors = 3; // sensors on one line

    FLSDevice(Ui::Configurator *ui, QSerialPort *port, QWidget *parent = nullptr);

    quint8 getStep() const;
    void setStep(quint8 step);
    quint8 getNetNum() const { return m_netnum; }
    bool isDeviceConnected() const;
    void setDeviceConnected(bool connected);
    int polledIndex() const;
    DeviceLink *link() const { return m_link; }
    QLabel *statusLabel() const { return m_status; }
    QLabel *statusLabelUp() const { return m_statusUp; }

    // Decodes one block drained by a parse tick; returns the next poll step.
    quint8 parseReply(int length, const quint8 *data, quint8 step);

public slots:
    void resetDeviceIsConnected();
    void resetTimerDeviceConnected();
    void resetSettingToDefault();
    void setDefaultValuesToGuiField();
    void viewIconChangedParam(bool isNeed);
    void hideBirds();
    void showStatusMessage(const QString &text);
    void showStatusMessageUp(const QString &text);
    void setVisibleStatusLabels(bool visible);
    void initStatusMessage();
    void connectSignalToCallMethodFromMain(QWidget *parent);

signals:
    void callParceDataFromComPort();
    void copyNetNumToParent(const QByteArray &data);
    void copyQueueSurveyDevice(int index);
    void writeData(const QByteArray &data);
    void copyLevelValueToMain(int level, int device);
    void signalWriteLog(const QString &message);

private:
    quint8 takeSearchAnswer(const QByteArray &block);
    void decodeSettings(const QByteArray &reply);
    void decodeIdentification(const QByteArray &reply);

    Ui::Configurator *ui;
    QSerialPort *m_port;
    DeviceLink *m_link;
    quint8 m_netnum = 0;
    QLabel *m_status = nullptr;
    QLabel *m_statusUp = nullptr;
};
