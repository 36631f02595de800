#include "addresslist.h"

#include <QStringList>

AddressList AddressList::untilZero(const QByteArray &bytes)
{
    const int zero = int(bytes.indexOf('\0'));
    return AddressList(zero < 0 ? bytes : bytes.left(zero));
}

quint8 AddressList::at(int index) const
{
    if (index < 0 || index >= m_bytes.size())
        return 0;
    return quint8(m_bytes.at(index));
}

QString AddressList::joined() const
{
    QStringList parts;
    for (const char b : m_bytes)
        parts << QString::number(quint8(b));
    return parts.join(QLatin1Char(','));
}

int AddressList::nextIndex(int current, int maxSensors) const
{
    const int sensors = qMin(count(), maxSensors);
    const int next = current + 1;
    return next < sensors ? next : 0;
}
