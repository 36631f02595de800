#pragma once

#include <QObject>
#include <QtGlobal>

#include "ringstorage.h"

// The receive buffer: bytes from the serial link wait here for the parse tick.
class RingBuffer : public QObject
{
    Q_OBJECT
public:
    explicit RingBuffer(quint32 capacity, QObject *parent = nullptr);

    bool setup() { return m_ring.setup(); }
    bool write(const quint8 *data, quint32 n) { return m_ring.write(data, n); }
    bool read(quint8 *data, quint32 n) { return m_ring.read(data, n); }
    void put(quint8 value) { m_ring.put(value); }
    quint8 get() { return m_ring.get(); }
    quint32 count() const { return m_ring.count(); }
    quint32 freeSpace() const { return m_ring.freeSpace(); }
    quint32 capacity() const { return m_ring.capacity(); }
    void clear() { m_ring.clear(); }

private:
    RingStorage<quint8> m_ring;
};
