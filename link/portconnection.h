#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

// The one object that touches the serial port: opens and closes it at the
// line settings, writes frames, hands received bytes on, and turns port
// errors into the two signals the main window handles.
class PortConnection : public QObject
{
    Q_OBJECT
public:
    explicit PortConnection(QObject *parent = nullptr);

    QSerialPort *serialPort() const { return m_port; }
    bool isOpen() const { return m_port && m_port->isOpen(); }
    // The name the port was opened with (QSerialPort shortens /dev/pts/N).
    QString openedName() const { return m_openedName; }

public slots:
    void openSerialPort(const QString &name);
    void closeSerialPort();
    void writeData(const QByteArray &data);
    void readData();
    void handleError(QSerialPort::SerialPortError error);

signals:
    void signalOpenPort(bool open);
    void signalHandleError();
    void signalHandleNoError();
    void dataOut(QByteArray &data);
    void signalWriteLog(const QString &text);

private:
    QSerialPort *m_port;
    QString m_openedName;
    bool m_handlingLoss = false;
};
