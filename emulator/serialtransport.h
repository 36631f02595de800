#pragma once

#include "linetransport.h"

class QSerialPort;

// A real serial port at the line settings (19200 8N1, no flow control): two
// converters wired together, or one end of a virtual COM port pair.
class SerialTransport : public LineTransport
{
    Q_OBJECT

public:
    explicit SerialTransport(QObject *parent = nullptr);

    bool open(const QString &name, QString *error = nullptr);
    bool write(const QByteArray &bytes) override;
    void hangUp() override;
    QString portName() const override { return m_name; }

private:
    QSerialPort *m_port;
    QString m_name;
    bool m_hungUp = false;
};
