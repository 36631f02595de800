#pragma once

#include <QByteArray>
#include <QtGlobal>

// What the poll tick sends for a poll step, and the step that follows.
class PollCycle
{
public:
    struct Request {
        QByteArray frame;  // empty: nothing to send on this tick
        quint8 nextStep;
    };

    // Search: the broadcast, only while the port is open. 0xF0 and 0xFC
    // alternate on the polled address. Firmware and command steps are not
    // the poll's business and send nothing.
    static Request requestFor(quint8 step, quint8 address, bool portOpen);
};
