#include "portconnection.h"

#include "protocol.h"

#include <QDebug>

PortConnection::PortConnection(QObject *parent) : QObject(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &PortConnection::readData);
    connect(m_port, &QSerialPort::errorOccurred, this, &PortConnection::handleError);
}

void PortConnection::openSerialPort(const QString &name)
{
    if (m_port->isOpen())
        closeSerialPort();
    m_port->setPortName(name);
    if (!m_port->open(QIODevice::ReadWrite)) {
        emit signalWriteLog(QStringLiteral("Error open port ") + name + QStringLiteral("\r\n"));
        return;
    }
    m_openedName = name;
    m_port->flush();
    m_port->setBaudRate(Protocol::kLineBaudRate, QSerialPort::AllDirections);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    emit signalOpenPort(true);
    emit signalWriteLog(QStringLiteral("Open port ") + name + QStringLiteral("\r\n"));
}

void PortConnection::closeSerialPort()
{
    if (!m_port->isOpen())
        return;
    m_port->flush();
    m_port->close();
    emit signalOpenPort(false);
    emit signalWriteLog(QStringLiteral("Close port\r\n"));
}

void PortConnection::writeData(const QByteArray &data)
{
    if (!m_port) {
        qDebug() << "Error send data, port close";
        return;
    }
    m_port->write(data);
}

void PortConnection::readData()
{
    QByteArray data = m_port->readAll();
    if (!data.isEmpty())
        emit dataOut(data);
}

void PortConnection::handleError(QSerialPort::SerialPortError error)
{
    // A converter that was unplugged or failed gives the resource error; a
    // line whose far end hung up reads end-of-file, which the port reports
    // as a read error on every notification, so it counts as lost too.
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
        // Flushing or closing a dead port reports errors of its own; they
        // belong to this loss and must not recurse into it.
        if (m_handlingLoss)
            return;
        m_handlingLoss = true;
        const bool wasOpen = m_port->isOpen();
        if (wasOpen)
            m_port->clear(QSerialPort::AllDirections);
        m_port->clearError();
        m_port->close();
        m_handlingLoss = false;
        // The service menu follows the port state, so say it closed.
        if (wasOpen)
            emit signalOpenPort(false);
        emit signalHandleError();
    } else if (error == QSerialPort::NoError) {
        emit signalHandleNoError();
    }
}
