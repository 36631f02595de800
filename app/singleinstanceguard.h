#pragma once

#include <QSharedMemory>
#include <QString>
#include <QSystemSemaphore>

// Tells whether another copy of the tool runs: a shared memory segment that
// the first copy creates and keeps for its whole life, looked up under a
// system-wide semaphore.
class SingleInstanceGuard
{
public:
    SingleInstanceGuard(const QString &semaphoreKey = QStringLiteral("<ConfiguratorVolmar>"),
                        const QString &memoryKey = QStringLiteral("<ConfiguratorVolmar2>"));
    ~SingleInstanceGuard();

    // True when another running copy holds the segment.
    bool anotherInstanceRuns() const { return m_anotherRuns; }

private:
    QSystemSemaphore m_semaphore;
    QSharedMemory m_memory;
    bool m_anotherRuns = false;
};
