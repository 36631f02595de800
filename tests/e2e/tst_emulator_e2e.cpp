// The tool against volmar-emulator running as its own process on a real
// pseudo-terminal: what an engineer sees with sensors behind a converter,
// faults included.
#include "app/configurator.h"
#include "devices/fls/flsdevice.h"
#include "dialogrecorder.h"
#include "emulator/virtualline.h"
#include "linebench.h"
#include "link/portconnection.h"
#include "link/portlist.h"
#include "ui_configurator.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// One request the tool sent, as the emulator's trace saw it.
struct Request {
    int address;
    int command; // -1 for the search broadcast
};

class Emulator
{
public:
    explicit Emulator(const QStringList &devices)
    {
        QStringList args{QStringLiteral("--trace"), QStringLiteral("--seed"),
                         QStringLiteral("7")};
        for (const QString &device : devices)
            args << QStringLiteral("--device") << device;
        m_process.start(QStringLiteral(VOLMAR_EMULATOR_BINARY), args);
        if (!m_process.waitForStarted(5000))
            return;
        QElapsedTimer timer;
        timer.start();
        while (!m_process.canReadLine() && timer.elapsed() < 5000)
            m_process.waitForReadyRead(100);
        m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Emulator()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.write("quit\n");
            if (!m_process.waitForFinished(2000))
                m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    QString port() const { return m_port; }
    void command(const QByteArray &line) { m_process.write(line + '\n'); }

    // Requests seen since the last call: "<- 31 AA CC ..." trace lines.
    QList<Request> takeRequests()
    {
        m_trace += m_process.readAllStandardError();
        QList<Request> requests;
        const int lastNewline = int(m_trace.lastIndexOf('\n'));
        if (lastNewline < 0)
            return requests;
        const QList<QByteArray> lines = m_trace.left(lastNewline).split('\n');
        m_trace.remove(0, lastNewline + 1);
        static const QRegularExpression request(QStringLiteral("<- 31 ([0-9A-F]{2})(?: ([0-9A-F]{2}))?"));
        for (const QByteArray &line : lines) {
            const auto match = request.match(QString::fromLatin1(line));
            if (!match.hasMatch())
                continue;
            const int address = match.captured(1).toInt(nullptr, 16);
            requests << Request{address, address == 0xFF ? -1 : match.captured(2).toInt(nullptr, 16)};
        }
        return requests;
    }

    // Collects requests until at least n have been seen or the time is up.
    QList<Request> collect(int n, int timeoutMs)
    {
        QList<Request> all;
        QElapsedTimer timer;
        timer.start();
        while (all.size() < n && timer.elapsed() < timeoutMs) {
            QTest::qWait(50);
            all += takeRequests();
        }
        return all;
    }

private:
    QProcess m_process;
    QString m_port;
    QByteArray m_trace;
};

StartupOptions options(const Emulator &emulator)
{
    StartupOptions options;
    options.extraPorts << emulator.port();
    return options;
}

} // namespace

class TestEmulatorEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path());
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void silenceThenRecovery()
    {
        Emulator emulator({QStringLiteral("kv210@1")});
        Configurator window(options(emulator));
        window.connectDevice(QStringLiteral("fls"));
        QTRY_VERIFY_WITH_TIMEOUT(window.flsDevice()->isDeviceConnected(), 5000);

        emulator.command("silent");
        QTRY_VERIFY_WITH_TIMEOUT(!window.flsDevice()->isDeviceConnected(), 8000);
        QVERIFY(logText().contains(" -- Device is not responding\r\n"));
        emulator.takeRequests();
        const QList<Request> searching = emulator.collect(2, 3000);
        QVERIFY(!searching.isEmpty());
        QCOMPARE(searching.last().command, -1); // the search broadcast again

        emulator.command("resume");
        QTRY_VERIFY_WITH_TIMEOUT(window.flsDevice()->isDeviceConnected(), 5000);
        QCOMPARE(window.form()->label_ListDevDUT->text(), QStringLiteral("1"));
    }

    void faultsDoNotStopThePolling_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QByteArray>("cure");
        QTest::newRow("garbage") << QByteArray("garbage-rate 1") << QByteArray("garbage-rate 0");
        QTest::newRow("corrupt crc") << QByteArray("corrupt 1") << QByteArray("corrupt 0");
        QTest::newRow("split replies") << QByteArray("split 150") << QByteArray("split 0");
        QTest::newRow("wrong address") << QByteArray("wrong-address 9")
                                       << QByteArray("wrong-address off");
        QTest::newRow("dropped replies") << QByteArray("drop 0.5") << QByteArray("drop 0");
    }

    void faultsDoNotStopThePolling()
    {
        QFETCH(QByteArray, fault);
        QFETCH(QByteArray, cure);
        Emulator emulator({QStringLiteral("kv510@1")});
        Configurator window(options(emulator));
        QSignalSpy identified(window.flsDevice(), &FLSDevice::copyQueueSurveyDevice);
        window.connectDevice(QStringLiteral("fls"));
        QTRY_VERIFY_WITH_TIMEOUT(window.flsDevice()->isDeviceConnected(), 5000);

        emulator.command(fault);
        emulator.command("garbage 25");
        emulator.takeRequests();
        QVERIFY(emulator.collect(4, 5000).size() >= 4); // still asking
        QVERIFY(window.portConnection()->isOpen());

        emulator.command(cure);
        QTest::qWait(600);
        identified.clear();
        // Whole, right replies are decoded again.
        QTRY_VERIFY_WITH_TIMEOUT(identified.count() >= 1, 5000);
        QVERIFY(window.flsDevice()->isDeviceConnected());
    }

    // The --demo line inside the tool; a device it does not know is refused clearly.
    void demoLineInsideTheTool()
    {
        StartupOptions options;
        options.demo = true;
        {
            DialogRecorder dialogs;
            options.demoDevices = QStringList{QStringLiteral("kv999@1")};
            Configurator refused(options);
            QVERIFY(!refused.demoLine());
            QCOMPARE(dialogs.messages().size(), 1);
            QVERIFY(dialogs.messages().first().contains(QStringLiteral("kv999")));
        }
        options.demoDevices = QStringList{QStringLiteral("kv260@4")};
        Configurator window(options);
        QVERIFY(window.demoLine());
        QCOMPARE(window.form()->comboBox_SerialPort->currentText(), window.demoLine()->portName());
        window.connectDevice(QStringLiteral("fls"));
        QTRY_COMPARE_WITH_TIMEOUT(window.form()->label_ListDevDUT->text(), QStringLiteral("4"),
                                  5000);
        QTRY_VERIFY_WITH_TIMEOUT(window.flsDevice()->isDeviceConnected(), 5000);
    }

private:
    QTemporaryDir m_workDir;
};

QTEST_MAIN(TestEmulatorEndToEnd)
#include "tst_emulator_e2e.moc"
