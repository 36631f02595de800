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
#include "link/sharedtimers.h"
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

    void searchAddressListAndAlternation()
    {
        Emulator emulator({QStringLiteral("kv510@3")});
        QVERIFY(emulator.port().startsWith(QLatin1String("/dev/")));
        StartupOptions options;
        options.extraPorts << emulator.port();
        Configurator window(options);
        window.connectDevice(QStringLiteral("fls"));
        QTRY_COMPARE_WITH_TIMEOUT(window.form()->label_ListDevDUT->text(), QStringLiteral("3"),
                                  5000);
        QCOMPARE(window.addressList().bytes(), QByteArray(1, char(3)));
        QTRY_VERIFY_WITH_TIMEOUT(window.flsDevice()->isDeviceConnected(), 5000);

        emulator.takeRequests();
        const QList<Request> requests = emulator.collect(6, 8000);
        QVERIFY(requests.size() >= 6);
        for (int i = 0; i < requests.size(); ++i) {
            QCOMPARE(requests.at(i).address, 3);
            if (i > 0) // 0xF0 and 0xFC take turns
                QVERIFY(requests.at(i).command != requests.at(i - 1).command);
            QVERIFY(requests.at(i).command == 0xF0 || requests.at(i).command == 0xFC);
        }
    }

    void threeSensorsRoundRobin()
    {
        Emulator emulator({QStringLiteral("fls@1"), QStringLiteral("kv210@2"),
                           QStringLiteral("kv610@3")});
        StartupOptions options;
        options.extraPorts << emulator.port();
        Configurator window(options);
        window.connectDevice(QStringLiteral("fls"));
        QTRY_COMPARE_WITH_TIMEOUT(window.form()->label_ListDevDUT->text(),
                                  QStringLiteral("1,2,3"), 5000);
        QCOMPARE(SharedTimers::parseTimer()->interval(), 500);
        emulator.takeRequests();
        const QList<Request> requests = emulator.collect(16, 15000);
        QList<int> turns;
        for (const Request &r : requests) {
            if (r.address != 0xFF && (turns.isEmpty() || turns.last() != r.address))
                turns << r.address;
        }
        QVERIFY(turns.size() >= 4);
        // The turn passes 1, 2, 3, 1, ... from wherever the sample began.
        for (int i = 1; i < turns.size(); ++i)
            QCOMPARE(turns.at(i), turns.at(i - 1) % 3 + 1);
    }

    void silenceThenRecovery()
    {
        Emulator emulator({QStringLiteral("kv210@1")});
        StartupOptions options;
        options.extraPorts << emulator.port();
        Configurator window(options);
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
        StartupOptions options;
        options.extraPorts << emulator.port();
        Configurator window(options);
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

    void hangUpShowsTheConverterDialog()
    {
        DialogRecorder dialogs;
        Emulator emulator({QStringLiteral("kv510@1")});
        StartupOptions options;
        options.extraPorts << emulator.port();
        Configurator window(options);
        window.connectDevice(QStringLiteral("fls"));
        QTRY_VERIFY_WITH_TIMEOUT(window.flsDevice()->isDeviceConnected(), 5000);
        emulator.command("hangup");
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.messages(),
                                  QStringList{"Проверьте подключение преобразователя!"}, 5000);
        QVERIFY(!window.portConnection()->isOpen());
        QVERIFY(!window.form()->pushButtonDeviceFLS->isChecked());
    }

    void demoLineInsideTheTool()
    {
        StartupOptions options;
        options.demo = true;
        options.demoDevices << QStringLiteral("kv260@4");
        Configurator window(options);
        QVERIFY(window.demoLine());
        QCOMPARE(window.form()->comboBox_SerialPort->currentText(), window.demoLine()->portName());
        window.connectDevice(QStringLiteral("fls"));
        QTRY_COMPARE_WITH_TIMEOUT(window.form()->label_ListDevDUT->text(), QStringLiteral("4"),
                                  5000);
        QTRY_VERIFY_WITH_TIMEOUT(window.flsDevice()->isDeviceConnected(), 5000);
    }

    void badDemoDeviceIsRefusedClearly()
    {
        DialogRecorder dialogs;
        StartupOptions options;
        options.demo = true;
        options.demoDevices << QStringLiteral("kv999@1");
        Configurator window(options);
        QVERIFY(!window.demoLine());
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages().first().contains(QStringLiteral("kv999")));
    }

private:
    QTemporaryDir m_workDir;
};

QTEST_MAIN(TestEmulatorEndToEnd)
#include "tst_emulator_e2e.moc"
