// The advertising sensors page and the wireless calibration against an
// emulated base station on an in-process line over a real pseudo-terminal.
#include "app/configurator.h"
#include "app/filedialogs.h"
#include "calibration/calibrationrun.h"
#include "calibration/calibrationworkflow.h"
#include "calibration/engineermenuqdialog.h"
#include "devices/wireless/adwertdialog.h"
#include "devices/wireless/bleadwmodel.h"
#include "devices/wireless/bleadwview.h"
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
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
constexpr int kConnectTimeout = 10000; // ms: search, identification, first records
constexpr int kAnswerTimeout = 10000;  // ms: a change shows in later records
constexpr int kDialogTimeout = 15000;  // ms the dialog waits for the sensor

class Bench : public LineBench
{
public:
    explicit Bench(const QString &base) : LineBench({base}, 11) {}

    BLEDevice *page() const { return window().bleDevice(); }
    BLEAdwView *tile(int slot) const { return page()->adwView(slot); }
    EmulatedBase *base() { return line().bases().value(0); }
    HeardSensors::Sensor *sensor(quint8 address) { return base()->heard().at(address); }

    // The advertising page shows a record in every slot the base reports.
    bool connect(int tiles)
    {
        if (!pressDeviceButton(QStringLiteral("ble")))
            return false;
        return QTest::qWaitFor(
            [&] {
                if (ui()->stackedWidget->currentWidget() != ui()->bleAdwertTar)
                    return false;
                for (int slot = 0; slot < tiles; ++slot) {
                    if (!tile(slot)->model()->hasRecord())
                        return false;
                }
                return true;
            },
            kConnectTimeout);
    }

    QString levelShown(int slot) const
    {
        return tile(slot)->findChild<QLabel *>(QStringLiteral("labelLevelAdw"))->text();
    }
};

bool becomes(const std::function<bool()> &condition, int timeout = kAnswerTimeout)
{
    return QTest::qWaitFor(condition, timeout);
}

} // namespace

class TestAdvertisingEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path());
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
        SecurityBLE::setResponder([](SecurityBLE &dialog) { dialog.skipButton()->click(); });
    }

    void init() { m_dialogs = std::make_unique<DialogRecorder>(); }

    void cleanup()
    {
        m_dialogs.reset();
        AdwertDialog::setResponder({});
        FileDialogs::setProvider({});
    }

    void cleanupTestCase() { SecurityBLE::setResponder({}); }

    // Four sensors heard: each on its tile with its level, the levels on
    // their calibration tabs; one out of range empties its tile alone.
    void sensorsAreShown()
    {
        Bench bench(QStringLiteral("ble@1:fw=230,advflags=0x07,adv=KV_100001/5/100/36/-48*;"
                                   "KV_100002/7/200/31/-70*;KV_100003/9/300*;KV_100004/11/400*"));
        QVERIFY(bench.connect(4));
        QVERIFY(becomes([&] {
            for (int slot = 0; slot < 4; ++slot) {
                if (bench.levelShown(slot) != QString::number(100 * (slot + 1)))
                    return false;
            }
            return bench.tile(1)->nameLabel()->text() == QStringLiteral("KV_100002");
        }));
        QCOMPARE(bench.tile(3)->nameLabel()->text(), QStringLiteral("KV_100004"));
        QCOMPARE(bench.tile(3)->addressEdit()->text(), QStringLiteral("11"));
        QCOMPARE(bench.tile(1)->findChild<QLabel *>(QStringLiteral("labelVoltageAdw"))->text(),
                 QStringLiteral("3.1В"));
        QCOMPARE(bench.tile(1)->connectButton()->text(), QStringLiteral("Изменить номер"));
        QVERIFY(logText().contains("Connect adwertizing device. Connected 4 device(s)"));
        QCOMPARE(bench.window().calibration()->currentLevel(0), 100);
        QCOMPARE(bench.window().calibration()->currentLevel(1), 200);
        QVERIFY(m_dialogs->messages().isEmpty()); // no neighbouring addresses

        bench.sensor(7)->rssi = 0;
        QVERIFY(becomes([&] { return bench.levelShown(1) == QStringLiteral("0")
                                     && !bench.tile(1)->model()->isConnected(); }));
        QCOMPARE(bench.tile(1)->connectButton()->text(), QStringLiteral("Подключить датчик"));
        QCOMPARE(bench.levelShown(0), QStringLiteral("100"));
    }

    // A wrong serial number connects nothing; the right one then connects.
    void connectingBySerialNumber()
    {
        Bench bench(QStringLiteral("ble@1:fw=230,adv=KV_100001/5/600*;KV_100002/7/300"));
        QVERIFY(bench.connect(1));
        QCOMPARE(bench.tile(1)->connectButton()->text(), QStringLiteral("Подключить датчик"));
        QString shown;
        AdwertDialog::setResponder([&](AdwertDialog &dialog) {
            dialog.serialEdit()->setText(QStringLiteral("123123"));
            dialog.connectButton()->click();
            QVERIFY(QTest::qWaitFor([&] { return !dialog.answerTimer().isActive(); },
                                    kDialogTimeout + 2000));
            shown = dialog.message();
            dialog.accept();
        });
        bench.tile(1)->connectButton()->click();
        QCOMPARE(shown, QStringLiteral("Ошибка подключения"));
        QVERIFY(!bench.sensor(7)->connected);
        QVERIFY(!bench.tile(1)->isConnected());
        QVERIFY(!bench.tile(1)->isConnectRequested());

        AdwertDialog::setResponder([&](AdwertDialog &dialog) {
            dialog.serialEdit()->setText(QStringLiteral("100002"));
            dialog.connectButton()->click();
            shown = dialog.message();
        });
        bench.tile(1)->connectButton()->click(); // returns once the dialog closed
        QCOMPARE(shown, QStringLiteral("Ожидаем ответа от датчика"));
        QVERIFY(bench.base()->heard().isEnabled(1));
        QVERIFY(bench.sensor(7)->connected);
        QVERIFY(bench.tile(1)->isConnected());
        QVERIFY(becomes([&] { return bench.levelShown(1) == QStringLiteral("300"); }));
        QCOMPARE(bench.tile(1)->connectButton()->text(), QStringLiteral("Изменить номер"));
        QCOMPARE(bench.tile(1)->nameLabel()->text(), QStringLiteral("KV_100002"));
    }

    // A sensor re-addressed, then switched off: the base goes on with the other.
    void changingAnAddressThenSwitchingOff()
    {
        Bench bench(QStringLiteral("ble@1:fw=230,advflags=0x01,adv=KV_100001/5/600*;KV_100002/7/300*"));
        QVERIFY(bench.connect(2));
        QVERIFY(becomes([&] { return bench.tile(1)->addressEdit()->text() == QStringLiteral("7"); }));
        bench.tile(1)->addressEdit()->setText(QStringLiteral("20"));
        bench.tile(1)->changeAddressButton()->click();
        QVERIFY(becomes([&] { return bench.sensor(20) != nullptr; }));
        QVERIFY(becomes([&] { return bench.page()->netNumDevice() == QByteArray("\x05\x14", 2)
                                     && bench.tile(1)->model()->address() == 20; }));
        QVERIFY(becomes([&] { return bench.levelShown(1) == QStringLiteral("300")
                                     && bench.tile(1)->model()->isConnected(); }));

        bench.tile(1)->disconnectButton()->click();
        QVERIFY(!bench.base()->heard().isEnabled(1));
        QVERIFY(!bench.sensor(20)->connected);
        QCOMPARE(bench.tile(1)->connectButton()->text(), QStringLiteral("Подключить датчик"));
        QVERIFY(logText().contains("Change config master for adwertizing"));
        QVERIFY(becomes([&] { return bench.page()->netNumDevice() == QByteArray("\x05\x14", 2); }));
        QCOMPARE(bench.levelShown(0), QStringLiteral("600"));
        QVERIFY(!bench.tile(1)->model()->isConnected());
    }

    // A tab's calibration reads its own sensor, portion by portion, into
    // its file.
    void calibrationOnAnAdvertisingTab()
    {
        Bench bench(QStringLiteral("ble@1:fw=230,advflags=0x01,adv=KV_100001/5/600*;KV_100002/7/100*"));
        QVERIFY(bench.connect(2));
        Ui::Configurator *ui = bench.ui();
        ui->tabWidgetAdw->setCurrentIndex(1);
        const QString path = m_workDir.filePath(QStringLiteral("adw-tab2.csv"));
        FileDialogs::setProvider([&](FileDialogs::Kind, const QString &) { return path; });
        QVERIFY(becomes([&] { return bench.window().calibration()->currentLevel(1) == 100; }));
        ui->pushButtonStartTarAdw->click();
        QVERIFY(!ui->pushButtonStartTarAdw->isVisibleTo(ui->bleAdwertTar));
        QVERIFY(ui->pushButtonAdPortionAdw->isVisibleTo(ui->bleAdwertTar));
        CalibrationRun *run = bench.window().calibration()->run();
        QCOMPARE(run->model(), bench.tile(1)->calibrationSet()->model);
        for (int level : {220, 340, 460}) {
            bench.sensor(7)->tank.setLevel(level);
            QVERIFY(becomes([&] { return bench.window().calibration()->currentLevel(1) == level; }));
            ui->pushButtonAdPortionAdw->click();
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("220, 5\r\n340, 10\r\n460, 15\r\n"));
        // The first tab has its own, untouched run.
        QCOMPARE(bench.tile(0)->calibrationSet()->model->rowCount(), 0);
        ui->tabWidgetAdw->setCurrentIndex(0);
        QVERIFY(ui->pushButtonStartTarAdw->isVisibleTo(ui->bleAdwertTar));

        // Back to the wireless page, and from there back to the tabs, the
        // second tab's run as it was.
        ui->pushButtonBackTarirAdw->click();
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->BLE_KV510);
        QVERIFY(ui->ButtonTarirovka->isEnabled());
        ui->ButtonTarirovka->click();
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->bleAdwertTar);
        ui->tabWidgetAdw->setCurrentIndex(1);
        QVERIFY(ui->pushButtonAdPortionAdw->isVisibleTo(ui->bleAdwertTar));
        QCOMPARE(bench.window().calibration()->run()->model()->rowCount(), 4);
    }

    // A sensor behind a base in linked mode: a calibration run on its own
    // table, then full and empty from the present reading, then both typed.
    void calibrationBehindALinkedBase()
    {
        Bench bench(QStringLiteral("ble@5:fw=215,level=150,noise=0,drift=0"));
        bench.window().connectDevice(QStringLiteral("ble"));
        // Once the page has asked about passwords, as an engineer would find it.
        QVERIFY(becomes([&] { return bench.page()->isSensorLinked()
                                     && bench.page()->isSensorStateKnown(); }, kConnectTimeout));
        Ui::Configurator *ui = bench.ui();
        const QString path = m_workDir.filePath(QStringLiteral("linked.csv"));
        FileDialogs::setProvider([&](FileDialogs::Kind, const QString &) { return path; });
        ui->ButtonTarirovka->click();
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);
        ui->pushButtonAdSensorTar->click();
        QCOMPARE(bench.window().calibration()->run()->model(), bench.page()->calibrationSet()->model);
        QVERIFY(bench.page()->calibrationSet()->view->isVisibleTo(ui->Tarirovka));
        for (int level : {250, 350, 450}) {
            bench.base()->tank().setLevel(level);
            QVERIFY(becomes([&] { return bench.window().calibration()->currentLevel(0) == level; }));
            ui->pushButtonAdPortionTar->click();
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("250, 5\r\n350, 10\r\n450, 15\r\n"));
        ui->pushButtonBackTarir->click();
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->BLE_KV510);

        const qint32 cnt = bench.base()->tank().cnt();
        bench.window().on_Button_SetFullBLE_clicked();
        QVERIFY(becomes([&] { return bench.page()->statusLabelUp()->text()
                                     == QStringLiteral("Калибровка уровня полного ВТ датчика произведена"); }));
        QCOMPARE(bench.base()->tank().full(), cnt);
        bench.window().on_Button_SetEmptyBLE_clicked();
        QVERIFY(becomes([&] { return bench.page()->statusLabelUp()->text()
                                     == QStringLiteral("Калибровка уровня пустого ВТ датчика произведена"); }));
        QCOMPARE(bench.base()->tank().empty(), bench.base()->tank().cnt());
        QVERIFY(logText().contains("Set full BLE"));
        QVERIFY(logText().contains("Set empty BLE"));

        bool typed = false;
        QTimer::singleShot(300, [&] {
            auto *dialog = bench.window().findChild<EngineerMenuQDialog *>();
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditFull"))->setText(QStringLiteral("9000"));
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditEmpty"))->setText(QStringLiteral("3000"));
            dialog->findChild<QPushButton *>(QStringLiteral("pushButtonSet"))->click();
            typed = true;
            dialog->accept();
        });
        bench.window().on_pushBtnManualInputBLE_clicked();
        QVERIFY(typed);
        QCOMPARE(bench.base()->tank().empty(), 3000);
        QCOMPARE(bench.base()->tank().full(), 9000);
        QVERIFY(becomes([&] { return bench.page()->statusLabelUp()->text()
                                     == QStringLiteral("Директивная калибровка ВТ датчика произведена успешно"); }));
    }

private:
    QTemporaryDir m_workDir;
    std::unique_ptr<DialogRecorder> m_dialogs;
};

QTEST_MAIN(TestAdvertisingEndToEnd)
#include "tst_adw_e2e.moc"
