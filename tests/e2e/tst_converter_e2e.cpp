// The tool against volmar-emulator behind a USB–RS-485 converter as it really
// is: the converter hands the bytes it hears to the PC every 16 ms (an FTDI
// chip's latency timer), so a reply reaches the tool in bursts that do not
// keep to its parse ticks. Every reply the sensors send must still be taken
// whole: the readings, the sensor's table, and three sensors on one line.
// Each case also runs with a sensor slow to answer, and on a line without the
// converter, where every reply arrives in one piece, as the reference.
#include "app/configurator.h"
#include "calibration/litertopercent.h"
#include "calibration/widgettar.h"
#include "devices/fls/flsdevice.h"
#include "dialogrecorder.h"
#include "linebench.h"
#include "link/portlist.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kStartTimeout = 5000;    // ms, for the emulator to name its port
constexpr int kConnectTimeout = 10000; // ms; three sensors take a few seconds
constexpr int kTableReads = 10;

// volmar-emulator in its own process; its state comes from the `state` command.
class Emulator
{
public:
    Emulator(int chunkMs, int replyDelayMs, const QStringList &devices)
    {
        QStringList args{QStringLiteral("--chunk"), QString::number(chunkMs), QStringLiteral("--reply-delay"),
                         QString::number(replyDelayMs), QStringLiteral("--seed"), QStringLiteral("11")};
        for (const QString &device : devices)
            args << QStringLiteral("--device") << device;
        m_process.start(QStringLiteral(VOLMAR_EMULATOR_BINARY), args);
        if (!m_process.waitForStarted(kStartTimeout))
            return;
        if (QTest::qWaitFor([this] { return m_process.canReadLine(); }, kStartTimeout))
            m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Emulator()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.write("quit\n");
        if (!m_process.waitForFinished(2000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }
    Emulator(const Emulator &) = delete;
    Emulator &operator=(const Emulator &) = delete;

    QString port() const { return m_port; }
    void command(const QByteArray &line) { m_process.write(line + '\n'); }

    QJsonObject state()
    {
        command("state");
        if (!QTest::qWaitFor([this] { return m_process.canReadLine(); }, kStartTimeout))
            return {};
        return QJsonDocument::fromJson(m_process.readLine()).object();
    }
    // One sensor's entry of the state, by address.
    QJsonObject device(int address)
    {
        const QJsonArray devices = state().value(QStringLiteral("devices")).toArray();
        for (const QJsonValue &entry : devices) {
            if (entry.toObject().value(QStringLiteral("address")).toInt() == address)
                return entry.toObject();
        }
        return {};
    }

private:
    QProcess m_process;
    QString m_port;
};

// A window on the emulator's line that counts the readings the wired page
// decodes, sensor by sensor (the index in the address list).
class Tool
{
public:
    explicit Tool(const QString &port)
    {
        StartupOptions options;
        options.extraPorts << port;
        m_window = std::make_unique<Configurator>(options);
        QObject::connect(m_window->flsDevice(), &FLSDevice::copyLevelValueToMain, m_window.get(),
                         [this](int, int device) { ++m_decoded[device]; });
        m_window->connectDevice(QStringLiteral("fls"));
    }

    Configurator &window() const { return *m_window; }
    FLSDevice *fls() const { return m_window->flsDevice(); }
    int decoded(int index) const { return m_decoded.value(index); }

    // Stops asking and lets the parse ticks take what is still on its way,
    // so the counts on both sides are final.
    void stopPolling()
    {
        SharedTimers::pollTimer()->stop();
        QTest::qWait(2 * int(SharedTimers::parseTimer()->interval()) + 300);
    }

private:
    std::unique_ptr<Configurator> m_window;
    QHash<int, int> m_decoded;
};

QStringList numbers(const QJsonArray &values)
{
    QStringList out;
    for (const QJsonValue &value : values)
        out << QString::number(value.toInt());
    return out;
}

} // namespace

class TestConverterEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void readingsKeepComing_data() { lines(); }
    void readingsKeepComing()
    {
        QFETCH(int, chunk);
        QFETCH(int, replyDelay);
        Emulator emulator(chunk, replyDelay, {QStringLiteral("kv510@1:noise=0,drift=0,level=100")});
        QVERIFY(!emulator.port().isEmpty());
        Tool tool(emulator.port());
        QTRY_VERIFY_WITH_TIMEOUT(tool.fls()->isDeviceConnected(), kConnectTimeout);
        const int logFrom = int(logText().size());

        // Ten seconds of a filling tank: every new level reaches the page.
        for (int step = 1; step <= 10; ++step) {
            const int level = 100 + 50 * step;
            emulator.command("level " + QByteArray::number(level));
            QTest::qWait(1000);
            QTRY_COMPARE_WITH_TIMEOUT(tool.window().form()->label_UrovenDUT->text(), QString::number(level),
                                      2500);
        }
        QVERIFY(tool.fls()->isDeviceConnected());
        tool.stopPolling();

        // Not one readings reply of the sensor went undecoded.
        const int sent = emulator.device(1).value(QStringLiteral("readingsSent")).toInt();
        QVERIFY2(sent >= 10, qPrintable(QString::number(sent)));
        QCOMPARE(tool.decoded(0), sent);
        const QByteArray log = logText().mid(logFrom);
        QVERIFY2(!log.contains("Device is not responding"), log.constData());
    }

    void tableReadTenTimes_data() { lines(); }
    void tableReadTenTimes()
    {
        QFETCH(int, chunk);
        QFETCH(int, replyDelay);
        DialogRecorder dialogs;
        Emulator emulator(chunk, replyDelay, {QStringLiteral("kv510@1")});
        QVERIFY(!emulator.port().isEmpty());
        Tool tool(emulator.port());
        QTRY_VERIFY_WITH_TIMEOUT(tool.fls()->isDeviceConnected(), kConnectTimeout);
        const QJsonObject held = emulator.device(1);
        const QStringList levels = numbers(held.value(QStringLiteral("tableLevels")).toArray());
        const QStringList volumes = numbers(held.value(QStringLiteral("tableVolumes")).toArray());
        QCOMPARE(levels.size(), 20);
        QCOMPARE(volumes.size(), 20);
        const int tablesBefore = held.value(QStringLiteral("tablesSent")).toInt();

        Configurator &w = tool.window();
        QList<QStringList> shownLevels;
        QList<QStringList> shownVolumes;
        QTimer::singleShot(0, &w, [&] {
            LiterToPercent *dialog = w.tableDialog(); // open while it runs
            for (int read = 0; read < kTableReads; ++read) {
                // 7 is in no cell of the sensor's table: a row the read
                // did not fill shows it.
                for (int row = 0; row < 20; ++row) {
                    dialog->setTable(7, row, 0);
                    dialog->setTable(7, row, 1);
                }
                w.readTable(); // "Считать из датчика"
                shownLevels << dialog->levels();
                shownVolumes << dialog->volumes();
            }
            dialog->accept();
        });
        w.on_pushBtnCalcLtrPrc_clicked();

        QCOMPARE(emulator.device(1).value(QStringLiteral("tablesSent")).toInt() - tablesBefore, kTableReads);
        QCOMPARE(shownLevels.size(), kTableReads);
        int complete = 0;
        for (int read = 0; read < kTableReads; ++read) {
            if (shownLevels.at(read) == levels && shownVolumes.at(read) == volumes)
                ++complete;
            else
                qWarning("read %d showed levels %s volumes %s", read + 1,
                         qPrintable(shownLevels.at(read).join(',')), qPrintable(shownVolumes.at(read).join(',')));
        }
        QCOMPARE(complete, kTableReads);
        QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(" | ")));
    }

    void threeSensorsReachTheirTiles_data() { lines(); }
    void threeSensorsReachTheirTiles()
    {
        QFETCH(int, chunk);
        QFETCH(int, replyDelay);
        Emulator emulator(chunk, replyDelay,
                          {QStringLiteral("kv510@1:noise=0,drift=0,level=100"),
                           QStringLiteral("kv210@2:noise=0,drift=0,level=200"),
                           QStringLiteral("kv610@3:noise=0,drift=0,level=300")});
        QVERIFY(!emulator.port().isEmpty());
        Tool tool(emulator.port());
        QTRY_COMPARE_WITH_TIMEOUT(tool.window().form()->label_ListDevDUT->text(), QStringLiteral("1,2,3"),
                                  kConnectTimeout);
        const QByteArray addresses = tool.window().addressList().bytes();
        QCOMPARE(addresses, QByteArray("\x01\x02\x03", 3));

        // Each sensor's level on its own tile; then the tanks change and the
        // tiles follow. A sensor's turn comes every three seconds.
        for (int index = 0; index < 3; ++index)
            QTRY_COMPARE_WITH_TIMEOUT(tool.fls()->sensorTile(index)->labelText(2),
                                      QStringLiteral("Уровень %1").arg(100 * (index + 1)), kConnectTimeout);
        const int logFrom = int(logText().size());
        for (int address = 1; address <= 3; ++address)
            emulator.command(QByteArray("level ") + QByteArray::number(400 + 100 * address) + ' '
                             + QByteArray::number(address));
        for (int index = 0; index < 3; ++index)
            QTRY_COMPARE_WITH_TIMEOUT(tool.fls()->sensorTile(index)->labelText(2),
                                      QStringLiteral("Уровень %1").arg(500 + 100 * index), 8000);
        QTest::qWait(6000); // two more turns each
        tool.stopPolling();

        for (int index = 0; index < 3; ++index) {
            const int sent = emulator.device(index + 1).value(QStringLiteral("readingsSent")).toInt();
            QVERIFY2(sent >= 3, qPrintable(QString::number(sent)));
            QCOMPARE(tool.decoded(index), sent);
        }
        const QByteArray log = logText().mid(logFrom);
        QVERIFY2(!log.contains("Device is not responding"), log.constData());
    }

private:
    static void lines()
    {
        QTest::addColumn<int>("chunk");      // ms between the converter's hand-overs, 0: none
        QTest::addColumn<int>("replyDelay"); // ms the sensor takes before it answers
        QTest::newRow("converter 16 ms") << 16 << 10;
        // The tool's parse ticks keep step with its poll ticks, so a quick
        // sensor's readings reply is usually through before the next tick;
        // a slower one's straddles it.
        QTest::newRow("converter 16 ms, sensor answers after 30 ms") << 16 << 30;
        QTest::newRow("direct line") << 0 << 10;
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestConverterEndToEnd)
#include "tst_converter_e2e.moc"
