// volmar-emulator as the tool meets it: a separate process, a pseudo-terminal
// opened with QSerialPort at 19200 8N1, requests and replies byte by byte.
// The tool's own exchanges with it are in tests/e2e; here, what they cannot
// see: the options taking effect, the link, the byte timing, the exit.

#include "link/frame.h"
#include "link/protocol.h"

#include <QFileInfo>
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

} // namespace

class TestEmulatorProcess : public QObject
{
    Q_OBJECT

private slots:
    void talksOverAPseudoTerminalBehindAConverter();

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

void TestEmulatorProcess::talksOverAPseudoTerminalBehindAConverter()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("line"));

    QProcess emulator;
    emulator.setProgram(emulatorBinary());
    emulator.setArguments({
        QStringLiteral("--seed"), QStringLiteral("5"),
        QStringLiteral("--reply-delay"), QStringLiteral("5"),
        QStringLiteral("--chunk"), QStringLiteral("16"),
        QStringLiteral("--device"), QStringLiteral("kv510@3"),
        QStringLiteral("--device"), QStringLiteral("fls@1"),
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

    // The table the sensor starts with: levels 0, 50, ... 950, volumes 0, 25, ... 475.
    QByteArray table;
    for (int row = 0; row < 20; ++row)
        table += Frame::bigEndian16(quint16(row * 50));
    for (int row = 0; row < 20; ++row)
        table += Frame::bigEndian16(quint16(row * 25));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(exchange(port, Frame::request(1, Cmd::ReadTable), 84), Frame::reply(1, Cmd::ReadTable, table));
    // 84 bytes take 44 ms on the wire before the converter can pass the last one on.
    QVERIFY2(clock.elapsed() >= 44, qPrintable(QString::number(clock.elapsed())));

    // The options took effect: the e2e tests rely on them.
    emulator.write("state\n");
    QTRY_VERIFY_WITH_TIMEOUT(emulator.canReadLine(), kWait);
    const QJsonObject state = QJsonDocument::fromJson(emulator.readLine()).object();
    QCOMPARE(state.value(QStringLiteral("port")).toString(), path);
    QCOMPARE(state.value(QStringLiteral("replyDelayMs")).toInt(), 5);
    QCOMPARE(state.value(QStringLiteral("faults")).toObject().value(QStringLiteral("chunkMs")).toInt(), 16);

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

QTEST_GUILESS_MAIN(TestEmulatorProcess)
#include "tst_emulatorprocess.moc"
