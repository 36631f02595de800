#include "emulator/emulatedsensor.h"
#include "emulator/lineconsole.h"
#include "emulator/memorytransport.h"
#include "emulator/virtualline.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "memoryline.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

namespace {

constexpr int kWait = 5000; // generous limit for conditions, ms

// A line with sensors on a wire in memory, no reply delay unless a test sets one.
class Bench : public MemoryLine
{
public:
    explicit Bench(const QStringList &devices, quint32 seed = 1) : MemoryLine(devices, seed), console(&line) {}

    // A console command, as typed on stdin; the faults are set this way.
    bool run(const QString &command) { return console.execute(command).ok; }

    // What a sensor would answer, computed on a twin so the line's sensor is untouched.
    static QByteArray identification(quint8 address)
    {
        const auto config = DeviceConfig::parse(QStringLiteral("fls@%1").arg(address));
        EmulatedSensor twin(*config, 0);
        return twin.handle(Frame::request(address, Cmd::ReadIdentification)).reply;
    }

    LineConsole console;
};

} // namespace

class TestVirtualLine : public QObject
{
    Q_OBJECT

private slots:
    void searchAndWholeRequestsToAPresentSensorAreAnswered();
    void aFalseStartIsGivenUpAfterAQuietPause();
    void repliesTakeTheDelayAndTheLineTime();
    void aResetSensorIsDeafWhileItRestarts();
    void droppedRepliesNeverComeAndDropRateIsAShare();
    void corruptionWrongAddressAndGarbageShapeTheReply();
    void splitRepliesComeInTwoWritesApart();
    void throughAConverterRepliesComeInBursts();
    void theConverterKeepsTheSensorsPause();
    void timedSilenceEndsByItself();
    void repliesSentAreCountedInTheState();
    void consoleSetsTheSensors();
    void consoleRefusesBadCommands_data();
    void consoleRefusesBadCommands();
};

void TestVirtualLine::searchAndWholeRequestsToAPresentSensorAreAnswered()
{
    Bench bench({QStringLiteral("fls@7"), QStringLiteral("fls@2"), QStringLiteral("fls@5")});
    // The search is answered with every address, lowest first, in one write.
    bench.wire->deliver(Frame::searchBroadcast());
    const QByteArray request = Frame::request(2, Cmd::ReadIdentification);
    QByteArray badCrc = Frame::request(1, Cmd::ReadIdentification);
    badCrc[3] = char(badCrc.at(3) ^ 0x01);
    bench.wire->deliver(Frame::request(3, Cmd::ReadIdentification)); // nobody there
    bench.wire->deliver(badCrc);
    // Noise, then a request in pieces and one whole.
    bench.wire->deliver(QByteArray("\x00\x31\x7F", 3) + request.left(2));
    bench.wire->deliver(request.mid(2) + request);
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->written().size(), 3 + 2 * Bench::identification(2).size(), kWait);
    QCOMPARE(bench.wire->writes().first(), QByteArray("\x02\x05\x07", 3));
    QCOMPARE(bench.wire->written().mid(3), Bench::identification(2) + Bench::identification(2));
}

void TestVirtualLine::aFalseStartIsGivenUpAfterAQuietPause()
{
    Bench bench({QStringLiteral("fls@1")});
    const qint64 sent = bench.wire->elapsedMs();
    // "31 01 F1" announces an 87-byte table write that never comes.
    bench.wire->deliver(QByteArray("\x31\x01\xF1", 3) + Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->written(), Bench::identification(1), kWait);
    QVERIFY(bench.wire->writeTimesMs().first() - sent >= 100);
}

void TestVirtualLine::repliesTakeTheDelayAndTheLineTime()
{
    Bench bench({QStringLiteral("fls@1"), QStringLiteral("fls@2")});
    bench.line.setReplyDelay(40ms);
    const qint64 sent = bench.wire->elapsedMs();
    bench.wire->deliver(Frame::request(1, Cmd::ReadSettings) + Frame::request(2, Cmd::ReadSettings));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 2, kWait);
    // 25 bytes at 19200 baud take 13 ms; the second reply waits for the first.
    QVERIFY(bench.wire->writeTimesMs().at(0) - sent >= 40 + 13);
    QVERIFY(bench.wire->writeTimesMs().at(1) - sent >= 40 + 2 * 13);
    QCOMPARE(quint8(bench.wire->writes().at(0).at(1)), quint8(1));
    QCOMPARE(quint8(bench.wire->writes().at(1).at(1)), quint8(2));
}

void TestVirtualLine::aResetSensorIsDeafWhileItRestarts()
{
    Bench bench({QStringLiteral("fls@1"), QStringLiteral("fls@2")});
    bench.wire->deliver(Frame::writeRequest(1, Cmd::Reset));
    bench.wire->deliver(Frame::searchBroadcast());
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    bench.wire->deliver(Frame::request(2, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 2, kWait);
    QCOMPARE(bench.wire->writes().at(0), QByteArray(1, '\x02'));
    QCOMPARE(bench.wire->writes().at(1), Bench::identification(2));

    // After the reboot it answers the search again, polled as the tool polls.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&bench] { bench.wire->deliver(Frame::searchBroadcast()); });
    poll.start(20);
    QTRY_VERIFY_WITH_TIMEOUT(bench.wire->writes().contains(QByteArray("\x01\x02", 2)), kWait);
}

void TestVirtualLine::droppedRepliesNeverComeAndDropRateIsAShare()
{
    Bench bench({QStringLiteral("fls@1")}, 7);
    QVERIFY(bench.run(QStringLiteral("drop 1")));
    bench.wire->deliver(Frame::searchBroadcast() + Frame::request(1, Cmd::ReadSettings));
    QVERIFY(bench.run(QStringLiteral("drop 0.5")));
    QByteArray many;
    for (int i = 0; i < 40; ++i)
        many += Frame::request(1, Cmd::ReadIdentification);
    bench.wire->deliver(many);

    QVERIFY(bench.run(QStringLiteral("drop 0")));
    bench.wire->deliver(Frame::request(1, Cmd::ReadTable)); // the last word on the line
    QTRY_VERIFY_WITH_TIMEOUT(!bench.wire->writes().isEmpty()
                                 && quint8(bench.wire->writes().last().at(2)) == Cmd::ReadTable,
                             kWait);
    const int answered = int(bench.wire->writes().size()) - 1;
    for (int i = 0; i < answered; ++i)
        QCOMPARE(bench.wire->writes().at(i), Bench::identification(1));
    QVERIFY2(answered >= 10 && answered <= 30, qPrintable(QString::number(answered)));
}

void TestVirtualLine::splitRepliesComeInTwoWritesApart()
{
    Bench bench({QStringLiteral("fls@1")});
    QVERIFY(bench.run(QStringLiteral("split 30")));
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 2, kWait);
    QCOMPARE(bench.wire->written(), Bench::identification(1));
    QVERIFY(bench.wire->writes().first().size() < Bench::identification(1).size());
    QVERIFY(bench.wire->writeTimesMs().at(1) - bench.wire->writeTimesMs().at(0) >= 30);
}

void TestVirtualLine::throughAConverterRepliesComeInBursts()
{
    Bench bench({QStringLiteral("fls@1")});
    QVERIFY(bench.run(QStringLiteral("chunk 16")));
    const QByteArray table = bench.line.sensor(1)->handle(Frame::request(1, Cmd::ReadTable)).reply;
    QCOMPARE(table.size(), 84);
    const qint64 sent = bench.wire->elapsedMs();
    bench.wire->deliver(Frame::request(1, Cmd::ReadTable));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->written(), table, kWait);
    // 44 ms on the wire, handed over every 16 ms: at least three bursts,
    // none longer than the 31 bytes that fit into one period.
    QVERIFY2(bench.wire->writes().size() >= 3, qPrintable(QString::number(bench.wire->writes().size())));
    for (const QByteArray &burst : bench.wire->writes())
        QVERIFY2(burst.size() <= 31, qPrintable(QString::number(burst.size())));
    QVERIFY(bench.wire->writeTimesMs().last() - sent >= 44);

    // Switched off, the converter hands over what it holds at once; then a
    // reply is one write again.
    bench.wire->clear();
    bench.wire->deliver(Frame::request(1, Cmd::ReadTable));
    QTest::qWait(20); // part of it is through
    QVERIFY(bench.wire->written().size() < table.size());
    QVERIFY(bench.run(QStringLiteral("chunk 0")));
    QCOMPARE(bench.wire->written(), table);
    bench.wire->clear();
    bench.wire->deliver(Frame::request(1, Cmd::ReadTable));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 1, kWait);
    QCOMPARE(bench.wire->writes().first(), table);
}

void TestVirtualLine::theConverterKeepsTheSensorsPause()
{
    // A sensor pausing 40 ms in the middle of its reply: more than two
    // periods of the converter, so its halves never share a burst.
    Bench bench({QStringLiteral("fls@1")});
    QVERIFY(bench.run(QStringLiteral("chunk 16")));
    QVERIFY(bench.run(QStringLiteral("split 40")));
    const QByteArray reply = Bench::identification(1);
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->written(), reply, kWait);
    QByteArray before;
    for (const QByteArray &burst : bench.wire->writes()) {
        if (before.size() >= reply.size() / 2)
            break;
        before += burst;
    }
    QCOMPARE(before, reply.left(reply.size() / 2));
}

void TestVirtualLine::corruptionWrongAddressAndGarbageShapeTheReply()
{
    Bench bench({QStringLiteral("fls@1"), QStringLiteral("fls@2")});
    const QByteArray good = Bench::identification(1);
    // Corruption touches only the CRC.
    QVERIFY(bench.run(QStringLiteral("corrupt 1")));
    const QByteArray bad = bench.ask(Frame::request(1, Cmd::ReadIdentification));
    QCOMPARE(bad.size(), good.size());
    QCOMPARE(bad.chopped(1), good.chopped(1));
    QVERIFY(!Frame::hasValidCrc(bad));
    QVERIFY(bench.run(QStringLiteral("corrupt 0")));

    // Answers as another sensor, the search included, with a valid CRC.
    QVERIFY(bench.run(QStringLiteral("wrong-address 9")));
    QCOMPARE(bench.ask(Frame::searchBroadcast()), QByteArray("\x09\x09", 2));
    const QByteArray other = bench.ask(Frame::request(1, Cmd::ReadIdentification));
    QCOMPARE(quint8(other.at(1)), quint8(9));
    QVERIFY(Frame::hasValidCrc(other));
    QCOMPARE(other.mid(2, 7), good.mid(2, 7));
    QVERIFY(bench.run(QStringLiteral("wrong-address off")));
    QVERIFY(!bench.line.faults().wrongAddress);

    // Garbage on demand, and before replies.
    bench.wire->clear();
    QVERIFY(bench.run(QStringLiteral("garbage 17")));
    QCOMPARE(bench.wire->writes().size(), 1);
    QCOMPARE(bench.wire->writes().first().size(), 17);
    QVERIFY(bench.run(QStringLiteral("garbage-rate 1")));
    const QByteArray reply = bench.ask(Frame::request(1, Cmd::ReadIdentification));
    const int extra = int(reply.size() - good.size());
    QVERIFY2(extra >= 1 && extra <= 4, qPrintable(QString::number(extra)));
    QVERIFY(reply.endsWith(good));
}

void TestVirtualLine::timedSilenceEndsByItself()
{
    Bench bench({QStringLiteral("fls@1")});
    QVERIFY(bench.run(QStringLiteral("silent 150")));
    QVERIFY(bench.line.isSilent());
    bench.wire->deliver(Frame::request(1, Cmd::ReadSettings));
    QTRY_VERIFY_WITH_TIMEOUT(!bench.line.isSilent(), kWait);
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 1, kWait);
    QCOMPARE(bench.wire->written(), Bench::identification(1));
}

void TestVirtualLine::repliesSentAreCountedInTheState()
{
    // Fault-free counts are matched against the replies the tool decoded in
    // tst_converter_e2e; here, a dropped reply never left, a corrupted one did.
    Bench bench({QStringLiteral("fls@1"), QStringLiteral("kv510@2:lamp=33")});
    QVERIFY(bench.run(QStringLiteral("drop 1")));
    bench.wire->deliver(Frame::request(1, Cmd::ReadSettings) + Frame::request(2, Cmd::ReadTable));
    QVERIFY(bench.run(QStringLiteral("drop 0")));
    QVERIFY(bench.run(QStringLiteral("corrupt 1")));
    bench.wire->deliver(Frame::request(2, Cmd::ReadSettings) + Frame::request(2, Cmd::ReadTable));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 2, kWait);

    const LineConsole::Result result = bench.console.execute(QStringLiteral("state"));
    QVERIFY(result.ok);
    QVERIFY(!result.output.contains(QLatin1Char('\n')));
    QJsonParseError error{};
    const QJsonObject state = QJsonDocument::fromJson(result.output.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(state.value(QStringLiteral("readingsRepliesSent")).toInt(), 1);
    QCOMPARE(state.value(QStringLiteral("tableRepliesSent")).toInt(), 1);
    QCOMPARE(state.value(QStringLiteral("port")).toString(), QStringLiteral("memory"));
    const QJsonArray devices = state.value(QStringLiteral("devices")).toArray();
    QCOMPARE(devices.size(), 2);
    QCOMPARE(devices.at(0).toObject().value(QStringLiteral("readingsSent")).toInt(), 0);
    const QJsonObject second = devices.at(1).toObject();
    QCOMPARE(second.value(QStringLiteral("lamp")).toInt(), 33);
    QCOMPARE(second.value(QStringLiteral("readingsSent")).toInt(), 1);
    QCOMPARE(second.value(QStringLiteral("tablesSent")).toInt(), 1);
}

void TestVirtualLine::consoleSetsTheSensors()
{
    Bench bench({QStringLiteral("fls@1:noise=0,drift=0"), QStringLiteral("kv510@2:noise=0,drift=0")});
    QVERIFY(bench.run(QStringLiteral("noise 20 1")));
    QCOMPARE(bench.line.sensor(1)->noisePercent(), 20.0);
    QCOMPARE(bench.line.sensor(2)->noisePercent(), 0.0);
    QVERIFY(bench.run(QStringLiteral("cnt 9000 1")));
    QCOMPARE(bench.line.sensor(1)->cnt(), 9000);
    QVERIFY(bench.run(QStringLiteral("temp -5 2")));
    QCOMPARE(int(bench.line.sensor(2)->temperature()), -5);
    QVERIFY(bench.console.execute(QStringLiteral("quit")).quit);
}

void TestVirtualLine::consoleRefusesBadCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("rate above one") << "drop 2";
    QTest::newRow("rate missing") << "corrupt";
    QTest::newRow("no such sensor") << "level 5 99";
    QTest::newRow("level not a number") << "level high";
    QTest::newRow("negative split") << "split -1";
    QTest::newRow("negative chunk") << "chunk -1";
    QTest::newRow("chunk not a number") << "chunk fast";
    QTest::newRow("chunk beyond a second") << "chunk 1001";
    QTest::newRow("chunk without period") << "chunk";
    QTest::newRow("no garbage") << "garbage 0";
    QTest::newRow("address too big") << "wrong-address 300";
    QTest::newRow("noise not a number") << "noise abc";
    QTest::newRow("silence not a number") << "silent soon";
    QTest::newRow("unknown") << "explode";
}

void TestVirtualLine::consoleRefusesBadCommands()
{
    QFETCH(QString, command);
    Bench bench({QStringLiteral("fls@1:noise=0,drift=0")});
    const QByteArray before = bench.line.stateJson();
    const LineConsole::Result result = bench.console.execute(command);
    QVERIFY(!result.ok);
    QVERIFY(!result.quit);
    QVERIFY(!result.message.isEmpty());
    QCOMPARE(bench.line.stateJson(), before);
    QVERIFY(bench.wire->writes().isEmpty());
}

QTEST_GUILESS_MAIN(TestVirtualLine)
#include "tst_virtualline.moc"
