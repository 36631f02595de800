#include "singleinstanceguard.h"

SingleInstanceGuard::SingleInstanceGuard(const QString &semaphoreKey, const QString &memoryKey)
    : m_semaphore(semaphoreKey, 1, QSystemSemaphore::Open), m_memory(memoryKey)
{
    m_semaphore.acquire();
#ifdef Q_OS_UNIX
    // On Unix a segment outlives a copy that crashed or was killed. Attaching
    // and detaching once destroys such an orphan when nobody else holds it,
    // so only a copy that really runs is found below.
    {
        QSharedMemory orphan(memoryKey);
        if (orphan.attach())
            orphan.detach();
    }
#endif
    if (m_memory.attach(QSharedMemory::ReadOnly)) {
        m_anotherRuns = true;
    } else {
        m_memory.create(1);
    }
    m_semaphore.release();
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

