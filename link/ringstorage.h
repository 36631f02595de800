#pragma once

#include <QtGlobal>

#include <cstdlib>

// Fixed ring of power-of-two capacity. write() and read() are all-or-nothing:
// a block that does not fit is refused whole, so a reply is never stored in
// part. put() and get() skip the checks; callers test count() first.
template <typename T>
class RingStorage
{
public:
    explicit RingStorage(quint32 capacity) : m_capacity(capacity), m_mask(capacity - 1) {}
    ~RingStorage() { std::free(m_data); }
    RingStorage(const RingStorage &) = delete;
    RingStorage &operator=(const RingStorage &) = delete;

    // Allocates the storage; the capacity must be a power of two, as the
    // indices wrap through the mask. Any other capacity leaves it unusable.
    bool setup()
    {
        std::free(m_data);
        m_data = nullptr;
        m_readIndex = m_writeIndex = m_count = 0;
        if (m_capacity == 0 || (m_capacity & m_mask) != 0)
            return false;
        m_data = static_cast<T *>(std::calloc(m_capacity, sizeof(T)));
        return m_data != nullptr;
    }

    bool write(const T *data, quint32 n)
    {
        if (!m_data || n > freeSpace())
            return false;
        for (quint32 i = 0; i < n; ++i)
            put(data[i]);
        return true;
    }

    bool read(T *data, quint32 n)
    {
        if (!m_data || n > m_count)
            return false;
        for (quint32 i = 0; i < n; ++i)
            data[i] = get();
        return true;
    }

    void put(T value)
    {
        m_data[m_writeIndex] = value;
        m_writeIndex = (m_writeIndex + 1) & m_mask;
        ++m_count;
    }

    T get()
    {
        const T value = m_data[m_readIndex];
        m_readIndex = (m_readIndex + 1) & m_mask;
        --m_count;
        return value;
    }

    T at(quint32 i) const { return m_data[(m_readIndex + i) & m_mask]; }
    quint32 count() const { return m_count; }
    quint32 capacity() const { return m_data ? m_capacity : 0; }
    quint32 freeSpace() const { return capacity() - m_count; }
    void clear() { m_readIndex = m_writeIndex = m_count = 0; }

private:
    quint32 m_capacity;
    quint32 m_mask;
    quint32 m_readIndex = 0;
    quint32 m_writeIndex = 0;
    quint32 m_count = 0;
    T *m_data = nullptr;
};
