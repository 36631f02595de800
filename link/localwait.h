#pragma once

#include <chrono>

// Waits for a sensor the way the whole tool does: a local event loop that a
// single-shot timer quits, so the interface, the parse tick and the poll
// keep running meanwhile.
class LocalWait
{
public:
    static void forTime(std::chrono::milliseconds duration);
};
