#include "memorytransport.h"

MemoryTransport::MemoryTransport(QObject *parent) : LineTransport(parent)
{
    m_clock.start();
}

bool MemoryTransport::write(const QByteArray &bytes)
{
    if (m_hungUp)
        return false;
    m_writes.append(bytes);
    m_writeTimesMs.append(m_clock.elapsed());
    emit wrote(bytes);
    return true;
}

void MemoryTransport::hangUp()
{
    if (m_hungUp)
        return;
    m_hungUp = true;
    emit hungUp();
}

QString MemoryTransport::portName() const
{
    return QStringLiteral("memory");
}

void MemoryTransport::deliver(const QByteArray &bytes)
{
    if (!m_hungUp)
        emit received(bytes);
}

QByteArray MemoryTransport::written() const
{
    QByteArray all;
    for (const QByteArray &bytes : m_writes)
        all += bytes;
    return all;
}

void MemoryTransport::clear()
{
    m_writes.clear();
    m_writeTimesMs.clear();
}
