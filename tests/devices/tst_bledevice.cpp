// The wireless base station page: replies go to parseReply as the parse tick
// hands them over, sent frames are caught on writeData.

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
    qint32 raw = 10000, empty = 1000, full = 2000;
    quint8 mode = 0x00, filter = 0x00;
    quint8 sensorFirmware = 254;
    quint8 link = 0x21;
    quint8 rssi = 0xC4; // -60 dB
    quint8 battery = 36;
    std::array<quint8, 6> mac{{0x3B, 0x12, 0x0A, 0x51, 0x7F, 0xC4}};
    quint8 result = 0;
};

QByteArray dataReply(const Data &d)
{
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
    std::unique_ptr<QSignalSpy> m_levels;
    QStringList m_allLogs;          // every log line of the test
    int m_logMark = 0;              // where logLines() starts
    QList<QByteArray> m_line;       // what the base answers, one reply per parse tick
    QList<quint8> m_parseSteps;     // the page's step at each parse tick it asked for
    int m_securityShown = 0;

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

    QStringList logLines() const { return m_allLogs.mid(m_logMark); }

    void clearSpies()
    {
        m_writes->clear();
        m_logMark = m_allLogs.size();
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

    // Runs the automatic password probe: the base answers `baseAnswer`, the
    // sensor `sensorCode`; a locked base is not asked about its sensor.
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

    // Answers the page's password dialogs: skips them, or types `password`
    // into the field `button` reads and presses it.
    void answerSecurity(const QString &button = QString(), const QString &password = QString())
    {
        SecurityBLE::setResponder([this, button, password](SecurityBLE &dialog) {
            ++m_securityShown;
            if (button.isEmpty()) {
                dialog.skipButton()->click();
                return;
            }
            const bool set = button.contains(QLatin1String("SetPass"));
            QLineEdit *field = button.endsWith(QLatin1String("Base"))
                ? (set ? dialog.getLineEditSetPassBase() : dialog.getLineEditInputPassBase())
                : (set ? dialog.getLineEditSetPassBLE() : dialog.getLineEditInputPassBLE());
            QCOMPARE(field->echoMode(), QLineEdit::Password);
            field->setText(password);
            auto *pushed = dialog.findChild<QPushButton *>(button);
            QVERIFY2(pushed, qPrintable(button));
            pushed->click();
        });
    }

    // Opens the page's password dialog and presses `button` in it.
    void pressWith(const QString &button, const QString &password)
    {
        m_securityShown = 0;
        answerSecurity(button, password);
        m_page->showSecurityDialog();
        answerSecurity();
    }

    QList<int> parseSteps() const
    {
        QList<int> steps;
        for (const quint8 step : m_parseSteps)
            steps << step;
        return steps;
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
        answerSecurity();
        m_window = std::make_unique<Configurator>();
        m_page = m_window->bleDevice();
        ui = m_window->form();
        m_writes = std::make_unique<QSignalSpy>(m_page, &BLEDevice::writeData);
        m_levels = std::make_unique<QSignalSpy>(m_page, &BLEDevice::copyLevelValueToMain);
        m_allLogs.clear();
        m_logMark = 0;
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
        QTest::newRow("0x1F answers, not ready") << 0x1F << 45 << false << true;
        QTest::newRow("0x22 nothing") << 0x22 << 45 << false << false;
        QTest::newRow("0x1E base ready") << 0x1E << 45 << true << true;
        QTest::newRow("0x21 sensor linked") << 0x21 << 45 << true << true;
        QTest::newRow("0x21 in 38 bytes") << 0x21 << 38 << true << true;
        QTest::newRow("0x21 in 84 bytes") << 0x21 << 84 << true << true;
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
        d.link = 0x21;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(m_page->isBaseReady());
        d.link = 0x10; // once ready, any length is decoded
        d.length = 46;
        d.rssi = 0xBA; // -70 dB
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(m_page->isBaseReady());
        QCOMPARE(ui->label_RSSI_VAL_BLE->text(), QStringLiteral("-70dB"));
        // A state outside 0x1E..0x21 leaves it ready: only the loss of the device ends it.
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
        SharedTimers::parseTimer()->stop();
        QCOMPARE(feed(addresses, kSearch), Cmd::ReadIdentification);
        QCOMPARE(SharedTimers::parseTimer()->interval(), parseInterval);
        QVERIFY(SharedTimers::parseTimer()->isActive());
        QCOMPARE(m_window->addressList().bytes(), addresses);
        QCOMPARE(ui->comboBox_NetNumBLE->count(), int(addresses.size()));
        QCOMPARE(m_page->address(), quint8(addresses.at(0)));

        int previous = -1;
        for (int turn = 0; turn < order.size(); ++turn) {
            const int expected = order.at(turn);
            QCOMPARE(m_page->polledIndex(), expected);
            // Replies of other addresses change nothing and do not feed the watchdog.
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

    // Only the polled address's data counts; its level carries the polled index.
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
        QCOMPARE(m_levels->at(0), (QList<QVariant>{300, 1}));
        QCOMPARE(m_page->record(1).levelSent, quint16(300));
    }

    // ------------------------------------------------------------ readings

    // The usual values are shown in tst_ble_e2e: a cold sensor and other versions here.
    void displayedValues()
    {
        Data d;
        d.battery = 29;
        d.rssi = 0x9C;
        d.sensorFirmware = 254;
        d.temperature = -12;
        TRY(connectBase(d, 100));
        QCOMPARE(ui->label_BAT_VAL_BLE->text(), QStringLiteral("2.9В"));
        QCOMPARE(ui->label_RSSI_VAL_BLE->text(), QStringLiteral("-100dB"));
        QCOMPARE(ui->label_FirmwareValBLE->text(), QStringLiteral("2.5.4"));
        QCOMPARE(ui->label_FirmwareVal->text(), QStringLiteral("1.0.0"));
        QCOMPARE(ui->label_TempValBLE->text(), QStringLiteral("-12°C"));
        QCOMPARE(ui->label_TempVal_2->text(), QStringLiteral("-12°C"));
    }

    void levelWaitsForValidData()
    {
        Data d;
        d.result = 1; // a relayed command's result: the readings are not yet valid
        d.level = 700;
        d.raw = 4321;
        TRY(connectBase(d));
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(ui->label_UrovenBLE->text(), QStringLiteral("0"));
        QCOMPARE(ui->label_ValCurrentBLE->text(), QStringLiteral("0"));
        QCOMPARE(ui->progressBarLevelBLE->value(), 700);
        QVERIFY(!m_page->isDataValid());
        QCOMPARE(m_levels->size(), 0);

        d.result = 0;
        feed(dataReply(d), Cmd::ReadSettings);
        QVERIFY(m_page->isDataValid());
        QCOMPARE(ui->label_UrovenBLE->text(), QStringLiteral("700"));
        QCOMPARE(ui->label_ValCurrentBLE->text(), QStringLiteral("4321"));
        QCOMPARE(m_levels->size(), 1);
        QCOMPARE(m_levels->at(0), (QList<QVariant>{700, 0}));

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
        QTest::newRow("0x80 only the switch") << 0x80 << 0x80 << 0 << true << "4095" << 4096
                                              << true;
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
        QCOMPARE(ui->comboBox_FiltrBLE->count(), 16);
        QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), smoothing);
        QCOMPARE(m_page->thermoSwitch()->isOn(), thermoSwitch);
        QTEST(ui->lineEditMaxLevelBLE->text(), "maximum");
        QCOMPARE(ui->lineEditMinLevelBLE->text(), QStringLiteral("1"));
        QCOMPARE(ui->progressBarLevelBLE->maximum(), barMaximum);
        QCOMPARE(!ui->label_UrovenBLE->isHidden(), levelShown);
        QCOMPARE(m_page->modeShadow(), quint8(mode));
        QCOMPARE(m_page->filterShadow(), quint8(filter));
        QVERIFY(writtenWithCode(Cmd::WriteSettings).isEmpty()); // shown, not written back

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

    // The boundaries are in tst_blereplies; here the page follows the verdict both ways.
    void calibrationCheck_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<int>("full");
        QTest::addColumn<bool>("needed");
        QTest::newRow("2.2 x empty") << 1000 << 2200 << false;
        QTest::newRow("beyond 2.2") << 1000 << 2201 << true;
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
        QTest::newRow("2") << 2 << "S/N ВТ датчика успешно изменен"
                           << "S/N bluetooth device successfully changed";
        QTest::newRow("11") << 11 << "Ошибка изменения UUID ВТ датчика" << "Error set UUID BLE";
        QTest::newRow("16 last") << 16 << "Ошибка установки режима" << "Error set new mode BLE";
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
        QCOMPARE(m_page->statusHoldTimer().interval(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_page->isMainStatusAllowed(), 7000);
        d.result = 0;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Связь с беспроводным датчиком установлена"));
    }

    // The link verdict follows the battery both ways and is never held.
    void sensorLinkResult()
    {
        TRY(connectBase());
        Data d;
        d.battery = 0;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Связь с беспроводным датчиком не установлена"));
        QCOMPARE(m_page->statusLabel()->text(), QStringLiteral("Подключите датчик"));
        QCOMPARE(logLines(), QStringList{"Bluetooth device not connected"});
        QVERIFY(!m_page->statusHoldTimer().isActive());
        d.battery = 36;
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Связь с беспроводным датчиком установлена"));
        QCOMPARE(m_page->statusLabel()->text(), QStringLiteral("Подключен KV-BLE"));
        QCOMPARE(logLines().size(), 1);
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
        QVERIFY(!ui->labelMsgUpdBLE->isHidden());
        QVERIFY(ui->labelMsgUpdBLE->text().startsWith(QStringLiteral("Если по истечении таймера")));
        QVERIFY(m_page->countdownTimer().isActive());
        QStringList shown{ui->labelTimerUpdFwBLE->text()};
        for (int tick = 0; tick < 40 && !ui->labelTimerUpdFwBLE->isHidden(); ++tick) {
            m_page->updateTimerFwBLE();
            if (!ui->labelTimerUpdFwBLE->isHidden())
                shown << ui->labelTimerUpdFwBLE->text();
        }
        QStringList expected;
        for (int second = 30; second >= 1; --second)
            expected << QString::number(second);
        QCOMPARE(shown, QStringList{QStringLiteral("30")} + expected);
        QVERIFY(ui->labelMsgUpdBLE->isHidden());
        QVERIFY(!m_page->countdownTimer().isActive());
    }

    // ------------------------------------------------------------ other answers

    // A lock answer at the search step is heeded only from a ready base.
    void searchStateLockAnswer()
    {
        QCOMPARE(feed(Frame::reply(kBase, Cmd::WrongPassword), kSearch), kSearch);
        QCOMPARE(feed(QByteArray(1, char(kBase)), kSearch), Cmd::ReadIdentification);
        Data d;
        d.link = 0x1F; // answering, not ready
        feed(dataReply(d), Cmd::ReadSettings);
        QCOMPARE(feed(Frame::reply(kBase, Cmd::WrongPassword), kSearch), kSearch);
        QVERIFY(m_dialogs->messages().isEmpty());
        QVERIFY(!m_page->isBaseLockPass());
        QVERIFY(!m_page->hasBaseAnswered());
        QVERIFY(ui->label_LockBLE_BASE->isHidden());

        TRY(connectBase());
        m_page->link()->watchdog()->stop();
        QVERIFY(!m_page->hasBaseAnswered());
        QCOMPARE(feed(Frame::reply(kBase, Cmd::WrongPassword), kSearch), kSearch);
        QCOMPARE(m_dialogs->messages(),
                 QStringList{"Изменение настроек устройства защищено паролем.\nВведите пароль"});
        QVERIFY(m_page->isBaseLockPass());
        QVERIFY(m_page->hasBaseAnswered());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, kLock));
        QVERIFY(m_page->link()->watchdog()->isActive());
        // Any other frame there changes nothing.
        QCOMPARE(feed(Frame::reply(kBase, Cmd::EnterPassword), kSearch), kSearch);
        QCOMPARE(m_dialogs->messages().size(), 1);
    }

    // Password accepted, a damaged frame, horizon and settings echo at the readings step.
    void answersAtTheReadingsStep()
    {
        Data d;
        d.filter = 0x02;
        TRY(connectBase(d));
        QVERIFY(!m_page->isBaseAccepted());
        QCOMPARE(feed(Frame::reply(kBase, Cmd::EnterPassword), Cmd::ReadSettings),
                 Cmd::ReadSettings);
        QVERIFY(m_page->isBaseAccepted());
        QVERIFY(!ui->label_LockBLE_BASE->isHidden());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, kUnlock));
        QByteArray damaged = Frame::reply(kBase, Cmd::WrongPassword);
        damaged[damaged.size() - 1] = char(damaged.at(damaged.size() - 1) ^ 0x55);
        feed(damaged, Cmd::ReadSettings);
        QVERIFY(m_dialogs->messages().isEmpty());

        feed(Frame::reply(9, Cmd::CalibrateHorizon), Cmd::ReadSettings); // not ours
        QVERIFY(m_dialogs->messages().isEmpty());
        feed(Frame::reply(kBase, Cmd::CalibrateHorizon), Cmd::ReadSettings);
        QCOMPARE(m_dialogs->messages(), QStringList{"Установлен Горизонт"});

        QVERIFY(!m_page->settingsEchoSeen());
        QCOMPARE(feed(Frame::reply(kBase, Cmd::WriteSettings, QByteArray::fromHex("8487")),
                      Cmd::ReadSettings),
                 Cmd::ReadSettings);
        QVERIFY(m_page->settingsEchoSeen());
        QCOMPARE(m_page->modeShadow(), quint8(0x84));
        QCOMPARE(m_page->filterShadow(), quint8(0x87));
    }

    void tableIntoTheTableDialog()
    {
        TRY(connectBase());
        QByteArray payload; // 20 levels, then 20 volumes
        QStringList levels, volumes;
        for (int i = 0; i < 40; ++i) {
            const int value = i < 20 ? 100 + 150 * i : 300 * (i - 20) + 7;
            payload += Frame::bigEndian16(quint16(value));
            (i < 20 ? levels : volumes) << QString::number(value);
        }
        QList<QList<int>> values; // value, row, column
        connect(m_page, &BLEDevice::tableValueRead, this,
                [&values](int value, int row, int column, bool *) {
                    values.append({value, row, column});
                });
        QStringList shownLevels, shownVolumes;
        quint8 next = 0;
        QTimer::singleShot(0, this, [&] {
            next = feed(Frame::reply(kBase, Cmd::ReadTable, payload), Cmd::ReadTable);
            if (LiterToPercent *dialog = m_window->tableDialog()) {
                shownLevels = dialog->levels();
                shownVolumes = dialog->volumes();
                dialog->accept();
            }
        });
        m_window->on_pushBtnCalcLtrPrc_clicked();
        QCOMPARE(next, Cmd::ReadSettings);
        QCOMPARE(values.size(), 40);
        for (int i = 0; i < 40; ++i)
            QCOMPARE(values.at(i), (QList<int>{(i < 20 ? levels : volumes).at(i % 20).toInt(),
                                               i % 20, i / 20}));
        QCOMPARE(shownLevels, levels);
        QCOMPARE(shownVolumes, volumes);
        QVERIFY(SharedTimers::pollTimer()->isActive());
    }

    // ------------------------------------------------------------ passwords

    void automaticProbe_data()
    {
        QTest::addColumn<int>("sensorCode");
        QTest::addColumn<bool>("sensorLocked");
        QTest::newRow("nothing locked") << 3 << false;
        QTest::newRow("sensor locked") << 10 << true;
    }

    void automaticProbe()
    {
        QFETCH(int, sensorCode);
        QFETCH(bool, sensorLocked);
        TRY(connectBase());
        QVERIFY(m_page->isAutomaticStepPending());
        QVERIFY(written().isEmpty()); // it runs once the parse tick is over
        m_line << Frame::reply(kBase, Cmd::SetPassword);
        QTRY_COMPARE(written().size(), 2);
        QCOMPARE(written().at(0), Frame::writeRequest(kBase, Cmd::SetPassword, kZeroPassword));
        QCOMPARE(written().at(1), Frame::writeRequest(kBase, Cmd::SetPasswordBle, kZeroPassword));
        QCOMPARE(m_parseSteps, QList<quint8>{BLEDevice::kStepCheckPassword});
        QVERIFY(m_page->hasBaseAnswered());
        QVERIFY(!m_page->isBaseLockPass());
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, kUnlock));
        QCOMPARE(m_securityShown, 0);
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

    // A locked base would refuse the sensor's probe, and its refusal would be
    // taken for the answer to the next password: the probe waits for the base.
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
        feed(dataReply(Data()), Cmd::ReadSettings);
        QTest::qWait(300);
        QCOMPARE(written().size(), 1);
        QVERIFY(m_page->isAutomaticStepPending());

        // The right password opens it; the next data reply probes the sensor.
        m_line << Frame::reply(kBase, Cmd::EnterPassword);
        pressWith(QStringLiteral("pushButtonInputPassBase"), QStringLiteral("123456"));
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

    void basePassword_data()
    {
        QTest::addColumn<int>("probe"); // the base's answer to the automatic probe
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QList<QByteArray>>("sent");
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("log");
        const QByteArray enter = Frame::writeRequest(kBase, Cmd::EnterPassword, k123456);
        const QString input = QStringLiteral("pushButtonInputPassBase");
        QTest::newRow("entered") << int(Cmd::WrongPassword) << input
                                 << QList<int>{Cmd::EnterPassword} << QList<QByteArray>{enter}
                                 << QList<int>{BLEDevice::kStepEnterPassword} << false
                                 << "Input password base BLE";
        QTest::newRow("refused") << int(Cmd::WrongPassword) << input
                                 << QList<int>{Cmd::WrongPassword} << QList<QByteArray>{enter}
                                 << QList<int>{BLEDevice::kStepEnterPassword} << true
                                 << "Input password base BLE";
        QTest::newRow("set") << int(Cmd::SetPassword) << "pushButtonSetPassBase"
                             << QList<int>{Cmd::SetPassword}
                             << QList<QByteArray>{Frame::writeRequest(kBase, Cmd::SetPassword,
                                                                      k123456)}
                             << QList<int>{BLEDevice::kStepSetPassword} << true
                             << "Set password base BLE";
        QTest::newRow("deleted")
            << int(Cmd::WrongPassword) << "pushButtonDelPassBase"
            << QList<int>{Cmd::EnterPassword, Cmd::SetPassword}
            << QList<QByteArray>{enter, Frame::writeRequest(kBase, Cmd::SetPassword, kZeroPassword)}
            << QList<int>{Cmd::ReadIdentification, BLEDevice::kStepDeletePassword} << false
            << "Delete password base BLE";
    }

    void basePassword()
    {
        QFETCH(int, probe);
        QFETCH(QString, button);
        QFETCH(QList<int>, answers);
        QFETCH(QList<QByteArray>, sent);
        QFETCH(QList<int>, steps);
        QFETCH(bool, locked);
        QFETCH(QString, log);
        TRY(connectBase());
        TRY(settleProbe(quint8(probe), 3));
        for (const int answer : answers)
            m_line << Frame::reply(kBase, quint8(answer));
        pressWith(button, QStringLiteral("123456"));
        QCOMPARE(m_securityShown, 1);
        QCOMPARE(written(), sent);
        QCOMPARE(parseSteps(), steps);
        QCOMPARE(m_page->isBaseLockPass(), locked);
        QVERIFY(showsPicture(ui->label_LockBLE_BASE, locked ? kLock : kUnlock));
        if (button.contains(QLatin1String("Del")))
            QCOMPARE(m_page->statusLabelUp()->text(), QStringLiteral("Пароль удалён"));
        if (button.contains(QLatin1String("Input"))) {
            QCOMPARE(m_page->isBaseAccepted(), !locked);
            QCOMPARE(m_dialogs->messages(),
                     locked ? QStringList{"Вы ввели неправильный пароль\nПовторите ввод"}
                            : QStringList());
            QCOMPARE(m_page->getStep(), Cmd::ReadIdentification);
            QVERIFY(SharedTimers::pollTimer()->isActive());
        }
        checkPasswordsNotLogged(log);
    }

    void sensorPassword_data()
    {
        QTest::addColumn<int>("probe"); // the base's answer to the automatic probe
        QTest::addColumn<int>("sensorCode");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<QByteArray>>("sent");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("resultLog");
        QTest::addColumn<QString>("log");
        const QByteArray enter = Frame::writeRequest(kBase, Cmd::EnterPasswordBle, k123456);
        const QByteArray set = Frame::writeRequest(kBase, Cmd::SetPasswordBle, k123456);
        const QString input = QStringLiteral("pushButtonInputPassBLE");
        const QString setButton = QStringLiteral("pushButtonSetPassBLE");
        QTest::newRow("entered") << int(Cmd::SetPassword) << 10 << input << QList<QByteArray>{enter}
                                 << 3 << "Пароль принят" << false
                                 << "Password bluetooth device is correct" << "Input password BLE";
        QTest::newRow("refused") << int(Cmd::SetPassword) << 10 << input << QList<QByteArray>{enter}
                                 << 10 << "Неверный пароль датчика" << true << QString()
                                 << "Input password BLE";
        QTest::newRow("set, base open")
            << int(Cmd::SetPassword) << 3 << setButton << QList<QByteArray>{set} << 3
            << "Новый пароль ВТ датчика успешно установлен" << true
            << "New password BLE device successfully set" << "Set password BLE";
        // The base's password first: the probe's empty one.
        QTest::newRow("set, base locked")
            << int(Cmd::WrongPassword) << 3 << setButton
            << QList<QByteArray>{Frame::writeRequest(kBase, Cmd::EnterPassword, kZeroPassword), set}
            << 3 << "Новый пароль ВТ датчика успешно установлен" << true
            << "New password BLE device successfully set" << "Set password BLE";
        QTest::newRow("deleted")
            << int(Cmd::SetPassword) << 10 << "pushButtonDelPassBLE"
            << QList<QByteArray>{enter, Frame::writeRequest(kBase, Cmd::SetPasswordBle,
                                                            kZeroPassword)}
            << 3 << "Пароль ВТ датчика успешно удалён" << false << "Password successfully delete"
            << "Delete password BLE";
    }

    void sensorPassword()
    {
        QFETCH(int, probe);
        QFETCH(int, sensorCode);
        QFETCH(QString, button);
        QFETCH(QList<QByteArray>, sent);
        QFETCH(int, verdict);
        QFETCH(bool, locked);
        QFETCH(QString, resultLog);
        QFETCH(QString, log);
        TRY(connectBase());
        TRY(settleProbe(quint8(probe), quint8(sensorCode)));
        pressWith(button, QStringLiteral("123456"));
        QCOMPARE(written(), sent);
        QCOMPARE(m_page->statusLabelUp()->text(),
                 QStringLiteral("Ожидаем ответ от беспроводного датчика"));
        QVERIFY(!m_page->isMainStatusAllowed());
        QVERIFY(m_page->commandStatusTimer().isActive());
        const bool entry = button.contains(QLatin1String("Input"));
        if (entry)
            QCOMPARE(m_page->enteredSensorPassword(), 123456u);

        Data d;
        d.result = quint8(verdict);
        feed(dataReply(d), Cmd::ReadSettings);
        QTEST(m_page->statusLabelUp()->text(), "upper");
        QVERIFY(!ui->label_LockBLE_BLE->isHidden());
        QVERIFY(showsPicture(ui->label_LockBLE_BLE, locked ? kLock : kUnlock));
        QVERIFY(m_page->statusHoldTimer().isActive());
        if (!resultLog.isEmpty())
            QVERIFY(m_allLogs.contains(resultLog));
        if (entry) {
            QCOMPARE(m_page->isSensorPasswordOk(), !locked);
            // A second verdict has nothing left to answer.
            d.result = 3;
            const QString held = m_page->statusLabelUp()->text();
            feed(dataReply(d), Cmd::ReadSettings);
            QCOMPARE(m_page->statusLabelUp()->text(), held);
        } else {
            QCOMPARE(m_page->isSensorLocked(), locked);
        }
        if (button.contains(QLatin1String("Del")))
            QCOMPARE(m_page->enteredSensorPassword(), 0u);
        checkPasswordsNotLogged(log);
    }

    void sensorUpdateEntersThePasswordFirst()
    {
        TRY(connectBase());
        TRY(settleProbe(Cmd::SetPassword, 10));
        pressWith(QStringLiteral("pushButtonInputPassBLE"), QStringLiteral("654321"));
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
        QCOMPARE(logLines(), QStringList{"Update firmware base BLE"});
    }

    void baseAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sent");
        QTest::newRow("254") << "254" << 254;
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
        if (sent > 0) // the base answers the new search at its new address
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
        QTest::newRow("253 max") << 253 << true << true;
        QTest::newRow("254 max") << 254 << true << false;
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
        QTest::newRow("998") << 998 << true;
        QTest::newRow("999") << 999 << false;
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
        QCOMPARE(watchdog->interval(), 4000);
        watchdog->start(1); // the 4 s have passed
        QTRY_VERIFY(m_allLogs.contains(QStringLiteral("Device is not responding")));
        watchdog->setInterval(4000);
        QCOMPARE(m_page->getStep(), kSearch);
        QVERIFY(!m_page->isDeviceConnected());
        QCOMPARE(m_page->polledIndex(), 0);
        QVERIFY(ui->label_UrovenBLE->isHidden());
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
        pressWith(QStringLiteral("pushButtonInputPassBLE"), QStringLiteral("654321"));
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
