// The wired fuel level sensor page against emulated sensors on an in-process
// line, checked both on the screen and in the emulated sensor's state.
#include "app/configurator.h"
#include "calibration/widgettar.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/security.h"
#include "dialogrecorder.h"
#include "linebench.h"
#include "emulator/virtualline.h"
#include "link/portlist.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"
#include "widgets/switch.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
constexpr int kConnectTimeout = 8000; // ms; a connection takes about 1.6 s
constexpr quint8 kWriteSettings = 0xF2;
constexpr quint8 kSetAddress = 0xFB;
constexpr quint8 kSendSerial = 0xD0;
constexpr quint8 kSetPassword = 0xF7;
constexpr quint8 kEnterPassword = 0xF8;

const QString kWrongPassword = QStringLiteral("Вы ввели неправильный пароль\nПовторите ввод");
const QString kNotWritten = QStringLiteral("Некоторые параметры не были записаны\nПовторите");
const QString kBadAddress = QStringLiteral("Сетевой адрес должен быть числом\nот 1 до 254");
const QString kBadPassword = QStringLiteral("Пароль должен быть числом\nот 0 до 4294967295");

// Picks an entry of a combo box the way a click in its list does.
bool choose(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    emit box->activated(index);
    return true;
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The label shows the picture as it is, or fitted to the label's size.
bool showsPicture(const QLabel *label, const QString &path)
{
    const QImage shown = label->pixmap(Qt::ReturnByValue).toImage();
    const QPixmap picture(path);
    return !shown.isNull()
           && (shown == picture.toImage()
               || shown == picture.scaled(label->size(), Qt::KeepAspectRatio,
                                          Qt::SmoothTransformation)
                               .toImage());
}

QByteArray password(quint32 value)
{
    QByteArray bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((value >> shift) & 0xFF));
    return bytes;
}

// One emulated line with a main window on it. The line traces every request
// the tool sends, so a test can tell what went out and what did not.
class Bench : public LineBench
{
public:
    explicit Bench(const QStringList &devices) : LineBench(devices, 1)
    {
        QObject::connect(fls(), &FLSDevice::copyLevelValueToMain, fls(), [this] { ++m_readings; });
        QObject::connect(fls(), &FLSDevice::copyQueueSurveyDevice, fls(), [this] { ++m_readings; });
    }

    FLSDevice *fls() const { return window().flsDevice(); }
    EmulatedSensor *sensor(quint8 address) { return line().sensor(address); }

    // Presses the wired-sensor button and waits until the first sensor's
    // settings have filled the form and its serial number has been read.
    bool connectSensor()
    {
        if (!pressDeviceButton(QStringLiteral("fls")))
            return false;
        const EmulatedSensor *first = line().sensors().value(0);
        return QTest::qWaitFor(
            [&] { return !fls()->formRefresh() && fls()->record(0).serial == qint32(first->serial()); },
            kConnectTimeout);
    }

    // Waits until the page has decoded another reply of the poll. Right after
    // it no poll request is on the line until the next poll tick.
    bool waitForNextReading()
    {
        const int seen = m_readings;
        return QTest::qWaitFor([&] { return m_readings > seen; }, kConnectTimeout);
    }

    bool polledSince(int mark, quint8 address, quint8 command) const
    {
        for (const QByteArray &frame : sentSince(mark, command)) {
            if (quint8(frame.at(1)) == address)
                return true;
        }
        return false;
    }

    void serviceAction(const QString &text)
    {
        if (!pickServiceEntry(text))
            QFAIL(qPrintable(QStringLiteral("no service entry ") + text));
    }

    // "Безопасность" at a moment when no poll reply is on its way (one that
    // is gets taken for the answer to the check; see
    // securityCheckRightAfterAPollRequest).
    bool securityCheck()
    {
        if (!waitForNextReading())
            return false;
        serviceAction(QStringLiteral("Безопасность"));
        return true;
    }

private:
    int m_readings = 0;
};

// Plays the engineer at the password dialog: each time it opens, notes its
// mode and carries out the next scripted answer (none left: closes it).
class PasswordDialogs
{
public:
    enum Button { Enter, Set, Delete };

    PasswordDialogs()
    {
        Security::setResponder([this](Security &dialog) { respond(dialog); });
    }
    ~PasswordDialogs() { Security::setResponder({}); }
    PasswordDialogs(const PasswordDialogs &) = delete;
    PasswordDialogs &operator=(const PasswordDialogs &) = delete;

    void will(Button button, const QString &typed) { m_script.append({button, typed}); }
    // "input" (asks for the password) or "set" (offers to set one), in order.
    QStringList opened() const { return m_opened; }
    void clear() { m_opened.clear(); }
    // Scripts one answer, chooses "Безопасность" and waits for the dialog in that mode.
    bool check(Bench &bench, Button button, const char *typed, const char *mode)
    {
        clear();
        will(button, QString::fromLatin1(typed));
        return bench.securityCheck()
               && QTest::qWaitFor([&] { return m_opened == QStringList{QString::fromLatin1(mode)}; }, 3000);
    }

private:
    struct Answer {
        Button button;
        QString typed;
    };

    void respond(Security &dialog)
    {
        const bool inputMode = dialog.inputField()->isVisibleTo(&dialog);
        m_opened << (inputMode ? QStringLiteral("input") : QStringLiteral("set"));
        if (m_script.isEmpty())
            return;
        const Answer answer = m_script.takeFirst();
        QTest::keyClicks(inputMode ? dialog.inputField() : dialog.setField(), answer.typed);
        QPushButton *button = answer.button == Enter ? dialog.inputButton()
                              : answer.button == Set ? dialog.setButton()
                                                     : dialog.deleteButton();
        if (button->isVisibleTo(&dialog)) // the other mode's buttons cannot be pressed
            button->click();
    }

    QList<Answer> m_script;
    QStringList m_opened;
};
} // namespace

class TestFlsEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void eachModelIsIdentifiedAndShown_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("logName");
        QTest::addColumn<int>("modes");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("frequency"); // empty: frequency labels hidden

        const auto row = [](const char *name, const char *device, FlsModel model, const char *status,
                            const char *logName, int modes, const char *serial, const char *firmware,
                            const char *temperature, const char *frequency = "") {
            QTest::newRow(name) << QString(device) << int(model) << QString(status) << QString(logName)
                                << modes << QString(serial) << QString(firmware)
                                << QString(temperature) << QString(frequency);
        };
        row("generic fls, below zero", "fls@1:fw=253,temp=-10", FlsModel::Generic,
            "Датчик подключен", "FLS", 6, "700001", "2.5.3", "-10°C");
        row("generic fls, 29-byte reply, serial past 31 bits", "fls@9:len=29,fw=1234,serial=3000000000",
            FlsModel::Generic, "Датчик подключен", "FLS", 6, "-1294967296", "2.3.4", "22°C");
        row("kv210, 24-byte reply", "kv210@2:len=24,fw=120,temp=0", FlsModel::KV210,
            "Подключен KV210", "KV210", 3, "700002", "1.2.0", "0°C");
        row("kv260", "kv260@1:noise=0,drift=0,level=800", FlsModel::KV260, "Подключен KV260", "KV260",
            3, "700001", "2.5.4", "22°C");
        row("kv510", "kv510@3:temp=-40", FlsModel::KV510, "Подключен KV510", "KV510", 5, "700003",
            "2.5.4", "-40°C");
        row("kv610, model byte 0x63, 24-byte reply", "kv610@1:model=0x63,len=24", FlsModel::KV610,
            "Подключен KV610", "KV610", 6, "700001", "2.5.4", "22°C");
        row("frequency output shows level + 300", "kv210@1:mode=0x04,noise=0,drift=0,level=400",
            FlsModel::KV210, "Подключен KV210", "KV210", 3, "700001", "2.5.4", "22°C", "700");
    }

    void eachModelIsIdentifiedAndShown()
    {
        QFETCH(QString, device);
        QFETCH(int, model);
        QFETCH(QString, status);
        QFETCH(QString, logName);
        QFETCH(int, modes);
        QFETCH(QString, serial);
        QFETCH(QString, firmware);
        QFETCH(QString, temperature);
        QFETCH(QString, frequency);

        Bench bench({device});
        LogMark log;
        QVERIFY(bench.connectSensor());
        auto *ui = bench.ui();
        FLSDevice *fls = bench.fls();

        QCOMPARE(int(fls->model()), model);
        QCOMPARE(fls->statusLabel()->text(), status);
        QCOMPARE(bench.window().statusLineModel()->text(), status);
        QVERIFY(!fls->statusLabel()->isHidden());
        QVERIFY(log.since().contains(QStringLiteral("Device %1 is connected ").arg(logName)));

        QCOMPARE(ui->comboBox_ModeDUT->count(), modes);
        QCOMPARE(ui->comboBox_FiltrDUT->count(), model == int(FlsModel::Generic) ? 16 : 5);

        QCOMPARE(ui->label_SerNumVal->text(), serial);
        QCOMPARE(ui->label_FirmwareVal->text(), firmware);
        QCOMPARE(ui->label_TempValDUT->text(), temperature);
        QCOMPARE(ui->label_TempVal_2->text(), temperature);
        QVERIFY(!ui->ButtonWriteParamDUT->isHidden() && !ui->progressBarLevelDUT->isHidden());

        const bool kv260 = model == int(FlsModel::KV260);
        QCOMPARE(!ui->label_NaprNameKV260DUT->isHidden(), kv260);
        QCOMPARE(!ui->label_NaprValKV260DUT->isHidden(), kv260);
        if (kv260) // level 800 of 4096 steps of 9.12 V
            QCOMPARE(ui->label_NaprValKV260DUT->text(), QStringLiteral("1.78"));

        QCOMPARE(!ui->label_FreqValDUT->isHidden(), !frequency.isEmpty());
        QCOMPARE(!ui->label_FreqNameDUT->isHidden(), !frequency.isEmpty());
        QCOMPARE(!ui->label_UrovenDUT->isHidden(), frequency.isEmpty());
        if (!frequency.isEmpty())
            QCOMPARE(ui->label_FreqValDUT->text(), frequency);
    }

    void stabilityAndCalibration_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<bool>("calibrated");
        QTest::newRow("steady, full 1.3 x empty")
            << "kv510@1:noise=0,empty=1000,full=1300" << "Стабилен" << "#00A778" << true;
        QTest::newRow("noisy, full 3 x empty")
            << "kv510@1:noise=20,empty=1000,full=3000" << "Не стабилен" << "#E32323" << false;
    }

    void stabilityAndCalibration()
    {
        QFETCH(QString, device);
        QFETCH(QString, verdict);
        QFETCH(QString, colour);
        QFETCH(bool, calibrated);

        Bench bench({device});
        auto *ui = bench.ui();
        // The verdict shown after each reading of the sensor, captured as the
        // reading is decoded.
        QStringList shown;
        QObject::connect(bench.fls(), &FLSDevice::copyLevelValueToMain, bench.fls(),
                         [&](int, int index) {
                             if (index == 0)
                                 shown << ui->label_StableDUT->text();
                         });
        QVERIFY(bench.connectSensor());
        // Eight readings are needed before any verdict; poll faster than the
        // tool's 500 ms so they come in quickly.
        SharedTimers::pollTimer()->start(150);
        QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= 11, 15000);

        for (int i = 0; i < 7; ++i) // no verdict from fewer than eight readings
            QVERIFY2(shown.at(i).isEmpty(), qPrintable(shown.at(i)));
        for (int i = 7; i < shown.size(); ++i)
            QCOMPARE(shown.at(i), verdict);
        QVERIFY2(ui->progressBarLevelDUT->styleSheet().contains(
                     QStringLiteral("background-color:%1;").arg(colour)),
                 qPrintable(ui->progressBarLevelDUT->styleSheet()));
        QCOMPARE(bench.fls()->sensorTile(0)->labelText(4), verdict);

        QCOMPARE(ui->label_NeedCalibDUT->isHidden(), calibrated);
        QCOMPARE(ui->label_AlarmDUT->isHidden(), calibrated);
        QCOMPARE(bench.fls()->isNotCalibrated(), !calibrated);
        QCOMPARE(bench.fls()->sensorTile(0)->labelText(3),
                 calibrated ? QStringLiteral("Калиброван") : QStringLiteral("Не калиброван"));
    }

    void writingParameters_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("filtration");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("writtenMode");
        QTest::addColumn<int>("writtenSettings");
        QTest::addColumn<QString>("maxLevel");

        // Thermal compensation off (bit 7) is dropped: the form writes the
        // filtration alone.
        QTest::newRow("kv510 to frequency, heavy conditions, 12-bit, new address")
            << "kv510@1:fw=253,settings=0x80" << "Частотный" << "Тяжёлые условия" << "5"
            << 0x84 << 15 << "4095";
        QTest::newRow("kv610 12-bit back to 10-bit, up to 200 litres")
            << "kv610@4:fw=250,mode=0x82" << "Аналоговый" << "до 200 литров" << "4"
            << 0x02 << 3 << "1023";
        QTest::newRow("generic fls, RS-232, filtration 7, new firmware keeps its range")
            << "fls@2" << "RS-232" << "7" << "2" << 0x12 << 7 << "1023";
    }

    void writingParameters()
    {
        QFETCH(QString, device);
        QFETCH(QString, mode);
        QFETCH(QString, filtration);
        QFETCH(QString, address);
        QFETCH(int, writtenMode);
        QFETCH(int, writtenSettings);
        QFETCH(QString, maxLevel);

        Bench bench({device});
        DialogRecorder dialogs(1);
        QVERIFY(bench.connectSensor());
        auto *ui = bench.ui();
        FLSDevice *fls = bench.fls();
        const quint8 oldAddress = bench.line().sensors().first()->address();
        const quint8 newAddress = quint8(address.toInt());

        QVERIFY(choose(ui->comboBox_ModeDUT, mode));
        QVERIFY(choose(ui->comboBox_FiltrDUT, filtration));
        QVERIFY(!ui->label_Alarm_2DUT->isHidden());
        QVERIFY(!ui->label_Alarm_3DUT->isHidden());
        typeInto(ui->lineEditMaxLevelDUT, QStringLiteral("7"));
        const bool oldFirmware = fls->firmware() <= 253;
        QCOMPARE(dialogs.messages().size(), oldFirmware ? 1 : 0);
        if (oldFirmware) {
            QCOMPARE(dialogs.messages().first(),
                     QStringLiteral("Версия датчика не поддерживает данную функцию\n"
                                    "Хотите установить максимальное значение?"));
            QCOMPARE(ui->lineEditMaxLevelDUT->text(), maxLevel);
        }
        QCOMPARE(ui->label_Alarm_4DUT->isHidden(), !oldFirmware);
        dialogs.clear();
        if (newAddress != oldAddress) {
            typeInto(ui->lineEditNetNumDUT, address);
            QVERIFY(!ui->label_Alarm_6DUT->isHidden());
        }

        const int mark = bench.requestCount();
        LogMark log;
        ui->ButtonWriteParamDUT->click();

        QVERIFY2(log.hasLine(QStringLiteral("Write param to device succesfull")),
                 qPrintable(log.since()));
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(!fls->isChanged());
        const QList<QByteArray> settingsFrames = bench.sentSince(mark, kWriteSettings);
        QCOMPARE(settingsFrames.size(), 1);
        QCOMPARE(settingsFrames.first().size(), 9);
        QCOMPARE(quint8(settingsFrames.first().at(1)), oldAddress);
        const QList<QByteArray> addressFrames = bench.sentSince(mark, kSetAddress);
        QCOMPARE(addressFrames.size(), 1);
        QCOMPARE(addressFrames.first().size(), 8);
        QCOMPARE(quint8(addressFrames.first().at(6)), newAddress);

        EmulatedSensor *sensor = bench.sensor(newAddress);
        QVERIFY(sensor);
        QCOMPARE(int(sensor->mode()), writtenMode);
        QCOMPARE(int(sensor->settings()), writtenSettings);

        // The write ends with a fresh read of the sensor into the form.
        QCOMPARE(int(fls->currentSettings().mode), writtenMode);
        QCOMPARE(int(fls->currentSettings().filtr), writtenSettings);
        QCOMPARE(ui->comboBox_ModeDUT->currentText(), mode);
        QCOMPARE(ui->comboBox_FiltrDUT->currentText(), filtration);
        QCOMPARE(ui->lineEditMaxLevelDUT->text(), maxLevel);
        QCOMPARE(ui->lineEditNetNumDUT->text(), address);
        QCOMPARE(ui->label_ListDevDUT->text(), address);
        QVERIFY(showsPicture(ui->label_Alarm_2DUT, QStringLiteral(":/images/bird_green.png")));

        if (newAddress != oldAddress) {
            QVERIFY(!bench.sensor(oldAddress));
            QCOMPARE(bench.window().currentAddress(), newAddress);
            const int afterWrite = bench.requestCount();
            QTRY_VERIFY_WITH_TIMEOUT(bench.polledSince(afterWrite, newAddress, 0xF0), 5000);
            QVERIFY(!bench.polledSince(afterWrite, oldAddress, 0xF0));
        }
    }

    // Everything on the form that must not reach the sensor: a write with no
    // edit, an address the line cannot use, an undone edit, factory values.
    void formChangesThatSendNothing()
    {
        Bench bench({QStringLiteral("kv510@3:mode=0x84,settings=0x0C,noise=0")});
        DialogRecorder dialogs(1);
        QVERIFY(bench.connectSensor());
        auto *ui = bench.ui();
        FLSDevice *fls = bench.fls();
        EmulatedSensor *sensor = bench.sensor(3);
        const QString readFiltration = ui->comboBox_FiltrDUT->currentText();
        QCOMPARE(ui->comboBox_ModeDUT->currentText(), QStringLiteral("Частотный"));
        QCOMPARE(ui->lineEditMaxLevelDUT->text(), QStringLiteral("4095"));
        QCOMPARE(ui->lineEditNetNumDUT->text(), QStringLiteral("3"));

        const int mark = bench.requestCount();
        LogMark log;
        auto nothingWritten = [&] {
            return bench.sentSince(mark, kWriteSettings).isEmpty()
                   && bench.sentSince(mark, kSetAddress).isEmpty() && bench.sensor(3) == sensor
                   && sensor->mode() == 0x84 && sensor->settings() == 0x0C
                   && !log.since().contains(QLatin1String("Write param"))
                   && !log.since().contains(QLatin1String("Error write"));
        };

        // No edit: the write button does nothing.
        ui->ButtonWriteParamDUT->click();
        QVERIFY(dialogs.messages().isEmpty());

        // An address outside 1..254 is refused before anything is sent.
        for (const QString &address : {QStringLiteral("0"), QStringLiteral("255"),
                                       QStringLiteral("abc")}) {
            typeInto(ui->lineEditNetNumDUT, address);
            QVERIFY(fls->isChanged());
            ui->ButtonWriteParamDUT->click();
            QCOMPARE(dialogs.messages(), QStringList{kBadAddress});
            QCOMPARE(ui->lineEditNetNumDUT->text(), address);
            dialogs.clear();
        }

        // Undoing the edits: refused first, then accepted.
        QVERIFY(choose(ui->comboBox_ModeDUT, QStringLiteral("Режим RS-485")));
        QVERIFY(choose(ui->comboBox_FiltrDUT, QStringLiteral("Нет")));
        dialogs.setAnswer(0);
        bench.serviceAction(QStringLiteral("Отменить несохранённые настройки"));
        QCOMPARE(dialogs.messages(), QStringList{"Вы хотите отменить изменения настроек?"});
        QCOMPARE(ui->comboBox_ModeDUT->currentText(), QStringLiteral("Режим RS-485"));
        QVERIFY(fls->isChanged());
        dialogs.clear();
        dialogs.setAnswer(1);
        bench.serviceAction(QStringLiteral("Отменить несохранённые настройки"));
        QCOMPARE(ui->comboBox_ModeDUT->currentText(), QStringLiteral("Частотный"));
        QCOMPARE(ui->lineEditMaxLevelDUT->text(), QStringLiteral("4095"));
        QCOMPARE(ui->lineEditNetNumDUT->text(), QStringLiteral("3"));
        QVERIFY(ui->label_Alarm_2DUT->isHidden());
        QVERIFY(ui->label_Alarm_6DUT->isHidden());
        QVERIFY(!fls->isChanged());
        // Code 12 is what "более 1000 литров" writes.
        QCOMPARE(ui->comboBox_FiltrDUT->currentText(), readFiltration);
        ui->ButtonWriteParamDUT->click(); // nothing left to write
        dialogs.clear();

        // Factory values fill the form and mark every field, but write nothing.
        bench.serviceAction(QStringLiteral("Загрузить заводские настройки"));
        QCOMPARE(dialogs.messages(), QStringList{"Будут загружены заводские установки"});
        QCOMPARE(ui->lineEditMaxLevelDUT->text(), QStringLiteral("1023"));
        QCOMPARE(ui->lineEditMinLevelDUT->text(), QStringLiteral("1"));
        QCOMPARE(ui->lineEditNetNumDUT->text(), QStringLiteral("1"));
        QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QStringLiteral("Нет"));
        QCOMPARE(ui->comboBox_ModeDUT->currentText(), QStringLiteral("Режим RS-485"));
        for (QLabel *changed : {ui->label_Alarm_2DUT, ui->label_Alarm_3DUT, ui->label_Alarm_4DUT,
                                ui->label_Alarm_5DUT, ui->label_Alarm_6DUT})
            QVERIFY2(showsPicture(changed, QStringLiteral(":/images/bird.png")),
                     qPrintable(changed->objectName()));
        QVERIFY(bench.window().defaultsLoaded());
        QVERIFY(!fls->isChanged());
        ui->ButtonWriteParamDUT->click(); // factory values alone are not written

        // The poll goes on meanwhile; by its next request anything the form
        // had sent would have reached the sensor.
        const int afterDefaults = bench.requestCount();
        QTRY_VERIFY_WITH_TIMEOUT(bench.polledSince(afterDefaults, 3, 0xF0)
                                     || bench.polledSince(afterDefaults, 3, 0xFC),
                                 3000);
        QVERIFY(nothingWritten());
    }

    void functionSwitches()
    {
        Bench bench({QStringLiteral("kv260@1:settings=0x05,noise=0")});
        DialogRecorder dialogs;
        QVERIFY(bench.connectSensor());
        auto *ui = bench.ui();
        FLSDevice *fls = bench.fls();
        EmulatedSensor *sensor = bench.sensor(1);

        bench.serviceAction(QStringLiteral("Инженерное меню"));
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->EngineerMenuDUT);
        QVERIFY(ui->groupBoxSetOutSer->isEnabled());
        QVERIFY(ui->groupBox_DelTermo->isEnabled());
        QVERIFY(!ui->groupBoxInv->isEnabled());
        QVERIFY(!ui->groupBox_Master->isEnabled());

        int mark = bench.requestCount();
        LogMark log;
        QTest::mouseClick(fls->switchTermo(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(int(sensor->settings()), 0x85, 3000);
        QTest::mouseClick(fls->switchTermo(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(int(sensor->settings()), 0x05, 3000);
        const QList<QByteArray> termo = bench.sentSince(mark, kWriteSettings);
        QCOMPARE(termo.size(), 2);
        QCOMPARE(quint8(termo.at(0).at(7)), quint8(0x85));
        QCOMPARE(quint8(termo.at(1).at(7)), quint8(0x05));
        QCOMPARE(quint8(termo.at(0).at(6)), sensor->mode()); // mode byte untouched
        QCOMPARE(quint8(termo.at(1).at(6)), sensor->mode());
        QCOMPARE(log.since().count(QLatin1String(" -- Switch mode Termocompensation\r\n")), 2);

        mark = bench.requestCount();
        QCOMPARE(int(sensor->output()), 0);
        QTest::mouseClick(fls->switchSendSerial(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(int(sensor->output()), 0x10, 3000);
        const QList<QByteArray> serial = bench.sentSince(mark, kSendSerial);
        QCOMPARE(serial.size(), 1);
        QCOMPARE(serial.first().size(), 8);
        QCOMPARE(quint8(serial.first().at(6)), quint8(0x10));
        QVERIFY(log.hasLine(QStringLiteral("Switch enable send SerNum for KV260")));
        QVERIFY(dialogs.messages().isEmpty());
        // The next readings report the byte, and the switch stays where it is.
        QTRY_COMPARE_WITH_TIMEOUT(int(fls->kv260OutputCopy()), 0x10, 3000);
        QVERIFY(fls->switchSendSerial()->isChecked());

        // Letting go of the sensor zeroes the copies the switches send; the
        // switches must show it, or a click sends the opposite of what is seen.
        QTest::mouseClick(fls->switchTermo(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(int(sensor->settings()), 0x85, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(fls->switchTermo()->isOn(), 3000);
        bench.ui()->pushButtonDeviceFLS->setChecked(false);
        bench.window().on_pushButtonDeviceFLS_clicked(false);
        QCOMPARE(int(fls->settingsCopy()), 0);
        QVERIFY(!fls->switchTermo()->isOn());
    }

    // A protected sensor: delete its password, refuse an oversized new one,
    // set another, and let the stored password open it again.
    void passwordDeleteSetAndReopen()
    {
        Bench bench({QStringLiteral("kv210@1:password=4321")});
        DialogRecorder dialogs;
        PasswordDialogs passwords;
        QVERIFY(bench.connectSensor());
        auto *ui = bench.ui();
        FLSDevice *fls = bench.fls();
        EmulatedSensor *sensor = bench.sensor(1);

        // The check finds it protected and asks; the right password deletes it.
        int mark = bench.requestCount();
        LogMark log;
        QVERIFY(passwords.check(bench, PasswordDialogs::Delete, "4321", "input"));
        QTRY_COMPARE_WITH_TIMEOUT(sensor->password(), 0u, 3000);
        QVERIFY(!sensor->isLocked());
        QVERIFY(log.hasLine(QStringLiteral("Check password FLS")));
        QVERIFY(log.hasLine(QStringLiteral("Delete password FLS")));
        // Once the poll has read another reply, the answer to the deletion
        // has been read too.
        QVERIFY(bench.waitForNextReading());
        QVERIFY(log.hasLine(QStringLiteral("Delete password")));
        QCOMPARE(fls->statusLabelUp()->text(), QStringLiteral("Пароль удалён"));
        QVERIFY(showsPicture(ui->label_LockDUT, QStringLiteral(":/images/unlock.png")));
        const QList<QByteArray> entered = bench.sentSince(mark, kEnterPassword);
        QCOMPARE(entered.size(), 1);
        QCOMPARE(entered.first().mid(6, 4), password(4321));
        const QList<QByteArray> set = bench.sentSince(mark, kSetPassword);
        QCOMPARE(set.size(), 2); // the check, then the deletion
        QCOMPARE(set.at(0).mid(6, 4), password(0));
        QCOMPARE(set.at(1).mid(6, 4), password(0));
        QVERIFY(dialogs.messages().isEmpty());

        // Unprotected now: the check offers to set one. A number past 32 bits
        // is refused and nothing goes out.
        mark = bench.requestCount();
        QVERIFY(passwords.check(bench, PasswordDialogs::Set, "99999999999", "set"));
        QCOMPARE(dialogs.messages(), QStringList{kBadPassword});
        QCOMPARE(bench.sentSince(mark, kSetPassword).size(), 1); // the check alone
        QVERIFY(bench.sentSince(mark, kEnterPassword).isEmpty());
        QCOMPARE(sensor->password(), 0u);
        dialogs.clear();

        mark = bench.requestCount();
        QVERIFY(passwords.check(bench, PasswordDialogs::Set, "1234", "set"));
        QCOMPARE(sensor->password(), 1234u);
        QVERIFY(sensor->isLocked());
        QVERIFY(fls->hasPassword());
        QVERIFY(log.hasLine(QStringLiteral("Set password FLS")));
        QVERIFY(showsPicture(ui->label_LockDUT, QStringLiteral(":/images/lock.png")));
        QCOMPARE(bench.sentSince(mark, kSetPassword).last().mid(6, 4), password(1234));

        // The page remembers what was set: the next check opens the sensor
        // without asking.
        passwords.clear();
        QVERIFY(bench.securityCheck());
        QVERIFY(passwords.opened().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!sensor->isLocked(), 3000);
        QCOMPARE(sensor->password(), 1234u);
        QVERIFY(showsPicture(ui->label_LockDUT, QStringLiteral(":/images/unlock.png")));
        QVERIFY(dialogs.messages().isEmpty());
    }

    // A locked sensor refuses a write and the form keeps what was chosen; a
    // retry keeps the sensor's resolution (from firmware 254 the maximum level
    // is free text, and "not 4095" must not pass for 10-bit). A wrong password
    // keeps it locked, the right one opens it and the same write goes through.
    void passwordLockedWriteWrongAndRight()
    {
        Bench bench({QStringLiteral("kv210@1:fw=260,mode=0x80,password=1234")});
        DialogRecorder dialogs;
        PasswordDialogs passwords;
        QVERIFY(bench.connectSensor());
        auto *ui = bench.ui();
        FLSDevice *fls = bench.fls();
        EmulatedSensor *sensor = bench.sensor(1);
        QVERIFY(fls->is12Bit());

        LogMark log;
        typeInto(ui->lineEditMaxLevelDUT, QStringLiteral("4000"));
        QVERIFY(choose(ui->comboBox_ModeDUT, QStringLiteral("Частотный")));
        int mark = bench.requestCount();
        ui->ButtonWriteParamDUT->click();
        QCOMPARE(dialogs.messages(), (QStringList{kWrongPassword, kNotWritten}));
        QCOMPARE(int(quint8(bench.sentSince(mark, kWriteSettings).value(0).at(6))), 0x84);
        QVERIFY(log.hasLine(QStringLiteral("Error write param to device")));
        QVERIFY(!log.since().contains(QLatin1String("Write param to device succesfull")));
        QCOMPARE(int(sensor->mode()), 0x80);
        QVERIFY(fls->isChanged());
        QVERIFY(fls->is12Bit());
        QVERIFY(!fls->write1023());
        // The form keeps what the engineer chose, marks included, for another try.
        QCOMPARE(ui->comboBox_ModeDUT->currentText(), QStringLiteral("Частотный"));
        QTest::qWait(2500);
        QVERIFY(!ui->label_Alarm_2DUT->isHidden());
        QVERIFY(showsPicture(ui->label_LockDUT, QStringLiteral(":/images/lock.png")));
        mark = bench.requestCount();
        ui->ButtonWriteParamDUT->click();
        QCOMPARE(int(quint8(bench.sentSince(mark, kWriteSettings).value(0).at(6))), 0x84);
        QCOMPARE(int(sensor->mode()), 0x80);
        dialogs.clear();

        QVERIFY(passwords.check(bench, PasswordDialogs::Enter, "1111", "input"));
        QCOMPARE(dialogs.messages(), QStringList{kWrongPassword});
        QVERIFY(sensor->isLocked());
        QVERIFY(!fls->hasPassword());
        QVERIFY(showsPicture(ui->label_LockDUT, QStringLiteral(":/images/lock.png")));
        dialogs.clear();

        QVERIFY(passwords.check(bench, PasswordDialogs::Enter, "1234", "input"));
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(!sensor->isLocked());
        QVERIFY(fls->hasPassword());
        QVERIFY(showsPicture(ui->label_LockDUT, QStringLiteral(":/images/unlock.png")));

        LogMark second;
        ui->ButtonWriteParamDUT->click(); // the same values again
        QVERIFY2(second.hasLine(QStringLiteral("Write param to device succesfull")),
                 qPrintable(second.since()));
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(int(sensor->mode()), 0x84);
    }

    // The engineer may choose "Безопасность" while the answer to a poll
    // request is still on its way.
    void securityCheckRightAfterAPollRequest()
    {
        Bench bench({QStringLiteral("kv210@1")});
        DialogRecorder dialogs;
        PasswordDialogs passwords;
        QVERIFY(bench.connectSensor());
        bool checked = false;
        QMetaObject::Connection hook;
        hook = QObject::connect(&bench.line(), &VirtualLine::traced, &bench.line(),
                                [&](const QString &text) {
                                    if (!text.contains(QLatin1String("<- 31 01 F0"))
                                        && !text.contains(QLatin1String("<- 31 01 FC")))
                                        return;
                                    QObject::disconnect(hook);
                                    QTimer::singleShot(0, &bench.line(), [&] {
                                        bench.serviceAction(QStringLiteral("Безопасность"));
                                        checked = true;
                                    });
                                });
        QTRY_VERIFY_WITH_TIMEOUT(checked, 5000);
        QCOMPARE(bench.sensor(1)->password(), 0u);
        QTRY_COMPARE_WITH_TIMEOUT(passwords.opened(), QStringList{"set"}, 3000);
    }

    // Four sensors of three models answer the search: the line holds three,
    // each read into its record and tile, the fourth ignored and logged, and
    // no choice reaches past the three records.
    void threeSensorsOnOneLineAndAFourthIgnored()
    {
        Bench bench({QStringLiteral("fls@1"), QStringLiteral("kv210@2"), QStringLiteral("kv610@3"),
                     QStringLiteral("fls@4")});
        LogMark log;
        QVERIFY(bench.connectSensor());
        auto *ui = bench.ui();
        FLSDevice *fls = bench.fls();
        QCOMPARE(ui->comboBox_NetNumDUT->count(), 3);
        QCOMPARE(ui->label_ListDevDUT->text(), QStringLiteral("1,2,3"));
        QCOMPARE(bench.window().addressList().bytes(), QByteArray::fromHex("010203"));
        QCOMPARE(SharedTimers::parseTimer()->interval(), 500);
        QVERIFY(log.hasLine(QStringLiteral("More than 3 sensors answered, ignored: 4")));
        // A choice beyond the list (a stale box) falls back to the first sensor.
        bench.window().on_comboBox_NetNumDUT_activated(3);
        QCOMPARE(bench.window().pollIndex(), 0);
        QCOMPARE(fls->polledIndex(), 0);

        QTRY_VERIFY_WITH_TIMEOUT(fls->record(2).serial == 700003, 10000);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(fls->record(i).serial, 700001 + i);
            QCOMPARE(fls->sensorTile(i)->labelText(1), QStringLiteral("Датчик#%1").arg(700001 + i));
            QVERIFY(fls->record(i).level > 0);
            QCOMPARE(fls->record(i).empty, 5000);
        }
        // The page's own widgets keep showing the first sensor.
        QCOMPARE(ui->label_SerNumVal->text(), QStringLiteral("700001"));
        QCOMPARE(fls->statusLabel()->text(), QStringLiteral("Датчик подключен"));
        QCOMPARE(ui->lineEditNetNumDUT->text(), QStringLiteral("1"));
    }

    // With two sensors the round robin may poll the second one just when the
    // engineer writes the first: both frames still go to the first, and the
    // page goes on showing it at its new address.
    void aWriteGoesToTheSensorShown()
    {
        Bench bench({QStringLiteral("kv510@1"), QStringLiteral("kv210@2")});
        DialogRecorder dialogs;
        QVERIFY(bench.connectSensor());
        auto *ui = bench.ui();
        QTRY_COMPARE_WITH_TIMEOUT(bench.window().pollIndex(), 1, 5000);
        typeInto(ui->lineEditNetNumDUT, QStringLiteral("7"));
        QVERIFY(choose(ui->comboBox_ModeDUT, QStringLiteral("Частотный")));
        LogMark log;
        const int mark = bench.requestCount();
        bench.window().on_ButtonWriteParamDUT_clicked();
        const QList<QByteArray> settings = bench.sentSince(mark, kWriteSettings);
        const QList<QByteArray> address = bench.sentSince(mark, kSetAddress);
        QCOMPARE(settings.size(), 1);
        QCOMPARE(address.size(), 1);
        QCOMPARE(quint8(settings.first().at(1)), quint8(1));
        QCOMPARE(quint8(address.first().at(1)), quint8(1));
        QVERIFY(bench.sensor(7));
        QCOMPARE(int(bench.sensor(7)->modelByte()), 0x01);
        QCOMPARE(int(bench.sensor(7)->mode()), 0x04);
        QVERIFY(bench.sensor(2)); // the other sensor keeps its address and mode
        QCOMPARE(int(bench.sensor(2)->mode()), 0x00);
        QVERIFY(log.hasLine(QStringLiteral("Write param to device succesfull")));
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(ui->label_ListDevDUT->text(), QStringLiteral("7,2"));
        QCOMPARE(bench.fls()->getNetNum(), quint8(7));
    }

    // Two KV260 that differ in their output byte and calibration: the page's
    // copies and warning keep following the first sensor, round after round.
    void thePageFollowsTheFirstSensorOnly()
    {
        Bench bench({QStringLiteral("kv260@1:out=0x10"),
                     QStringLiteral("kv260@2:out=0x00,empty=5000,full=20000")});
        QVERIFY(bench.connectSensor());
        FLSDevice *fls = bench.fls();
        QTRY_VERIFY_WITH_TIMEOUT(fls->record(1).serial == 700002, 8000);
        QElapsedTimer watching;
        watching.start();
        while (watching.elapsed() < 3000) {
            QCOMPARE(int(fls->kv260OutputCopy()), 0x10);
            QVERIFY(fls->switchSendSerial()->isOn());
            QVERIFY(!fls->isNotCalibrated());
            QVERIFY(!bench.ui()->label_NeedCalibDUT->isVisibleTo(bench.ui()->DUT));
            QTest::qWait(50);
        }
        QCOMPARE(fls->sensorTile(1)->labelText(3), QStringLiteral("Не калиброван"));
        QCOMPARE(fls->sensorTile(0)->labelText(3), QStringLiteral("Калиброван"));
    }

    // A switch sends the whole mode byte: it must be the one the sensor
    // reported, or a frequency-output sensor becomes an RS-485 one.
    void switchesKeepTheOutputMode_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("angleSwitch");
        QTest::newRow("kv210 frequency") << "kv210@1:mode=0x04" << 0x04 << false;
        QTest::newRow("kv260 periodic, 12-bit") << "kv260@1:mode=0x90" << 0x90 << false;
        QTest::newRow("kv610 RS-232") << "kv610@1:mode=0x12" << 0x12 << true;
    }

    void switchesKeepTheOutputMode()
    {
        QFETCH(QString, device);
        QFETCH(int, mode);
        QFETCH(bool, angleSwitch);
        Bench bench({device});
        DialogRecorder dialogs;
        QVERIFY(bench.connectSensor());
        FLSDevice *fls = bench.fls();
        QCOMPARE(int(fls->modeCopy()), mode);
        const int mark = bench.requestCount();
        QTest::mouseClick(angleSwitch ? fls->switchAngle() : fls->switchTermo(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(bench.sentSince(mark, kWriteSettings).size(), 1, 3000);
        QCOMPARE(int(quint8(bench.sentSince(mark, kWriteSettings).first().at(6))), mode);
        QTest::qWait(600);
        QCOMPARE(int(bench.sensor(1)->mode()), mode);
    }
private:
    QTemporaryDir m_workDir;
};

QTEST_MAIN(TestFlsEndToEnd)
#include "tst_fls_e2e.moc"
