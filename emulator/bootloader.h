#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <chrono>
#include <optional>

// The ROM bootloader of a wired sensor, byte by byte: what the sensor does
// with each byte the tool sends once it has been power-cycled, and what it
// answers. It keeps the sensor's memory (data EEPROM, option bytes and
// program flash of its STM8) and knows nothing of time: each answer says how
// long the work before it takes, and the caller puts it on the line after
// that.
//
// Two protocols:
// - ST system memory (every model but KV260): each command is a byte and
//   its complement, answered ACK 0x79 or NACK 0x1F; erase (all, or a list of
//   1 KiB flash sectors), write memory (address, then up to 256 bytes), go
//   (with an address, or none: the application then starts at its reset
//   vector once the line has stayed quiet for kGoAddressWait).
// - KV260 blocks: 0xA5 0x70, 64 data bytes, XOR of the 66 before; each block
//   goes to the next 64 bytes from kKv260ImageBase and is answered 0xA5 0x70;
//   0xD2 0x70 + 64 bytes + XOR closes the update and starts the application.
// Both begin with the knock 0x7F, answered 0x79; bytes before it are ignored.
class EmulatedBootloader
{
public:
    using Duration = std::chrono::milliseconds;

    static constexpr quint32 kMemoryStart = 0x4000;    // data EEPROM
    static constexpr quint32 kOptionBytes = 0x4800;    // option bytes, then the ROM gap
    static constexpr quint32 kFlashStart = 0x8000;     // program flash, reset vector first
    static constexpr quint32 kMemoryEnd = 0x28000;     // one past the last flash byte
    static constexpr quint32 kResetVector = kFlashStart;
    static constexpr quint32 kKv260ImageBase = 0x8000; // first KV260 block goes here
    static constexpr int kSectorSize = 1024;           // erase unit of the flash
    static constexpr int kSectorCount = int(kMemoryEnd - kFlashStart) / kSectorSize;
    static constexpr int kProgramBlock = 128;          // bytes the flash programs at once
    static constexpr int kKv260DataSize = 64;          // data bytes of one KV260 block

    static constexpr Duration kBlockWriteTime{3};    // programming one 128-byte block
    static constexpr Duration kMassEraseTime{60};    // global erase of the program flash
    static constexpr Duration kSectorEraseTime{4};   // one 1 KiB sector
    static constexpr Duration kGoAddressWait{50};    // go: quiet this long means no address

    static constexpr quint8 kSync = 0x7F;        // the knock
    static constexpr quint8 kAck = 0x79;         // accepted
    static constexpr quint8 kNack = 0x1F;        // refused
    static constexpr quint8 kErase = 0x43;       // erase memory, complement 0xBC
    static constexpr quint8 kEraseAll = 0xFF;    // erase: every sector, complement 0x00
    static constexpr quint8 kWriteMemory = 0x31; // write memory, complement 0xCE
    static constexpr quint8 kGo = 0x21;          // go, complement 0xDE
    static constexpr quint8 kKv260Block = 0xA5;      // KV260 data block and its answer
    static constexpr quint8 kKv260Completion = 0xD2; // KV260 closing block and its answer
    static constexpr quint8 kKv260Tag = 0x70;        // second byte of KV260 blocks and answers

    struct Answer {
        QByteArray bytes; // empty: nothing is said
        Duration work{0}; // erasing or programming before the answer leaves
    };

    enum class Protocol { St, Kv260 };

    explicit EmulatedBootloader(Protocol protocol);

    Protocol protocol() const { return m_protocol; }

    // The sensor has been power-cycled: the session starts over, waiting for
    // the knock. The memory stays.
    void restart();
    Answer feed(quint8 byte);

    // The knock was taken: the bootloader is talking to the tool.
    bool isSynced() const { return m_step != Step::Unsynced; }
    // The application has been started: the session is over.
    bool isFinished() const { return m_step == Step::Finished; }
    // Go came without an address so far: after this long without a byte the
    // application starts (quietElapsed()).
    std::optional<Duration> quietLimit() const;
    void quietElapsed();

    // Program flash holds a complete application (false between an erase or
    // the first KV260 block and the go or completion).
    bool hasApplication() const { return m_application; }
    int writes() const { return m_writes; }              // data writes taken
    std::optional<quint32> lastAddress() const { return m_lastAddress; }
    std::optional<quint32> startAddress() const { return m_startedAt; } // of the last go

    // The bytes at start..start+length-1; empty unless all of them are memory.
    QByteArray memory(quint32 start, int length) const;
    static bool inMemory(quint32 start, qint64 length);

private:
    enum class Step {
        Unsynced,
        Command,       // a command byte, or a repeated knock
        Complement,    // the command's complement
        EraseCount,    // 0xFF, or N for N+1 sector codes
        EraseAllCheck, // 0x00 after 0xFF
        EraseSectors,  // N+1 codes, then their checksum
        Address,       // 4 bytes and their XOR, for write memory or go
        GoWait,        // go acknowledged: an address may follow
        WriteCount,    // N: N+1 data bytes follow
        WriteData,     // the data, then the checksum
        Kv260Marker,   // 0xA5 or 0xD2
        Kv260Frame,    // the tag, the data and the XOR
        Finished,
    };

    Answer ack(Duration work = Duration(0));
    Answer nack();
    Answer command(quint8 byte);
    Answer complement(quint8 byte);
    Answer eraseCount(quint8 byte);
    Answer eraseSectors(quint8 byte);
    Answer address(quint8 byte);
    Answer writeData(quint8 byte);
    Answer kv260Marker(quint8 byte);
    Answer kv260Frame(quint8 byte);
    void eraseFlash();
    void write(quint32 address, const QByteArray &data);
    static quint8 xorOf(const QByteArray &bytes);

    Protocol m_protocol;
    QByteArray m_memory; // kMemoryStart..kMemoryEnd, erased 0x00; empty until first written
    Step m_step = Step::Unsynced;
    quint8 m_command = 0;    // the command whose bytes are coming in
    QByteArray m_collected;  // bytes of the part being received
    int m_expected = 0;      // bytes that part has in all
    quint32 m_address = 0;   // of the write memory being received
    int m_kv260Blocks = 0;   // blocks written in this KV260 session
    bool m_application = true;
    int m_writes = 0;
    std::optional<quint32> m_lastAddress;
    std::optional<quint32> m_startedAt;
};
