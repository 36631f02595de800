#pragma once

#include <QObject>

#include "ringstorage.h"

// Last readings of a sensor (raw counts), averaged for the stability verdict.
class RingBufferInt32 : public QObject
{
    Q_OBJECT
public:
    explicit RingBufferInt32(quint32 capacity, QObject *parent = nullptr);

    bool setup() { return m_ring.setup(); }
    bool write(const qint32 *data, quint32 n) { return m_ring.write(data, n); }
    bool read(qint32 *data, quint32 n) { return m_ring.read(data, n); }
    void put(qint32 value) { m_ring.put(value); }
    qint32 get() { return m_ring.get(); }
    quint32 count() const { return m_ring.count(); }
    quint32 freeSpace() const { return m_ring.freeSpace(); }
    quint32 capacity() const { return m_ring.capacity(); }
    void clear() { m_ring.clear(); }
    // Mean of all stored values; 0 when empty. Summed in 64 bits, so eight
    // counts near the 32-bit limit do not overflow.
    double mean() const;

private:
    RingStorage<qint32> m_ring;
};
