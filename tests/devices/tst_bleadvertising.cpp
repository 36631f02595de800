// The advertising half of the wireless page driven through its decoder:
// records of a base in advertising mode go to parseReply as the parse tick
// hands them over, the base's answers to the page's commands are given at
// the page's own parse requests, and what the engineer sees is read from
// the tiles on the tabs.

#include "app/configurator.h"
#include "calibration/calibrationworkflow.h"
#include "devices/wireless/adwertdialog.h"
#include "devices/wireless/bleadwmodel.h"
#include "devices/wireless/bleadwview.h"
#include "devices/wireless/bledevice.h"
#include "devices/wireless/securityble.h"
#include "dialogrecorder.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/portlist.h"
#include "link/protocol.h"
#include "ui_configurator.h"
#include "widgets/switch.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
namespace Cmd = Protocol::Command;
constexpr quint8 kSearch = Protocol::Step::Search;
constexpr quint16 kAdvertisingFirmware = 230;

struct Rec {
    quint8 address = 5;
    quint8 flags = 0;
    quint8 link = 0x21;
    qint8 rssi = -48;
    quint8 battery = 35;
    quint16 level = 700;
    qint8 temperature = 19;
    quint8 connection = 0xFF;
    QByteArray name;
    quint8 filter = 0;
};

QByteArray record(const Rec &r)
{
    QByteArray payload(41, '\0'); // a 45-byte record
    auto put = [&payload](int offset, quint32 value, int width) {
        for (int i = 0; i < width; ++i)
            payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(3, quint8(r.temperature), 1);
    put(4, r.level, 2);
    put(22, r.filter, 1);
    put(27, r.link, 1);
    put(28, quint8(r.rssi), 1);
    put(29, r.battery, 1);
    for (int i = 0; i < r.name.size() && i < 6; ++i)
        put(33 + i, quint8(r.name.at(i)), 1);
    put(39, r.connection, 1);
    put(40, r.flags, 1);
    return Frame::reply(r.address, Cmd::ReadSettings, payload);
}

QByteArray identification(quint8 address)
{
    QByteArray payload(4, '\0');
    payload.append(char(kAdvertisingFirmware & 0xFF));
    payload.append(char(kAdvertisingFirmware >> 8));
    return Frame::reply(address, Cmd::ReadIdentification, payload);
}

} // namespace

class TestBleAdvertising : public QObject
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
    QList<QByteArray> m_line; // the base's answer at each parse the page asks for

    quint8 feed(const QByteArray &reply, quint8 step)
    {
        const quint8 next = m_page->parseReply(
            int(reply.size()), reinterpret_cast<const quint8 *>(reply.constData()), step);
        m_page->setStep(next);
        return next;
    }
    void feedRecord(const Rec &r) { feed(record(r), Cmd::ReadSettings); }

    QList<QByteArray> writtenWithCode(quint8 code) const
    {
        QList<QByteArray> frames;
        for (const QList<QVariant> &args : *m_writes) {
            const QByteArray frame = args.at(0).toByteArray();
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

    // A base answering for the sensors at `addresses`, the first record read.
    void connectBase(const QByteArray &addresses)
    {
        QCOMPARE(feed(addresses, kSearch), Cmd::ReadIdentification);
        QCOMPARE(feed(identification(quint8(addresses.at(0))), Cmd::ReadIdentification),
                 Cmd::ReadSettings);
        QVERIFY(m_page->isAdvertisingMode());
        Rec first;
        first.address = quint8(addresses.at(0));
        first.link = 0x1F;
        feedRecord(first);
        m_writes->clear();
        m_logs->clear();
        m_dialogs->clear();
    }

    BLEAdwView *tile(int slot) const { return m_page->adwView(slot); }

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
        SecurityBLE::setResponder([](SecurityBLE &dialog) { dialog.skipButton()->click(); });
        m_window = std::make_unique<Configurator>();
        m_page = m_window->bleDevice();
        ui = m_window->form();
        m_writes = std::make_unique<QSignalSpy>(m_page, &BLEDevice::writeData);
        m_logs = std::make_unique<QSignalSpy>(m_page, &BLEDevice::signalWriteLog);
        m_line.clear();
        connect(m_page, &BLEDevice::callParceDataFromComPort, this, [this] {
            if (!m_line.isEmpty()) {
                const QByteArray reply = m_line.takeFirst();
                if (!reply.isEmpty())
                    feed(reply, m_page->getStep());
            }
        });
    }

    void cleanup()
    {
        AdwertDialog::setResponder({});
        SecurityBLE::setResponder({});
        m_writes.reset();
        m_logs.reset();
        m_window.reset();
        m_dialogs.reset();
    }

    void recordsFillTheTilesOfTheirSlots()
    {
        connectBase(QByteArray("\x05\x06\x07", 3));
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->bleAdwertTar);
        QSignalSpy levels(m_page, &BLEDevice::copyLevelValueToMain);
        Rec both;
        both.address = 6;
        both.flags = 0x03;
        both.level = 812;
        both.connection = 0;
        both.name = "100002";
        feedRecord(both);
        QVERIFY(tile(1)->model() == tile(2)->model());
        QCOMPARE(tile(1)->model()->address(), 6);
        QCOMPARE(tile(1)->nameLabel()->text(), QStringLiteral("KV_100002"));
        QCOMPARE(tile(1)->findChild<QLabel *>(QStringLiteral("labelLevelAdw"))->text(),
                 QStringLiteral("812"));
        QCOMPARE(tile(1)->findChild<QLabel *>(QStringLiteral("labelSignalAdw"))->text(),
                 QStringLiteral("-48dB"));
        QCOMPARE(tile(1)->findChild<QLabel *>(QStringLiteral("labelVoltageAdw"))->text(),
                 QStringLiteral("3.5В"));
        QCOMPARE(tile(1)->connectButton()->text(), QStringLiteral("Изменить номер"));
        // Slot 3 had no record of its own: it keeps its empty model.
        QVERIFY(!tile(3)->model()->hasRecord());
        // Each slot's level reaches the calibration of its tab.
        QCOMPARE(levels.count(), 2);
        QCOMPARE(levels.at(0), (QList<QVariant>{812, 1}));
        QCOMPARE(levels.at(1), (QList<QVariant>{812, 2}));
        QCOMPARE(m_window->calibration()->currentLevel(2), 812);

        // Signal 0: the base hears nothing there any more.
        both.rssi = 0;
        feedRecord(both);
        QCOMPARE(tile(1)->model()->record().level, quint16(0));
        QCOMPARE(tile(1)->model()->record().connectionState, quint8(0xFF));
        QVERIFY(!tile(1)->model()->isConnected());
        QCOMPARE(tile(1)->findChild<QLabel *>(QStringLiteral("labelLevelAdw"))->text(),
                 QStringLiteral("0"));
        QCOMPARE(tile(1)->connectButton()->text(), QStringLiteral("Подключить датчик"));
    }

    // A base that went silent and answers again gets its tabs back.
    void tabsReturnWithTheBase()
    {
        connectBase(QByteArray("\x05\x06", 2));
        QVERIFY(ui->tabWidgetAdw->isVisibleTo(ui->bleAdwertTar));
        m_page->resetDeviceIsConnected();
        QVERIFY(!ui->tabWidgetAdw->isVisibleTo(ui->bleAdwertTar));
        QVERIFY(m_page->isAdvertisingMode());
        Rec r;
        r.link = 0x1F;
        feedRecord(r);
        QVERIFY(ui->tabWidgetAdw->isVisibleTo(ui->bleAdwertTar));
    }

    void connectionStateNineConnectsTenDoesNot()
    {
        connectBase(QByteArray("\x05\x06", 2));
        Rec r;
        r.address = 6;
        r.flags = 0x01;
        r.connection = 9;
        feedRecord(r);
        QVERIFY(tile(1)->model()->isConnected());
        QVERIFY(tile(1)->findChild<QLabel *>(QStringLiteral("labelLevelAdw"))->isVisibleTo(tile(1)));
        r.connection = 10;
        feedRecord(r);
        QVERIFY(!tile(1)->model()->isConnected());
        QVERIFY(!tile(1)->findChild<QLabel *>(QStringLiteral("labelLevelAdw"))->isVisibleTo(tile(1)));
    }

    // One new model per record, as the base sends two a second all day:
    // only the newest of each address is kept.
    void modelsOfEarlierRecordsAreReleased()
    {
        connectBase(QByteArray("\x05\x06", 2));
        Rec r;
        r.address = 6;
        r.flags = 0x01;
        feedRecord(r);
        std::weak_ptr<BLEAdwModel> first = tile(1)->model();
        for (int i = 0; i < 500; ++i) {
            r.level = quint16(i);
            feedRecord(r);
            Rec other;
            other.address = 9; // fills no slot
            feedRecord(other);
        }
        QVERIFY(first.expired());
        QCOMPARE(m_page->keptModelCount(), 3); // addresses 5, 6 and 9
        QCOMPARE(m_page->getModelByNetNum(6), tile(1)->model().get());
        QCOMPARE(m_page->getModelByNetNum(6)->record().level, quint16(499));
        QVERIFY(m_page->getModelByNetNum(9));
        QVERIFY(!m_page->getModelByNetNum(8));
    }

    void connectingByTheSerialNumber()
    {
        connectBase(QByteArray("\x05\x06", 2));
        // The slot is not enabled yet: the base is told first (0xEC), then
        // searched again, then given the name.
        m_line << QByteArray() << Frame::reply(5, Cmd::ManualFull) << QByteArray("\x05\x06", 2)
               << Frame::reply(6, Cmd::BleNameAccepted);
        QString typedShown;
        AdwertDialog::setResponder([&](AdwertDialog &dialog) {
            QTest::keyClicks(dialog.serialEdit(), QStringLiteral("10a0002"));
            typedShown = dialog.serialEdit()->text();
            dialog.connectButton()->click();
            QCOMPARE(dialog.message(), QStringLiteral("Ожидаем ответа от датчика"));
            QVERIFY(dialog.answerTimer().isActive());
            QCOMPARE(dialog.answerTimer().interval(), 15000);
            // The base now reports the sensor under its name.
            Rec named;
            named.address = 6;
            named.flags = 0x01;
            named.connection = 0;
            named.name = "100002";
            QTimer::singleShot(0, this, [this, named] { feedRecord(named); });
        });
        tile(1)->connectButton()->click();
        QCOMPARE(typedShown, QStringLiteral("100002")); // digits only
        const QList<QByteArray> config = writtenWithCode(Cmd::ManualFull);
        QCOMPARE(config.size(), 1);
        QCOMPARE(config.first(), Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x01')));
        QCOMPARE(writtenWithCode(Cmd::SetBleName),
                 QList<QByteArray>{Frame::writeRequest(6, Cmd::SetBleName, "KV_100002")});
        QVERIFY(m_page->isNameAccepted());
        QVERIFY(tile(1)->isConnected());
        QCOMPARE(tile(1)->connectButton()->text(), QStringLiteral("Изменить номер"));
        QVERIFY(logLines().contains(QStringLiteral("Change config master for adwertizing")));
    }

    void aNameTheBaseNeverReportsDropsTheRequest()
    {
        connectBase(QByteArray("\x05\x06", 2));
        Rec enabled;
        enabled.address = 6;
        enabled.flags = 0x01;
        enabled.connection = 0; // on and connected to another sensor
        enabled.name = "123456";
        feedRecord(enabled);
        m_line << Frame::reply(6, Cmd::BleNameAccepted);
        AdwertDialog::setResponder([&](AdwertDialog &dialog) {
            QTest::keyClicks(dialog.serialEdit(), QStringLiteral("999999"));
            dialog.connectButton()->click();
            for (int i = 0; i < 3; ++i)
                feedRecord(enabled);
            QVERIFY(!tile(1)->isConnectRequested());
            // No answer within the time: the dialog says so.
            QMetaObject::invokeMethod(&dialog, "sendSignalNotConnectedDevice");
            QCOMPARE(dialog.message(), QStringLiteral("Ошибка подключения"));
            dialog.accept();
        });
        tile(1)->connectButton()->click();
        QVERIFY(writtenWithCode(Cmd::ManualFull).isEmpty()); // it was on already
        QCOMPARE(writtenWithCode(Cmd::SetBleName).size(), 1);
        QVERIFY(!tile(1)->isConnected());
    }

    void aBaseThatDoesNotConfirmTheConfiguration()
    {
        connectBase(QByteArray("\x05\x06", 2));
        QString message;
        AdwertDialog::setResponder([&](AdwertDialog &dialog) {
            QTest::keyClicks(dialog.serialEdit(), QStringLiteral("100002"));
            dialog.connectButton()->click();
            message = dialog.message();
            dialog.accept();
        });
        tile(1)->connectButton()->click();
        QCOMPARE(message, QStringLiteral("Ошибка подключения"));
        QVERIFY(logLines().contains(QStringLiteral("Error change config master for adwertizing")));
        QVERIFY(writtenWithCode(Cmd::SetBleName).isEmpty());
        // The poll goes on.
        QVERIFY(m_page->link()->watchdogEnabled());
    }

    void switchingASensorAndItsAdditionalParameters()
    {
        connectBase(QByteArray("\x05\x07", 2));
        Rec r;
        r.address = 7;
        r.flags = 0x02; // slot 2
        r.connection = 0;
        feedRecord(r);
        // Additional parameters on: 0xEC to the linked sensor's address.
        m_line << QByteArray() << Frame::reply(5, Cmd::ManualFull);
        tile(2)->dopSwitch()->click();
        QCOMPARE(writtenWithCode(Cmd::ManualFull).last(),
                 Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x22')));
        r.flags = 0x22;
        feedRecord(r);
        QCOMPARE(tile(2)->addressEdit()->text(), QStringLiteral("7,8"));
        QVERIFY(tile(2)->dopSwitch()->isChecked());

        // Switched off: the tile empties and the page searches again.
        m_writes->clear();
        m_line << QByteArray() << Frame::reply(5, Cmd::ManualFull) << QByteArray("\x05\x07", 2);
        tile(2)->disconnectButton()->click();
        QCOMPARE(writtenWithCode(Cmd::ManualFull).last(),
                 Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x20')));
        QVERIFY(m_writes->contains(QList<QVariant>{Frame::searchBroadcast()}));
        QVERIFY(!tile(2)->model()->isConnected());
        QCOMPARE(tile(2)->connectButton()->text(), QStringLiteral("Подключить датчик"));
        QCOMPARE(m_page->polledIndex(), 0);
    }

    void changingAnAddressSendsTheTextBeforeTheComma()
    {
        connectBase(QByteArray("\x05\x0C", 2));
        Rec r;
        r.address = 12;
        r.flags = 0x11; // slot 1, additional parameters on
        r.connection = 0;
        feedRecord(r);
        QCOMPARE(tile(1)->addressEdit()->text(), QStringLiteral("12,13"));
        tile(1)->changeAddressButton()->click();
        QCOMPARE(writtenWithCode(Cmd::SetAddress),
                 QList<QByteArray>{Frame::writeRequest(12, Cmd::SetAddress, QByteArray(1, '\x0C'))});
        QCOMPARE(m_page->getStep(), kSearch);

        m_writes->clear();
        tile(1)->addressEdit()->setText(QStringLiteral("40"));
        tile(1)->changeAddressButton()->click();
        QCOMPARE(writtenWithCode(Cmd::SetAddress).last(),
                 Frame::writeRequest(12, Cmd::SetAddress, QByteArray(1, '\x28')));
        // Nothing is sent for an address no sensor can have.
        m_writes->clear();
        tile(1)->addressEdit()->setText(QStringLiteral("255"));
        tile(1)->changeAddressButton()->click();
        QVERIFY(writtenWithCode(Cmd::SetAddress).isEmpty());
        QCOMPARE(m_dialogs->messages().size(), 1);
    }

    void neighbouringAddressesAreWarnedAfterASearch()
    {
        connectBase(QByteArray("\x05\x07", 2));
        Rec r;
        r.address = 7;
        r.flags = 0x01;
        r.connection = 0;
        feedRecord(r);
        QVERIFY(m_dialogs->messages().isEmpty());
        feed(QByteArray("\x05\x06", 2), kSearch); // the sensor moved to 6
        QCOMPARE(m_dialogs->messages(),
                 QStringList{QStringLiteral("Измените сетевой адрес одного из устройств")});
        QCOMPARE(tile(1)->model()->address(), 6);
    }
};

QTEST_MAIN(TestBleAdvertising)
#include "tst_bleadvertising.moc"
