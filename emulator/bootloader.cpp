#include "bootloader.h"

#include <algorithm>

namespace {

constexpr int kAddressFrameSize = 5;   // 4 address bytes, most significant first, and their XOR
constexpr int kKv260FrameSize = 67;    // marker, tag, 64 data bytes, XOR
constexpr quint8 kEraseAllComplement = 0x00;

quint8 complementOf(quint8 byte)
{
    return quint8(~byte);
}

bool isStCommand(quint8 byte)
{
    return byte == EmulatedBootloader::kErase || byte == EmulatedBootloader::kWriteMemory
           || byte == EmulatedBootloader::kGo;
}

// Flash programming works in whole blocks: a shorter write takes as long as a full one.
EmulatedBootloader::Duration programmingTime(int bytes)
{
    const int blocks = (bytes + EmulatedBootloader::kProgramBlock - 1) / EmulatedBootloader::kProgramBlock;
    return EmulatedBootloader::kBlockWriteTime * blocks;
}

} // namespace

EmulatedBootloader::EmulatedBootloader(Protocol protocol)
    : m_protocol(protocol)
{
}

void EmulatedBootloader::restart()
{
    m_step = Step::Unsynced;
    m_collected.clear();
    m_expected = 0;
    m_kv260Blocks = 0;
}

std::optional<EmulatedBootloader::Duration> EmulatedBootloader::quietLimit() const
{
    if (m_step == Step::GoWait)
        return kGoAddressWait;
    return std::nullopt;
}

void EmulatedBootloader::quietElapsed()
{
    if (m_step != Step::GoWait)
        return;
    m_application = true;
    m_startedAt = kResetVector;
    m_step = Step::Finished;
}

bool EmulatedBootloader::inMemory(quint32 start, qint64 length)
{
    return length >= 0 && start >= kMemoryStart && start <= kMemoryEnd
           && length <= qint64(kMemoryEnd - start);
}

QByteArray EmulatedBootloader::memory(quint32 start, int length) const
{
    if (length <= 0 || !inMemory(start, length))
        return {};
    if (m_memory.isEmpty())
        return QByteArray(length, '\0');
    return m_memory.mid(int(start - kMemoryStart), length);
}

quint8 EmulatedBootloader::xorOf(const QByteArray &bytes)
{
    quint8 x = 0;
    for (const char b : bytes)
        x ^= quint8(b);
    return x;
}

EmulatedBootloader::Answer EmulatedBootloader::ack(Duration work)
{
    return {QByteArray(1, char(kAck)), work};
}

EmulatedBootloader::Answer EmulatedBootloader::nack()
{
    // Whatever was refused, the bootloader waits for a new command.
    m_step = m_protocol == Protocol::Kv260 ? Step::Kv260Marker : Step::Command;
    m_collected.clear();
    return {QByteArray(1, char(kNack)), Duration(0)};
}

EmulatedBootloader::Answer EmulatedBootloader::feed(quint8 byte)
{
    switch (m_step) {
    case Step::Unsynced:
        if (byte != kSync)
            return {};
        m_step = m_protocol == Protocol::Kv260 ? Step::Kv260Marker : Step::Command;
        return ack();
    case Step::Command:
        return command(byte);
    case Step::Complement:
        return complement(byte);
    case Step::EraseCount:
        return eraseCount(byte);
    case Step::EraseAllCheck:
        if (byte != kEraseAllComplement)
            return nack();
        eraseFlash();
        m_step = Step::Command;
        return ack(kMassEraseTime);
    case Step::EraseSectors:
        return eraseSectors(byte);
    case Step::GoWait:
        // The tool did send an address after all.
        m_step = Step::Address;
        m_collected.clear();
        return address(byte);
    case Step::Address:
        return address(byte);
    case Step::WriteCount:
        m_collected = QByteArray(1, char(byte));
        m_expected = 1 + (byte + 1) + 1; // N, N+1 data bytes, checksum
        m_step = Step::WriteData;
        return {};
    case Step::WriteData:
        return writeData(byte);
    case Step::Kv260Marker:
        return kv260Marker(byte);
    case Step::Kv260Frame:
        return kv260Frame(byte);
    case Step::Finished:
        break;
    }
    return {};
}

EmulatedBootloader::Answer EmulatedBootloader::command(quint8 byte)
{
    // A knock that crossed the first answer: 0x7F is no command code.
    if (byte == kSync)
        return ack();
    m_command = byte;
    m_step = Step::Complement;
    return {};
}

EmulatedBootloader::Answer EmulatedBootloader::complement(quint8 byte)
{
    if (byte != complementOf(m_command) || !isStCommand(m_command))
        return nack();
    m_collected.clear();
    switch (m_command) {
    case kErase:
        m_step = Step::EraseCount;
        break;
    case kWriteMemory:
        m_step = Step::Address;
        break;
    case kGo:
        m_step = Step::GoWait;
        break;
    default:
        break;
    }
    return ack();
}

EmulatedBootloader::Answer EmulatedBootloader::eraseCount(quint8 byte)
{
    if (byte == kEraseAll) {
        m_step = Step::EraseAllCheck;
        return {};
    }
    m_collected = QByteArray(1, char(byte));
    m_expected = 1 + (byte + 1) + 1; // N, N+1 sector codes, checksum
    m_step = Step::EraseSectors;
    return {};
}

EmulatedBootloader::Answer EmulatedBootloader::eraseSectors(quint8 byte)
{
    m_collected.append(char(byte));
    if (m_collected.size() < m_expected)
        return {};
    const QByteArray codes = m_collected.mid(1, m_expected - 2);
    if (xorOf(m_collected.left(m_expected - 1)) != quint8(m_collected.back()))
        return nack();
    for (const char code : codes) {
        if (quint8(code) >= kSectorCount)
            return nack();
    }
    for (const char code : codes) {
        if (m_memory.isEmpty())
            break;
        const auto sector = m_memory.begin() + int(kFlashStart - kMemoryStart) + quint8(code) * kSectorSize;
        std::fill(sector, sector + kSectorSize, '\0');
    }
    m_application = false;
    m_step = Step::Command;
    return ack(kSectorEraseTime * codes.size());
}

EmulatedBootloader::Answer EmulatedBootloader::address(quint8 byte)
{
    m_collected.append(char(byte));
    if (m_collected.size() < kAddressFrameSize)
        return {};
    if (xorOf(m_collected.left(kAddressFrameSize - 1)) != quint8(m_collected.at(kAddressFrameSize - 1)))
        return nack();
    quint32 value = 0;
    for (int i = 0; i < kAddressFrameSize - 1; ++i)
        value = (value << 8) | quint8(m_collected.at(i));
    m_collected.clear();
    if (m_command == kGo) {
        // The application runs from program flash only.
        if (!inMemory(value, 1) || value < kFlashStart)
            return nack();
        m_application = true;
        m_startedAt = value;
        m_step = Step::Finished;
        return ack();
    }
    if (!inMemory(value, 1))
        return nack();
    m_address = value;
    m_step = Step::WriteCount;
    return ack();
}

EmulatedBootloader::Answer EmulatedBootloader::writeData(quint8 byte)
{
    m_collected.append(char(byte));
    if (m_collected.size() < m_expected)
        return {};
    const QByteArray data = m_collected.mid(1, m_expected - 2);
    if (xorOf(m_collected.left(m_expected - 1)) != quint8(m_collected.back()))
        return nack();
    if (!inMemory(m_address, data.size()))
        return nack();
    write(m_address, data);
    m_step = Step::Command;
    m_collected.clear();
    return ack(programmingTime(int(data.size())));
}

EmulatedBootloader::Answer EmulatedBootloader::kv260Marker(quint8 byte)
{
    if (byte == kSync)
        return ack(); // a knock that crossed the first answer
    if (byte != kKv260Block && byte != kKv260Completion)
        return {}; // not the start of a block: the bootloader looks for one
    m_collected = QByteArray(1, char(byte));
    m_step = Step::Kv260Frame;
    return {};
}

EmulatedBootloader::Answer EmulatedBootloader::kv260Frame(quint8 byte)
{
    if (m_collected.size() == 1 && byte != kKv260Tag) {
        // The marker was a stray byte; this one may start the real block.
        m_step = Step::Kv260Marker;
        m_collected.clear();
        return kv260Marker(byte);
    }
    m_collected.append(char(byte));
    if (m_collected.size() < kKv260FrameSize)
        return {};
    const quint8 marker = quint8(m_collected.at(0));
    if (xorOf(m_collected.left(kKv260FrameSize - 1)) != quint8(m_collected.back()))
        return nack();
    QByteArray answer;
    answer.append(char(marker)).append(char(kKv260Tag));
    Duration work(0);
    if (marker == kKv260Completion) {
        m_application = true;
        m_startedAt = kKv260ImageBase;
        m_step = Step::Finished;
    } else {
        const quint32 at = kKv260ImageBase + quint32(m_kv260Blocks) * kKv260DataSize;
        if (!inMemory(at, kKv260DataSize))
            return nack();
        if (m_kv260Blocks == 0) {
            // The first block of an update clears the old application.
            eraseFlash();
            work += kMassEraseTime;
        }
        write(at, m_collected.mid(2, kKv260DataSize));
        ++m_kv260Blocks;
        work += programmingTime(kKv260DataSize);
        m_step = Step::Kv260Marker;
    }
    m_collected.clear();
    return {answer, work};
}

void EmulatedBootloader::eraseFlash()
{
    if (!m_memory.isEmpty())
        std::fill(m_memory.begin() + int(kFlashStart - kMemoryStart), m_memory.end(), '\0');
    m_application = false;
}

void EmulatedBootloader::write(quint32 address, const QByteArray &data)
{
    if (m_memory.isEmpty())
        m_memory = QByteArray(int(kMemoryEnd - kMemoryStart), '\0');
    m_memory.replace(int(address - kMemoryStart), int(data.size()), data);
    ++m_writes;
    m_lastAddress = address;
}
