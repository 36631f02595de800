#include "emulator/bootloader.h"
#include "emulator/emulatedsensor.h"
#include "emulator/lineconsole.h"
#include "emulator/memorytransport.h"
#include "emulator/virtualline.h"
#include "link/firmwareexchange.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "memoryline.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace std::chrono_literals;
using Boot = EmulatedBootloader;

// The updates in tst_firmware_e2e use every other byte; no update there is refused.
static_assert(Boot::kNack == Bootloader::kRefusal);

namespace {

constexpr int kWait = 5000; // generous limit for conditions, ms
const QByteArray kAck(1, char(Boot::kAck));
const QByteArray kNack(1, char(Boot::kNack));

QByteArray withXor(QByteArray bytes)
{
    quint8 x = 0;
    for (const char b : qAsConst(bytes))
        x ^= quint8(b);
    return bytes.append(char(x));
}

QByteArray command(quint8 code)
{
    return QByteArray(1, char(code)).append(char(quint8(~code)));
}

QByteArray addressFrame(quint32 address)
{
    return withXor(Frame::bigEndian32(address));
}

QByteArray dataFrame(const QByteArray &data)
{
    return withXor(QByteArray(1, char(data.size() - 1)) + data);
}

QByteArray writeFrames(quint32 address, const QByteArray &data)
{
    return command(Boot::kWriteMemory) + addressFrame(address) + dataFrame(data);
}

QByteArray kv260Frame(quint8 marker, const QByteArray &data)
{
    return withXor(QByteArray(1, char(marker)).append(char(Boot::kKv260Tag)) + data);
}

QByteArray pattern(int size, int seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + seed) | 1); // never the erased 0x00
    return bytes;
}

struct Said {
    QByteArray bytes;
    Boot::Duration work{0};
};

Said feed(Boot &boot, const QByteArray &bytes)
{
    Said said;
    for (const char b : bytes) {
        const Boot::Answer answer = boot.feed(quint8(b));
        said.bytes += answer.bytes;
        said.work += answer.work;
    }
    return said;
}

Boot synced(Boot::Protocol protocol = Boot::Protocol::St)
{
    Boot boot(protocol);
    feed(boot, QByteArray(1, char(Boot::kSync)));
    return boot;
}

// A line in memory, no reply delay; the console acts on it as stdin would.
class Bench : public MemoryLine
{
public:
    explicit Bench(const QStringList &devices) : MemoryLine(devices), console(&line) {}

    bool run(const QString &commandLine) { return console.execute(commandLine).ok; }

    QJsonObject boot(quint8 address) const
    {
        const QJsonArray devices = line.state().value(QStringLiteral("devices")).toArray();
        for (const QJsonValue &device : devices) {
            if (device.toObject().value(QStringLiteral("address")).toInt() == address)
                return device.toObject().value(QStringLiteral("boot")).toObject();
        }
        return {};
    }
    QString mode(quint8 address) const { return boot(address).value(QStringLiteral("mode")).toString(); }

    // Writes bytes as the tool does and waits until the line has said
    // `expected` more. The wait runs an event loop, so the answer is written
    // at its own time, not at the next poll of a QTRY.
    bool exchange(const QByteArray &bytes, const QByteArray &expected)
    {
        const QByteArray before = wire->written();
        QSignalSpy wrote(wire, &MemoryTransport::wrote);
        wire->deliver(bytes);
        while (wire->written().size() < before.size() + expected.size()) {
            if (!wrote.wait(kWait))
                return false;
        }
        return wire->written().mid(before.size()) == expected;
    }

    LineConsole console;
};

} // namespace

class TestBootloader : public QObject
{
    Q_OBJECT

private slots:
    // The bootloader alone, byte by byte.
    void theKnockIsAnsweredAndBytesBeforeItIgnored();
    void eraseAllClearsTheFlashOnly();
    void sectorEraseClearsTheListedSectors();
    void writesReachTheEndOfTheFlashAndNoFurther();
    void refusalsWaitForTheNextCommand_data();
    void refusalsWaitForTheNextCommand();
    void goStartsAtItsAddress();
    void aRestartDropsTheSessionAndKeepsTheMemory();
    void kv260BlocksPassOverNoiseAndRefuseABadXor();

    // Through the line.
    void aPowerCycledSensorTakesTheKnockInItsWindow();
    void afterTheWindowTheApplicationRunsOrTheSensorWaits();
    void autocycleOpensTheWindowAfterTheReset();
    void bootloaderBytesTakeTheirWireTime();
    void faultsReachTheBootloader();
    void consolePowerCycleAndDump();
};

void TestBootloader::theKnockIsAnsweredAndBytesBeforeItIgnored()
{
    for (const auto protocol : {Boot::Protocol::St, Boot::Protocol::Kv260}) {
        Boot boot(protocol);
        // A framed search and stray bytes reach the ROM before the knock.
        QCOMPARE(feed(boot, Frame::searchBroadcast() + command(Boot::kErase)).bytes, QByteArray());
        QVERIFY(!boot.isSynced());
        QCOMPARE(feed(boot, QByteArray(1, char(Boot::kSync))).bytes, kAck);
        QVERIFY(boot.isSynced());
        // A knock that crossed the answer is taken again, not refused.
        QCOMPARE(feed(boot, QByteArray(1, char(Boot::kSync))).bytes, kAck);
    }
}

void TestBootloader::eraseAllClearsTheFlashOnly()
{
    Boot boot = synced();
    QCOMPARE(feed(boot, writeFrames(0x4803, QByteArray(1, '\xAA'))).bytes, kAck + kAck + kAck);
    QCOMPARE(feed(boot, writeFrames(0x27F80, pattern(128, 1))).bytes, kAck + kAck + kAck);
    QVERIFY(boot.hasApplication());
    QCOMPARE(feed(boot, command(Boot::kErase)).bytes, kAck);
    const Said erased = feed(boot, command(Boot::kEraseAll));
    QCOMPARE(erased.bytes, kAck);
    QCOMPARE(erased.work, Boot::kMassEraseTime);
    QVERIFY(!boot.hasApplication());
    QCOMPARE(boot.memory(Boot::kFlashStart, int(Boot::kMemoryEnd - Boot::kFlashStart)),
             QByteArray(int(Boot::kMemoryEnd - Boot::kFlashStart), '\0'));
    QCOMPARE(boot.memory(0x4803, 1), QByteArray(1, '\xAA')); // EEPROM and option bytes stay
}

void TestBootloader::sectorEraseClearsTheListedSectors()
{
    Boot boot = synced();
    const QByteArray data = pattern(128, 3);
    for (const quint32 sector : {0x8000u, 0x8400u, 0x8800u})
        feed(boot, writeFrames(sector, data));

    feed(boot, command(Boot::kErase));
    const Said erased = feed(boot, withXor(QByteArray("\x01\x00\x02", 3)));
    QCOMPARE(erased.bytes, kAck);
    QCOMPARE(erased.work, Boot::kSectorEraseTime * 2);
    QCOMPARE(boot.memory(0x8000, 128), QByteArray(128, '\0'));
    QCOMPARE(boot.memory(0x8400, 128), data);
    QCOMPARE(boot.memory(0x8800, 128), QByteArray(128, '\0'));
    QVERIFY(!boot.hasApplication());
}

void TestBootloader::writesReachTheEndOfTheFlashAndNoFurther()
{
    // Configuration and image writes as the tool makes them are read back
    // from the flash in tst_firmware_e2e; here, 256 bytes in one write
    // ending on the last byte of the flash.
    Boot boot = synced();
    const QByteArray last = pattern(256, 11);
    const Said big = feed(boot, writeFrames(0x27F00, last));
    QCOMPARE(big.bytes, kAck + kAck + kAck);
    QCOMPARE(big.work, Boot::kBlockWriteTime * 2);
    QCOMPARE(boot.memory(0x27F00, 256), last);
    QCOMPARE(boot.writes(), 1);
    QCOMPARE(boot.lastAddress(), std::optional<quint32>(0x27F00));
    // Reads past the memory give nothing.
    QVERIFY(boot.memory(0x3FFF, 2).isEmpty());
    QVERIFY(boot.memory(0x27FFF, 2).isEmpty());
    QCOMPARE(boot.memory(0x27FFF, 1).size(), 1);
}

void TestBootloader::refusalsWaitForTheNextCommand_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("answers");
    const QByteArray three = QByteArray("\x01\x02\x03", 3);
    QTest::newRow("bad complement") << QByteArray("\x31\xCD", 2) << kNack;
    QTest::newRow("unknown command") << command(0x11) << kNack;
    QTest::newRow("address checksum") << command(Boot::kWriteMemory) + QByteArray("\x00\x00\x90\x00\x91", 5)
                                      << kAck + kNack;
    QTest::newRow("address below the memory") << command(Boot::kWriteMemory) + addressFrame(0x3FFF)
                                              << kAck + kNack;
    QTest::newRow("address past the memory") << command(Boot::kWriteMemory) + addressFrame(0x28000)
                                             << kAck + kNack;
    QTest::newRow("data past the memory") << writeFrames(0x27FFE, three) << kAck + kAck + kNack;
    QByteArray badData = writeFrames(0x9000, three);
    badData[badData.size() - 1] = char(badData.back() ^ 0x40);
    QTest::newRow("data checksum") << badData << kAck + kAck + kNack;
    QTest::newRow("go to the EEPROM") << command(Boot::kGo) + addressFrame(0x4000) << kAck + kNack;
    QTest::newRow("go address checksum") << command(Boot::kGo) + QByteArray("\x00\x00\x90\x00\x00", 5)
                                         << kAck + kNack;
    // Erase all: 0xFF must come with its complement 0x00.
    QTest::newRow("erase all complement") << command(Boot::kErase) + QByteArray("\xFF\x01", 2) << kAck + kNack;
    QTest::newRow("sector past the flash") << command(Boot::kErase) + withXor(QByteArray("\x00\x80", 2))
                                           << kAck + kNack;
    QTest::newRow("sector list checksum") << command(Boot::kErase) + QByteArray("\x01\x00\x02\x00", 4)
                                          << kAck + kNack;
}

void TestBootloader::refusalsWaitForTheNextCommand()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, answers);
    Boot boot = synced();
    const QByteArray sector = pattern(128, 3); // what a wrong erase would clear
    feed(boot, writeFrames(0x8000, sector));
    QCOMPARE(feed(boot, bytes).bytes, answers);
    QCOMPARE(boot.writes(), 1);
    QVERIFY(!boot.isFinished());
    QCOMPARE(boot.quietLimit(), std::nullopt);
    QCOMPARE(boot.memory(0x8000, 128), sector);
    QCOMPARE(boot.memory(0x27FFE, 2), QByteArray(2, '\0'));
    QCOMPARE(boot.memory(0x9000, 3), QByteArray(3, '\0'));

    // The very next command is taken: the tool resends the frame after 0x1F.
    QCOMPARE(feed(boot, writeFrames(0x4803, QByteArray(1, '\x5A'))).bytes, kAck + kAck + kAck);
    QCOMPARE(boot.memory(0x4803, 1), QByteArray(1, '\x5A'));
}

// Go without an address, as the tool sends it, ends every update in tst_firmware_e2e.
void TestBootloader::goStartsAtItsAddress()
{
    Boot boot = synced();
    QCOMPARE(feed(boot, command(Boot::kGo) + addressFrame(0x9000)).bytes, kAck + kAck);
    QVERIFY(boot.isFinished());
    QCOMPARE(boot.startAddress(), std::optional<quint32>(0x9000));
    QCOMPARE(boot.quietLimit(), std::nullopt);
    // Nothing more is heard from the finished session.
    QCOMPARE(feed(boot, QByteArray(1, char(Boot::kSync))).bytes, QByteArray());
}

void TestBootloader::aRestartDropsTheSessionAndKeepsTheMemory()
{
    Boot boot = synced();
    feed(boot, writeFrames(0x9000, pattern(128, 2)));
    // Cut in the middle of a write: the half-sent address is forgotten.
    feed(boot, command(Boot::kWriteMemory) + QByteArray("\x00\x00", 2));
    boot.restart();
    QVERIFY(!boot.isSynced());
    QCOMPARE(feed(boot, QByteArray("\x90\x00\x90", 3)).bytes, QByteArray());
    QCOMPARE(feed(boot, QByteArray(1, char(Boot::kSync))).bytes, kAck);
    QCOMPARE(feed(boot, writeFrames(0x9080, pattern(128, 4))).bytes, kAck + kAck + kAck);
    QCOMPARE(boot.memory(0x9000, 256), pattern(128, 2) + pattern(128, 4));
}

void TestBootloader::kv260BlocksPassOverNoiseAndRefuseABadXor()
{
    const QByteArray answer = QByteArray(1, char(Boot::kKv260Block)).append(char(Boot::kKv260Tag));
    Boot boot = synced(Boot::Protocol::Kv260);
    QCOMPARE(feed(boot, kv260Frame(Boot::kKv260Block, pattern(64, 1))).bytes, answer);
    // A block with a wrong XOR is refused and takes no place in the image.
    QByteArray bad = kv260Frame(Boot::kKv260Block, pattern(64, 2));
    bad[10] = char(bad.at(10) ^ 0x08);
    QCOMPARE(feed(boot, bad).bytes, kNack);
    // Stray bytes before a block, and a marker not followed by the tag, are passed over.
    QCOMPARE(feed(boot, QByteArray("\x00\x33\xA5\x11", 4) + kv260Frame(Boot::kKv260Block, pattern(64, 2))).bytes,
             answer);
    QCOMPARE(boot.memory(Boot::kKv260ImageBase, 128), pattern(64, 1) + pattern(64, 2));
    QCOMPARE(boot.writes(), 2);

    // ST commands mean nothing to it.
    Boot other = synced(Boot::Protocol::Kv260);
    QCOMPARE(feed(other, command(Boot::kErase) + command(Boot::kEraseAll)).bytes, QByteArray());
    QVERIFY(other.hasApplication());
}

void TestBootloader::aPowerCycledSensorTakesTheKnockInItsWindow()
{
    Bench bench({QStringLiteral("kv510@1"), QStringLiteral("fls@2")});
    bench.wire->deliver(Frame::writeRequest(1, Protocol::Command::Reset));
    QCOMPARE(bench.mode(1), QStringLiteral("restarting"));
    QVERIFY(bench.run(QStringLiteral("power-cycle 1")));
    QCOMPARE(bench.mode(1), QStringLiteral("window"));
    QCOMPARE(bench.mode(2), QStringLiteral("running"));

    // While the window is open the line's bytes are the ROM's: no device answers frames.
    bench.wire->deliver(Frame::searchBroadcast());
    bench.wire->deliver(Frame::request(2, Protocol::Command::ReadIdentification));
    QTest::qWait(60);
    QCOMPARE(bench.wire->written(), QByteArray());

    QVERIFY(bench.exchange(QByteArray(1, char(Boot::kSync)), kAck));
    QCOMPARE(bench.mode(1), QStringLiteral("bootloader"));
    QVERIFY(bench.exchange(command(Boot::kErase), kAck));
}

void TestBootloader::afterTheWindowTheApplicationRunsOrTheSensorWaits()
{
    Bench bench({QStringLiteral("kv510@1"), QStringLiteral("fls@2")});
    // Sensor 2 loses its application, and the update goes no further.
    QVERIFY(bench.run(QStringLiteral("power-cycle 2")));
    QVERIFY(bench.exchange(QByteArray(1, char(Boot::kSync)), kAck));
    QVERIFY(bench.exchange(command(Boot::kErase), kAck));
    QVERIFY(bench.exchange(command(Boot::kEraseAll), kAck));
    QVERIFY(!bench.boot(2).value(QStringLiteral("application")).toBool());

    QVERIFY(bench.run(QStringLiteral("power-cycle 1")));
    QVERIFY(bench.run(QStringLiteral("power-cycle 2")));
    QTest::qWait(int(EmulatedSensor::kBootWindow.count()) + 100);
    QCOMPARE(bench.mode(1), QStringLiteral("running"));
    QCOMPARE(bench.mode(2), QStringLiteral("waiting"));

    // Sensor 1 answers frames again, sensor 2 none; it still takes a knock.
    QVERIFY(bench.exchange(Frame::searchBroadcast(), QByteArray(1, '\x01')));
    QVERIFY(bench.exchange(QByteArray(1, char(Boot::kSync)), kAck));
    QCOMPARE(bench.mode(2), QStringLiteral("bootloader"));
    QCOMPARE(bench.mode(1), QStringLiteral("running"));
}

void TestBootloader::autocycleOpensTheWindowAfterTheReset()
{
    Bench bench({QStringLiteral("kv260@3:autocycle=150")});
    const qint64 reset = bench.wire->elapsedMs();
    bench.wire->deliver(Frame::writeRequest(3, Protocol::Command::Reset));
    // The tool knocks every 20 ms until it is answered.
    QTimer knock;
    QObject::connect(&knock, &QTimer::timeout, &knock,
                     [&bench] { bench.wire->deliver(QByteArray(1, char(Boot::kSync))); });
    knock.start(20);
    QTRY_VERIFY_WITH_TIMEOUT(!bench.wire->writes().isEmpty(), kWait);
    knock.stop();
    QCOMPARE(bench.wire->writes().first(), kAck);
    QVERIFY2(bench.wire->writeTimesMs().first() - reset >= 150,
             qPrintable(QString::number(bench.wire->writeTimesMs().first() - reset)));
    QCOMPARE(bench.mode(3), QStringLiteral("bootloader"));
}

void TestBootloader::bootloaderBytesTakeTheirWireTime()
{
    Bench bench({QStringLiteral("kv510@1")});
    QVERIFY(bench.run(QStringLiteral("power-cycle")));
    QVERIFY(bench.exchange(QByteArray(1, char(Boot::kSync)), kAck));
    QVERIFY(bench.exchange(command(Boot::kWriteMemory) + addressFrame(0x9000).left(2), kAck));
    QVERIFY(bench.exchange(addressFrame(0x9000).mid(2), kAck));

    // 130 bytes at 19200 baud take 68 ms; the answer comes after the programming.
    const QByteArray data = pattern(128, 8);
    const QByteArray frame = dataFrame(data);
    QCOMPARE(frame.size(), 130);
    const qint64 sent = bench.wire->elapsedMs();
    QVERIFY(bench.exchange(frame, kAck));
    const qint64 took = bench.wire->writeTimesMs().last() - sent;
    QVERIFY2(took >= 67 + Boot::kBlockWriteTime.count() && took < 1000, qPrintable(QString::number(took)));
    QCOMPARE(bench.line.sensor(1)->memory(0x9000, 128), data);

    // Writes made at once queue on the wire: a frame in two writes is in only
    // when both have come off it.
    bench.wire->deliver(command(Boot::kWriteMemory));
    QVERIFY(bench.exchange(addressFrame(0x9080), kAck + kAck));
    const QByteArray next = dataFrame(pattern(128, 10));
    const qint64 split = bench.wire->elapsedMs();
    bench.wire->deliver(next.left(100));
    QVERIFY(bench.exchange(next.mid(100), kAck));
    const qint64 splitTook = bench.wire->writeTimesMs().last() - split;
    QVERIFY2(splitTook >= 67 + Boot::kBlockWriteTime.count(), qPrintable(QString::number(splitTook)));
    QCOMPARE(bench.boot(1).value(QStringLiteral("lastAddress")).toInt(), 0x9080);
}

void TestBootloader::faultsReachTheBootloader()
{
    Bench bench({QStringLiteral("kv510@1")});
    QVERIFY(bench.run(QStringLiteral("power-cycle 1")));
    // A dropped answer: the sensor heard the knock all the same.
    QVERIFY(bench.run(QStringLiteral("drop 1")));
    bench.wire->deliver(QByteArray(1, char(Boot::kSync)));
    QTest::qWait(30);
    QCOMPARE(bench.wire->written(), QByteArray());
    QCOMPARE(bench.mode(1), QStringLiteral("bootloader"));

    // Behind a converter the answer comes in its burst.
    QVERIFY(bench.run(QStringLiteral("drop 0")));
    QVERIFY(bench.run(QStringLiteral("chunk 16")));
    QVERIFY(bench.exchange(command(Boot::kErase), kAck));

    // A silent line carries nothing to the sensor.
    bench.line.goSilent();
    bench.wire->deliver(command(Boot::kEraseAll));
    QTest::qWait(100);
    QCOMPARE(bench.wire->written(), kAck);
    QVERIFY(bench.boot(1).value(QStringLiteral("application")).toBool());
    bench.line.resume();
    QVERIFY(bench.exchange(command(Boot::kEraseAll), kAck));
    QVERIFY(!bench.boot(1).value(QStringLiteral("application")).toBool());
}

void TestBootloader::consolePowerCycleAndDump()
{
    Bench bench({QStringLiteral("tag@1"), QStringLiteral("kv510@4"), QStringLiteral("fls@6")});
    QVERIFY(!bench.run(QStringLiteral("power-cycle 1"))); // a tag reader has no such ROM
    QVERIFY(!bench.run(QStringLiteral("power-cycle 9")));
    QVERIFY(!bench.run(QStringLiteral("power-cycle 4 6")));
    QVERIFY(bench.run(QStringLiteral("power-cycle"))); // the first wired sensor
    QCOMPARE(bench.mode(4), QStringLiteral("window"));
    QCOMPARE(bench.mode(6), QStringLiteral("running"));

    const QByteArray data = pattern(128, 6);
    QVERIFY(bench.exchange(QByteArray(1, char(Boot::kSync)), kAck));
    QVERIFY(bench.exchange(command(Boot::kWriteMemory), kAck));
    QVERIFY(bench.exchange(addressFrame(0x27F80), kAck));
    QVERIFY(bench.exchange(dataFrame(data), kAck));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("flash.bin"));
    QVERIFY(bench.run(QStringLiteral("dump 4 0x27F7F 129 %1").arg(path)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(1, '\0') + data);
    file.close();
    QVERIFY(bench.run(QStringLiteral("dump 4 %1 1 %2").arg(0x4000).arg(path)));
    QCOMPARE(QFileInfo(path).size(), 1);

    QVERIFY(!bench.run(QStringLiteral("dump 4 0x27F80 129 %1").arg(path))); // past the flash
    QVERIFY(!bench.run(QStringLiteral("dump 4 0x3FFF 1 %1").arg(path)));
    QVERIFY(!bench.run(QStringLiteral("dump 4 0x9000 0 %1").arg(path)));
    QVERIFY(!bench.run(QStringLiteral("dump 1 0x9000 1 %1").arg(path)));  // not a wired sensor
    QVERIFY(!bench.run(QStringLiteral("dump 4 0x9000 1")));               // no file
    QVERIFY(!bench.run(QStringLiteral("dump 4 0x9000 1 %1").arg(dir.filePath(QStringLiteral("no/such/dir")))));
}

QTEST_GUILESS_MAIN(TestBootloader)
#include "tst_bootloader.moc"
