#include "requestframer.h"

#include "link/frame.h"
#include "link/protocol.h"

namespace {

namespace Cmd = Protocol::Command;

constexpr int kHeaderSize = 3;  // prefix, address, command
constexpr int kSearchLength = 3; // prefix, 0xFF, CRC
constexpr int kKeyed = 3 + 3 + 1; // header, write key, CRC

} // namespace

int RequestFramer::requestLength(quint8 command)
{
    switch (command) {
    case Cmd::ReadSettings:
    case Cmd::ReadIdentification:
    case Cmd::ReadTable:
        return kHeaderSize + 1;
    case Cmd::Reset:
    case Cmd::SetFull:
    case Cmd::SetEmpty:
    case Cmd::CalibrateHorizon:
    case Cmd::RestartBleForUpdate:
        return kKeyed;
    case Cmd::SetAddress:
    case Cmd::SendSerialNumber:
    case Cmd::SetAlarmLevel:
        return kKeyed + 1;
    case Cmd::WriteSettings:
    case Cmd::ShiftEmpty:
    case Cmd::ShiftFull:
        return kKeyed + 2;
    case Cmd::SetPassword:
    case Cmd::EnterPassword:
    case Cmd::SetPasswordBle:
    case Cmd::EnterPasswordBle:
    case Cmd::ManualEmpty:
    case Cmd::ManualFull:
        return kKeyed + 4;
    case Cmd::SetBaseIdentifier:
        return kKeyed + 6; // three bytes of the number, DD EE FF; or the six MAC bytes
    case Cmd::WriteTable:
        return kKeyed + 80; // 20 levels and 20 volumes, two bytes each
    default:
        return 0;
    }
}

QList<QByteArray> RequestFramer::feed(const QByteArray &bytes)
{
    m_buffer.append(bytes);
    return extract();
}

QList<QByteArray> RequestFramer::flush()
{
    QList<QByteArray> frames;
    while (!m_buffer.isEmpty()) {
        discard(1);
        frames += extract();
    }
    return frames;
}

QByteArray RequestFramer::takeDiscarded()
{
    QByteArray bytes = m_discarded;
    m_discarded.clear();
    return bytes;
}

void RequestFramer::discard(int count)
{
    m_discarded.append(m_buffer.left(count));
    m_buffer.remove(0, count);
}

QList<QByteArray> RequestFramer::extract()
{
    QList<QByteArray> frames;
    const auto take = [this, &frames](int length) {
        frames.append(m_buffer.left(length));
        m_buffer.remove(0, length);
    };
    const auto crcHolds = [this](int length) { return Frame::hasValidCrc(m_buffer.left(length)); };

    for (;;) {
        const int start = int(m_buffer.indexOf(char(Protocol::kRequestPrefix)));
        if (start < 0) {
            discard(int(m_buffer.size()));
            break;
        }
        discard(start);
        if (m_buffer.size() < 2)
            break;

        if (quint8(m_buffer.at(Protocol::kAddressOffset)) == Protocol::kBroadcastAddress) {
            if (m_buffer.size() < kSearchLength)
                break;
            if (crcHolds(kSearchLength)) {
                take(kSearchLength);
                continue;
            }
        }
        if (m_buffer.size() < kHeaderSize)
            break;
        const int length = requestLength(quint8(m_buffer.at(Protocol::kCommandOffset)));
        if (length == 0) {
            discard(1);
            continue;
        }
        if (m_buffer.size() < length)
            break;
        if (crcHolds(length))
            take(length);
        else
            discard(1);
    }
    return frames;
}
