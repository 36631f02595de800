#pragma once

#include "linetransport.h"

#include <QElapsedTimer>
#include <QList>

// A line in memory for tests and in-process use: bytes "from the tool" are
// handed in with deliver(), everything the sensors put on the line is kept
// write by write, with the time since construction it was written at.
class MemoryTransport : public LineTransport
{
    Q_OBJECT

public:
    explicit MemoryTransport(QObject *parent = nullptr);

    bool write(const QByteArray &bytes) override;
    void hangUp() override;
    QString portName() const override;

    // Bytes arriving from the tool's side.
    void deliver(const QByteArray &bytes);

    const QList<QByteArray> &writes() const { return m_writes; }
    const QList<qint64> &writeTimesMs() const { return m_writeTimesMs; }
    QByteArray written() const;
    qint64 elapsedMs() const { return m_clock.elapsed(); }
    void clear();
    bool isHungUp() const { return m_hungUp; }

signals:
    void wrote(const QByteArray &bytes);

private:
    QList<QByteArray> m_writes;
    QList<qint64> m_writeTimesMs;
    QElapsedTimer m_clock;
    bool m_hungUp = false;
};
