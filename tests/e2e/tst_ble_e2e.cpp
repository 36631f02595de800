// The wireless page against emulated base stations on an in-process line
// over a real pseudo-terminal: the page as the engineer sees it, the base as
// the emulated base ends up.
#include "app/configurator.h"
#include "devices/wireless/bledevice.h"
#include "devices/wireless/securityble.h"
#include "dialogrecorder.h"
#include "emulator/emulatedbase.h"
#include "emulator/virtualline.h"
#include "linebench.h"
#include "link/portlist.h"
#include "ui_configurator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
using namespace std::chrono_literals;

constexpr int kConnectTimeout = 10000; // ms; identification and first data take about 2 s
constexpr int kAnswerTimeout = 10000;  // ms; a relayed command's result comes with later data

const QString kLinked = QStringLiteral("Связь с беспроводным датчиком установлена");
const QString kWrongPassword = QStringLiteral("Вы ввели неправильный пароль\nПовторите ввод");

// Typed in these tests: none may reach the log.
const QStringList kTypedPasswords = {QStringLiteral("246813"), QStringLiteral("97531"),
                                     QStringLiteral("11223344"), QStringLiteral("55667788")};

// Plays the engineer at the wireless password dialog: each time it opens,
// carries out the next scripted answer (none left: skips it).
class SecurityAnswers
{
public:
    using Answer = std::function<void(SecurityBLE &)>;
    SecurityAnswers()
    {
        SecurityBLE::setResponder([this](SecurityBLE &dialog) {
            ++m_opened;
            if (m_script.isEmpty()) {
                dialog.skipButton()->click();
                return;
            }
            m_script.takeFirst()(dialog);
        });
    }
    ~SecurityAnswers() { SecurityBLE::setResponder({}); }
    SecurityAnswers(const SecurityAnswers &) = delete;
    SecurityAnswers &operator=(const SecurityAnswers &) = delete;

    void will(const Answer &answer) { m_script.append(answer); }
    // Types text into the field and presses the button, both by name.
    static Answer type(const char *field, const QString &text, const char *button)
    {
        return [=](SecurityBLE &dialog) {
            auto *edit = dialog.findChild<QLineEdit *>(QLatin1String(field));
            auto *push = dialog.findChild<QPushButton *>(QLatin1String(button));
            QVERIFY2(edit && push, button);
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            edit->setText(text);
            push->click();
        };
    }
    int opened() const { return m_opened; }
    bool done() const { return m_script.isEmpty(); }

private:
    QList<Answer> m_script;
    int m_opened = 0;
};

// One emulated line with a main window on it.
class Bench : public LineBench
{
public:
    explicit Bench(const QStringList &devices, const LineFaults &faults = LineFaults())
        : LineBench(devices, 7, faults)
    {
        QObject::connect(page(), &BLEDevice::copyLevelValueToMain, page(),
                         [this](int, int device) { ++m_readings[qBound(0, device, 2)]; });
    }

    BLEDevice *page() const { return window().bleDevice(); }
    EmulatedBase *base(quint8 address) { return line().base(address); }

    // Presses the base station button and waits until the first base's
    // serial number and a first reading of its sensor are shown.
    bool connectBase()
    {
        if (!pressDeviceButton(QStringLiteral("ble")))
            return false;
        const EmulatedBase *first = line().bases().value(0);
        return QTest::qWaitFor(
            [&] {
                return ui()->label_SerNumValBLE->text() == QString::number(first->serial())
                       && page()->isBaseReady() && m_readings[0] > 0;
            },
            kConnectTimeout);
    }

    bool waitForReadings(int device, int count)
    {
        const int until = m_readings[device] + count;
        return QTest::qWaitFor([&] { return m_readings[device] >= until; }, kConnectTimeout);
    }
    int readings(int device) const { return m_readings[device]; }

private:
    int m_readings[3] = {0, 0, 0};
};

bool statusUpBecomes(const Bench &bench, const QString &text, int timeout = kAnswerTimeout)
{
    return QTest::qWaitFor([&] { return bench.page()->statusLabelUp()->text() == text; }, timeout);
}

} // namespace

class TestBleEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void init() { m_dialogs = std::make_unique<DialogRecorder>(); }

    void cleanup()
    {
        m_dialogs.reset();
        // Whatever a test typed, the log never carries it.
        const QString log = QString::fromUtf8(logText());
        for (const QString &password : kTypedPasswords)
            QVERIFY2(!log.contains(password), qPrintable(password));
    }

    // A base with its sensor linked: every reading of the relayed sensor and
    // of the base as the engineer reads it; then the sensor's password set,
    // entered wrong, and deleted, its verdicts coming back in later data.
    void linkedSensorAndItsPassword()
    {
        SecurityAnswers security;
        LogMark log;
        Bench bench({QStringLiteral("ble@5:fw=215,serial=4242,battery=36,rssi=-60,"
                                    "mac=C47F510A123B,sensorfw=105,level=600,temp=21,"
                                    "empty=4000,full=8000,filter=0x03,noise=0")});
        QVERIFY(bench.connectBase());
        Ui::Configurator *ui = bench.ui();
        QCOMPARE(ui->label_BAT_VAL_BLE->text(), QStringLiteral("3.6В"));
        QCOMPARE(ui->label_RSSI_VAL_BLE->text(), QStringLiteral("-60dB"));
        QCOMPARE(ui->label_FirmwareVal->text(), QStringLiteral("2.1.5"));
        QCOMPARE(ui->label_FirmwareValBLE->text(), QStringLiteral("1.0.5"));
        QCOMPARE(ui->label_MAC_BLE_VAL->text(), QStringLiteral("C4:7F:51:0A:12:3B"));
        QCOMPARE(ui->label_TempValBLE->text(), QStringLiteral("21°C"));
        QCOMPARE(ui->label_28BLE->text(), QStringLiteral("4000"));
        QCOMPARE(ui->label_30BLE->text(), QStringLiteral("8000"));
        QCOMPARE(int(bench.page()->record(0).level), bench.base(5)->tank().level());
        QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), 3);
        QVERIFY(statusUpBecomes(bench, kLinked));
        QCOMPARE(bench.page()->statusLabel()->text(), QStringLiteral("Подключен KV-BLE"));
        QVERIFY(!bench.page()->isAdvertisingMode());
        QVERIFY(QTest::qWaitFor([&] { return log.since().contains(QStringLiteral("4242")); },
                                kConnectTimeout));
        // Nothing locked: the probe asked, the dialog offered to set passwords.
        QVERIFY(QTest::qWaitFor([&] { return bench.page()->isSensorStateKnown(); },
                                kAnswerTimeout));
        QVERIFY(!bench.page()->isBaseLockPass());
        QVERIFY(!bench.page()->isSensorLocked());

        security.will(SecurityAnswers::type("lineEditSetPassBLE", QStringLiteral("11223344"),
                                            "pushButtonSetPassBLE"));
        bench.page()->showSecurityDialog();
        QVERIFY(statusUpBecomes(bench, QStringLiteral("Новый пароль ВТ датчика успешно установлен")));
        QCOMPARE(bench.base(5)->sensorPassword().password(), 11223344u);
        // A new password locks the sensor: a wrong one is refused.
        security.will(SecurityAnswers::type("lineEditInputPassBLE", QStringLiteral("55667788"),
                                            "pushButtonInputPassBLE"));
        bench.page()->showSecurityDialog();
        QVERIFY(statusUpBecomes(bench, QStringLiteral("Неверный пароль датчика")));
        QVERIFY(log.hasLine(QStringLiteral("Wrong password BLE device")));
        security.will(SecurityAnswers::type("lineEditInputPassBLE", QStringLiteral("11223344"),
                                            "pushButtonDelPassBLE"));
        bench.page()->showSecurityDialog();
        QVERIFY(statusUpBecomes(bench, QStringLiteral("Пароль ВТ датчика успешно удалён")));
        QCOMPARE(bench.base(5)->sensorPassword().password(), 0u);
    }

    // Three bases on one line: all found, each polled in turn, each with
    // its own readings.
    void threeBasesTakeTurns()
    {
        SecurityAnswers security;
        Bench bench({QStringLiteral("ble@1:level=100,noise=0"),
                     QStringLiteral("ble@2:level=500,noise=0"),
                     QStringLiteral("ble@3:level=900,noise=0")});
        QVERIFY(bench.connectBase());
        QCOMPARE(bench.page()->netNumDevice(), QByteArray::fromHex("010203"));
        const int mark = bench.requestCount();
        QVERIFY(bench.waitForReadings(1, 1));
        QVERIFY(bench.waitForReadings(2, 1));
        QVERIFY(bench.waitForReadings(0, 1));
        for (quint8 address : {1, 2, 3})
            QVERIFY2(!bench.sentSince(mark, 0xF0, address).isEmpty(), qPrintable(QString::number(address)));
        // The page shows the first base only.
        QCOMPARE(bench.ui()->label_SerNumValBLE->text(), QString::number(bench.base(1)->serial()));
    }

    // A locked base asks for its password at once; a wrong one is refused
    // and said so, the right one unlocks it.
    void basePasswordWrongThenRight()
    {
        SecurityAnswers security;
        LogMark log;
        security.will(SecurityAnswers::type("lineEditInputPassBase", QStringLiteral("97531"),
                                            "pushButtonInputPassBase"));
        Bench bench({QStringLiteral("ble@4:basepass=246813,noise=0")});
        QVERIFY(bench.connectBase());
        QVERIFY(QTest::qWaitFor([&] { return security.opened() == 1 && security.done(); },
                                kAnswerTimeout));
        QVERIFY(QTest::qWaitFor([&] { return m_dialogs->messages().contains(kWrongPassword); },
                                kAnswerTimeout));
        QVERIFY(bench.page()->isBaseLockPass());
        QVERIFY(bench.base(4)->basePassword().isLocked());

        security.will(SecurityAnswers::type("lineEditInputPassBase", QStringLiteral("246813"),
                                            "pushButtonInputPassBase"));
        bench.page()->showSecurityDialog();
        QVERIFY(QTest::qWaitFor([&] { return !bench.page()->isBaseLockPass(); }, kAnswerTimeout));
        QVERIFY(!bench.base(4)->basePassword().isLocked());
        QCOMPARE(bench.base(4)->basePassword().password(), 246813u);
        QVERIFY(log.hasLine(QStringLiteral("Input password base BLE")));
    }

    // The sensor's firmware hand-over: the base reboots it, reports code 5
    // and the page counts the 30 seconds down.
    void sensorUpdateCountdown()
    {
        SecurityAnswers security;
        Bench bench({QStringLiteral("ble@1:noise=0,reboot=500")});
        QVERIFY(bench.connectBase());
        bench.window().on_pushBtnInUpdBLE_clicked();
        QVERIFY(QTest::qWaitFor([&] { return bench.page()->countdownTimer().isActive(); },
                                kAnswerTimeout));
        QVERIFY(!bench.ui()->labelTimerUpdFwBLE->isHidden());
        const int first = bench.page()->updateCountdown();
        QVERIFY(first <= BLEDevice::kUpdateCountdownSeconds && first > 20);
        QVERIFY(QTest::qWaitFor([&] { return bench.page()->updateCountdown() < first; }, 3000));
        QCOMPARE(bench.base(1)->reboots(), 1);
    }

    // One base set up as the engineer does it: the smoothing written (the
    // thermo-compensation bit kept), the identifier ("0" refused, 258 sent as
    // 02 01 00), a new address the page follows; then the base goes silent,
    // the page says so and finds it again once it is back.
    void baseSettingsIdentifierAndAddress()
    {
        SecurityAnswers security;
        LogMark log;
        Bench bench({QStringLiteral("ble@3:filter=0x81,noise=0")});
        QVERIFY(bench.connectBase());
        QCOMPARE(bench.ui()->comboBox_FiltrBLE->currentIndex(), 1);
        bench.ui()->comboBox_FiltrBLE->setCurrentIndex(4);
        emit bench.ui()->comboBox_FiltrBLE->activated(4);
        bench.window().on_ButtonWriteParamBLE_clicked();
        QVERIFY(QTest::qWaitFor([&] { return bench.base(3)->filter() == 0x84; }, kAnswerTimeout));
        QVERIFY(QTest::qWaitFor(
            [&] { return log.hasLine(QStringLiteral("Write param to device succesfull")); },
            kAnswerTimeout));
        QVERIFY(m_dialogs->messages().isEmpty());

        const int mark = bench.requestCount();
        bench.page()->setIdentifierText(QStringLiteral("0"));
        bench.page()->changeUiidBle();
        QCOMPARE(m_dialogs->messages(),
                 QStringList{QStringLiteral("Установите корректное значение \"UIID\"")});
        QVERIFY(bench.sentSince(mark, 0xE4, 3).isEmpty());
        bench.page()->setIdentifierText(QStringLiteral("258"));
        bench.page()->changeUiidBle();
        QVERIFY(QTest::qWaitFor([&] { return bench.base(3)->identifier() == 258u; },
                                kAnswerTimeout));
        QVERIFY(statusUpBecomes(bench, QStringLiteral("UUID ВТ датчика успешно изменен")));
        m_dialogs->clear();

        bench.ui()->lineEdit_NetNumBaseBLE->setText(QStringLiteral("255"));
        bench.window().on_pushBtnChgNetNumBase_clicked();
        QCOMPARE(m_dialogs->messages(),
                 QStringList{QStringLiteral("Сетевой адрес должен быть числом\nот 1 до 254")});
        QVERIFY(bench.base(3));
        bench.ui()->lineEdit_NetNumBaseBLE->setText(QStringLiteral("9"));
        bench.window().on_pushBtnChgNetNumBase_clicked();
        QVERIFY(QTest::qWaitFor([&] { return bench.base(9) != nullptr; }, kAnswerTimeout));
        QVERIFY(QTest::qWaitFor([&] { return bench.page()->address() == 9; }, kConnectTimeout));
        QVERIFY(bench.waitForReadings(0, 2));

        LogMark silence;
        bench.line().goSilent();
        QVERIFY(QTest::qWaitFor([&] { return silence.hasLine(QStringLiteral("Device is not responding")); },
                                kConnectTimeout));
        QCOMPARE(bench.page()->statusLabel()->text(), QStringLiteral("Подключите датчик"));
        QVERIFY(bench.ui()->label_RSSI_VAL_BLE->isHidden());
        bench.line().resume();
        QVERIFY(statusUpBecomes(bench, kLinked, kConnectTimeout));
        QVERIFY(bench.waitForReadings(0, 2));
    }

    // Behind a converter that hands bytes over every 16 ms the 38- and
    // 84-byte replies straddle parse ticks: every reading still comes,
    // and the table arrives whole.
    void behindAConverter()
    {
        SecurityAnswers security;
        LineFaults faults;
        faults.chunkPeriod = 16ms;
        Bench bench({QStringLiteral("ble@1:noise=0,len=84")}, faults);
        QVERIFY(bench.connectBase());
        const int sent = bench.line().readingsRepliesSent();
        const int shown = bench.readings(0);
        QVERIFY(bench.waitForReadings(0, 5));
        // Each data reply sent since was decoded (give or take the one in flight).
        QVERIFY(bench.readings(0) - shown >= bench.line().readingsRepliesSent() - sent - 1);

        for (int round = 0; round < 3; ++round) {
            QSignalSpy values(bench.page(), &BLEDevice::tableValueRead);
            bench.window().readTable();
            QVERIFY(QTest::qWaitFor([&] { return values.size() >= 40; }, kAnswerTimeout));
            QCOMPARE(values.size(), 40);
        }
        QVERIFY(bench.waitForReadings(0, 2)); // the poll goes on after the table
    }

private:
    QTemporaryDir m_workDir;
    std::unique_ptr<DialogRecorder> m_dialogs;
};

QTEST_MAIN(TestBleEndToEnd)
#include "tst_ble_e2e.moc"
