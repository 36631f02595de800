// The advertising half of the wireless page: records go to parseReply, the
// base's answers come at the page's own parse requests. See also tst_adw_e2e.

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

struct Rec {
    quint8 address = 5, flags = 0, link = 0x21;
    quint16 level = 700;
    quint8 connection = 0xFF;
    QByteArray name;
};

QByteArray record(const Rec &r)
{
    QByteArray payload(41, '\0'); // a 45-byte record
    auto put = [&payload](int offset, quint32 value, int width) {
        for (int i = 0; i < width; ++i)
            payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(4, r.level, 2);
    put(27, r.link, 1);
    put(28, quint8(qint8(-48)), 1); // signal
    put(29, 35, 1);                 // battery
    for (int i = 0; i < r.name.size() && i < 6; ++i)
        put(33 + i, quint8(r.name.at(i)), 1);
    put(39, r.connection, 1);
    put(40, r.flags, 1);
    return Frame::reply(r.address, Cmd::ReadSettings, payload);
}

QByteArray identification(quint8 address) // firmware 230: advertising
{
    return Frame::reply(address, Cmd::ReadIdentification, QByteArray::fromHex("00000000E600"));
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

    // One record fills every slot of its bits; the level goes to each slot's tab.
    void recordsFillTheTilesOfTheirSlots()
    {
        connectBase(QByteArray("\x05\x06\x07", 3));
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->bleAdwertTar);
        QSignalSpy levels(m_page, &BLEDevice::copyLevelValueToMain);
        Rec both;
        both.address = 6;
        both.flags = 0x03;
        both.level = 812;
        both.connection = 9; // 9 is still connected
        feedRecord(both);
        QVERIFY(tile(1)->model() == tile(2)->model());
        QCOMPARE(tile(2)->model()->address(), 6);
        QCOMPARE(tile(1)->findChild<QLabel *>(QStringLiteral("labelSignalAdw"))->text(),
                 QStringLiteral("-48dB"));
        QVERIFY(tile(1)->findChild<QLabel *>(QStringLiteral("labelLevelAdw"))->isVisibleTo(tile(1)));
        QVERIFY(!tile(3)->model()->hasRecord());
        QCOMPARE(levels.count(), 2);
        QCOMPARE(levels.at(0), (QList<QVariant>{812, 1}));
        QCOMPARE(levels.at(1), (QList<QVariant>{812, 2}));
        QCOMPARE(m_window->calibration()->currentLevel(2), 812);

        both.connection = 10;
        feedRecord(both);
        QVERIFY(!tile(1)->model()->isConnected());
        QVERIFY(!tile(1)->findChild<QLabel *>(QStringLiteral("labelLevelAdw"))->isVisibleTo(tile(1)));
    }

    // A base that went silent and answers again gets its tabs back.
    void tabsReturnWithTheBase()
    {
        connectBase(QByteArray("\x05\x06", 2));
        m_page->resetDeviceIsConnected();
        QVERIFY(!ui->tabWidgetAdw->isVisibleTo(ui->bleAdwertTar));
        QVERIFY(m_page->isAdvertisingMode());
        Rec r;
        r.link = 0x1F;
        feedRecord(r);
        QVERIFY(ui->tabWidgetAdw->isVisibleTo(ui->bleAdwertTar));
    }

    // The base sends two records a second all day: only the newest model of
    // each address is kept.
    void modelsOfEarlierRecordsAreReleased()
    {
        connectBase(QByteArray("\x05\x06", 2));
        Rec r;
        r.address = 6;
        r.flags = 0x01;
        feedRecord(r);
        std::weak_ptr<BLEAdwModel> first = tile(1)->model();
        Rec other;
        other.address = 9; // fills no slot
        for (int i = 0; i < 500; ++i) {
            r.level = quint16(i);
            feedRecord(r);
            feedRecord(other);
        }
        QVERIFY(first.expired());
        QCOMPARE(m_page->keptModelCount(), 3); // addresses 5, 6 and 9
        QCOMPARE(m_page->getModelByNetNum(6), tile(1)->model().get());
        QCOMPARE(m_page->getModelByNetNum(6)->record().level, quint16(499));
        QVERIFY(!m_page->getModelByNetNum(8));
    }

    // The slot is off: the base is told first (0xEC), searched again, then
    // given the name. tst_adw_e2e checks the sensor gets connected.
    void connectingByTheSerialNumber()
    {
        connectBase(QByteArray("\x05\x06", 2));
        m_line << QByteArray() << Frame::reply(5, Cmd::ManualFull) << QByteArray("\x05\x06", 2)
               << Frame::reply(6, Cmd::BleNameAccepted);
        QString typedShown;
        AdwertDialog::setResponder([&](AdwertDialog &dialog) {
            QTest::keyClicks(dialog.serialEdit(), QStringLiteral("10a0002"));
            typedShown = dialog.serialEdit()->text();
            dialog.connectButton()->click();
            Rec named;
            named.address = 6;
            named.flags = 0x01;
            named.connection = 0;
            named.name = "100002";
            QTimer::singleShot(0, this, [this, named] { feedRecord(named); });
        });
        tile(1)->connectButton()->click();
        QCOMPARE(typedShown, QStringLiteral("100002")); // digits only
        QCOMPARE(writtenWithCode(Cmd::ManualFull),
                 QList<QByteArray>{Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x01'))});
        QCOMPARE(writtenWithCode(Cmd::SetBleName),
                 QList<QByteArray>{Frame::writeRequest(6, Cmd::SetBleName, "KV_100002")});
        QVERIFY(m_page->isNameAccepted());
        QVERIFY(tile(1)->isConnected());
    }

    // A slot already on is not configured again; tst_adw_e2e checks the failure.
    void anEnabledSlotIsNotConfiguredAgain()
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
            dialog.accept();
        });
        tile(1)->connectButton()->click();
        QVERIFY(writtenWithCode(Cmd::ManualFull).isEmpty());
        QCOMPARE(writtenWithCode(Cmd::SetBleName),
                 QList<QByteArray>{Frame::writeRequest(6, Cmd::SetBleName, "KV_999999")});
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
        QVERIFY(m_logs->contains(
            QList<QVariant>{QStringLiteral("Error change config master for adwertizing")}));
        QVERIFY(writtenWithCode(Cmd::SetBleName).isEmpty());
        QVERIFY(m_page->link()->watchdogEnabled()); // the poll goes on
    }

    // The configuration byte goes to the linked sensor's address with only
    // the slot's own bits changed; switched off, the page searches again.
    void switchingASensorAndItsAdditionalParameters()
    {
        connectBase(QByteArray("\x05\x07", 2));
        Rec r;
        r.address = 7;
        r.flags = 0x02; // slot 2
        r.connection = 0;
        feedRecord(r);
        m_line << QByteArray() << Frame::reply(5, Cmd::ManualFull);
        tile(2)->dopSwitch()->click();
        QCOMPARE(writtenWithCode(Cmd::ManualFull).last(),
                 Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x22')));
        r.flags = 0x22;
        feedRecord(r);
        QCOMPARE(tile(2)->addressEdit()->text(), QStringLiteral("7,8"));
        QVERIFY(tile(2)->dopSwitch()->isChecked());

        m_writes->clear();
        m_line << QByteArray() << Frame::reply(5, Cmd::ManualFull) << QByteArray("\x05\x07", 2);
        tile(2)->disconnectButton()->click();
        QCOMPARE(writtenWithCode(Cmd::ManualFull).last(),
                 Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x20')));
        QVERIFY(m_writes->contains(QList<QVariant>{Frame::searchBroadcast()}));
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
