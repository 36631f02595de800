#include "ringbufferint32.h"

RingBufferInt32::RingBufferInt32(quint32 capacity, QObject *parent)
    : QObject(parent), m_ring(capacity)
{
}

double RingBufferInt32::mean() const
{
    const quint32 n = m_ring.count();
    if (n == 0)
        return 0.0;
    qint64 sum = 0;
    for (quint32 i = 0; i < n; ++i)
        sum += m_ring.at(i);
    return double(sum) / double(n);
}
