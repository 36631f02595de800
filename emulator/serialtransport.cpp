#include "serialtransport.h"

#include "link/protocol.h"

#include <QSerialPort>

SerialTransport::SerialTransport(QObject *parent) : LineTransport(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, [this] { emit received(m_port->readAll()); });
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // The converter was pulled out: the line is gone.
        if (error == QSerialPort::ResourceError)
            hangUp();
    });
}

bool SerialTransport::open(const QString &name, QString *error)
{
    m_name = name;
    m_port->setPortName(name);
    if (!m_port->open(QIODevice::ReadWrite)) {
        if (error)
            *error = QStringLiteral("cannot open serial port %1: %2").arg(name, m_port->errorString());
        return false;
    }
    const bool configured = m_port->setBaudRate(Protocol::kLineBaudRate)
                            && m_port->setDataBits(QSerialPort::Data8)
                            && m_port->setParity(QSerialPort::NoParity)
                            && m_port->setStopBits(QSerialPort::OneStop)
                            && m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        if (error)
            *error = QStringLiteral("cannot set 19200 8N1 on %1: %2").arg(name, m_port->errorString());
        m_port->close();
        return false;
    }
    return true;
}

bool SerialTransport::write(const QByteArray &bytes)
{
    if (!m_port->isOpen())
        return false;
    return m_port->write(bytes) == bytes.size();
}

void SerialTransport::hangUp()
{
    if (m_hungUp)
        return;
    m_hungUp = true;
    if (m_port->isOpen())
        m_port->close();
    emit hungUp();
}
