#include "requestframer.h"

#include "link/frame.h"
#include "link/protocol.h"

namespace {

namespace Cmd = Protocol::Command;

constexpr int kHeaderSize = 3;  // prefix, address, command
constexpr int kSearchLength = 3; // prefix, 0xFF, CRC
constexpr int kKeyed = 3 + 3 + 1; // header, write key, CRC
constexpr int kBare = 3 + 1;      // header, CRC: a tag reader's commands carry no key
constexpr int kNamePrefixSize = 3; // "KV_" in front of a typed sensor name
constexpr int kMaxNameDigits = 16; // the longest serial number a name carries

} // namespace

QList<int> RequestFramer::requestLengths(quint8 command)
{
    switch (command) {
    case Cmd::ReadSettings:
    case Cmd::ReadIdentification:
    case Cmd::ReadTable:
    case Cmd::TagReadIdentifier:
        return {kBare};
    case Cmd::Reset:
    case Cmd::CalibrateHorizon:
    case Cmd::RestartBleForUpdate:
        return {kKeyed};
    case Cmd::SetFull:
    case Cmd::SetEmpty:
        return {kKeyed, kKeyed + 2}; // a fuel sensor's present level; an angle sensor's limit
    case Cmd::SetAddress:
        return {kBare + 1, kKeyed + 1}; // a tag reader's new address; a sensor's
    case Cmd::SendSerialNumber:
    case Cmd::SetAlarmLevel:
        return {kKeyed + 1};
    case Cmd::WriteSettings:
        // a tag reader's mode; an angle sensor's; a sensor's mode and settings
        return {kBare + 1, kKeyed + 1, kKeyed + 2};
    case Cmd::TagSetSerial:
        return {kBare + 4};
    case Cmd::TagSetIdentifier:
        return {kBare + 4, kKeyed + 2}; // a tag identifier; an angle sensor's bucket delay
    case Cmd::AngleDelayOnBucket:
    case Cmd::ShiftEmpty:
    case Cmd::ShiftFull:
        return {kKeyed + 2};
    case Cmd::AngleDelayOffBlade:
    case Cmd::AngleDelayOnBlade:
        return {kKeyed + 1};
    case Cmd::SetPassword:
    case Cmd::EnterPassword:
    case Cmd::SetPasswordBle:
    case Cmd::EnterPasswordBle:
    case Cmd::ManualEmpty:
        return {kKeyed + 4};
    case Cmd::ManualFull:
        return {kKeyed + 1, kKeyed + 4}; // an advertising base's configuration byte; a full count
    case Cmd::SetBleName: {
        QList<int> lengths;
        for (int digits = 1; digits <= kMaxNameDigits; ++digits)
            lengths.append(kKeyed + kNamePrefixSize + digits);
        return lengths;
    }
    case Cmd::SetBaseIdentifier:
        return {kKeyed + 6}; // three bytes of the number, DD EE FF; or the six MAC bytes
    case Cmd::WriteTable:
        return {kKeyed, kKeyed + 80}; // an angle sensor's zero point; 20 levels and 20 volumes
    default:
        return {};
    }
}

QList<QByteArray> RequestFramer::feed(const QByteArray &bytes)
{
    m_buffer.append(bytes);
    return extract(Wait::ForMore);
}

QList<QByteArray> RequestFramer::flush()
{
    // The line is quiet: a frame of several possible lengths is decided now,
    // and what is still incomplete loses its first byte.
    QList<QByteArray> frames = extract(Wait::NotAtAll);
    while (!m_buffer.isEmpty()) {
        discard(1);
        frames += extract(Wait::NotAtAll);
    }
    return frames;
}

QByteArray RequestFramer::takeDiscarded()
{
    QByteArray bytes = m_discarded;
    m_discarded.clear();
    return bytes;
}

bool RequestFramer::requestStartsAt(int offset) const
{
    if (m_buffer.size() < offset + 2 || quint8(m_buffer.at(offset)) != Protocol::kRequestPrefix)
        return false;
    if (quint8(m_buffer.at(offset + 1)) == Protocol::kBroadcastAddress)
        return true;
    return m_buffer.size() > offset + 2 && !requestLengths(quint8(m_buffer.at(offset + 2))).isEmpty();
}

void RequestFramer::discard(int count)
{
    m_discarded.append(m_buffer.left(count));
    m_buffer.remove(0, count);
}

QList<QByteArray> RequestFramer::extract(Wait wait)
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
        const QList<int> lengths = requestLengths(quint8(m_buffer.at(Protocol::kCommandOffset)));
        if (lengths.isEmpty()) {
            discard(1);
            continue;
        }
        const int received = int(m_buffer.size());
        // The CRC cannot tell one frame from two: with this CRC, valid frames
        // back to back make a valid frame again. A candidate is the frame when
        // it ends with the bytes received or another request starts behind it.
        int found = 0;
        for (const int length : lengths) {
            if (length <= received && crcHolds(length)
                && (length == received || requestStartsAt(length))) {
                found = length;
                break;
            }
        }
        // More bytes may still make a longer candidate end there; once every
        // candidate has arrived (or the line is quiet) waiting tells nothing more.
        if (found == 0 && wait == Wait::ForMore && received < lengths.last())
            break;
        for (int i = 0; found == 0 && i < lengths.size(); ++i) {
            if (lengths.at(i) <= received && crcHolds(lengths.at(i)))
                found = lengths.at(i);
        }
        if (found > 0)
            take(found);
        else if (received < lengths.last())
            break; // incomplete: flush() drops its first byte
        else
            discard(1);
    }
    return frames;
}
