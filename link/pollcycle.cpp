#include "pollcycle.h"

#include "frame.h"
#include "protocol.h"

PollCycle::Request PollCycle::requestFor(quint8 step, quint8 address, bool portOpen)
{
    switch (step) {
    case Protocol::Step::Search:
        return {portOpen ? Frame::searchBroadcast() : QByteArray(), step};
    case Protocol::Step::ReadSettings:
        return {Frame::request(address, Protocol::Command::ReadSettings),
                Protocol::Step::ReadIdentification};
    case Protocol::Step::ReadIdentification:
        return {Frame::request(address, Protocol::Command::ReadIdentification),
                Protocol::Step::ReadSettings};
    default:
        return {QByteArray(), step};
    }
}
