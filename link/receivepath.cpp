#include "receivepath.h"

#include "ringbuffer.h"

ReceivePath::ReceivePath(RingBuffer *buffer) : m_buffer(buffer)
{
    m_elapsed.start();
}

qint64 ReceivePath::now() const
{
    return m_clock ? m_clock() : m_elapsed.elapsed();
}

void ReceivePath::received(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (!m_buffer->write(reinterpret_cast<const quint8 *>(bytes.constData()),
                         quint32(bytes.size())))
        return;
    const qint64 t = now();
    if (m_firstArrival < 0)
        m_firstArrival = t;
    m_lastArrival = t;
}

bool ReceivePath::hasWork(bool framed) const
{
    return m_buffer->count() > 0 || (framed && m_assembler.hasPending());
}

bool ReceivePath::quietFor(std::chrono::milliseconds time) const
{
    return now() - m_lastArrival >= time.count();
}

QByteArray ReceivePath::drain()
{
    const quint32 n = m_buffer->count();
    QByteArray block(int(n), '\0');
    if (n > 0)
        m_buffer->read(reinterpret_cast<quint8 *>(block.data()), n);
    return block;
}

QList<QByteArray> ReceivePath::takeReplies(const ReplyLengths &lengths, int *drained)
{
    if (&lengths != m_lengthsSource) {
        m_assembler.setLengths(lengths);
        m_lengthsSource = &lengths;
    }
    const qint64 first = m_firstArrival < 0 ? m_lastArrival : m_firstArrival;
    const QByteArray block = drain();
    if (drained)
        *drained = int(block.size());
    m_assembler.append(block, first, m_lastArrival);
    m_firstArrival = -1;
    return m_assembler.takeReplies(now());
}

QByteArray ReceivePath::takeRaw()
{
    m_assembler.clear();
    m_firstArrival = -1;
    return drain();
}

void ReceivePath::clear()
{
    m_buffer->clear();
    m_assembler.clear();
    m_firstArrival = -1;
}
