#include "ringbuffer.h"

RingBuffer::RingBuffer(quint32 capacity, QObject *parent) : QObject(parent), m_ring(capacity) {}
