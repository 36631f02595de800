// A tank calibration against the emulated line: portions, the run file the
// engineer keeps, full and empty points, the graph.
#include "app/configurator.h"
#include "app/filedialogs.h"
#include "calibration/calibrationrun.h"
#include "calibration/calibrationworkflow.h"
#include "calibration/widgettar.h"
#include "devices/fls/flsdevice.h"
#include "dialogrecorder.h"
#include "emulator/emulatedsensor.h"
#include "emulator/virtualline.h"
#include "link/portlist.h"
#include "ui_configurator.h"

#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList column(QStandardItemModel *model, int c)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->item(r, c)->text();
    return out;
}

// One window connected to an emulated line, ready on the calibration page.
struct Bench {
    explicit Bench(const QStringList &devices)
    {
        line.setSeed(3);
        QString error;
        ok = line.addDevices(devices, &error) && line.openPseudoTerminal(&error);
        StartupOptions options;
        options.extraPorts << line.portName();
        window = std::make_unique<Configurator>(options);
        window->connectDevice(QStringLiteral("fls"));
    }
    VirtualLine line;
    std::unique_ptr<Configurator> window;
    bool ok = false;
};
} // namespace

class TestCalibrationEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void init()
    {
        m_runFile = m_dir.filePath(QStringLiteral("run%1").arg(++m_count)); // ".csv" is added
        FileDialogs::setProvider([this](FileDialogs::Kind, const QString &) { return m_runFile; });
    }

    void fillingRunAndItsFile()
    {
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv510@1:noise=0,drift=0,level=300")});
        QVERIFY(bench.ok);
        Configurator &w = *bench.window;
        QTRY_VERIFY_WITH_TIMEOUT(w.flsDevice()->isDeviceConnected(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w.calibration()->currentLevel(0), 300, 5000);

        w.on_ButtonTarirovka_clicked();
        QCOMPARE(w.form()->stackedWidget->currentWidget(), w.form()->Tarirovka);
        w.on_comboBoxZalivSliv_textActivated(QStringLiteral("Заливом"));
        QCOMPARE(w.form()->lineEditStepTar->text(), QStringLiteral("5"));
        // A cancelled save dialog starts nothing.
        FileDialogs::setProvider([](FileDialogs::Kind, const QString &) { return QString(); });
        w.on_pushButtonAdSensorTar_clicked();
        QCOMPARE(w.calibration()->run()->sensorCount(), 0);
        QCOMPARE(w.flsDevice()->tableModel()->rowCount(), 0);
        QVERIFY(!w.calibration()->run()->hasFile());
        FileDialogs::setProvider([this](FileDialogs::Kind, const QString &) { return m_runFile; });
        w.on_pushButtonAdSensorTar_clicked();
        const QString path = m_runFile + QStringLiteral(".csv");
        QVERIFY(QFile::exists(path));
        QStandardItemModel *model = w.flsDevice()->tableModel();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(w.form()->pushButtonAdSensorTar->text(), QStringLiteral("Добавить датчик"));
        QVERIFY(w.flsDevice()->tableView()->isVisibleTo(w.form()->Tarirovka));

        for (int i = 0; i < 3; ++i)
            w.on_pushButtonAdPortionTar_clicked();
        QCOMPARE(column(model, 0), (QStringList{"0", "5", "10", "15"}));
        QCOMPARE(column(model, 1), (QStringList{"300", "300", "300", "300"}));
        // One line per portion; the starting row is not among them.
        QCOMPARE(fileBytes(path), QByteArray("300, 5\r\n300, 10\r\n300, 15\r\n"));

        // While running, another start does not insert a second starting row.
        w.on_pushButtonAdSensorTar_clicked();
        QCOMPARE(model->rowCount(), 4);

        // The graph shows the run, and the way back leads to the table.
        w.on_pushButtonGraphShow_clicked();
        QCOMPARE(w.form()->stackedWidget->currentWidget(), w.form()->GraphTar);
        QVERIFY(w.form()->GraphTar->findChild<QWidget *>(QStringLiteral("chartViewTar")));
        w.backToTar();
        QCOMPARE(w.form()->stackedWidget->currentWidget(), w.form()->Tarirovka);

        // Ending: "Нет" keeps the run, "Да" ends it and lets go of the file.
        dialogs.setAnswer(0);
        w.on_pushButtonEndTar_clicked();
        QVERIFY(w.calibration()->run()->isStarted());
        QCOMPARE(w.form()->pushButtonAdSensorTar->text(), QStringLiteral("Начать"));
        dialogs.setAnswer(1);
        w.on_pushButtonEndTar_clicked();
        QVERIFY(!w.calibration()->run()->isStarted());
        QVERIFY(!w.calibration()->run()->hasFile());
        QCOMPARE(model->rowCount(), 0);
        QCOMPARE(fileBytes(path), QByteArray("300, 5\r\n300, 10\r\n300, 15\r\n"));
    }

    void enteringAsksWhatTheSensorNeeds()
    {
        DialogRecorder dialogs(0);
        Bench bench({QStringLiteral("kv510@1:empty=1000,full=5000,settings=0x03")});
        Configurator &w = *bench.window;
        QTRY_VERIFY_WITH_TIMEOUT(w.flsDevice()->isNotCalibrated(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(w.form()->comboBox_FiltrDUT->currentIndex() != 0, 5000);
        w.on_ButtonTarirovka_clicked();
        QCOMPARE(dialogs.messages(),
                 (QStringList{"Тарировку рекомендуется делать\nпри отключенном сглаживании",
                              "Внимание!Датчик неоткалиброван на пустой-полный\n"
                              "перейти к тарировке?"}));
        QCOMPARE(w.form()->stackedWidget->currentWidget(), w.form()->DUT); // declined
        dialogs.setAnswer(1);
        w.on_ButtonTarirovka_clicked();
        QCOMPARE(w.form()->stackedWidget->currentWidget(), w.form()->Tarirovka);
        QFile log(QStringLiteral("log.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains(" -- Going to Tar\r\n"));
    }

    void drainingRunEndsAtZero()
    {
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv210@1:noise=0,drift=0,level=700")});
        Configurator &w = *bench.window;
        QTRY_VERIFY_WITH_TIMEOUT(w.flsDevice()->isDeviceConnected(), 5000);
        w.on_ButtonTarirovka_clicked();
        w.on_comboBoxZalivSliv_textActivated(QStringLiteral("Сливом"));
        QCOMPARE(w.form()->lineEditStepTar->text(), QStringLiteral("500"));
        w.on_pushButtonAdSensorTar_clicked();
        w.on_pushButtonAdPortionTar_clicked();
        QVERIFY(dialogs.messages().isEmpty());
        w.on_pushButtonAdPortionTar_clicked();
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages().first().startsWith(QStringLiteral("Возможно тарировка закончена")));
        QCOMPARE(column(w.flsDevice()->tableModel(), 0), (QStringList{"1000", "500", "0"}));
    }

    void twoSensorsInOneTank()
    {
        Bench bench({QStringLiteral("kv510@1:noise=0,drift=0,level=200"),
                     QStringLiteral("kv610@2:noise=0,drift=0,level=400")});
        Configurator &w = *bench.window;
        QTRY_COMPARE_WITH_TIMEOUT(w.calibration()->currentLevel(1), 400, 8000);
        QTRY_COMPARE_WITH_TIMEOUT(w.calibration()->currentLevel(0), 200, 8000);
        w.on_ButtonTarirovka_clicked();
        w.on_pushButtonAdSensorTar_clicked();
        w.on_pushButtonAdSensorTar_clicked(); // the second sensor's column
        QCOMPARE(w.calibration()->run()->sensorCount(), 2);
        QVERIFY(w.flsDevice()->sensorTile(1)->isVisibleTo(w.form()->Tarirovka));
        w.on_pushButtonAdPortionTar_clicked();
        QStandardItemModel *model = w.flsDevice()->tableModel();
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(column(model, 2), (QStringList{"400", "400"}));
        QCOMPARE(fileBytes(m_runFile + QStringLiteral(".csv")), QByteArray("200, 400, 5\r\n"));
        w.on_pushButtonDelSensorTar_clicked();
        QCOMPARE(model->columnCount(), 2);
        QVERIFY(!w.flsDevice()->sensorTile(1)->isVisibleTo(w.form()->Tarirovka));
    }

    void fullAndEmptyFromThePresentReading()
    {
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv510@1:noise=0,drift=0,empty=5000,full=10000,cnt=7000")});
        Configurator &w = *bench.window;
        QTRY_VERIFY_WITH_TIMEOUT(w.flsDevice()->isDeviceConnected(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w.form()->label_18DUT->text(), QStringLiteral("10000"), 5000);
        w.on_Button_SetFullDUT_clicked();
        QCOMPARE(dialogs.messages().last(),
                 QStringLiteral("Сейчас будет установлен новый уровень \"Полный\"\nВы уверены?"));
        QTRY_COMPARE_WITH_TIMEOUT(bench.line.sensor(1)->full(), 7000, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(w.form()->label_18DUT->text(), QStringLiteral("7000"), 5000);

        bench.line.sensor(1)->setCnt(3000);
        QTest::qWait(1200);
        dialogs.setAnswer(0); // "Отмена": nothing is sent
        w.on_Button_SetEmptyDUT_clicked();
        QTest::qWait(300);
        QCOMPARE(bench.line.sensor(1)->empty(), 5000);
        dialogs.setAnswer(1);
        w.on_Button_SetEmptyDUT_clicked();
        QTRY_COMPARE_WITH_TIMEOUT(w.form()->label_17DUT->text(), QStringLiteral("3000"), 5000);
        QFile log(QStringLiteral("log.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray text = log.readAll();
        QVERIFY(text.contains(" -- Set full FLS\r\n"));
        QVERIFY(text.contains(" -- Set empty FLS\r\n"));
    }

    void sensorTableManualEntryHorizonAndAlarm()
    {
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv510@1:empty=5000,full=10000")});
        Configurator &w = *bench.window;
        QTRY_VERIFY_WITH_TIMEOUT(w.flsDevice()->isDeviceConnected(), 5000);
        QStringList shown;
        QTimer::singleShot(0, &w, [&] {
            LiterToPercent *dialog = w.tableDialog();
            QVERIFY(dialog);
            for (int row = 0; row < 20; ++row) {
                dialog->setTable(row * 200 + 1, row, 0);
                dialog->setTable(row * 30, row, 1);
            }
            w.writeTable();
            for (int row = 0; row < 20; ++row) { // forget it, then ask the sensor
                dialog->setTable(0, row, 0);
                dialog->setTable(0, row, 1);
            }
            w.readTable();
            shown = dialog->levels() + dialog->volumes();
            dialog->accept();
        });
        w.on_pushBtnCalcLtrPrc_clicked();
        const EmulatedSensor *sensor = bench.line.sensor(1);
        for (int row = 0; row < 20; ++row) {
            QCOMPARE(int(sensor->tableLevels()[size_t(row)]), row * 200 + 1);
            QCOMPARE(int(sensor->tableVolumes()[size_t(row)]), row * 30);
        }
        QCOMPARE(shown.size(), 40);
        QCOMPARE(shown.at(19), QStringLiteral("3801"));
        QCOMPARE(shown.at(39), QStringLiteral("570"));
        QVERIFY(dialogs.messages().isEmpty());

        // A value out of range is refused and the sensor's table stays.
        const auto before = sensor->tableLevels();
        QTimer::singleShot(0, &w, [&] {
            w.tableDialog()->setTable(70000, 3, 0);
            w.writeTable();
            w.tableDialog()->accept();
        });
        w.on_pushBtnCalcLtrPrc_clicked();
        QCOMPARE(dialogs.messages().size(), 1);
        QTest::qWait(300);
        QVERIFY(sensor->tableLevels() == before);
        dialogs.clear();

        // Full and empty typed, the horizon, the alarm threshold (300 refused).
        QTimer::singleShot(0, &w, [&] {
            EngineerMenuQDialog *dialog = w.levelDialog();
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditFull"))->setText("4000");
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditEmpty"))->setText("100");
            w.setFullAndEmptyLevel();
            dialog->accept();
        });
        w.on_pushBtnManualInput_clicked();
        QCOMPARE(bench.line.sensor(1)->empty(), 100);
        QCOMPARE(bench.line.sensor(1)->full(), 4000);
        QVERIFY(dialogs.messages().isEmpty());

        w.on_pushBtnCalibHorizState_clicked();
        QTRY_VERIFY_WITH_TIMEOUT(dialogs.messages().contains(QStringLiteral("Установлен Горизонт")),
                                 3000);
        QCOMPARE(bench.line.sensor(1)->horizonCalibrations(), 1);

        dialogs.clear();
        w.form()->lineEdit_Lamp->setText(QStringLiteral("300"));
        w.on_pushButtonSetPercent_clicked();
        QCOMPARE(dialogs.messages().size(), 1); // refused, no confirmation asked
        QTest::qWait(200);
        QCOMPARE(int(bench.line.sensor(1)->lamp()), 10);
        dialogs.clear();
        w.form()->lineEdit_Lamp->setText(QStringLiteral("25"));
        w.on_pushButtonSetPercent_clicked();
        QTRY_COMPARE_WITH_TIMEOUT(int(bench.line.sensor(1)->lamp()), 25, 3000);
    }

private:
    QTemporaryDir m_dir;
    QString m_runFile;
    int m_count = 0;
};

QTEST_MAIN(TestCalibrationEndToEnd)
#include "tst_calibration_e2e.moc"
