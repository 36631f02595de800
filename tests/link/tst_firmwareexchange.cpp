#include "link/firmwareexchange.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(char(v));
    return out;
}

// The bootloader's checksum: every frame's last byte is the XOR of the others.
QByteArray closed(const QByteArray &body)
{
    int x = 0;
    for (const char c : body)
        x ^= quint8(c);
    return body + char(x);
}

QByteArray patterned(int size, int seed)
{
    QByteArray out;
    for (int i = 0; i < size; ++i)
        out.append(char((i * 7 + seed) & 0xFF));
    return out;
}

FirmwareModel model(const char *path)
{
    const auto found = FirmwareModel::forPath(QString::fromLatin1(path), std::nullopt);
    Q_ASSERT(found);
    return *found;
}

// Drives an exchange, answering each frame the way the test says.
struct Bench
{
    FirmwareExchange exchange;
    QSignalSpy frames{&exchange, &FirmwareExchange::writeRequested};
    QSignalSpy progress{&exchange, &FirmwareExchange::progressChanged};
    QSignalSpy done{&exchange, &FirmwareExchange::finished};

    QByteArray frame(int i) const { return frames.at(i).at(0).toByteArray(); }
    QByteArray last() const { return frame(frames.size() - 1); }
    // Acknowledges until the exchange ends; returns every frame sent.
    QList<QByteArray> ackAll(const QByteArray &ack = bytes({0x79}))
    {
        for (int guard = 0; guard < 1000 && done.isEmpty(); ++guard)
            exchange.receive(ack);
        QList<QByteArray> all;
        for (int i = 0; i < frames.size(); ++i)
            all << frame(i);
        return all;
    }
};

// What the sensor must see for a bootloader-mode file, built from the bytes
// the protocol defines rather than from the exchange's own tables.
QList<QByteArray> expectedFrames(const QByteArray &file, quint32 start, int imageStart)
{
    QList<QByteArray> out = {bytes({0x7F}), bytes({0x43, 0xBC}), bytes({0xFF, 0x00})};
    for (int i = 0; i < 4; ++i) {
        out << bytes({0x31, 0xCE}) << closed(bytes({0x00, 0x00, 0x48, 0x03 + 2 * i}))
            << closed(bytes({0x00, quint8(file.at(19 + i))}));
    }
    QByteArray image = file.mid(imageStart);
    const int blocks = image.size() / 128 + 1; // a whole last block adds one of zeros
    image.append(QByteArray(blocks * 128 - image.size(), '\0'));
    for (int b = 0; b < blocks; ++b) {
        const quint32 a = start + quint32(b) * 128;
        out << bytes({0x31, 0xCE})
            << closed(bytes({int(a >> 24), int(a >> 16) & 0xFF, int(a >> 8) & 0xFF, int(a & 0xFF)}))
            << closed(bytes({0x7F}) + image.mid(b * 128, 128));
    }
    out << bytes({0x21, 0xDE});
    return out;
}

} // namespace

class TestFirmwareExchange : public QObject
{
    Q_OBJECT
private slots:
    void modelFromPath()
    {
        const struct { const char *path; quint32 start; int imageStart, headerBlocks; } cases[] = {
            {"/fw/KV210_v3.cri", 0x8A00, 0x4A40, 1}, {"C:/KV510/app.bin", 0x9000, 0x5040, 8},
            {"/x/KV610.cri", 0x4000, 64, 0}, {"/x/KVL300.bin", 0x4000, 64, 0},
            // The folder counts as much as the file name; KV210 is looked for first.
            {"/KV510/KV210.cri", 0x8A00, 0x4A40, 1}};
        for (const auto &c : cases) {
            const FirmwareModel m = model(c.path);
            QVERIFY2(m.startAddress == c.start && m.imageStart == c.imageStart
                         && m.headerBlocks == c.headerBlocks,
                     c.path);
        }
        const FirmwareModel kv210 = model("/fw/KV210_v3.cri");
        QCOMPARE(kv210.pollInterval, 50ms);
        QCOMPARE(kv210.parseInterval, 10ms);
        QVERIFY(!kv210.kv260);
        QCOMPARE(model("C:/KV510/app.bin").pollInterval, 120ms);
        QCOMPARE(model("C:/KV510/app.bin").parseInterval, 40ms);
        QVERIFY(model("/x/KV260.bin").kv260);

        // A path naming no model is refused in a fresh run (the search is
        // case-sensitive), keeps an earlier update's addresses, and is
        // refused when only a KV260 update came before.
        QVERIFY(!FirmwareModel::forPath(QStringLiteral("/x/kv210.cri"), std::nullopt));
        const auto kept = FirmwareModel::forPath(QStringLiteral("/x/new.cri"), kv210);
        QVERIFY(kept);
        QCOMPARE(kept->startAddress, quint32(0x8A00));
        QCOMPARE(kept->imageStart, 0x4A40);
        QCOMPARE(kept->headerBlocks, 1);
        QCOMPARE(kept->pollInterval, 120ms);
        QCOMPARE(kept->parseInterval, 40ms);
        QVERIFY(!FirmwareModel::forPath(QStringLiteral("/x/new.cri"), model("/KV260.bin")));
    }

    void bootloaderExchangeFrameByFrame_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("imageSize");
        QTest::newRow("padded last block") << QByteArray("/KV610.cri") << 200;
        QTest::newRow("exact multiple ends with a zero block") << QByteArray("/KV610.cri") << 256;
        QTest::newRow("image after the skipped area") << QByteArray("/KV210.cri") << 130;
    }
    void bootloaderExchangeFrameByFrame()
    {
        QFETCH(QByteArray, path);
        QFETCH(int, imageSize);
        const FirmwareModel m = model(path.constData());
        const QByteArray file = patterned(m.imageStart + imageSize, 3);
        Bench bench;
        QVERIFY(bench.exchange.start(file, m));
        const QList<QByteArray> sent = bench.ackAll();
        const QList<QByteArray> expected = expectedFrames(file, m.startAddress, m.imageStart);
        QCOMPARE(sent.size(), expected.size());
        for (int i = 0; i < sent.size(); ++i)
            QCOMPARE(sent.at(i).toHex(' '), expected.at(i).toHex(' '));
        QCOMPARE(bench.done.size(), 1);
        QCOMPARE(bench.done.first().at(0).toBool(), true);
        QCOMPARE(bench.done.first().at(1).toString(), QStringLiteral("Прошивка успешно обновлена"));
        QVERIFY(!bench.exchange.isRunning());

        // Progress: 0 at the start, one per frame of the erase and
        // configuration steps but the last data byte, one per image block.
        const int blocks = imageSize / 128 + 1;
        const int maximum = imageSize / 128 + m.headerBlocks + 20;
        QCOMPARE(bench.progress.first().at(0).toInt(), 0);
        QCOMPARE(bench.progress.size(), 1 + 13 + blocks);
        for (int i = 0; i < bench.progress.size(); ++i) {
            QCOMPARE(bench.progress.at(i).at(0).toInt(), i);
            QCOMPARE(bench.progress.at(i).at(1).toInt(), maximum);
        }
    }

    void kv260BlocksAndAnswers()
    {
        const QByteArray file = patterned(128, 9); // exact multiple: a zero block follows
        Bench bench;
        QVERIFY(bench.exchange.start(file, model("/KV260.bin")));
        QCOMPARE(bench.progress.first().at(1).toInt(), 3); // two blocks and the zero block
        bench.exchange.receive(bytes({0x79}));
        QCOMPARE(bench.last().toHex(), closed(bytes({0xA5, 0x70}) + file.left(64)).toHex());
        // Both answers carry on: the plain acknowledgement and marker + 'p'.
        bench.exchange.receive(bytes({0xA5}));
        QCOMPARE(bench.frames.size(), 2); // half an answer is no answer
        bench.exchange.receive(bytes({0x70}));
        QCOMPARE(bench.last().toHex(), closed(bytes({0xA5, 0x70}) + file.mid(64)).toHex());
        bench.exchange.receive(bytes({0x79}));
        QCOMPARE(bench.last().toHex(),
                 closed(bytes({0xA5, 0x70}) + QByteArray(64, '\0')).toHex());
        bench.exchange.receive(bytes({0xA5, 0x70}));
        const QByteArray completion = closed(bytes({0xD2, 0x70}) + QByteArray(64, '\0'));
        QCOMPARE(bench.last().toHex(), completion.toHex());
        QCOMPARE(bench.frames.size(), 5);
        // Only the completion answer ends the update.
        bench.exchange.receive(bytes({0x79, 0xA5, 0x70, 0x70}));
        QVERIFY(bench.done.isEmpty());
        bench.exchange.receive(bytes({0xD2, 0x70}));
        QCOMPARE(bench.done.size(), 1);
        QVERIFY(bench.done.first().at(0).toBool());
        QCOMPARE(bench.frames.size(), 5);
        QCOMPARE(bench.progress.last().at(0).toInt(), 3);
    }

    void knockingKeepsThePollPaceWithoutDeadline()
    {
        FirmwareModel m = model("/KV610.cri");
        m.pollInterval = 20ms;
        Bench bench;
        QVERIFY(bench.exchange.start(patterned(300, 1), m));
        QCOMPARE(bench.frames.size(), 1); // the first knock goes out at once
        QTRY_VERIFY(bench.frames.size() >= 4);
        // Refusals and noise do not wake the bootloader.
        bench.exchange.receive(bytes({0x1F, 0x00, 0x7F}));
        for (int i = 0; i < bench.frames.size(); ++i)
            QCOMPARE(bench.frame(i), bytes({0x7F}));
        QVERIFY(bench.done.isEmpty());
        // One answer to several knocks in one read moves on once.
        QSignalSpy answered(&bench.exchange, &FirmwareExchange::sensorAnswered);
        bench.exchange.receive(bytes({0x79, 0x79, 0x79}));
        QCOMPARE(answered.size(), 1);
        const int count = bench.frames.size();
        QCOMPARE(bench.last(), bytes({0x43, 0xBC}));
        QTest::qWait(80);
        QCOMPARE(bench.frames.size(), count); // no more knocks once answered
    }

    void refusalResendsAndSilenceFails()
    {
        FirmwareModel m = model("/KV610.cri");
        Bench bench;
        QVERIFY(bench.exchange.start(patterned(64 + 300, 5), m));
        // Up to the first data block.
        while (bench.last().size() != 130)
            bench.exchange.receive(bytes({0x79}));
        const QByteArray block = bench.last();
        const int count = bench.frames.size();
        bench.exchange.receive(bytes({0x1F}));
        QCOMPARE(bench.frames.size(), count + 1);
        QCOMPARE(bench.last(), block); // same bytes, same address still ahead
        bench.exchange.receive(bytes({0x79, 0x79}));
        QCOMPARE(bench.last(), bytes({0x31, 0xCE}));
        bench.exchange.receive(bytes({0x79}));
        QCOMPARE(bench.last(), closed(bytes({0x00, 0x00, 0x40, 0x80})));

        // Refusals do not count as answers: 3000 ms after the last
        // acknowledgement the update fails and nothing more is sent.
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(1000);
        bench.exchange.receive(bytes({0x1F}));
        QTRY_COMPARE_WITH_TIMEOUT(bench.done.size(), 1, 4000);
        QVERIFY2(clock.elapsed() >= 2900 && clock.elapsed() < 3700,
                 qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(bench.done.first().at(0).toBool(), false);
        QCOMPARE(bench.done.first().at(1).toString(), QStringLiteral("Прошивка не обновлена"));
        const int after = bench.frames.size();
        bench.exchange.receive(bytes({0x79}));
        QCOMPARE(bench.frames.size(), after);
    }

    void unusableFilesAreRefusedBeforeSending()
    {
        Bench bench;
        QVERIFY(!bench.exchange.start(patterned(64, 0), model("/KV610.cri"))); // no image
        QVERIFY(!bench.exchange.start(QByteArray(), model("/KV260.bin")));
        QCOMPARE(bench.frames.size(), 0);
        QCOMPARE(bench.done.size(), 2);
        QCOMPARE(bench.done.first().at(0).toBool(), false);
        QVERIFY(!bench.exchange.isRunning());
    }
};

QTEST_GUILESS_MAIN(TestFirmwareExchange)
#include "tst_firmwareexchange.moc"
