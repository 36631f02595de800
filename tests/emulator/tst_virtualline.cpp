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

#include <memory>

using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

namespace {

constexpr int kWait = 5000; // generous limit for conditions, ms

// A line with sensors on a wire in memory, no reply delay unless a test sets one.
class Bench : public MemoryLine
{
public:
    using MemoryLine::MemoryLine;

    // What a sensor would answer, computed on a twin so the line's sensor is untouched.
    static QByteArray identification(quint8 address)
    {
        const auto config = DeviceConfig::parse(QStringLiteral("fls@%1").arg(address));
        EmulatedSensor twin(*config, 0);
        return twin.handle(Frame::request(address, Cmd::ReadIdentification)).reply;
    }
};

} // namespace

class TestVirtualLine : public QObject
{
    Q_OBJECT

private slots:
    void searchAnswerListsEveryAddressInOneWrite();
    void onlyTheAddressedSensorAnswers();
    void requestsInPiecesAndWithNoiseAreAnswered();
    void aFalseStartIsGivenUpAfterAQuietPause();
    void repliesTakeTheDelayAndTheLineTime();
    void addressChangeIsHonouredOnTheLine();
    void aResetSensorIsDeafWhileItRestarts();
    void droppedRepliesNeverComeAndDropRateIsAShare();
    void corruptionTouchesOnlyTheCrc();
    void splitRepliesComeInTwoWritesApart();
    void throughAConverterRepliesComeInBursts();
    void theConverterKeepsTheSensorsPause();
    void switchingTheConverterOffHandsOverWhatItHolds();
    void repliesSentAreCounted();
    void wrongAddressAnswersAsAnotherSensor();
    void garbageBeforeRepliesAndOnDemand();
    void silenceUntilResumeAndTimedSilence();
    void consoleSetsFaultsAndLevels();
    void consoleRefusesBadCommands_data();
    void consoleRefusesBadCommands();
    void consoleStateIsOneJsonLine();
    void consoleHangupClosesTheLine();
};

void TestVirtualLine::searchAnswerListsEveryAddressInOneWrite()
{
    Bench bench({QStringLiteral("kv510@7"), QStringLiteral("fls@2"), QStringLiteral("kv260@5")});
    bench.wire->deliver(Frame::searchBroadcast());
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 1, kWait);
    QCOMPARE(bench.wire->writes().first(), QByteArray("\x02\x05\x07", 3));
}

void TestVirtualLine::onlyTheAddressedSensorAnswers()
{
    Bench bench({QStringLiteral("fls@1"), QStringLiteral("fls@2")});
    QByteArray badCrc = Frame::request(1, Cmd::ReadIdentification);
    badCrc[3] = char(badCrc.at(3) ^ 0x01);
    bench.wire->deliver(Frame::request(3, Cmd::ReadIdentification)); // nobody there
    bench.wire->deliver(badCrc);
    bench.wire->deliver(Frame::request(2, Cmd::ReadIdentification)); // the only one answered
    QTRY_VERIFY_WITH_TIMEOUT(!bench.wire->writes().isEmpty(), kWait);
    QCOMPARE(bench.wire->written(), Bench::identification(2));
}

void TestVirtualLine::requestsInPiecesAndWithNoiseAreAnswered()
{
    Bench bench({QStringLiteral("fls@1")});
    const QByteArray request = Frame::request(1, Cmd::ReadIdentification);
    bench.wire->deliver(QByteArray("\x00\x31\x7F", 3) + request.left(2));
    bench.wire->deliver(request.mid(2) + request);
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->written(), Bench::identification(1) + Bench::identification(1), kWait);
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

void TestVirtualLine::addressChangeIsHonouredOnTheLine()
{
    Bench bench({QStringLiteral("fls@1")});
    bench.wire->deliver(Frame::writeRequest(1, Cmd::SetAddress, QByteArray(1, '\x09')));
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    bench.wire->deliver(Frame::request(9, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 2, kWait);
    QCOMPARE(bench.wire->writes().at(0), Frame::reply(9, Cmd::SetAddress));
    QCOMPARE(bench.wire->writes().at(1).left(3), QByteArray("\x3E\x09\xFC", 3));
    QVERIFY(bench.line.sensor(9));
    QVERIFY(!bench.line.sensor(1));
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
    LineFaults faults;
    faults.dropRate = 1.0;
    bench.line.setFaults(faults);
    bench.wire->deliver(Frame::searchBroadcast() + Frame::request(1, Cmd::ReadSettings));

    faults.dropRate = 0.5;
    bench.line.setFaults(faults);
    QByteArray many;
    for (int i = 0; i < 40; ++i)
        many += Frame::request(1, Cmd::ReadIdentification);
    bench.wire->deliver(many);

    bench.line.setFaults({});
    bench.wire->deliver(Frame::request(1, Cmd::ReadTable)); // the last word on the line
    QTRY_VERIFY_WITH_TIMEOUT(!bench.wire->writes().isEmpty()
                                 && quint8(bench.wire->writes().last().at(2)) == Cmd::ReadTable,
                             kWait);
    const int answered = int(bench.wire->writes().size()) - 1;
    for (int i = 0; i < answered; ++i)
        QCOMPARE(bench.wire->writes().at(i), Bench::identification(1));
    QVERIFY2(answered >= 10 && answered <= 30, qPrintable(QString::number(answered)));
}

void TestVirtualLine::corruptionTouchesOnlyTheCrc()
{
    Bench bench({QStringLiteral("fls@1")});
    LineFaults faults;
    faults.corruptRate = 1.0;
    bench.line.setFaults(faults);
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 1, kWait);
    const QByteArray good = Bench::identification(1);
    const QByteArray bad = bench.wire->writes().first();
    QCOMPARE(bad.size(), good.size());
    QCOMPARE(bad.chopped(1), good.chopped(1));
    QVERIFY(!Frame::hasValidCrc(bad));
}

void TestVirtualLine::splitRepliesComeInTwoWritesApart()
{
    Bench bench({QStringLiteral("fls@1")});
    LineFaults faults;
    faults.splitGap = 30ms;
    bench.line.setFaults(faults);
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 2, kWait);
    QCOMPARE(bench.wire->written(), Bench::identification(1));
    QVERIFY(bench.wire->writes().first().size() < Bench::identification(1).size());
    QVERIFY(bench.wire->writeTimesMs().at(1) - bench.wire->writeTimesMs().at(0) >= 30);
}

void TestVirtualLine::throughAConverterRepliesComeInBursts()
{
    Bench bench({QStringLiteral("fls@1")});
    LineFaults faults;
    faults.chunkPeriod = 16ms;
    bench.line.setFaults(faults);
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

    // Replies of several sensors go through the same converter, in order.
    Bench two({QStringLiteral("fls@1"), QStringLiteral("fls@2")});
    two.line.setFaults(faults);
    two.wire->deliver(Frame::request(1, Cmd::ReadIdentification) + Frame::request(2, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(two.wire->written(), Bench::identification(1) + Bench::identification(2), kWait);
}

void TestVirtualLine::theConverterKeepsTheSensorsPause()
{
    // A sensor pausing 40 ms in the middle of its reply: more than two
    // periods of the converter, so its halves never share a burst.
    Bench bench({QStringLiteral("fls@1")});
    LineFaults faults;
    faults.chunkPeriod = 16ms;
    faults.splitGap = 40ms;
    bench.line.setFaults(faults);
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

void TestVirtualLine::switchingTheConverterOffHandsOverWhatItHolds()
{
    Bench bench({QStringLiteral("fls@1")});
    LineFaults faults;
    faults.chunkPeriod = 16ms;
    bench.line.setFaults(faults);
    const QByteArray table = bench.line.sensor(1)->handle(Frame::request(1, Cmd::ReadTable)).reply;
    bench.wire->deliver(Frame::request(1, Cmd::ReadTable));
    QTest::qWait(20); // part of it is through
    QVERIFY(bench.wire->written().size() < table.size());
    bench.line.setFaults({});
    QCOMPARE(bench.wire->written(), table);
    // Without it, a reply is one write again.
    bench.wire->clear();
    bench.wire->deliver(Frame::request(1, Cmd::ReadTable));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 1, kWait);
    QCOMPARE(bench.wire->writes().first(), table);
}

void TestVirtualLine::repliesSentAreCounted()
{
    Bench bench({QStringLiteral("fls@1"), QStringLiteral("kv510@2")});
    QByteArray requests;
    for (int i = 0; i < 3; ++i)
        requests += Frame::request(1, Cmd::ReadSettings);
    requests += Frame::request(2, Cmd::ReadSettings) + Frame::request(2, Cmd::ReadTable)
                + Frame::request(1, Cmd::ReadIdentification) + Frame::searchBroadcast();
    bench.wire->deliver(requests);
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 7, kWait);
    QCOMPARE(bench.line.sensor(1)->readingsRepliesSent(), 3);
    QCOMPARE(bench.line.sensor(1)->tableRepliesSent(), 0);
    QCOMPARE(bench.line.sensor(2)->readingsRepliesSent(), 1);
    QCOMPARE(bench.line.sensor(2)->tableRepliesSent(), 1);
    QCOMPARE(bench.line.readingsRepliesSent(), 4);
    QCOMPARE(bench.line.tableRepliesSent(), 1);

    // A dropped reply never left; a corrupted one did.
    LineFaults faults;
    faults.dropRate = 1.0;
    bench.line.setFaults(faults);
    bench.wire->deliver(Frame::request(1, Cmd::ReadSettings) + Frame::request(2, Cmd::ReadTable));
    faults.dropRate = 0.0;
    faults.corruptRate = 1.0;
    bench.line.setFaults(faults);
    bench.wire->deliver(Frame::request(2, Cmd::ReadSettings));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 8, kWait);
    QCOMPARE(bench.line.readingsRepliesSent(), 5);
    QCOMPARE(bench.line.tableRepliesSent(), 1);

    LineConsole console(&bench.line);
    const QJsonObject state = QJsonDocument::fromJson(console.execute(QStringLiteral("state")).output.toUtf8()).object();
    QCOMPARE(state.value(QStringLiteral("readingsRepliesSent")).toInt(), 5);
    QCOMPARE(state.value(QStringLiteral("tableRepliesSent")).toInt(), 1);
    const QJsonArray devices = state.value(QStringLiteral("devices")).toArray();
    QCOMPARE(devices.at(0).toObject().value(QStringLiteral("readingsSent")).toInt(), 3);
    QCOMPARE(devices.at(1).toObject().value(QStringLiteral("readingsSent")).toInt(), 2);
    QCOMPARE(devices.at(1).toObject().value(QStringLiteral("tablesSent")).toInt(), 1);
}

void TestVirtualLine::wrongAddressAnswersAsAnotherSensor()
{
    Bench bench({QStringLiteral("fls@1"), QStringLiteral("fls@2")});
    LineFaults faults;
    faults.wrongAddress = 9;
    bench.line.setFaults(faults);
    bench.wire->deliver(Frame::searchBroadcast());
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 2, kWait);
    QCOMPARE(bench.wire->writes().at(0), QByteArray("\x09\x09", 2));
    const QByteArray reply = bench.wire->writes().at(1);
    QCOMPARE(quint8(reply.at(1)), quint8(9));
    QVERIFY(Frame::hasValidCrc(reply));
    QCOMPARE(reply.mid(2, 7), Bench::identification(1).mid(2, 7));
}

void TestVirtualLine::garbageBeforeRepliesAndOnDemand()
{
    Bench bench({QStringLiteral("fls@1")});
    bench.line.sendGarbage(17);
    QCOMPARE(bench.wire->writes().size(), 1);
    QCOMPARE(bench.wire->writes().first().size(), 17);

    bench.wire->clear();
    LineFaults faults;
    faults.garbageRate = 1.0;
    bench.line.setFaults(faults);
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 1, kWait);
    const QByteArray reply = bench.wire->writes().first();
    const int extra = int(reply.size() - Bench::identification(1).size());
    QVERIFY2(extra >= 1 && extra <= 4, qPrintable(QString::number(extra)));
    QVERIFY(reply.endsWith(Bench::identification(1)));
}

void TestVirtualLine::silenceUntilResumeAndTimedSilence()
{
    Bench bench({QStringLiteral("fls@1")});
    bench.line.goSilent();
    QVERIFY(bench.line.isSilent());
    bench.wire->deliver(Frame::request(1, Cmd::ReadSettings));
    bench.line.resume();
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 1, kWait);
    QCOMPARE(bench.wire->written(), Bench::identification(1));

    bench.wire->clear();
    bench.line.goSilent(150ms);
    bench.wire->deliver(Frame::request(1, Cmd::ReadSettings));
    QTRY_VERIFY_WITH_TIMEOUT(!bench.line.isSilent(), kWait);
    bench.wire->deliver(Frame::request(1, Cmd::ReadIdentification));
    QTRY_COMPARE_WITH_TIMEOUT(bench.wire->writes().size(), 1, kWait);
    QCOMPARE(bench.wire->written(), Bench::identification(1));
}

void TestVirtualLine::consoleSetsFaultsAndLevels()
{
    Bench bench({QStringLiteral("fls@1:noise=0,drift=0"), QStringLiteral("kv510@2:noise=0,drift=0")});
    LineConsole console(&bench.line);
    QVERIFY(console.execute(QStringLiteral("drop 0.25")).ok);
    QVERIFY(console.execute(QStringLiteral("corrupt 0.5")).ok);
    QVERIFY(console.execute(QStringLiteral("garbage-rate 0.1")).ok);
    QVERIFY(console.execute(QStringLiteral("split 20")).ok);
    QVERIFY(console.execute(QStringLiteral("wrong-address 7")).ok);
    QVERIFY(console.execute(QStringLiteral("chunk 16")).ok);
    QCOMPARE(bench.line.faults().chunkPeriod, 16ms);
    QCOMPARE(bench.line.state().value(QStringLiteral("faults")).toObject().value(QStringLiteral("chunkMs")).toInt(),
             16);
    QVERIFY(console.execute(QStringLiteral("chunk 0")).ok);
    QCOMPARE(bench.line.faults().chunkPeriod, 0ms);
    QCOMPARE(bench.line.faults().dropRate, 0.25);
    QCOMPARE(bench.line.faults().corruptRate, 0.5);
    QCOMPARE(bench.line.faults().garbageRate, 0.1);
    QCOMPARE(bench.line.faults().splitGap, 20ms);
    QCOMPARE(int(bench.line.faults().wrongAddress.value_or(0)), 7);
    QVERIFY(console.execute(QStringLiteral("wrong-address off")).ok);
    QVERIFY(!bench.line.faults().wrongAddress);

    QVERIFY(console.execute(QStringLiteral("level 700 2")).ok);
    QCOMPARE(bench.line.sensor(2)->level(), 700);
    QVERIFY(bench.line.sensor(1)->level() != 700);
    QVERIFY(console.execute(QStringLiteral("level 100")).ok);
    QCOMPARE(bench.line.sensor(1)->level(), 100);
    QCOMPARE(bench.line.sensor(2)->level(), 100);
    QVERIFY(console.execute(QStringLiteral("noise 20 1")).ok);
    QCOMPARE(bench.line.sensor(1)->noisePercent(), 20.0);
    QCOMPARE(bench.line.sensor(2)->noisePercent(), 0.0);
    QVERIFY(console.execute(QStringLiteral("cnt 9000 1")).ok);
    QCOMPARE(bench.line.sensor(1)->cnt(), 9000);
    QVERIFY(console.execute(QStringLiteral("temp -5 2")).ok);
    QCOMPARE(int(bench.line.sensor(2)->temperature()), -5);

    QVERIFY(console.execute(QStringLiteral("silent 5000")).ok);
    QVERIFY(bench.line.isSilent());
    QVERIFY(console.execute(QStringLiteral("resume")).ok);
    QVERIFY(!bench.line.isSilent());
    QVERIFY(console.execute(QStringLiteral("garbage 5")).ok);
    QCOMPARE(bench.wire->written().size(), 5);
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
    LineConsole console(&bench.line);
    const QByteArray before = bench.line.stateJson();
    const LineConsole::Result result = console.execute(command);
    QVERIFY(!result.ok);
    QVERIFY(!result.quit);
    QVERIFY(!result.message.isEmpty());
    QCOMPARE(bench.line.stateJson(), before);
    QVERIFY(bench.wire->writes().isEmpty());
}

void TestVirtualLine::consoleStateIsOneJsonLine()
{
    Bench bench({QStringLiteral("kv260@4:out=0x10,password=5"), QStringLiteral("kv510@2:lamp=33")});
    LineConsole console(&bench.line);
    const LineConsole::Result result = console.execute(QStringLiteral("state"));
    QVERIFY(result.ok);
    QVERIFY(!result.output.contains(QLatin1Char('\n')));
    QJsonParseError error{};
    const QJsonObject state = QJsonDocument::fromJson(result.output.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray devices = state.value(QStringLiteral("devices")).toArray();
    QCOMPARE(devices.size(), 2);
    const QJsonObject first = devices.at(0).toObject();
    const QJsonObject second = devices.at(1).toObject();
    QCOMPARE(first.value(QStringLiteral("address")).toInt(), 2);
    QCOMPARE(first.value(QStringLiteral("kind")).toString(), QStringLiteral("kv510"));
    QCOMPARE(first.value(QStringLiteral("lamp")).toInt(), 33);
    QCOMPARE(second.value(QStringLiteral("kind")).toString(), QStringLiteral("kv260"));
    QCOMPARE(second.value(QStringLiteral("out")).toInt(), 0x10);
    QCOMPARE(second.value(QStringLiteral("password")).toInt(), 5);
    QCOMPARE(second.value(QStringLiteral("locked")).toBool(), true);
    QCOMPARE(second.value(QStringLiteral("len")).toInt(), 29);
    QCOMPARE(second.value(QStringLiteral("tableLevels")).toArray().size(), 20);
    QCOMPARE(second.value(QStringLiteral("tableVolumes")).toArray().size(), 20);
    QCOMPARE(state.value(QStringLiteral("port")).toString(), QStringLiteral("memory"));
}

void TestVirtualLine::consoleHangupClosesTheLine()
{
    Bench bench({QStringLiteral("fls@1")});
    LineConsole console(&bench.line);
    QSignalSpy hungUp(&bench.line, &VirtualLine::hungUp);
    const LineConsole::Result result = console.execute(QStringLiteral("hangup"));
    QVERIFY(result.quit);
    QCOMPARE(hungUp.count(), 1);
    QVERIFY(bench.wire->isHungUp());
    QVERIFY(console.execute(QStringLiteral("quit")).quit);
}

QTEST_GUILESS_MAIN(TestVirtualLine)
#include "tst_virtualline.moc"
