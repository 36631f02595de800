#include "emulateddevice.h"

#include "link/protocol.h"

void EmulatedDevice::countSentReply(const QByteArray &reply)
{
    if (reply.size() <= Protocol::kCommandOffset)
        return;
    const quint8 command = quint8(reply.at(Protocol::kCommandOffset));
    if (command == Protocol::Command::ReadSettings)
        ++m_readingsSent;
    else if (command == Protocol::Command::ReadTable)
        ++m_tablesSent;
}
