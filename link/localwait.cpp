#include "localwait.h"

#include <QEventLoop>
#include <QTimer>

void LocalWait::forTime(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}
