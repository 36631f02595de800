#include "sharedtimers.h"

namespace {
QTimer *makeTimer()
{
    // Deliberately leaked: the timers live as long as the process.
    return new QTimer;
}
} // namespace

QTimer *SharedTimers::pollTimer()
{
    static QTimer *timer = makeTimer();
    return timer;
}

QTimer *SharedTimers::parseTimer()
{
    static QTimer *timer = makeTimer();
    return timer;
}

QTimer *SharedTimers::portScanTimer()
{
    static QTimer *timer = makeTimer();
    return timer;
}

QTimer *SharedTimers::connectTimer()
{
    static QTimer *timer = makeTimer();
    return timer;
}

void SharedTimers::stopAll()
{
    portScanTimer()->stop();
    pollTimer()->stop();
    parseTimer()->stop();
    connectTimer()->stop();
}
