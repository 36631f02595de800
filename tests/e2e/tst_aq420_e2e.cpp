// The angle sensor page against an emulated AQ420 on an in-process line over
// a real pseudo-terminal: the page as the engineer sees it, the sensor as
// the emulated sensor ends up.
#include "app/configurator.h"
#include "devices/angle/aq420device.h"
#include "devices/angle/scaleaq420.h"
#include "dialogrecorder.h"
#include "emulator/emulatedaq420.h"
#include "emulator/virtualline.h"
#include "linebench.h"
#include "link/portlist.h"
#include "ui_configurator.h"
#include "widgets/switch.h"

#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
constexpr int kConnectTimeout = 10000; // ms; search, readings and identification take about 3 s
constexpr int kAnswerTimeout = 5000;   // ms; a change shows in the next readings

const QString kNotWritten = QStringLiteral("Некоторые параметры не были записаны\nПовторите");

// One emulated line with a main window on it.
class Bench : public LineBench
{
public:
    explicit Bench(const QStringList &devices) : LineBench(devices, 5)
    {
        m_logs = std::make_unique<QSignalSpy>(page(), &AQ420Device::signalWriteLog);
    }

    AQ420Device *page() const { return window().aq420Device(); }
    EmulatedAq420 *sensor() { return line().angleSensors().value(0); }

    // Presses the angle sensor button and waits for the serial number and
    // a first readings reply.
    bool connectSensor()
    {
        if (!pressDeviceButton(QStringLiteral("aq420")))
            return false;
        return QTest::qWaitFor(
            [&] {
                return ui()->label_SerNumVal->text() == QString::number(sensor()->serial())
                       && page()->readingsDecoded() > 0;
            },
            kConnectTimeout);
    }

    // A readings reply decoded after this call.
    bool nextReadings()
    {
        const int until = page()->readingsDecoded() + 1;
        return QTest::qWaitFor([&] { return page()->readingsDecoded() >= until; }, kAnswerTimeout);
    }

    QStringList logLines() const
    {
        QStringList lines;
        for (const QList<QVariant> &args : *m_logs)
            lines << args.at(0).toString();
        return lines;
    }

private:
    std::unique_ptr<QSignalSpy> m_logs;
};

// Types into a field as the engineer does: the field's own edit signal fires.
void type(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace

class TestAq420EndToEnd : public QObject
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
    void cleanup() { m_dialogs.reset(); }

    // The angle, its frequency, needle and picture follow the sensor as it
    // tilts; the zero point makes the present position 0°.
    void readingsAndZero()
    {
        Bench bench({QStringLiteral("aq420@4:angle=35,up=70,down=20,serial=4321,fw=123")});
        QVERIFY(bench.connectSensor());
        Ui::Configurator *ui = bench.ui();
        QCOMPARE(ui->label_AngleValAQ420->text(), QStringLiteral("35°"));
        QCOMPARE(ui->label_FreqAQ420->text(), QStringLiteral("335Гц"));
        QCOMPARE(ui->label_FirmwareVal->text(), QStringLiteral("1.2.3"));
        QCOMPARE(bench.page()->statusLabel()->text(), QStringLiteral("Подключен АК-420"));
        QCOMPARE(bench.page()->picture(), QStringLiteral("kamazMid.png"));
        QCOMPARE(ui->lineEditAQ420Up->text(), QStringLiteral("70"));
        QCOMPARE(ui->lineEditAQ420Down->text(), QStringLiteral("20"));
        QCOMPARE(ui->lineEdit_NetNumAQ420->text(), QStringLiteral("4"));

        bench.sensor()->setPosition(80);
        QVERIFY(QTest::qWaitFor([&] { return ui->label_AngleValAQ420->text() == "80°"; },
                                kAnswerTimeout));
        QCOMPARE(bench.page()->scale()->angle(), 80);
        QCOMPARE(bench.page()->picture(), QStringLiteral("kamazUp.png"));

        ui->buttonSetNullAQ420->click();
        QCOMPARE(bench.sensor()->zero(), 80);
        QVERIFY(QTest::qWaitFor([&] { return ui->label_AngleValAQ420->text() == "0°"; },
                                kAnswerTimeout));
        QCOMPARE(bench.page()->picture(), QStringLiteral("kamazDown.png"));
        bench.sensor()->setPosition(95);
        QVERIFY(QTest::qWaitFor([&] { return ui->label_AngleValAQ420->text() == "15°"; },
                                kAnswerTimeout));
        QVERIFY(bench.logLines().contains(QStringLiteral("Set zero AQ420")));
        QVERIFY(m_dialogs->messages().isEmpty());
    }

    // Each switch puts the sensor in its mode; the master bit is kept apart:
    // a mode clears it, the master switch turns it over.
    void everyModeSwitch()
    {
        Bench bench({QStringLiteral("aq420@4:angle=50,mode=0x00")});
        QVERIFY(bench.connectSensor());
        struct Case {
            int sw;
            quint8 mode;
            const char *picture;
            const char *log;
        };
        const Case cases[] = {
            {1, 0x02, "samos60.png", "Switch mode 2 AQ420"},
            {2, 0x04, "proff.png", "Switch mode 3 AQ420"},
            {3, 0x08, "otvalMid.png", "Switch mode Otval AQ420"},
            {4, 0x10, "exMid.png", "Switch mode Kovsh AQ420"},
            {5, 0x11, "exMid.png", "Switch mode Master AQ420"},
            {1, 0x02, "samos60.png", "Switch mode 2 AQ420"},
            {5, 0x03, "samos60.png", "Switch mode Master AQ420"},
            {0, 0x00, "kamazMid.png", "Switch mode 1 AQ420"},
        };
        for (const Case &c : cases) {
            const QByteArray row = QByteArray(c.log) + " to " + QByteArray::number(c.mode, 16);
            bench.page()->modeSwitch(c.sw)->click();
            QVERIFY2(bench.sensor()->mode() == c.mode, row);
            QVERIFY2(bench.logLines().last() == QLatin1String(c.log), row);
            QVERIFY2(QTest::qWaitFor([&] { return bench.page()->readBack().modeByte == c.mode; },
                                     kAnswerTimeout),
                     row);
            QVERIFY2(bench.page()->picture() == QLatin1String(c.picture), row);
            const bool master = c.mode & 0x01;
            QVERIFY2(bench.page()->modeSwitch(AQ420Device::kMasterSwitch)->isOn() == master, row);
            QVERIFY2(!bench.ui()->label_AQ420_MS->isHidden() == master, row);
        }
        QVERIFY(m_dialogs->messages().isEmpty());
    }

    // Limits and delays in bucket mode go out with their two-byte frames
    // and are confirmed by the read-back; then a new address, after which
    // the sensor is found and polled there.
    void confirmedWriteAndNewAddress()
    {
        Bench bench({QStringLiteral("aq420@4:mode=0x10")});
        QVERIFY(bench.connectSensor());
        Ui::Configurator *ui = bench.ui();
        type(ui->lineEditAQ420Up, QStringLiteral("150"));
        type(ui->lineEditAQ420Down, QStringLiteral("30"));
        type(ui->lineEditAQ420DelayOn, QStringLiteral("12"));
        type(ui->lineEditAQ420DelayOff, QStringLiteral("40"));
        QVERIFY(!ui->label_Alarm_1AQ420->isHidden());
        const int mark = bench.requestCount();
        ui->ButtonWriteParamAQ420->click();
        QCOMPARE(bench.sensor()->up(), 150);
        QCOMPARE(bench.sensor()->down(), 30);
        QCOMPARE(int(bench.sensor()->delayOn()), 12);
        QCOMPARE(int(bench.sensor()->delayOff()), 40);
        const QList<quint8> sent = bench.commandsSince(mark);
        QCOMPARE(sent.mid(0, 4), (QList<quint8>{0xF5, 0xFA, 0xE0, 0xE1}));
        QVERIFY(sent.mid(4).contains(0xF0)); // the read-back
        QCOMPARE(bench.logLines().last(), QStringLiteral("Write param to AQ420 succesfull"));
        QVERIFY(m_dialogs->messages().isEmpty());
        QVERIFY(!bench.page()->isEdited(Aq420Field::Up));

        type(ui->lineEdit_NetNumAQ420, QStringLiteral("9"));
        ui->ButtonWriteParamAQ420->click();
        QCOMPARE(int(bench.sensor()->address()), 9);
        QCOMPARE(int(bench.page()->address()), 9);
        QCOMPARE(int(bench.window().addressList().first()), 9);
        QCOMPARE(bench.logLines().last(), QStringLiteral("Write param to AQ420 succesfull"));
        QVERIFY(m_dialogs->messages().isEmpty());
        QVERIFY(bench.nextReadings()); // polled at its new address from now on
        QCOMPARE(ui->label_ListDevAQ420->text(), QStringLiteral("9"));
    }

    // A sensor that answers but keeps its settings: the read-back tells,
    // the engineer is told, and what was typed stays marked for a retry.
    void unconfirmedWrite()
    {
        Bench bench({QStringLiteral("aq420@4:frozen=1")});
        QVERIFY(bench.connectSensor());
        Ui::Configurator *ui = bench.ui();
        type(ui->lineEditAQ420Up, QStringLiteral("150"));
        ui->ButtonWriteParamAQ420->click();
        QCOMPARE(bench.sensor()->changesTaken(), 1);
        QCOMPARE(bench.sensor()->up(), 70);
        QCOMPARE(bench.logLines().last(), QStringLiteral("Error write param to AQ420"));
        QCOMPARE(m_dialogs->messages(), QStringList{kNotWritten});
        QVERIFY(bench.page()->isEdited(Aq420Field::Up));
        QVERIFY(!ui->label_Alarm_1AQ420->isHidden());
        QCOMPARE(ui->lineEditAQ420Up->text(), QStringLiteral("150"));
        // The poll goes on at the angle sensor's pace.
        QVERIFY(bench.nextReadings());
    }

private:
    QTemporaryDir m_workDir;
    std::unique_ptr<DialogRecorder> m_dialogs;
};

QTEST_MAIN(TestAq420EndToEnd)
#include "tst_aq420_e2e.moc"
