// volmar-emulator as the tool meets it: a separate process, a pseudo-terminal
// opened with QSerialPort at 19200 8N1, requests and replies byte by byte.

#include "link/crc8.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

namespace Cmd = Protocol::Command;

namespace {

constexpr int kWait = 10000; // ms; generous, the machine may be busy

QString emulatorBinary()
{
#ifdef VOLMAR_EMULATOR_BINARY
    return QStringLiteral(VOLMAR_EMULATOR_BINARY);
#else
    return qEnvironmentVariable("VOLMAR_TEST_BINARY_DIR") + QStringLiteral("/emulator/volmar-emulator");
#endif
}

QByteArray closed(QByteArray frame)
{
    frame.append(char(crc8(frame)));
    return frame;
}

} // namespace

class TestEmulatorProcess : public QObject
{
    Q_OBJECT

private slots:
    void talksLikeSensorsOverAPseudoTerminal();
    void badDeviceIsRefusedAtStart();
    void behindAConverterTheTableComesWholeButLate();
    void badConverterPeriodIsRefused();

private:
    QByteArray exchange(QSerialPort &port, const QByteArray &request, int expected);
};

QByteArray TestEmulatorProcess::exchange(QSerialPort &port, const QByteArray &request, int expected)
{
    port.write(request);
    QByteArray reply;
    const auto arrived = [&] {
        reply += port.readAll();
        return int(reply.size()) >= expected;
    };
    // A short reply then fails the comparison at the call site, showing what came.
    [[maybe_unused]] const bool complete = QTest::qWaitFor(arrived, kWait);
    return reply;
}

void TestEmulatorProcess::talksLikeSensorsOverAPseudoTerminal()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("line"));

    QProcess emulator;
    emulator.setProgram(emulatorBinary());
    emulator.setArguments({
        QStringLiteral("--seed"), QStringLiteral("5"),
        QStringLiteral("--reply-delay"), QStringLiteral("5"),
        QStringLiteral("--device"),
        QStringLiteral("kv510@3:noise=0,drift=0,serial=123456,fw=1234,temp=-10,lamp=15"),
        QStringLiteral("--device"), QStringLiteral("fls@1:noise=0,drift=0"),
        QStringLiteral("--link"), link,
    });
    emulator.setProcessChannelMode(QProcess::SeparateChannels);
    emulator.start();
    QVERIFY2(emulator.waitForStarted(kWait), qPrintable(emulator.errorString()));

    QTRY_VERIFY_WITH_TIMEOUT(emulator.canReadLine(), kWait);
    const QString path = QString::fromLocal8Bit(emulator.readLine()).trimmed();
    QVERIFY2(path.startsWith(QLatin1String("/dev/")), qPrintable(path));
    QCOMPARE(QFileInfo(link).symLinkTarget(), path);

    QSerialPort port(path);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    QVERIFY(port.setBaudRate(19200) && port.setDataBits(QSerialPort::Data8)
            && port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop)
            && port.setFlowControl(QSerialPort::NoFlowControl));

    // The search: both address bytes, lowest first, nothing else.
    QCOMPARE(exchange(port, Frame::searchBroadcast(), 2), QByteArray("\x01\x03", 2));

    // Readings of the KV510: -10 degC, level 512, CNT 7502, empty 5000,
    // full 10000, two unused bytes, mode 0, lamp 15, settings 0, model 1.
    const QByteArray readings = closed(QByteArray("\x3E\x03\xF0"
                                                  "\xF6"
                                                  "\x00\x02"
                                                  "\x4E\x1D\x00\x00"
                                                  "\x88\x13\x00\x00"
                                                  "\x10\x27\x00\x00"
                                                  "\x00\x00"
                                                  "\x00\x0F\x00\x01",
                                                  24));
    QCOMPARE(exchange(port, Frame::request(3, Cmd::ReadSettings), 25), readings);

    // Identification: serial 123456 and firmware 1234; the generic sensor 700001 and 254.
    QCOMPARE(exchange(port, Frame::request(3, Cmd::ReadIdentification), 10),
             closed(QByteArray("\x3E\x03\xFC\x40\xE2\x01\x00\xD2\x04", 9)));
    QCOMPARE(exchange(port, Frame::request(1, Cmd::ReadIdentification), 10),
             closed(QByteArray("\x3E\x01\xFC\x61\xAE\x0A\x00\xFE\x00", 9)));

    // A change: full := 4000, echoed, and visible in the state dump.
    QCOMPARE(exchange(port, Frame::writeRequest(3, Cmd::ManualFull, QByteArray("\x00\x00\x0F\xA0", 4)), 4),
             closed(QByteArray("\x3E\x03\xEC", 3)));
    emulator.write("state\n");
    QTRY_VERIFY_WITH_TIMEOUT(emulator.canReadLine(), kWait);
    const QJsonObject state = QJsonDocument::fromJson(emulator.readLine()).object();
    const QJsonArray devices = state.value(QStringLiteral("devices")).toArray();
    QCOMPARE(devices.size(), 2);
    QCOMPARE(devices.at(1).toObject().value(QStringLiteral("kind")).toString(), QStringLiteral("kv510"));
    QCOMPARE(devices.at(1).toObject().value(QStringLiteral("full")).toInt(), 4000);
    QCOMPARE(devices.at(0).toObject().value(QStringLiteral("full")).toInt(), 10000);
    QCOMPARE(state.value(QStringLiteral("port")).toString(), path);

    // Pulling the converter out: the port reports it, the emulator exits and
    // takes its symlink with it.
    emulator.write("hangup\n");
    QTRY_VERIFY_WITH_TIMEOUT(port.error() != QSerialPort::NoError || !port.isOpen(), kWait);
    qInfo("port after hang-up: error %d, open %d", int(port.error()), int(port.isOpen()));
    QTRY_COMPARE_WITH_TIMEOUT(emulator.state(), QProcess::NotRunning, kWait);
    QCOMPARE(emulator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(emulator.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
}

void TestEmulatorProcess::badDeviceIsRefusedAtStart()
{
    QProcess emulator;
    emulator.start(emulatorBinary(), {QStringLiteral("--device"), QStringLiteral("kv999@1")});
    QVERIFY(emulator.waitForFinished(kWait));
    QCOMPARE(emulator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(emulator.exitCode(), 2);
    QVERIFY(emulator.readAllStandardOutput().isEmpty());
    const QString error = QString::fromLocal8Bit(emulator.readAllStandardError());
    QVERIFY2(error.contains(QLatin1String("unknown device kind 'kv999'")), qPrintable(error));
}

void TestEmulatorProcess::behindAConverterTheTableComesWholeButLate()
{
    QProcess emulator;
    emulator.start(emulatorBinary(), {QStringLiteral("--chunk"), QStringLiteral("16"), QStringLiteral("--reply-delay"),
                                      QStringLiteral("0"), QStringLiteral("--device"), QStringLiteral("fls@2")});
    QVERIFY2(emulator.waitForStarted(kWait), qPrintable(emulator.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(emulator.canReadLine(), kWait);
    QSerialPort port(QString::fromLocal8Bit(emulator.readLine()).trimmed());
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));

    // The table the sensor starts with: levels 0, 50, ... 950, volumes 0, 25, ... 475.
    QByteArray table;
    for (int row = 0; row < 20; ++row)
        table += Frame::bigEndian16(quint16(row * 50));
    for (int row = 0; row < 20; ++row)
        table += Frame::bigEndian16(quint16(row * 25));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(exchange(port, Frame::request(2, Cmd::ReadTable), 84), Frame::reply(2, Cmd::ReadTable, table));
    // 84 bytes take 44 ms on the wire before the converter can pass the last one on.
    QVERIFY2(clock.elapsed() >= 44, qPrintable(QString::number(clock.elapsed())));

    const auto chunkMs = [&emulator] {
        emulator.write("state\n");
        if (!QTest::qWaitFor([&] { return emulator.canReadLine(); }, kWait))
            return -1;
        const QJsonObject state = QJsonDocument::fromJson(emulator.readLine()).object();
        return state.value(QStringLiteral("faults")).toObject().value(QStringLiteral("chunkMs")).toInt(-1);
    };
    QCOMPARE(chunkMs(), 16);
    emulator.write("chunk 0\n");
    QCOMPARE(chunkMs(), 0);
    emulator.write("quit\n");
    QVERIFY(emulator.waitForFinished(kWait));
    QCOMPARE(emulator.exitCode(), 0);
}

void TestEmulatorProcess::badConverterPeriodIsRefused()
{
    for (const QString &value : {QStringLiteral("-3"), QStringLiteral("soon"), QStringLiteral("1001")}) {
        QProcess emulator;
        emulator.start(emulatorBinary(), {QStringLiteral("--chunk"), value});
        QVERIFY(emulator.waitForFinished(kWait));
        QCOMPARE(emulator.exitCode(), 2);
        QVERIFY(emulator.readAllStandardOutput().isEmpty());
        const QString error = QString::fromLocal8Bit(emulator.readAllStandardError());
        QVERIFY2(error.contains(QLatin1String("--chunk")), qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(TestEmulatorProcess)
#include "tst_emulatorprocess.moc"
