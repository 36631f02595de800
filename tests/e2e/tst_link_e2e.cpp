// The tool's poll cycle against a pseudo-terminal that answers byte by byte
// the way a sensor behind a converter would.
#include "app/configurator.h"
#include "devices/fls/flsdevice.h"
#include "dialogrecorder.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "link/portlist.h"
#include "link/ringbuffer.h"
#include "link/sharedtimers.h"
#include "pseudoterminal.h"
#include "ui_configurator.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QByteArray kSearch = QByteArray::fromHex("31ffdc");

QByteArray settingsReply(quint8 address)
{
    QByteArray payload(21, '\0'); // offsets 3..23 of a 25-byte reply
    payload[0] = 22;              // temperature
    payload[20] = 0x01;           // model byte at offset 23: KV510
    return Frame::reply(address, 0xF0, payload);
}

QByteArray identificationReply(quint8 address)
{
    return Frame::reply(address, 0xFC, QByteArrayLiteral("\x39\x30\x00\x00\x7B\x00"));
}

// Collects what the tool writes and splits it into its frames.
class Wire
{
public:
    explicit Wire(PseudoTerminal &line) : m_line(line) {}
    QByteArray take()
    {
        m_pending += m_line.readAvailable();
        return m_pending;
    }
    // Waits for the next request frame (search broadcast or 4-byte read).
    QByteArray nextRequest(int timeoutMs = 3000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            take();
            if (m_pending.startsWith(kSearch)) {
                m_pending.remove(0, 3);
                return kSearch;
            }
            if (m_pending.size() >= 4 && quint8(m_pending.at(0)) == 0x31) {
                const QByteArray frame = m_pending.left(4);
                m_pending.remove(0, 4);
                return frame;
            }
            if (!m_pending.isEmpty() && quint8(m_pending.at(0)) != 0x31)
                m_pending.remove(0, 1);
            QTest::qWait(5);
        }
        return {};
    }

private:
    PseudoTerminal &m_line;
    QByteArray m_pending;
};
// The tool connected to the wired sensor page on a fresh line.
struct ToolOnLine {
    ToolOnLine() : wire(line)
    {
        StartupOptions options;
        options.extraPorts << line.slavePath();
        window = std::make_unique<Configurator>(options);
        window->connectDevice(QStringLiteral("fls"));
    }
    // The search finds a sensor at address and the readings request follows.
    bool findSensor(quint8 address)
    {
        return wire.nextRequest() == kSearch && line.write(QByteArray(1, char(address)))
               && wire.nextRequest() == Frame::request(address, 0xF0);
    }
    PseudoTerminal line;
    Wire wire;
    std::unique_ptr<Configurator> window;
};
} // namespace

class TestLinkEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path());
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    // Unanswered, the search goes out every 500 ms; a found sensor is then
    // read with 0xF0 and 0xFC in turn.
    void searchThenAlternateReadings()
    {
        ToolOnLine tool;
        Configurator &window = *tool.window;
        Wire &wire = tool.wire;
        PseudoTerminal &line = tool.line;
        QVERIFY(window.portConnection()->isOpen());
        QCOMPARE(wire.nextRequest(), kSearch);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(wire.nextRequest(), kSearch);
        QVERIFY2(timer.elapsed() > 1000 && timer.elapsed() < 3000,
                 qPrintable(QString::number(timer.elapsed())));
        QVERIFY(tool.findSensor(5));
        QCOMPARE(window.addressList().bytes(), QByteArray(1, char(5)));
        QCOMPARE(int(window.currentAddress()), 5);
        QCOMPARE(window.form()->label_ListDevDUT->text(), QStringLiteral("5"));
        QVERIFY(line.write(settingsReply(5)));
        QCOMPARE(wire.nextRequest(), Frame::request(5, 0xFC));
        QVERIFY(line.write(identificationReply(5)));
        QCOMPARE(wire.nextRequest(), Frame::request(5, 0xF0));
        QVERIFY(window.flsDevice()->isDeviceConnected());
    }

    void badBlocksAreDroppedAndPollingGoesOn_data()
    {
        QTest::addColumn<QByteArray>("block");
        QByteArray corrupt = settingsReply(5);
        corrupt[10] = char(corrupt.at(10) ^ 0x40);
        QTest::newRow("garbage") << QByteArray::fromHex("00ff13377e3e3e");
        QTest::newRow("bad crc") << corrupt;
        QTest::newRow("other address") << settingsReply(9);
        QTest::newRow("overflowing the buffer") << QByteArray(1500, char(0x3E));
    }

    void badBlocksAreDroppedAndPollingGoesOn()
    {
        QFETCH(QByteArray, block);
        ToolOnLine tool;
        Configurator &window = *tool.window;
        PseudoTerminal &line = tool.line;
        QVERIFY(tool.findSensor(5));
        QVERIFY(line.write(block));
        // Not understood: the readings request comes again, nothing decoded.
        const QByteArray next = tool.wire.nextRequest();
        QCOMPARE(next.size(), 4);
        QCOMPARE(int(quint8(next.at(1))), 5);
        QVERIFY(window.receiveBuffer()->count() < window.receiveBuffer()->capacity());
        QVERIFY(line.write(settingsReply(5)));
        QTRY_VERIFY_WITH_TIMEOUT(window.flsDevice()->isDeviceConnected(), 3000);
    }

    void splitReplyIsDroppedThenRecovers()
    {
        ToolOnLine tool;
        Wire &wire = tool.wire;
        PseudoTerminal &line = tool.line;
        QSignalSpy identified(tool.window->flsDevice(), &FLSDevice::copyQueueSurveyDevice);
        QVERIFY(tool.findSensor(5));
        QCOMPARE(wire.nextRequest(), Frame::request(5, 0xFC));
        identified.clear();
        const QByteArray reply = identificationReply(5);
        QVERIFY(line.write(reply.left(4)));
        QTest::qWait(120); // more than a parse tick between the halves
        QVERIFY(line.write(reply.mid(4)));
        QCOMPARE(wire.nextRequest(), Frame::request(5, 0xF0)); // polling goes on
        QCOMPARE(identified.count(), 0); // neither half was taken
        QCOMPARE(wire.nextRequest(), Frame::request(5, 0xFC));
        QVERIFY(line.write(reply));
        QTRY_COMPARE_WITH_TIMEOUT(identified.count(), 1, 3000);
    }

    void unpluggedConverterIsReported()
    {
        DialogRecorder dialogs;
        auto line = std::make_unique<PseudoTerminal>();
        StartupOptions options;
        options.extraPorts << line->slavePath();
        Configurator window(options);
        window.connectDevice(QStringLiteral("fls"));
        QVERIFY(window.portConnection()->isOpen());
        line->close();
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.messages(),
                                  QStringList{"Проверьте подключение преобразователя!"}, 5000);
        QCOMPARE(dialogs.sizes().first(), QSize(300, 150));
        QVERIFY(!window.portConnection()->isOpen());
        QVERIFY(!window.form()->pushButtonDeviceFLS->isChecked());
        QVERIFY(!SharedTimers::pollTimer()->isActive());
        QVERIFY(window.form()->comboBox_SerialPort->isEnabled());
    }

private:
    QTemporaryDir m_workDir;
};

QTEST_MAIN(TestLinkEndToEnd)
#include "tst_link_e2e.moc"
