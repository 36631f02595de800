// The angle sensor page fed replies through parseReply as the parse tick
// does; the page against an emulated sensor is in tests/e2e/tst_aq420_e2e.

#include "app/configurator.h"
#include "devices/angle/aq420device.h"
#include "dialogrecorder.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/portlist.h"
#include "link/protocol.h"
#include "ui_configurator.h"
#include "widgets/switch.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
namespace Cmd = Protocol::Command;
constexpr quint8 kSensor = 4;

struct Readings {
    quint8 address = kSensor;
    quint16 angle = 35;
    qint32 down = 20;
    qint32 up = 70;
    quint8 mode = 0x00;
    quint16 delayOn = 5;
    quint16 delayOff = 6;
};

QByteArray readingsReply(const Readings &r)
{
    QByteArray payload(24, '\0');
    auto put = [&payload](int offset, quint32 value, int width) {
        for (int i = 0; i < width; ++i)
            payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(4, r.angle, 2);
    put(10, quint32(r.down), 4);
    put(14, quint32(r.up), 4);
    put(20, r.mode, 1);
    put(23, r.delayOn, 2);
    put(25, r.delayOff, 2);
    return Frame::reply(r.address, Cmd::ReadSettings, payload);
}

QByteArray identificationReply(qint32 serial, quint16 firmware)
{
    QByteArray payload;
    for (int i = 0; i < 4; ++i)
        payload.append(char((quint32(serial) >> (8 * i)) & 0xFF));
    payload.append(char(firmware & 0xFF));
    payload.append(char(firmware >> 8));
    return Frame::reply(kSensor, Cmd::ReadIdentification, payload);
}
} // namespace

class TestAq420Device : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_workDir;
    std::unique_ptr<DialogRecorder> m_dialogs;
    std::unique_ptr<Configurator> m_window;
    AQ420Device *m_page = nullptr;
    Ui::Configurator *ui = nullptr;
    std::unique_ptr<QSignalSpy> m_writes;
    std::unique_ptr<QSignalSpy> m_logs;

    quint8 feed(const QByteArray &reply, quint8 step)
    {
        const quint8 next = m_page->parseReply(int(reply.size()),
                                               reinterpret_cast<const quint8 *>(reply.constData()),
                                               step);
        m_page->setStep(next);
        return next;
    }
    void readings(const Readings &r) { QCOMPARE(feed(readingsReply(r), Cmd::ReadSettings), Cmd::ReadIdentification); }

    QStringList logLines() const
    {
        QStringList lines;
        for (const QList<QVariant> &args : *m_logs)
            lines << args.at(0).toString();
        return lines;
    }

    // The search answer, a readings and an identification reply.
    void connectSensor(const Readings &first = Readings(), quint16 firmware = 123)
    {
        QCOMPARE(feed(QByteArray(1, char(kSensor)), Protocol::Step::Search), Cmd::ReadSettings);
        readings(first);
        QCOMPARE(feed(identificationReply(900004, firmware), Cmd::ReadIdentification),
                 Cmd::ReadSettings);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path());
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void init()
    {
        m_dialogs = std::make_unique<DialogRecorder>();
        m_window = std::make_unique<Configurator>();
        ui = m_window->form();
        m_page = m_window->aq420Device();
        m_page->setStep(Protocol::Step::Search);
        m_writes = std::make_unique<QSignalSpy>(m_page, &AQ420Device::writeData);
        m_logs = std::make_unique<QSignalSpy>(m_page, &AQ420Device::signalWriteLog);
    }

    void cleanup()
    {
        m_writes.reset();
        m_logs.reset();
        m_window.reset();
        m_dialogs.reset();
    }

    // The connection goes to the log once, when the identification and the
    // settings are both known; a silent sensor sends the
    // page back to the search, and the next connection is logged again,
    // held back while the firmware reads 0.
    void connectionLoggedOnceAndAgainAfterSilence()
    {
        connectSensor();
        QCOMPARE(ui->comboBox_NetNumAQ420->currentText(), QStringLiteral("4"));
        QVERIFY(logLines().isEmpty()); // the settings came before the identification
        readings(Readings());
        QCOMPARE(logLines(), QStringList{QStringLiteral(
                                 "Connected AQ420 SerNum=900004,Firmware=1.2.3"
                                 "Down=20,Up=70,DelayOn=5,DelayOff=6,Mode=0")});
        feed(identificationReply(900004, 123), Cmd::ReadIdentification);
        readings(Readings());
        QCOMPARE(logLines().size(), 1);
        QVERIFY(m_page->link()->watchdog()->isActive());

        m_logs->clear();
        m_page->resetDeviceIsConnected();
        QCOMPARE(m_page->getStep(), Protocol::Step::Search);
        QCOMPARE(m_page->statusLabel()->text(), QStringLiteral("Подключите датчик"));
        QCOMPARE(ui->label_AngleValAQ420->text(), QStringLiteral("--"));
        QCOMPARE(logLines(), QStringList{QStringLiteral("Device is not responding")});
        connectSensor(Readings(), 0);
        readings(Readings());
        readings(Readings());
        QCOMPARE(logLines().size(), 1);
        feed(identificationReply(900004, 5), Cmd::ReadIdentification);
        readings(Readings());
        QCOMPARE(logLines().size(), 2);
        QVERIFY(logLines().last().startsWith(QStringLiteral("Connected AQ420 SerNum=900004,Firmware=0.0.5Down=")));
    }

    // Whatever set the mode, the switches, the master animation and the
    // delay fields show the one the sensor reports.
    void theFormFollowsTheReportedMode()
    {
        Readings r;
        r.mode = 0x10;
        connectSensor(r);
        QVERIFY(m_page->modeSwitch(4)->isOn());
        QVERIFY(ui->lineEditAQ420DelayOn->isEnabled());
        r.mode = 0x09;
        readings(r);
        QVERIFY(m_page->modeSwitch(3)->isOn());
        QVERIFY(!m_page->modeSwitch(4)->isOn());
        QVERIFY(m_page->modeSwitch(AQ420Device::kMasterSwitch)->isOn());
        QVERIFY(!ui->label_AQ420_MS->isHidden());
        r.mode = 0x00;
        readings(r);
        QVERIFY(m_page->modeSwitch(0)->isOn());
        QVERIFY(!m_page->modeSwitch(3)->isOn());
        QVERIFY(ui->label_AQ420_MS->isHidden());
        QVERIFY(!ui->lineEditAQ420DelayOn->isEnabled());
        QVERIFY(!ui->lineEditAQ420DelayOff->isEnabled());
    }

    // The bucket animates while it moves 11° or more between readings, and
    // never outside bucket mode.
    void bucketAnimation()
    {
        Readings r;
        r.mode = 0x10;
        r.angle = 40;
        connectSensor(r);
        QVERIFY(!m_page->isBucketAnimating()); // standing at 40° is no movement
        QCOMPARE(m_page->picture(), QStringLiteral("exMid.png"));
        r.angle = 50;
        readings(r);
        QVERIFY(!m_page->isBucketAnimating());
        r.angle = 61;
        readings(r);
        QVERIFY(m_page->isBucketAnimating());
        const QString before = m_page->picture();
        QTRY_VERIFY_WITH_TIMEOUT(m_page->picture() != before, 2000);
        r.angle = 90;
        readings(r);
        QVERIFY(m_page->isBucketAnimating());
        r.mode = 0x00;
        readings(r);
        QVERIFY(!m_page->isBucketAnimating());
        QCOMPARE(m_page->picture(), QStringLiteral("kamazUp.png"));
        QTest::qWait(600);
        QCOMPARE(m_page->picture(), QStringLiteral("kamazUp.png"));
    }

    // A field being edited keeps what was typed, the others follow the
    // sensor; Up left empty gets its default, not the sensor's value.
    void editedFieldKeepsItsText()
    {
        connectSensor();
        ui->lineEditAQ420Up->setText(QStringLiteral("150"));
        m_page->fieldEdited(Aq420Field::Up);
        Readings r;
        r.up = 75;
        r.down = 25;
        readings(r);
        QCOMPARE(ui->lineEditAQ420Up->text(), QStringLiteral("150"));
        QCOMPARE(ui->lineEditAQ420Down->text(), QStringLiteral("25"));
        QCOMPARE(m_page->readBack().up, 75);
        ui->lineEditAQ420Up->clear();
        m_page->upEditingFinished();
        QCOMPARE(ui->lineEditAQ420Up->text(), QStringLiteral("70"));
    }

    void refusedWritesSendNothing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty down") << int(Aq420Field::Down) << "" << "Заполните пустые поля\nперед записью";
        QTest::newRow("address 255") << int(Aq420Field::Address) << "255"
                                     << "Сетевой адрес должен быть числом\nот 1 до 254";
        QTest::newRow("down above up") << int(Aq420Field::Down) << "90"
                                       << "Значение \"Низ\" не может быть\nбольше значения \"Верх\"";
    }

    void refusedWritesSendNothing()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        connectSensor();
        QLineEdit *edit = field == int(Aq420Field::Down) ? ui->lineEditAQ420Down
                                                         : ui->lineEdit_NetNumAQ420;
        edit->setText(text);
        m_page->fieldEdited(Aq420Field(field));
        m_writes->clear();
        m_page->writeParamToAQ420();
        QCOMPARE(m_dialogs->messages(), QStringList{message});
        QVERIFY(m_writes->isEmpty());
        QVERIFY(m_page->isEdited(Aq420Field(field)));
        QVERIFY(!m_page->isWriting());
    }

    // Of two sensors the one chosen is polled and shown; what was typed for
    // the other is not kept for it. The other's replies, damaged ones, ones
    // cut short and other commands' change nothing.
    void secondSensorChosen()
    {
        QCOMPARE(feed(QByteArray::fromHex("0406"), Protocol::Step::Search), Cmd::ReadSettings);
        QCOMPARE(ui->label_ListDevAQ420->text(), QStringLiteral("4,6"));
        readings(Readings());
        ui->lineEditAQ420Up->setText(QStringLiteral("150"));
        m_page->fieldEdited(Aq420Field::Up);
        QSignalSpy polled(m_page, &AQ420Device::copyQueueSurveyDevice);
        m_page->addressChosen(1);
        QCOMPARE(polled.takeFirst().at(0).toInt(), 1);
        QCOMPARE(int(m_page->address()), 6);
        QCOMPARE(ui->lineEdit_NetNumAQ420->text(), QStringLiteral("6"));
        QVERIFY(!m_page->isEdited(Aq420Field::Up));

        const int decoded = m_page->readingsDecoded();
        const QString shown = ui->label_AngleValAQ420->text();
        Readings first;
        first.angle = 10;
        Readings second;
        second.address = 6;
        second.angle = 77;
        second.up = 90;
        QByteArray badCrc = readingsReply(second);
        badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x01);
        // A whole frame, one byte short of the delays.
        const QByteArray tooShort = Frame::reply(6, Cmd::ReadSettings,
                                                 QByteArray(Aq420Replies::kReadingsLength - 5, '\0'));
        for (const QByteArray &reply : {readingsReply(first), badCrc, tooShort,
                                        Frame::reply(6, Cmd::AngleSetUp)})
            QCOMPARE(feed(reply, Cmd::ReadSettings), Cmd::ReadSettings);
        QCOMPARE(m_page->readingsDecoded(), decoded);
        QCOMPARE(ui->label_AngleValAQ420->text(), shown);
        readings(second);
        QCOMPARE(ui->label_AngleValAQ420->text(), QStringLiteral("77°"));
        QCOMPARE(ui->lineEditAQ420Up->text(), QStringLiteral("90"));
        QCOMPARE(m_page->readBack().address, 6);
    }
};

QTEST_MAIN(TestAq420Device)
#include "tst_aq420device.moc"
