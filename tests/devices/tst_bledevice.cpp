// The wireless base station page driven through its decoder: the replies a
// base sends are handed to parseReply the way the main window's parse tick
// does, the frames the page sends are caught on writeData, and what the
// engineer sees is read from the form's widgets and the page's status lines.

#include "app/configurator.h"
#include "devices/wireless/bledevice.h"
#include "devices/wireless/securityble.h"
#include "dialogrecorder.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/portlist.h"
#include "link/protocol.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"
#include "widgets/switch.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <functional>
#include <memory>

namespace {
namespace Cmd = Protocol::Command;

constexpr quint8 kBase = 5;             // the base's network address
constexpr qint32 kSerial = 11259375;    // 0xABCDEF
constexpr quint16 kBaseFirmware = 215;  // linked-sensor mode
constexpr quint8 kSearch = Protocol::Step::Search;

// Typed by the engineer in the tests: none of them may reach the log.
const QStringList kPasswords = {QStringLiteral("123456"), QStringLiteral("654321")};
const QByteArray k123456 = QByteArray::fromHex("0001E240");
const QByteArray kZeroPassword(4, '\0');

// One data reply (0xF0) of a base in linked-sensor mode.
struct Data {
    quint8 address = kBase;
    int length = 45;
    qint8 temperature = 21;
    quint16 level = 512;
    qint32 raw = 10000;
    qint32 empty = 1000;
    qint32 full = 2000;
    quint8 mode = 0x00;
    quint8 filter = 0x00;
    quint8 sensorFirmware = 254;
    quint8 link = 0x21;
    quint8 rssi = 0xC4; // -60 dB
    quint8 battery = 36;
    std::array<quint8, 6> mac{{0x3B, 0x12, 0x0A, 0x51, 0x7F, 0xC4}};
    quint8 result = 0;
};

QByteArray dataReply(const Data &d)
{
    // The reply is prefix, address, code, payload, CRC.
    QByteArray payload(d.length - 4, '\0');
    auto put = [&payload](int offset, quint32 value, int width) {
        for (int i = 0; i < width; ++i) {
            if (offset - 3 + i < payload.size())
                payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
        }
    };
    put(3, quint8(d.temperature), 1);
    put(4, d.level, 2);
    put(6, quint32(d.raw), 4);
    put(10, quint32(d.empty), 4);
    put(14, quint32(d.full), 4);
    put(20, d.mode, 1);
    put(22, d.filter, 1);
    put(23, d.sensorFirmware, 1);
    put(27, d.link, 1);
    put(28, d.rssi, 1);
    put(29, d.battery, 1);
    for (int i = 0; i < 6; ++i)
        put(30 + i, d.mac[size_t(i)], 1);
    put(36, d.result, 1);
    return Frame::reply(d.address, Cmd::ReadSettings, payload);
}

QByteArray identificationReply(quint8 address, qint32 serial, quint16 firmware)
{
    QByteArray payload;
    for (int i = 0; i < 4; ++i)
        payload.append(char((quint32(serial) >> (8 * i)) & 0xFF));
    payload.append(char(firmware & 0xFF));
    payload.append(char(firmware >> 8));
    return Frame::reply(address, Cmd::ReadIdentification, payload);
}

bool showsPicture(const QLabel *label, const QString &path)
{
    const QImage shown = label->pixmap(Qt::ReturnByValue).toImage();
    return !shown.isNull() && shown == QPixmap(path).toImage();
}

const QString kLock = QStringLiteral(":/images/lock.png");
const QString kUnlock = QStringLiteral(":/images/unlock.png");

QString barStyle(const QString &colour)
{
    return QStringLiteral("QProgressBar::chunk {background-color:%1;}"
                          "QProgressBar {border:  #1F2222;background-color: #1F2222;}")
        .arg(colour);
}

} // namespace

#define TRY(call)                                                                                  \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

class TestBleDevice : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_workDir;
    std::unique_ptr<DialogRecorder> m_dialogs;
    std::unique_ptr<Configurator> m_window;
    BLEDevice *m_page = nullptr;
    Ui::Configurator *ui = nullptr;
    std::unique_ptr<QSignalSpy> m_writes;
    std::unique_ptr<QSignalSpy> m_logs;
    std::unique_ptr<QSignalSpy> m_levels;
    QStringList m_allLogs;          // every log line of the test
    QList<QByteArray> m_line;       // what the base answers, one reply per parse tick
    QList<quint8> m_parseSteps;     // the page's step at each parse tick it asked for
    int m_securityShown = 0;

    static void skipSecurity(SecurityBLE &dialog) { dialog.skipButton()->click(); }

    quint8 feed(const QByteArray &reply, quint8 step)
    {
        const quint8 next = m_page->parseReply(int(reply.size()),
                                               reinterpret_cast<const quint8 *>(reply.constData()),
                                               step);
        m_page->setStep(next);
        return next;
    }

    QList<QByteArray> written() const
    {
        QList<QByteArray> frames;
        for (const QList<QVariant> &args : *m_writes)
            frames << args.at(0).toByteArray();
        return frames;
    }

    QList<QByteArray> writtenWithCode(quint8 code) const
    {
        QList<QByteArray> frames;
        for (const QByteArray &frame : written()) {
            if (frame.size() > Protocol::kCommandOffset
                && quint8(frame.at(Protocol::kCommandOffset)) == code)
                frames << frame;
        }
        return frames;
    }

    QStringList logLines() const
    {
        QStringList lines;
        for (const QList<QVariant> &args : *m_logs)
            lines << args.at(0).toString();
        return lines;
    }

    void clearSpies()
    {
        m_writes->clear();
        m_logs->clear();
        m_levels->clear();
        m_dialogs->clear();
        m_parseSteps.clear();
    }

    // Search answer, identification and a first data reply of one base.
    void connectBase(const Data &first = Data(), quint16 firmware = kBaseFirmware)
    {
        QCOMPARE(feed(QByteArray(1, char(first.address)), kSearch), Cmd::ReadIdentification);
        QCOMPARE(feed(identificationReply(first.address, kSerial, firmware),
                      Cmd::ReadIdentification),
                 Cmd::ReadSettings);
        QCOMPARE(feed(dataReply(first), Cmd::ReadSettings), Cmd::ReadIdentification);
        clearSpies();
    }

    // Lets the automatic password probe run once the parse tick is over:
    // the base answers its 0xF7 with `baseAnswer`, the sensor's verdict
    // comes back as result code `sensorCode` of the next data reply.
    // A locked base is not asked about its sensor: the next data reply only
    // settles that the probe is over for now.
    void settleProbe(quint8 baseAnswer, quint8 sensorCode)
    {
        m_line << Frame::reply(kBase, baseAnswer);
        if (baseAnswer == Cmd::WrongPassword) {
            QTRY_COMPARE(writtenWithCode(Cmd::SetPassword).size(), 1);
            QVERIFY(m_line.isEmpty());
            feed(dataReply(Data()), Cmd::ReadSettings);
            QTRY_VERIFY(m_page->isSensorStateKnown());
            QVERIFY(writtenWithCode(Cmd::SetPasswordBle).isEmpty());
            clearSpies();
            return;
        }
        QTRY_COMPARE(writtenWithCode(Cmd::SetPasswordBle).size(), 1);
        QVERIFY(m_line.isEmpty());
        Data verdict;
        verdict.result = sensorCode;
        feed(dataReply(verdict), Cmd::ReadSettings);
        QVERIFY(m_page->isSensorStateKnown());
        QVERIFY(!m_page->isAutomaticStepPending());
        clearSpies();
    }

    // Opens the page's password dialog; `act` fills it and presses its buttons.
    void useSecurityDialog(const std::function<void(SecurityBLE &)> &act)
    {
        m_securityShown = 0; // counts the dialogs this call brings up
        SecurityBLE::setResponder([&act, this](SecurityBLE &dialog) {
            ++m_securityShown;
            act(dialog);
        });
        m_page->showSecurityDialog();
        SecurityBLE::setResponder([this](SecurityBLE &dialog) {
            ++m_securityShown;
            skipSecurity(dialog);
        });
    }

    static void press(SecurityBLE &dialog, const char *name)
    {
        auto *button = dialog.findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(button, name);
        button->click();
    }

    void checkPasswordsNotLogged(const QString &expectedLine)
    {
        QVERIFY(m_allLogs.contains(expectedLine));
        QFile file(QDir::current().filePath(QStringLiteral("log.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString written = QString::fromUtf8(file.readAll());
        QVERIFY(written.contains(expectedLine)); // the file is where the log goes
        for (const QString &password : kPasswords) {
            QVERIFY2(!written.contains(password), qPrintable(password));
            for (const QString &line : m_allLogs)
                QVERIFY2(!line.contains(password), qPrintable(line));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void init()
    {
        m_dialogs = std::make_unique<DialogRecorder>();
        m_securityShown = 0;
        SecurityBLE::setResponder([this](SecurityBLE &dialog) {
            ++m_securityShown;
            skipSecurity(dialog);
        });
        m_window = std::make_unique<Configurator>();
        m_page = m_window->bleDevice();
        ui = m_window->form();
        m_writes = std::make_unique<QSignalSpy>(m_page, &BLEDevice::writeData);
        m_logs = std::make_unique<QSignalSpy>(m_page, &BLEDevice::signalWriteLog);
        m_levels = std::make_unique<QSignalSpy>(m_page, &BLEDevice::copyLevelValueToMain);
        m_allLogs.clear();
        connect(m_page, &BLEDevice::signalWriteLog, this,
                [this](const QString &line) { m_allLogs << line; });
        m_line.clear();
        m_parseSteps.clear();
        // The main window's parse tick: the base's next answer, if any.
        connect(m_page, &BLEDevice::callParceDataFromComPort, this, [this] {
            m_parseSteps << m_page->getStep();
            if (!m_line.isEmpty()) {
                const QByteArray reply = m_line.takeFirst();
                if (!reply.isEmpty())
                    feed(reply, m_page->getStep());
            }
        });
    }

    void cleanup()
    {
        // Whatever a test typed, no log line carries it.
        for (const QString &password : kPasswords) {
            for (const QString &line : qAsConst(m_allLogs))
                QVERIFY2(!line.contains(password), qPrintable(line));
        }
        m_writes.reset();
        m_logs.reset();
        m_levels.reset();
        m_window.reset();
        m_dialogs.reset();
        SecurityBLE::setResponder({});
    }

    // ------------------------------------------------------------ link state

    void readingsWaitForABaseThatIsReady_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("answering");
        QTest::newRow("0x10 nothing") << 0x10 << 45 << false << false;
        QTest::newRow("0x1F answers, not ready") << 0x1F << 45 << false << true;
        QTest::newRow("0x20 answers, not ready") << 0x20 << 45 << false << true;
        QTest::newRow("0x22 nothing") << 0x22 << 45 << false << false;
        QTest::newRow("0x1E base ready") << 0x1E << 45 << true << true;
        QTest::newRow("0x21 sensor linked") << 0x21 << 45 << true << true;
        QTest::newRow("0x21 in 38 bytes") << 0x21 << 38 << true << true;
        QTest::newRow("0x21 in 42 bytes") << 0x21 << 42 << true << true;
        QTest::newRow("0x21 in 84 bytes") << 0x21 << 84 << true << true;
        QTest::newRow("0x21 in 44 bytes") << 0x21 << 44 << false << false;
        QTest::newRow("0x21 in 46 bytes") << 0x21 << 46 << false << false;
    }

    void readingsWaitForABaseThatIsReady()
    {
        QFETCH(int, state);
        QFETCH(int, length);
        QFETCH(bool, shown);
        QFETCH(bool, answering);
        QCOMPARE(feed(QByteArray(1, char(kBase)), kSearch), Cmd::ReadIdentification);
        QCOMPARE(feed(identificationReply(kBase, kSerial, kBaseFirmware), Cmd::ReadIdentification),
                 Cmd::ReadSettings);
        m_page->link()->setReplySeen(false);
        const QString before = ui->label_RSSI_VAL_BLE->text();
        Data d;
        d.link = quint8(state);
        d.length = length;
        QCOMPARE(feed(dataReply(d), Cmd::ReadSettings), Cmd::ReadIdentification);
        QCOMPARE(m_page->isBaseReady(), shown);
        QCOMPARE(m_page->isDeviceConnected(), answering);
        QCOMPARE(ui->label_RSSI_VAL_BLE->text(), shown ? QStringLiteral("-60dB") : before);
        QCOMPARE(!ui->label_RSSI_VAL_BLE->isHidden(), shown);
        QCOMPARE(!ui->label_BAT_VAL_BLE->isHidden(), shown);
        QCOMPARE(m_levels->size(), shown ? 1 : 0);
    }

    void otherLengthsKeepTheLinkState()
    {
        QCOMPARE(feed(QByteArray(1, char(kBase)), kSearch), Cmd::ReadIdentification);
        Data d;
        d.link = 0x10;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(!m_page->isBaseReady());
        // A state byte in a reply of another length is not read.
        d.link = 0x21;
        d.length = 44;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(!m_page->isBaseReady());
        QVERIFY(ui->label_RSSI_VAL_BLE->isHidden());

        d.length = 45;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(m_page->isBaseReady());
        // Once ready, a reply of another length is still decoded.
        d.link = 0x10;
        d.length = 46;
        d.rssi = 0xBA; // -70 dB
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(m_page->isBaseReady());
        QCOMPARE(ui->label_RSSI_VAL_BLE->text(), QStringLiteral("-70dB"));
        // A reply of a known length with a state outside 0x1E..0x21 leaves
        // the base ready too: only the loss of the device ends it.
        d.length = 45;
        d.rssi = 0xB0; // -80 dB
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(ui->label_RSSI_VAL_BLE->text(), QStringLiteral("-80dB"));
    }

    // ------------------------------------------------------------ several bases

    void addressesTakeTurns_data()
    {
        QTest::addColumn<QByteArray>("addresses");
        QTest::addColumn<int>("parseInterval");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("one") << QByteArray::fromHex("05") << 50 << QList<int>{0, 0, 0, 0};
        QTest::newRow("two") << QByteArray::fromHex("0509") << 500 << QList<int>{0, 1, 0, 1, 0};
        QTest::newRow("three") << QByteArray::fromHex("05090C") << 500
                               << QList<int>{0, 1, 2, 0, 1, 2, 0};
    }

    void addressesTakeTurns()
    {
        QFETCH(QByteArray, addresses);
        QFETCH(int, parseInterval);
        QFETCH(QList<int>, order);
        QSignalSpy lists(m_page, &BLEDevice::copyNetNumToParent);
        SharedTimers::parseTimer()->stop();
        QCOMPARE(feed(addresses, kSearch), Cmd::ReadIdentification);
        QCOMPARE(SharedTimers::parseTimer()->interval(), parseInterval);
        QVERIFY(SharedTimers::parseTimer()->isActive());
        QCOMPARE(lists.size(), 1);
        QCOMPARE(lists.at(0).at(0).toByteArray(), addresses);
        QCOMPARE(m_window->addressList().bytes(), addresses);
        QCOMPARE(ui->comboBox_NetNumBLE->count(), int(addresses.size()));
        QCOMPARE(m_page->address(), quint8(addresses.at(0)));

        int previous = -1;
        for (int turn = 0; turn < order.size(); ++turn) {
            const int expected = order.at(turn);
            QCOMPARE(m_page->polledIndex(), expected);
            // Replies from an address that is not polled now change nothing
            // and do not keep the device alive.
            QList<quint8> strangers{77};
            if (previous >= 0 && addresses.at(previous) != addresses.at(expected))
                strangers << quint8(addresses.at(previous));
            for (const quint8 stranger : strangers) {
                m_page->link()->watchdog()->stop();
                QCOMPARE(feed(identificationReply(stranger, 1000 + turn, kBaseFirmware),
                              Cmd::ReadIdentification),
                         Cmd::ReadIdentification);
                QVERIFY(!m_page->link()->watchdog()->isActive());
                QCOMPARE(m_page->polledIndex(), expected);
            }
            QCOMPARE(feed(identificationReply(quint8(addresses.at(expected)), 2000 + turn,
                                              kBaseFirmware),
                          Cmd::ReadIdentification),
                     Cmd::ReadSettings);
            QVERIFY(m_page->link()->watchdog()->isActive());
            QCOMPARE(m_page->record(expected).serial, 2000 + turn);
            previous = expected;
        }
    }

    // The data reply after an identification answers for the address
    // polled now, and its level goes to the calibration with that index.
    void levelCarriesThePolledIndex()
    {
        QCOMPARE(feed(QByteArray::fromHex("0509"), kSearch), Cmd::ReadIdentification);
        QCOMPARE(feed(identificationReply(5, kSerial, kBaseFirmware), Cmd::ReadIdentification),
                 Cmd::ReadSettings);
        QCOMPARE(m_page->polledIndex(), 1);
        Data d;
        d.address = 5; // not the polled one
        QCOMPARE(feed(dataReply(d), Cmd::ReadSettings), Cmd::ReadSettings);
        QCOMPARE(m_levels->size(), 0);
        d.address = 9;
        d.level = 300;
        QCOMPARE(feed(dataReply(d), Cmd::ReadSettings), Cmd::ReadIdentification);
        QCOMPARE(m_levels->size(), 1);
        QCOMPARE(m_levels->at(0).at(0).toInt(), 300);
        QCOMPARE(m_levels->at(0).at(1).toInt(), 1);
        QCOMPARE(m_page->record(1).level, quint16(300));
        QCOMPARE(m_page->record(1).levelSent, quint16(300));
    }

    // ------------------------------------------------------------ readings

    void displayedValues_data()
    {
        QTest::addColumn<int>("battery");
        QTest::addColumn<int>("rssi");
        QTest::addColumn<int>("sensorFirmware");
        QTest::addColumn<int>("baseFirmware");
        QTest::addColumn<int>("temperature");
        QTest::addColumn<QString>("batteryText");
        QTest::addColumn<QString>("rssiText");
        QTest::addColumn<QString>("sensorText");
        QTest::addColumn<QString>("baseText");
        QTest::addColumn<QString>("temperatureText");
        QTest::newRow("typical") << 36 << 0xC4 << 5 << 215 << 21 << "3.6В"
                                 << "-60dB" << "0.0.5" << "2.1.5" << "21°C";
        QTest::newRow("cold, weak") << 29 << 0x9C << 254 << 100 << -12 << "2.9В"
                                    << "-100dB" << "2.5.4" << "1.0.0" << "-12°C";
        QTest::newRow("positive rssi") << 41 << 0x05 << 99 << 9 << 0 << "4.1В"
                                       << "5dB" << "0.9.9" << "0.0.9" << "0°C";
    }

    void displayedValues()
    {
        QFETCH(int, battery);
        QFETCH(int, rssi);
        QFETCH(int, sensorFirmware);
        QFETCH(int, baseFirmware);
        QFETCH(int, temperature);
        Data d;
        d.battery = quint8(battery);
        d.rssi = quint8(rssi);
        d.sensorFirmware = quint8(sensorFirmware);
        d.temperature = qint8(temperature);
        d.empty = 1234;
        d.full = 2345;
        TRY(connectBase(d, quint16(baseFirmware)));
        QTEST(ui->label_BAT_VAL_BLE->text(), "batteryText");
        QTEST(ui->label_RSSI_VAL_BLE->text(), "rssiText");
        QTEST(ui->label_FirmwareValBLE->text(), "sensorText");
        QTEST(ui->label_FirmwareVal->text(), "baseText");
        QTEST(ui->label_TempValBLE->text(), "temperatureText");
        QTEST(ui->label_TempVal_2->text(), "temperatureText");
        QCOMPARE(ui->label_MAC_BLE_VAL->text(), QStringLiteral("C4:7F:51:0A:12:3B"));
        QCOMPARE(ui->label_SerNumValBLE->text(), QString::number(kSerial));
        QCOMPARE(ui->label_28BLE->text(), QStringLiteral("1234"));
        QCOMPARE(ui->label_30BLE->text(), QStringLiteral("2345"));
        QCOMPARE(m_page->baseFirmware(), quint16(baseFirmware));
        QCOMPARE(m_page->sensorVersion(), quint16(sensorFirmware));
    }

    void levelWaitsForValidData()
    {
        Data d;
        d.result = 1; // a relayed command's result: the readings are not yet valid
        d.level = 700;
        d.raw = 4321;
        TRY(connectBase(d));
        QCOMPARE(ui->label_UrovenBLE->text(), QStringLiteral("0"));
        QCOMPARE(ui->label_ValCurrentBLE->text(), QStringLiteral("0"));
        QCOMPARE(ui->progressBarLevelBLE->value(), 700);
        QVERIFY(!m_page->isDataValid());
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(ui->label_UrovenBLE->text(), QStringLiteral("0"));
        QCOMPARE(m_levels->size(), 0);

        d.result = 0;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(m_page->isDataValid());
        QCOMPARE(ui->label_UrovenBLE->text(), QStringLiteral("700"));
        QCOMPARE(ui->label_ValCurrentBLE->text(), QStringLiteral("4321"));
        QCOMPARE(m_levels->size(), 1);
        QCOMPARE(m_levels->at(0).at(0).toInt(), 700);
        QCOMPARE(m_levels->at(0).at(1).toInt(), 0);

        // Valid from now on, whatever the next result codes say.
        d.result = 2;
        d.level = 701;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(ui->label_UrovenBLE->text(), QStringLiteral("701"));
        QCOMPARE(m_levels->size(), 2);
    }

    void firstDataSettings_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("smoothing");
        QTest::addColumn<bool>("thermoSwitch");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<int>("barMaximum");
        QTest::addColumn<bool>("levelShown");
        QTest::newRow("0x83, 0..4095") << 0x83 << 0x80 << 3 << true << "4095" << 4096 << true;
        QTest::newRow("0x05, 0..1023") << 0x05 << 0x00 << 5 << false << "1023" << 1024 << true;
        QTest::newRow("0x8F") << 0x8F << 0x00 << 15 << true << "1023" << 1024 << true;
        QTest::newRow("0x80 only the switch") << 0x80 << 0x80 << 0 << true << "4095" << 4096
                                              << true;
        QTest::newRow("0x00") << 0x00 << 0x00 << 0 << false << "1023" << 1024 << true;
        QTest::newRow("mode 4 hides the level") << 0x02 << 0x04 << 2 << false << "1023" << 1024
                                                << false;
        QTest::newRow("mode 0x84") << 0x01 << 0x84 << 1 << false << "4095" << 4096 << true;
    }

    void firstDataSettings()
    {
        QFETCH(int, filter);
        QFETCH(int, mode);
        QFETCH(int, smoothing);
        QFETCH(bool, thermoSwitch);
        QFETCH(int, barMaximum);
        QFETCH(bool, levelShown);
        Data d;
        d.filter = quint8(filter);
        d.mode = quint8(mode);
        TRY(connectBase(d));
        QStringList items;
        for (int i = 0; i < ui->comboBox_FiltrBLE->count(); ++i)
            items << ui->comboBox_FiltrBLE->itemText(i);
        QStringList expectedItems{QStringLiteral("Нет")};
        for (int i = 1; i <= 15; ++i)
            expectedItems << QString::number(i);
        QCOMPARE(items, expectedItems);
        QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), smoothing);
        QCOMPARE(m_page->smoothingIndex(), smoothing);
        QCOMPARE(m_page->thermoSwitch()->isOn(), thermoSwitch);
        QTEST(ui->lineEditMaxLevelBLE->text(), "maximum");
        QCOMPARE(ui->lineEditMinLevelBLE->text(), QStringLiteral("1"));
        QCOMPARE(ui->progressBarLevelBLE->maximum(), barMaximum);
        QCOMPARE(m_page->isResolutionHigh(), barMaximum == 4096);
        QCOMPARE(!ui->label_UrovenBLE->isHidden(), levelShown);
        QCOMPARE(m_page->modeShadow(), quint8(mode));
        QCOMPARE(m_page->filterShadow(), quint8(filter));
        // Showing the sensor's state does not write it back.
        QVERIFY(writtenWithCode(Cmd::WriteSettings).isEmpty());

        // Later replies leave the engineer's choice alone.
        ui->comboBox_FiltrBLE->setCurrentIndex(9);
        d.filter = quint8(filter ^ 0x87);
        d.mode = quint8(mode ^ 0x80);
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), 9);
        QCOMPARE(ui->comboBox_FiltrBLE->count(), 16);
        QCOMPARE(m_page->thermoSwitch()->isOn(), thermoSwitch);
        QTEST(ui->lineEditMaxLevelBLE->text(), "maximum");
        QCOMPARE(m_page->modeShadow(), quint8(mode));
        QCOMPARE(m_page->filterShadow(), quint8(filter));
    }

    void calibrationCheck_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<int>("full");
        QTest::addColumn<bool>("needed");
        QTest::newRow("2.2 x empty") << 1000 << 2200 << false;
        QTest::newRow("1.3 x empty") << 1000 << 1300 << false;
        QTest::newRow("2.2 x 3000") << 3000 << 6600 << false;
        QTest::newRow("1.3 x 3000") << 3000 << 3900 << false;
        QTest::newRow("2.2 x 10") << 10 << 22 << false;
        QTest::newRow("1.3 x 10") << 10 << 13 << false;
        QTest::newRow("between") << 1000 << 1800 << false;
        QTest::newRow("beyond 2.2") << 1000 << 2201 << true;
        QTest::newRow("below 1.3") << 1000 << 1299 << true;
        QTest::newRow("just beyond 2.2 x 10") << 10 << 23 << true;
        QTest::newRow("just below 1.3 x 10") << 10 << 12 << true;
        QTest::newRow("full below empty") << 5000 << 100 << true;
    }

    void calibrationCheck()
    {
        QFETCH(int, empty);
        QFETCH(int, full);
        QFETCH(bool, needed);
        Data d;
        d.empty = empty;
        d.full = full;
        TRY(connectBase(d));
        QCOMPARE(m_page->needCalibration(), needed);
        QCOMPARE(!ui->label_NeedCalibBLE->isHidden(), needed);
        QCOMPARE(!ui->label_Alarm_9BLE->isHidden(), needed);
        // The verdict follows the sensor: the opposite values turn it round.
        d.empty = 1000;
        d.full = needed ? 2000 : 3000;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->needCalibration(), !needed);
        QCOMPARE(!ui->label_NeedCalibBLE->isHidden(), !needed);
    }

    void stabilityColours_data()
    {
        QTest::addColumn<QList<int>>("raws");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("text");
        const QList<int> seven{1000, 1000, 1000, 1000, 1000, 1000, 1000};
        QTest::newRow("stable") << (seven + QList<int>{1000}) << "#00A778" << "Стабилен";
        QTest::newRow("+3 %") << (seven + QList<int>{1030}) << "#DDB306" << "Не стабилен";
        QTest::newRow("-3 %") << (seven + QList<int>{970}) << "#DDB306" << "Не стабилен";
        QTest::newRow("+10 %") << (seven + QList<int>{1100}) << "#E32323" << "Не стабилен";
        QTest::newRow("-10 %") << (seven + QList<int>{900}) << "#E32323" << "Не стабилен";
        QTest::newRow("stable again")
            << (seven + QList<int>{1100} + seven + QList<int>{1000}) << "#00A778" << "Стабилен";
    }

    void stabilityColours()
    {
        QFETCH(QList<int>, raws);
        QFETCH(QString, colour);
        QFETCH(QString, text);
        Data d;
        d.raw = raws.first();
        TRY(connectBase(d));
        // One reading was the first data reply; six more keep the window short.
        for (int i = 1; i < 7; ++i) {
            d.raw = raws.at(i);
            feed(dataReply(d), Cmd::ReadSettings);
        }
        QCOMPARE(ui->label_StableBLE->text(), QString());
        QCOMPARE(m_page->record(0).stability, StabilityWindow::None);
        for (int i = 7; i < raws.size(); ++i) {
            d.raw = raws.at(i);
            feed(dataReply(d), Cmd::ReadSettings);
        }
        QCOMPARE(ui->label_StableBLE->text(), text);
        QCOMPARE(ui->progressBarLevelBLE->styleSheet(), barStyle(colour));
    }

    // ------------------------------------------------------------ result codes

    void resultCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("log");
        QTest::newRow("1") << 1 << "UUID ВТ датчика успешно изменен" << "UUID successfully changed";
        QTest::newRow("2") << 2 << "S/N ВТ датчика успешно изменен"
                           << "S/N bluetooth device successfully changed";
        QTest::newRow("4") << 4 << "Директивная калибровка ВТ датчика произведена успешно"
                           << "Calibrate BLE successull";
        QTest::newRow("5") << 5 << "Успешная перезагрузка ВТ датчика" << "Reboot BLE successfull";
        QTest::newRow("6") << 6 << "Калибровка уровня полного ВТ датчика произведена"
                           << "Calibrate BLE full successfull";
        QTest::newRow("7") << 7 << "Калибровка уровня пустого ВТ датчика произведена"
                           << "Calibrate BLE empty successfull";
        QTest::newRow("8") << 8 << "Установлены заводские настройки ВТ датчика"
                           << "Factory setting for BLE successfully set";
        QTest::newRow("9") << 9 << "Датчик переведен в режим сна" << "BLE sleep";
        QTest::newRow("11") << 11 << "Ошибка изменения UUID ВТ датчика" << "Error set UUID BLE";
        QTest::newRow("12") << 12 << "Ошибка изменения S/N ВТ датчика" << "Error set S/N";
        QTest::newRow("13") << 13 << "Ошибка изменения пароля ВТ датчика"
                            << "Error change password BLE";
        QTest::newRow("14") << 14 << "Ошибка директивной калибровки ВТ датчика"
                            << "Error calibrate BLE";
        QTest::newRow("15") << 15 << "Режим работы ВТ датчика установлен" << "New mode BLE set";
        QTest::newRow("16") << 16 << "Ошибка установки режима" << "Error set new mode BLE";
        // Codes the base does not define show nothing.
        QTest::newRow("17") << 17 << QString() << QString();
        QTest::newRow("255") << 255 << QString() << QString();
    }

    void resultCodes()
    {
        QFETCH(int, code);
        QFETCH(QString, upper);
        QFETCH(QString, log);
        TRY(connectBase());
        const QString connected = QStringLiteral("Связь с беспроводным датчиком установлена");
        QCOMPARE(m_page->statusLabelUp()->text(), connected);
        QCOMPARE(m_page->statusLabel()->text(), QStringLiteral("Подключен KV-BLE"));
        Data d;
        d.result = quint8(code);
        feed(dataReply(d), Cmd::ReadSettings);
        if (upper.isEmpty()) {
            QCOMPARE(m_page->statusLabelUp()->text(), connected);
            QVERIFY(logLines().isEmpty());
            QVERIFY(m_page->isMainStatusAllowed());
            QVERIFY(!m_page->statusHoldTimer().isActive());
            return;
        }
        QCOMPARE(m_page->statusLabelUp()->text(), upper);
        QCOMPARE(logLines(), QStringList{log});
        QVERIFY(!m_page->isMainStatusAllowed());
        QVERIFY(m_page->statusHoldTimer().isActive());
        QCOMPARE(m_page->statusHoldTimer().interval(), 5000);
        QVERIFY(m_page->statusHoldTimer().isSingleShot());
        // While the result is held, plain readings do not cover it.
        d.result = 0;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->statusLabelUp()->text(), upper);
    }

    void statusHoldEnds()
    {
        TRY(connectBase());
        Data d;
        d.result = 15;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(!m_page->isMainStatusAllowed());
        QVERIFY(m_page->statusHoldTimer().isActive());
        QCOMPARE(m_page->statusHoldTimer().interval(), 5000);
        // Readings do not cut the hold short.
        d.result = 0;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(!m_page->isMainStatusAllowed());
        QTRY_VERIFY_WITH_TIMEOUT(m_page->isMainStatusAllowed(), 7000);
        d.result = 0;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Связь с беспроводным датчиком установлена"));
    }

    void sensorLinkResult_data()
    {
        QTest::addColumn<int>("battery");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("main");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("no sensor") << 0 << "Связь с беспроводным датчиком не установлена"
                                   << "Подключите датчик"
                                   << QStringList{"Bluetooth device not connected"};
        QTest::newRow("sensor") << 36 << "Связь с беспроводным датчиком установлена"
                                << "Подключен KV-BLE" << QStringList();
    }

    void sensorLinkResult()
    {
        QFETCH(int, battery);
        Data first;
        first.battery = quint8(36 - battery); // the other state first
        TRY(connectBase(first));
        Data d;
        d.battery = quint8(battery);
        feed(dataReply(d), Cmd::ReadSettings);
        QTEST(m_page->statusLabelUp()->text(), "upper");
        QTEST(m_page->statusLabel()->text(), "main");
        QTEST(logLines(), "log");
        QVERIFY(m_page->isDataValid());
        QVERIFY(!m_page->statusHoldTimer().isActive());
        QVERIFY(m_page->isMainStatusAllowed());
    }

    void sensorRebootStartsTheCountdown()
    {
        TRY(connectBase());
        QVERIFY(ui->labelTimerUpdFwBLE->isHidden());
        Data d;
        d.result = 5;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(!ui->labelTimerUpdFwBLE->isHidden());
        QCOMPARE(ui->labelTimerUpdFwBLE->text(), QStringLiteral("30"));
        QVERIFY(!ui->labelMsgUpdBLE->isHidden());
        QVERIFY(ui->labelMsgUpdBLE->text().startsWith(QStringLiteral("Если по истечении таймера")));
        QVERIFY(m_page->countdownTimer().isActive());
        QCOMPARE(m_page->countdownTimer().interval(), 1000);

        QStringList shown;
        for (int tick = 0; tick < 40 && !ui->labelTimerUpdFwBLE->isHidden(); ++tick) {
            m_page->updateTimerFwBLE();
            if (!ui->labelTimerUpdFwBLE->isHidden())
                shown << ui->labelTimerUpdFwBLE->text();
        }
        QStringList expected;
        for (int second = 30; second >= 1; --second)
            expected << QString::number(second);
        QCOMPARE(shown, expected);
        QVERIFY(ui->labelTimerUpdFwBLE->isHidden());
        QVERIFY(ui->labelMsgUpdBLE->isHidden());
        QVERIFY(!m_page->countdownTimer().isActive());
    }

    // ------------------------------------------------------------ other answers

    void searchStateLockAnswer()
    {
        TRY(connectBase());
        m_page->link()->watchdog()->stop();
        QCOMPARE(feed(Frame::reply(kBase, Cmd::WrongPassword), kSearch), kSearch);
        QCOMPARE(m_dialogs->messages(),
                 QStringList{"Изменение настроек устройства защищено паролем.\nВведите пароль"});
        QCOMPARE(m_dialogs->sizes().first(), QSize(350, 170));
        QVERIFY(m_page->isBaseLockPass());
        QVERIFY(m_page->hasBaseAnswered());
        QVERIFY(!ui->label_LockBLE_BASE->isHidden());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, kLock));
        QVERIFY(m_page->link()->watchdog()->isActive());
        // Any other frame there changes nothing.
        QCOMPARE(feed(Frame::reply(kBase, Cmd::EnterPassword), kSearch), kSearch);
        QCOMPARE(m_dialogs->messages().size(), 1);
    }

    void searchStateLockIgnoredWhileNotReady()
    {
        QCOMPARE(feed(Frame::reply(kBase, Cmd::WrongPassword), kSearch), kSearch);
        QVERIFY(m_dialogs->messages().isEmpty());
        QVERIFY(!m_page->isBaseLockPass());
        QVERIFY(!m_page->hasBaseAnswered());
        QVERIFY(ui->label_LockBLE_BASE->isHidden());
        // And a base that answers but is not ready is not ready either.
        QCOMPARE(feed(QByteArray(1, char(kBase)), kSearch), Cmd::ReadIdentification);
        Data d;
        d.link = 0x1F;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(feed(Frame::reply(kBase, Cmd::WrongPassword), kSearch), kSearch);
        QVERIFY(m_dialogs->messages().isEmpty());
        QVERIFY(!m_page->isBaseLockPass());
    }

    void baseAcceptsPassword()
    {
        TRY(connectBase());
        QVERIFY(!m_page->isBaseAccepted());
        QCOMPARE(feed(Frame::reply(kBase, Cmd::EnterPassword), Cmd::ReadSettings),
                 Cmd::ReadSettings);
        QVERIFY(m_page->isBaseAccepted());
        QVERIFY(!ui->label_LockBLE_BASE->isHidden());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, kUnlock));
        // A wrong CRC is no answer.
        QByteArray damaged = Frame::reply(kBase, Cmd::WrongPassword);
        damaged[damaged.size() - 1] = char(damaged.at(damaged.size() - 1) ^ 0x55);
        feed(damaged, Cmd::ReadSettings);
        QVERIFY(m_dialogs->messages().isEmpty());
    }

    void horizonAccepted()
    {
        TRY(connectBase());
        feed(Frame::reply(kBase, Cmd::CalibrateHorizon), Cmd::ReadSettings);
        QCOMPARE(m_dialogs->messages(), QStringList{"Установлен Горизонт"});
        // From another base it is not ours.
        m_dialogs->clear();
        feed(Frame::reply(9, Cmd::CalibrateHorizon), Cmd::ReadSettings);
        QVERIFY(m_dialogs->messages().isEmpty());
    }

    void tableIntoTheTableDialog()
    {
        TRY(connectBase());
        QByteArray payload;
        QStringList levels, volumes;
        for (int i = 0; i < 20; ++i) {
            payload += Frame::bigEndian16(quint16(100 + 150 * i));
            levels << QString::number(100 + 150 * i);
        }
        for (int i = 0; i < 20; ++i) {
            payload += Frame::bigEndian16(quint16(300 * i + 7));
            volumes << QString::number(300 * i + 7);
        }
        const QByteArray table = Frame::reply(kBase, Cmd::ReadTable, payload);
        QCOMPARE(table.size(), 84);

        struct Value {
            int value, row, column;
        };
        QList<Value> values;
        connect(m_page, &BLEDevice::tableValueRead, this,
                [&values](int value, int row, int column, bool *) {
                    values.append({value, row, column});
                });
        QStringList shownLevels, shownVolumes;
        quint8 next = 0;
        QTimer::singleShot(0, this, [&] {
            next = feed(table, Cmd::ReadTable);
            if (LiterToPercent *dialog = m_window->tableDialog()) {
                shownLevels = dialog->levels();
                shownVolumes = dialog->volumes();
                dialog->accept();
            }
        });
        m_window->on_pushBtnCalcLtrPrc_clicked();
        QCOMPARE(next, Cmd::ReadSettings);
        QCOMPARE(values.size(), 40);
        for (int i = 0; i < 40; ++i) {
            QCOMPARE(values.at(i).column, i / 20);
            QCOMPARE(values.at(i).row, i % 20);
            QCOMPARE(QString::number(values.at(i).value), (i < 20 ? levels : volumes).at(i % 20));
        }
        QCOMPARE(shownLevels, levels);
        QCOMPARE(shownVolumes, volumes);
        QVERIFY(SharedTimers::pollTimer()->isActive());
        QCOMPARE(SharedTimers::pollTimer()->interval(), 500);
    }

    void settingsEchoIsKept()
    {
        Data d;
        d.mode = 0x00;
        d.filter = 0x02;
        TRY(connectBase(d));
        QVERIFY(!m_page->settingsEchoSeen());
        QCOMPARE(feed(Frame::reply(kBase, Cmd::WriteSettings, QByteArray::fromHex("8487")),
                      Cmd::ReadSettings),
                 Cmd::ReadSettings);
        QVERIFY(m_page->settingsEchoSeen());
        QCOMPARE(m_page->modeShadow(), quint8(0x84));
        QCOMPARE(m_page->filterShadow(), quint8(0x87));
    }

    // ------------------------------------------------------------ passwords

    void automaticProbe_data()
    {
        QTest::addColumn<int>("baseAnswer");
        QTest::addColumn<int>("sensorCode");
        QTest::addColumn<bool>("baseLocked");
        QTest::addColumn<bool>("sensorLocked");
        QTest::newRow("nothing locked") << int(Cmd::SetPassword) << 3 << false << false;
        QTest::newRow("sensor locked") << int(Cmd::SetPassword) << 10 << false << true;
    }

    void automaticProbe()
    {
        QFETCH(int, baseAnswer);
        QFETCH(int, sensorCode);
        QFETCH(bool, baseLocked);
        QFETCH(bool, sensorLocked);
        TRY(connectBase());
        QVERIFY(m_page->isAutomaticStepPending());
        QVERIFY(written().isEmpty()); // it runs once the parse tick is over
        m_line << Frame::reply(kBase, quint8(baseAnswer));
        QTRY_COMPARE(written().size(), 2);
        QCOMPARE(written().at(0), Frame::writeRequest(kBase, Cmd::SetPassword, kZeroPassword));
        QCOMPARE(written().at(1), Frame::writeRequest(kBase, Cmd::SetPasswordBle, kZeroPassword));
        QCOMPARE(m_parseSteps, QList<quint8>{BLEDevice::kStepCheckPassword});
        QVERIFY(m_page->hasBaseAnswered());
        QCOMPARE(m_page->isBaseLockPass(), baseLocked);
        QVERIFY(!ui->label_LockBLE_BASE->isHidden());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, baseLocked ? kLock : kUnlock));
        // A locked base asks for its password at once.
        QCOMPARE(m_securityShown, baseLocked ? 1 : 0);
        QCOMPARE(m_page->getStep(), Cmd::ReadIdentification);

        Data d;
        d.result = quint8(sensorCode);
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(m_page->isSensorStateKnown());
        QVERIFY(!m_page->isAutomaticStepPending());
        QCOMPARE(m_page->isSensorLocked(), sensorLocked);
        QVERIFY(!ui->label_LockBLE_BLE->isHidden());
        QVERIFY(showsPicture(ui->label_LockBLE_BLE, sensorLocked ? kLock : kUnlock));
        // The first verdict is only the sensor's state: nothing to tell the engineer.
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Связь с беспроводным датчиком установлена"));
        QVERIFY(logLines().isEmpty());

        // Known now: no more probes.
        feed(dataReply(Data()), Cmd::ReadSettings);
        QTest::qWait(300);
        QCOMPARE(written().size(), 2);
    }

    // A locked base would refuse the sensor's probe, and its refusal would
    // be taken for the answer to the next password entered: the probe waits
    // until the base is open.
    void lockedBaseDefersTheSensorProbe()
    {
        TRY(connectBase());
        m_line << Frame::reply(kBase, Cmd::WrongPassword);
        QTRY_COMPARE(m_securityShown, 1); // a locked base asks for its password at once
        QTest::qWait(300);
        QCOMPARE(written(), QList<QByteArray>{Frame::writeRequest(kBase, Cmd::SetPassword,
                                                                   kZeroPassword)});
        QVERIFY(m_page->isBaseLockPass());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, kLock));
        // While it stays locked, data replies send nothing more.
        feed(dataReply(Data()), Cmd::ReadSettings);
        QTest::qWait(300);
        QCOMPARE(written().size(), 1);
        QVERIFY(m_page->isAutomaticStepPending());

        // The right password opens it; the next data reply probes the sensor.
        m_line << Frame::reply(kBase, Cmd::EnterPassword);
        useSecurityDialog([](SecurityBLE &dialog) {
            dialog.getLineEditInputPassBase()->setText(QStringLiteral("123456"));
            press(dialog, "pushButtonInputPassBase");
        });
        QVERIFY(!m_page->isBaseLockPass());
        clearSpies();
        feed(dataReply(Data()), Cmd::ReadSettings);
        QTRY_COMPARE(written(), QList<QByteArray>{Frame::writeRequest(
                                    kBase, Cmd::SetPasswordBle, kZeroPassword)});
        Data verdict;
        verdict.result = 10;
        feed(dataReply(verdict), Cmd::ReadSettings);
        QVERIFY(m_page->isSensorLocked());
        QVERIFY(!m_page->isAutomaticStepPending());
    }

    void baseEntry_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << int(Cmd::EnterPassword) << true;
        QTest::newRow("refused") << int(Cmd::WrongPassword) << false;
    }

    void baseEntry()
    {
        QFETCH(int, answer);
        QFETCH(bool, accepted);
        TRY(connectBase());
        TRY(settleProbe(Cmd::WrongPassword, 3));
        QVERIFY(m_page->isBaseLockPass());
        m_line << Frame::reply(kBase, quint8(answer));
        useSecurityDialog([](SecurityBLE &dialog) {
            QCOMPARE(dialog.getLineEditInputPassBase()->echoMode(), QLineEdit::Password);
            dialog.getLineEditInputPassBase()->setText(QStringLiteral("123456"));
            press(dialog, "pushButtonInputPassBase");
        });
        QCOMPARE(m_securityShown, 1);
        QCOMPARE(written(), QList<QByteArray>{Frame::writeRequest(kBase, Cmd::EnterPassword,
                                                                   k123456)});
        QCOMPARE(m_parseSteps, QList<quint8>{BLEDevice::kStepEnterPassword});
        QCOMPARE(m_page->isBaseAccepted(), accepted);
        QCOMPARE(m_page->isBaseLockPass(), !accepted);
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, accepted ? kUnlock : kLock));
        QCOMPARE(m_dialogs->messages(),
                 accepted ? QStringList()
                          : QStringList{"Вы ввели неправильный пароль\nПовторите ввод"});
        QCOMPARE(m_page->getStep(), Cmd::ReadIdentification);
        QVERIFY(SharedTimers::pollTimer()->isActive());
        checkPasswordsNotLogged(QStringLiteral("Input password base BLE"));
    }

    void baseSet()
    {
        TRY(connectBase());
        TRY(settleProbe(Cmd::SetPassword, 3));
        QVERIFY(!m_page->isBaseLockPass());
        m_line << Frame::reply(kBase, Cmd::SetPassword);
        useSecurityDialog([](SecurityBLE &dialog) {
            dialog.getLineEditSetPassBase()->setText(QStringLiteral("123456"));
            press(dialog, "pushButtonSetPassBase");
        });
        QCOMPARE(written(), QList<QByteArray>{Frame::writeRequest(kBase, Cmd::SetPassword,
                                                                   k123456)});
        QCOMPARE(m_parseSteps, QList<quint8>{BLEDevice::kStepSetPassword});
        QVERIFY(m_page->isBaseLockPass());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, kLock));
        checkPasswordsNotLogged(QStringLiteral("Set password base BLE"));
    }

    void baseDelete()
    {
        TRY(connectBase());
        TRY(settleProbe(Cmd::WrongPassword, 3));
        m_line << Frame::reply(kBase, Cmd::EnterPassword) << Frame::reply(kBase, Cmd::SetPassword);
        useSecurityDialog([](SecurityBLE &dialog) {
            dialog.getLineEditInputPassBase()->setText(QStringLiteral("123456"));
            press(dialog, "pushButtonDelPassBase");
        });
        QCOMPARE(written(),
                 (QList<QByteArray>{Frame::writeRequest(kBase, Cmd::EnterPassword, k123456),
                                    Frame::writeRequest(kBase, Cmd::SetPassword, kZeroPassword)}));
        QCOMPARE(m_parseSteps,
                 (QList<quint8>{Cmd::ReadIdentification, BLEDevice::kStepDeletePassword}));
        QVERIFY(!m_page->isBaseLockPass());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, kUnlock));
        QCOMPARE(m_page->statusLabelUp()->text(), QStringLiteral("Пароль удалён"));
        checkPasswordsNotLogged(QStringLiteral("Delete password base BLE"));
    }

    void sensorEntry_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << 3 << "Пароль принят" << true;
        QTest::newRow("refused") << 10 << "Неверный пароль датчика" << false;
    }

    void sensorEntry()
    {
        QFETCH(int, code);
        QFETCH(bool, accepted);
        TRY(connectBase());
        TRY(settleProbe(Cmd::SetPassword, 10));
        QVERIFY(m_page->isSensorLocked());
        useSecurityDialog([](SecurityBLE &dialog) {
            QCOMPARE(dialog.getLineEditInputPassBLE()->echoMode(), QLineEdit::Password);
            dialog.getLineEditInputPassBLE()->setText(QStringLiteral("123456"));
            press(dialog, "pushButtonInputPassBLE");
        });
        QCOMPARE(written(), QList<QByteArray>{Frame::writeRequest(kBase, Cmd::EnterPasswordBle,
                                                                   k123456)});
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Ожидаем ответ от беспроводного датчика"));
        QVERIFY(!m_page->isMainStatusAllowed());
        QVERIFY(m_page->commandStatusTimer().isActive());
        QCOMPARE(m_page->commandStatusTimer().interval(), 7000);
        QCOMPARE(m_page->enteredSensorPassword(), 123456u);

        Data d;
        d.result = quint8(code);
        feed(dataReply(d), Cmd::ReadSettings);
        QTEST(m_page->statusLabelUp()->text(), "upper");
        QCOMPARE(m_page->isSensorPasswordOk(), accepted);
        QVERIFY(!ui->label_LockBLE_BLE->isHidden());
        QVERIFY(showsPicture(ui->label_LockBLE_BLE, accepted ? kUnlock : kLock));
        QVERIFY(m_page->statusHoldTimer().isActive());
        QCOMPARE(m_page->statusHoldTimer().interval(), 5000);
        if (accepted)
            QVERIFY(m_allLogs.contains(QStringLiteral("Password bluetooth device is correct")));
        // A second verdict has nothing left to answer.
        d.result = 3;
        const QString held = m_page->statusLabelUp()->text();
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->statusLabelUp()->text(), held);
        checkPasswordsNotLogged(QStringLiteral("Input password BLE"));
    }

    void sensorSet_data()
    {
        QTest::addColumn<bool>("baseLocked");
        QTest::newRow("base open") << false;
        QTest::newRow("base locked") << true;
    }

    void sensorSet()
    {
        QFETCH(bool, baseLocked);
        TRY(connectBase());
        TRY(settleProbe(baseLocked ? Cmd::WrongPassword : Cmd::SetPassword, 3));
        QVERIFY(!m_page->isSensorLocked());
        useSecurityDialog([](SecurityBLE &dialog) {
            dialog.getLineEditSetPassBLE()->setText(QStringLiteral("123456"));
            press(dialog, "pushButtonSetPassBLE");
        });
        QList<QByteArray> expected;
        if (baseLocked) // the base's password first: the probe's empty one
            expected << Frame::writeRequest(kBase, Cmd::EnterPassword, kZeroPassword);
        expected << Frame::writeRequest(kBase, Cmd::SetPasswordBle, k123456);
        QCOMPARE(written(), expected);
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Ожидаем ответ от беспроводного датчика"));
        QVERIFY(m_page->commandStatusTimer().isActive());

        Data d;
        d.result = 3;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Новый пароль ВТ датчика успешно установлен"));
        QVERIFY(m_allLogs.contains(QStringLiteral("New password BLE device successfully set")));
        QVERIFY(m_page->isSensorLocked());
        QVERIFY(showsPicture(ui->label_LockBLE_BLE, kLock));
        checkPasswordsNotLogged(QStringLiteral("Set password BLE"));
    }

    void sensorDelete()
    {
        TRY(connectBase());
        TRY(settleProbe(Cmd::SetPassword, 10));
        useSecurityDialog([](SecurityBLE &dialog) {
            dialog.getLineEditInputPassBLE()->setText(QStringLiteral("123456"));
            press(dialog, "pushButtonDelPassBLE");
        });
        QCOMPARE(written(),
                 (QList<QByteArray>{Frame::writeRequest(kBase, Cmd::EnterPasswordBle, k123456),
                                    Frame::writeRequest(kBase, Cmd::SetPasswordBle,
                                                        kZeroPassword)}));
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Ожидаем ответ от беспроводного датчика"));
        Data d;
        d.result = 3;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Пароль ВТ датчика успешно удалён"));
        QVERIFY(m_allLogs.contains(QStringLiteral("Password successfully delete")));
        QVERIFY(!m_page->isSensorLocked());
        QVERIFY(showsPicture(ui->label_LockBLE_BLE, kUnlock));
        QCOMPARE(m_page->enteredSensorPassword(), 0u);
        checkPasswordsNotLogged(QStringLiteral("Delete password BLE"));
    }

    void sensorUpdateEntersThePasswordFirst()
    {
        TRY(connectBase());
        TRY(settleProbe(Cmd::SetPassword, 10));
        useSecurityDialog([](SecurityBLE &dialog) {
            dialog.getLineEditInputPassBLE()->setText(QStringLiteral("654321"));
            press(dialog, "pushButtonInputPassBLE");
        });
        clearSpies();
        m_window->on_pushBtnInUpdBLE_clicked();
        QCOMPARE(written(),
                 (QList<QByteArray>{Frame::writeRequest(kBase, Cmd::EnterPasswordBle,
                                                        QByteArray::fromHex("0009FBF1")),
                                    Frame::writeRequest(kBase, Cmd::RestartBleForUpdate)}));
        QVERIFY(ui->labelMsgUpdBLE->text().startsWith(
            QStringLiteral("Сейчас датчик будет перезагружен")));
        checkPasswordsNotLogged(QStringLiteral("Start update firmware BLE"));
    }

    // ------------------------------------------------------------ base settings

    void baseIdentifier_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("258") << "258" << QByteArray::fromHex("020100DDEEFF");
        QTest::newRow("largest") << "16777215" << QByteArray::fromHex("FFFFFFDDEEFF");
        QTest::newRow("1") << "1" << QByteArray::fromHex("010000DDEEFF");
        QTest::newRow("0") << "0" << QByteArray();
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("too large") << "16777216" << QByteArray();
        QTest::newRow("not a number") << "12a" << QByteArray();
    }

    void baseIdentifier()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, payload);
        TRY(connectBase());
        m_page->setIdentifierText(text);
        m_page->changeUiidBle();
        if (payload.isEmpty()) {
            QVERIFY(written().isEmpty());
            QCOMPARE(m_dialogs->messages(),
                     QStringList{QStringLiteral("Установите корректное значение \"UIID\"")});
            QVERIFY(logLines().isEmpty());
            return;
        }
        QCOMPARE(written(),
                 QList<QByteArray>{Frame::writeRequest(kBase, Cmd::SetBaseIdentifier, payload)});
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(logLines(), QStringList{"Change base UUID"});
        QCOMPARE(m_parseSteps.size(), 1);
    }

    void baseRebootCarriesTheMac()
    {
        Data d;
        d.mac = {{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB}};
        TRY(connectBase(d));
        d.mac = {{0x3B, 0x12, 0x0A, 0x51, 0x7F, 0xC4}}; // the last reply counts
        feed(dataReply(d), Cmd::ReadSettings);
        m_window->on_pushBtnInUpdBase_clicked();
        QCOMPARE(written(), QList<QByteArray>{Frame::writeRequest(
                                kBase, Cmd::SetBaseIdentifier,
                                QByteArray::fromHex("3B120A517FC4"))});
        QVERIFY(!ui->labelTimerUpdFwBLE->isHidden());
        QCOMPARE(m_page->updateCountdown(), 30);
        QVERIFY(ui->labelMsgUpdBLE->text().contains(QStringLiteral("KV_BASE_UPD")));
        QVERIFY(ui->labelMsgUpdBLE->wordWrap());
        QCOMPARE(logLines(), QStringList{"Update firmware base BLE"});
    }

    void baseAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sent");
        QTest::newRow("7") << "7" << 7;
        QTest::newRow("254") << "254" << 254;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("0") << "0" << -1;
        QTest::newRow("255") << "255" << -1;
        QTest::newRow("abc") << "abc" << -1;
        QTest::newRow("empty") << "" << -1;
    }

    void baseAddress()
    {
        QFETCH(QString, text);
        QFETCH(int, sent);
        QCOMPARE(feed(QByteArray::fromHex("0509"), kSearch), Cmd::ReadIdentification);
        m_window->on_comboBox_NetNumBLE_activated(1); // the engineer picks the second base
        QCOMPARE(m_window->currentAddress(), quint8(9));
        clearSpies();
        ui->lineEdit_NetNumBaseBLE->setText(text);
        // The base answers the new search with its new address.
        if (sent > 0)
            m_line << QByteArray(1, char(sent));
        m_window->on_pushBtnChgNetNumBase_clicked();
        if (sent < 0) {
            QVERIFY(written().isEmpty());
            QCOMPARE(m_dialogs->messages().size(), 1);
            QCOMPARE(m_window->currentAddress(), quint8(9));
            QCOMPARE(m_page->getStep(), Cmd::ReadSettings);
            return;
        }
        QCOMPARE(written(), QList<QByteArray>{Frame::writeRequest(9, Cmd::SetAddress,
                                                                   QByteArray(1, char(sent)))});
        QCOMPARE(m_parseSteps, QList<quint8>{kSearch});
        QCOMPARE(m_page->netNumDevice(), QByteArray(1, char(sent)));
        QCOMPARE(m_window->currentAddress(), quint8(sent));
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(logLines(), QStringList{"Change net num base BLE"});
    }

    void levelRangeEdits_data()
    {
        QTest::addColumn<int>("sensorFirmware");
        QTest::addColumn<bool>("maximum");
        QTest::addColumn<bool>("asks");
        QTest::newRow("200 max") << 200 << true << true;
        QTest::newRow("253 max") << 253 << true << true;
        QTest::newRow("254 max") << 254 << true << false;
        QTest::newRow("255 max") << 255 << true << false;
        QTest::newRow("200 min") << 200 << false << true;
        QTest::newRow("254 min") << 254 << false << false;
    }

    void levelRangeEdits()
    {
        QFETCH(int, sensorFirmware);
        QFETCH(bool, maximum);
        QFETCH(bool, asks);
        Data d;
        d.sensorFirmware = quint8(sensorFirmware);
        TRY(connectBase(d));
        QLineEdit *edit = maximum ? ui->lineEditMaxLevelBLE : ui->lineEditMinLevelBLE;
        QLabel *mark = maximum ? ui->label_Alarm_11BLE : ui->label_Alarm_10BLE;
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("900"));
        if (!asks) {
            QVERIFY(m_dialogs->messages().isEmpty());
            QCOMPARE(edit->text(), QStringLiteral("900"));
            return;
        }
        const QString question = maximum
            ? QStringLiteral("Версия датчика не поддерживает данную функцию\n"
                             "Хотите установить максимальное значение?")
            : QStringLiteral("Версия датчика не поддерживает данную функцию\n"
                             "Хотите установить минимальное значение?");
        QVERIFY(!m_dialogs->messages().isEmpty());
        for (const QString &message : m_dialogs->messages())
            QCOMPARE(message, question);
        QCOMPARE(edit->text(), maximum ? QStringLiteral("1023") : QStringLiteral("1"));
        QVERIFY(m_page->parametersChanged());
        QVERIFY(!mark->isHidden());

        // Declined: nothing marked as changed.
        m_page->setParametersChanged(false);
        m_dialogs->setAnswer(0);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("5"));
        QVERIFY(!m_page->parametersChanged());
        QCOMPARE(edit->text(), maximum ? QStringLiteral("1023") : QStringLiteral("1"));
    }

    void parameterWrite_data()
    {
        QTest::addColumn<QByteArray>("echo");
        QTest::addColumn<bool>("written");
        QTest::newRow("echo matches") << QByteArray::fromHex("8084") << true;
        QTest::newRow("no echo") << QByteArray() << false;
        QTest::newRow("echo differs") << QByteArray::fromHex("8083") << false;
    }

    void parameterWrite()
    {
        QFETCH(QByteArray, echo);
        QFETCH(bool, written);
        Data d;
        d.mode = 0x80;
        d.filter = 0x83; // smoothing 3, thermo-compensation switched off
        TRY(connectBase(d));
        TRY(settleProbe(Cmd::SetPassword, 3));
        // Nothing changed: the write button does nothing.
        m_window->on_ButtonWriteParamBLE_clicked();
        QVERIFY(this->written().isEmpty());

        ui->comboBox_FiltrBLE->setCurrentIndex(4);
        emit ui->comboBox_FiltrBLE->activated(4);
        QVERIFY(m_page->parametersChanged());
        QVERIFY(!ui->label_Alarm_12BLE->isHidden());
        if (!echo.isEmpty())
            m_line << Frame::reply(kBase, Cmd::WriteSettings, echo);
        m_window->on_ButtonWriteParamBLE_clicked();
        QCOMPARE(this->written(), QList<QByteArray>{Frame::writeRequest(
                                      kBase, Cmd::WriteSettings, QByteArray::fromHex("8084"))});
        if (written) {
            QCOMPARE(logLines(), QStringList{"Write param to device succesfull"});
            QVERIFY(m_dialogs->messages().isEmpty());
            QVERIFY(!m_page->parametersChanged());
        } else {
            QCOMPARE(logLines(), QStringList{"Error write param to device"});
            QCOMPARE(m_dialogs->messages(),
                     QStringList{"Некоторые параметры не были записаны\nПовторите"});
            QVERIFY(m_page->parametersChanged());
        }
        QVERIFY(SharedTimers::pollTimer()->isActive());
    }

    // ------------------------------------------------------------ advertising

    void advertisingVersions_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("advertising");
        QTest::newRow("222") << 222 << false;
        QTest::newRow("223") << 223 << true;
        QTest::newRow("500") << 500 << true;
        QTest::newRow("998") << 998 << true;
        QTest::newRow("999") << 999 << false;
        QTest::newRow("0") << 0 << false;
        QTest::newRow("65535") << 65535 << false;
    }

    void advertisingVersions()
    {
        QFETCH(int, version);
        QFETCH(bool, advertising);
        QVERIFY(!ui->tabWidgetAdw->isHidden());
        QCOMPARE(feed(QByteArray(1, char(kBase)), kSearch), Cmd::ReadIdentification);
        QCOMPARE(feed(identificationReply(kBase, kSerial, quint16(version)),
                      Cmd::ReadIdentification),
                 Cmd::ReadSettings);
        QCOMPARE(m_page->isAdvertisingMode(), advertising);
        QCOMPARE(ui->tabWidgetAdw->isHidden(), !advertising);
        // The base took the master configuration: search again. A linked
        // base has no such answer.
        QCOMPARE(feed(Frame::reply(kBase, Cmd::ManualFull), Cmd::ReadSettings),
                 advertising ? kSearch : Cmd::ReadSettings);
    }

    // ------------------------------------------------------------ loss and reset

    void watchdogExpiry()
    {
        TRY(connectBase());
        TRY(settleProbe(Cmd::SetPassword, 3));
        QTimer *watchdog = m_page->link()->watchdog();
        QVERIFY(watchdog->isActive());
        QCOMPARE(watchdog->interval(), 4000);
        QVERIFY(!ui->label_RSSI_VAL_BLE->isHidden());
        watchdog->start(1); // the 4 s have passed
        QTRY_VERIFY(m_allLogs.contains(QStringLiteral("Device is not responding")));
        watchdog->setInterval(4000);
        QCOMPARE(m_page->getStep(), kSearch);
        QVERIFY(!m_page->isDeviceConnected());
        QCOMPARE(m_page->polledIndex(), 0);
        QVERIFY(ui->label_RSSI_VAL_BLE->isHidden());
        QVERIFY(ui->label_UrovenBLE->isHidden());
        QCOMPARE(m_page->statusLabel()->text(), QStringLiteral("Подключите датчик"));
        // Back from the search, the settings are filled again.
        ui->comboBox_FiltrBLE->setCurrentIndex(7);
        Data d;
        d.filter = 2;
        TRY(connectBase(d));
        QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), 2);
        QVERIFY(!ui->label_RSSI_VAL_BLE->isHidden());
    }

    void resetClearsPasswordsAndFlags()
    {
        TRY(connectBase());
        TRY(settleProbe(Cmd::SetPassword, 10));
        useSecurityDialog([](SecurityBLE &dialog) {
            dialog.getLineEditInputPassBLE()->setText(QStringLiteral("654321"));
            press(dialog, "pushButtonInputPassBLE");
        });
        // The base refuses a later change: it has been locked meanwhile.
        feed(Frame::reply(kBase, Cmd::WrongPassword), Cmd::ReadIdentification);
        QVERIFY(m_page->isBaseLockPass());
        QVERIFY(m_page->isSensorLocked());
        QCOMPARE(m_page->enteredSensorPassword(), 654321u);
        QSignalSpy lists(m_page, &BLEDevice::copyNetNumToParent);

        m_page->resetSettingToDefault();
        QCOMPARE(lists.size(), 1);
        QVERIFY(lists.at(0).at(0).toByteArray().isEmpty());
        QCOMPARE(m_page->getStep(), kSearch);
        QCOMPARE(m_page->address(), quint8(0));
        QVERIFY(!m_page->isBaseLockPass());
        QVERIFY(!m_page->isBaseAccepted());
        QVERIFY(!m_page->hasBaseAnswered());
        QVERIFY(!m_page->isSensorStateKnown());
        QVERIFY(!m_page->isSensorLocked());
        QVERIFY(!m_page->isSensorPasswordOk());
        QVERIFY(m_page->isAutomaticStepPending());
        QCOMPARE(m_page->enteredSensorPassword(), 0u);
        QVERIFY(m_page->isMainStatusAllowed());
        QVERIFY(!m_page->isBaseReady());
        QVERIFY(!m_page->isDataValid());
        QVERIFY(ui->label_LockBLE_BASE->isHidden());
        QVERIFY(ui->label_LockBLE_BLE->isHidden());
        QVERIFY(ui->label_RSSI_VAL_BLE->isHidden());

        // A new connection probes the passwords again.
        clearSpies();
        TRY(connectBase());
        m_line << Frame::reply(kBase, Cmd::SetPassword);
        QTRY_COMPARE(written().size(), 2);
        QCOMPARE(written().at(0), Frame::writeRequest(kBase, Cmd::SetPassword, kZeroPassword));
        QVERIFY(!m_page->isBaseLockPass());
    }
};

QTEST_MAIN(TestBleDevice)
#include "tst_bledevice.moc"
