// The calibration page driven through its buttons, with no sensor line: the
// levels are handed to the page as the device pages would push them.
#include "app/configurator.h"
#include "app/filedialogs.h"
#include "calibration/calibrationrun.h"
#include "calibration/calibrationworkflow.h"
#include "calibration/widgettar.h"
#include "devices/fls/flsdevice.h"
#include "dialogrecorder.h"
#include "link/portlist.h"
#include "testfiles.h"
#include "ui_configurator.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
QStringList column(QStandardItemModel *model, int c)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QStandardItem *item = model->item(r, c);
        out << (item ? item->text() : QStringLiteral("<none>"));
    }
    return out;
}
} // namespace

class TestCalibrationWorkflow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_saveName = m_dir->filePath("kept"); // ".csv" is added
        m_openName.clear();
        m_asked.clear();
        FileDialogs::setProvider([this](FileDialogs::Kind kind, const QString &) {
            m_asked << (kind == FileDialogs::Kind::Save ? "save" : "open");
            return kind == FileDialogs::Kind::Save ? m_saveName : m_openName;
        });
        m_window = std::make_unique<Configurator>();
        m_window->calibration()->setLevel(300, 0);
        m_window->calibration()->enter();
    }

    void cleanup()
    {
        m_window.reset();
        FileDialogs::setProvider({});
    }

    void resumeAfterRemovingTheSensorLeavesTheKeptFile()
    {
        Configurator &w = *m_window;
        const QString kept = m_saveName + ".csv";
        m_openName = m_dir->filePath("other.csv");
        putFile(m_openName, "120, 35\r\n140, 40\r\n");

        w.on_pushButtonAdSensorTar_clicked();
        w.on_pushButtonAdPortionTar_clicked();
        w.on_pushButtonAdPortionTar_clicked();
        const QByteArray keptBytes = "300, 5\r\n300, 10\r\n";
        QCOMPARE(fileBytes(kept), keptBytes);
        w.on_pushButtonDelSensorTar_clicked();
        QVERIFY(w.form()->pushButtonRestoreTar->isVisibleTo(w.form()->Tarirovka));

        w.on_pushButtonRestoreTar_clicked();
        QStandardItemModel *model = w.flsDevice()->tableModel();
        QCOMPARE(column(model, 1), (QStringList{"120", "140"}));
        model->setData(model->index(0, 1), QStringLiteral("125")); // an edited cell
        QCOMPARE(fileBytes(kept), keptBytes);
        QCOMPARE(fileBytes(m_openName), QByteArray("125, 35\r\n140, 40\r\n"));

        w.on_pushButtonAdSensorTar_clicked(); // goes on in the resumed file
        QCOMPARE(fileBytes(kept), keptBytes);
        w.calibration()->setLevel(160, 0);
        w.on_pushButtonAdPortionTar_clicked();
        QCOMPARE(fileBytes(kept), keptBytes);
        QCOMPARE(fileBytes(m_openName), QByteArray("125, 35\r\n140, 40\r\n160, 45\r\n"));
        QCOMPARE(m_asked, (QStringList{"save", "open"}));
    }

    // Ending a resumed run (continued or not) empties the page; the next
    // start is a new run in a new file and the resumed one stays as it was.
    void endingAfterResumeLeavesAnEmptyPage_data()
    {
        QTest::addColumn<bool>("continued"); // "Начать" pressed before ending
        QTest::newRow("only loaded") << false;
        QTest::newRow("continued") << true;
    }

    void endingAfterResumeLeavesAnEmptyPage()
    {
        QFETCH(bool, continued);
        DialogRecorder dialogs(1);
        Configurator &w = *m_window;
        m_openName = m_dir->filePath("saved.csv");
        const QByteArray saved = "120, 35\r\n140, 40\r\n";
        putFile(m_openName, saved);
        w.on_pushButtonRestoreTar_clicked();
        QStandardItemModel *model = w.flsDevice()->tableModel();
        QCOMPARE(model->rowCount(), 2);
        if (continued)
            w.on_pushButtonAdSensorTar_clicked();

        w.on_pushButtonEndTar_clicked();
        QCOMPARE(dialogs.messages(), QStringList{"Вы хотите завершить тарировку?"});
        Ui::Configurator *ui = w.form();
        QCOMPARE(model->rowCount(), 0);
        QVERIFY(!w.calibration()->run()->hasLoadedTable());
        QVERIFY(!w.flsDevice()->tableView()->isVisibleTo(ui->Tarirovka));
        QVERIFY(!w.flsDevice()->sensorTile(0)->isVisibleTo(ui->Tarirovka));
        QVERIFY(ui->pushButtonRestoreTar->isVisibleTo(ui->Tarirovka));
        QVERIFY(!ui->pushButtonAdPortionTar->isVisibleTo(ui->Tarirovka));

        m_asked.clear();
        w.on_pushButtonAdSensorTar_clicked();
        QCOMPARE(m_asked, QStringList{"save"});
        QCOMPARE(column(model, 0), QStringList{"0"});
        w.on_pushButtonAdPortionTar_clicked();
        QCOMPARE(fileBytes(m_saveName + ".csv"), QByteArray("300, 5\r\n"));
        QCOMPARE(fileBytes(m_openName), saved);
    }

    // Only one sensor on the line for a file of two: the second reading is
    // left empty, not made up.
    void resumedTwoSensorFileKeepsTwoColumns()
    {
        Configurator &w = *m_window;
        m_openName = m_dir->filePath("two.csv");
        putFile(m_openName, "200, 400, 5\r\n210, 410, 10\r\n");
        w.on_pushButtonRestoreTar_clicked();
        QCOMPARE(w.flsDevice()->tableView()->minimumWidth(), 390);
        w.on_pushButtonAdSensorTar_clicked();
        QCOMPARE(w.calibration()->run()->sensorCount(), 2);
        QVERIFY(w.flsDevice()->sensorTile(1)->isVisibleTo(w.form()->Tarirovka));
        w.on_pushButtonAdPortionTar_clicked();
        QCOMPARE(column(w.flsDevice()->tableModel(), 2), (QStringList{" 400", " 410", ""}));
        QCOMPARE(fileBytes(m_openName),
                 QByteArray("200, 400, 5\r\n210, 410, 10\r\n300, , 15\r\n"));
    }

    void badFileIsRefusedWithAMessage()
    {
        DialogRecorder dialogs;
        Configurator &w = *m_window;
        m_openName = m_dir->filePath("broken.csv");
        const QByteArray broken = "120, 35\r\n140; 40\r\n";
        putFile(m_openName, broken);
        w.on_pushButtonRestoreTar_clicked();
        QCOMPARE(dialogs.messages().size(), 1);
        const QString message = dialogs.messages().first();
        QVERIFY2(message.contains("broken.csv") && message.contains(QStringLiteral("Строка 2")),
                 qPrintable(message));
        QCOMPARE(w.flsDevice()->tableModel()->rowCount(), 0);
        QVERIFY(!w.calibration()->run()->hasFile());
        QCOMPARE(fileBytes(m_openName), broken);
        // The page still starts a new run as usual.
        w.on_pushButtonAdSensorTar_clicked();
        QCOMPARE(column(w.flsDevice()->tableModel(), 0), QStringList{"0"});
    }

private:
    QTemporaryDir m_workDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Configurator> m_window;
    QString m_saveName;
    QString m_openName;
    QStringList m_asked;
};

QTEST_MAIN(TestCalibrationWorkflow)
#include "tst_calibrationworkflow.moc"
