// A calibration run and the file the engineer keeps: which file a run writes,
// which lines it keeps, what a resumed run takes from its file.
#include "calibration/calibrationrun.h"
#include "calibration/itemdelegate.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
QStringList column(const QStandardItemModel &model, int c)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r) {
        const QStandardItem *item = model.item(r, c);
        out << (item ? item->text() : QStringLiteral("<none>"));
    }
    return out;
}

// What the main window does on every change of a cell: the model tells the
// run, the run rewrites its file.
struct Table {
    Table()
    {
        run.setModel(&model);
        QObject::connect(&model, &QStandardItemModel::dataChanged, &run,
                         [this] { run.saveTable(); });
        QObject::connect(&run, &CalibrationRun::fileWriteFailed, &run,
                         [this](const QString &error) { failures << error; });
    }
    void edit(int row, int col, const QString &text)
    {
        model.setData(model.index(row, col), text);
    }
    // The cell editor of the table, as the engineer uses it.
    void type(int row, int col, const QString &text)
    {
        ItemDelegate delegate;
        QWidget host;
        const QModelIndex index = model.index(row, col);
        std::unique_ptr<QWidget> editor(delegate.createEditor(&host, QStyleOptionViewItem(), index));
        auto *line = qobject_cast<QLineEdit *>(editor.get());
        QVERIFY(line);
        line->setText(text);
        delegate.setModelData(line, &model, index);
    }
    QStandardItemModel model;
    CalibrationRun run;
    QStringList failures;
};
} // namespace

class TestCalibrationRun : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // --- Which file a run writes -----------------------------------------

    void restoredRunWritesOnlyToItsOwnFile()
    {
        const QString kept = m_dir->filePath("a.csv");
        const QString other = m_dir->filePath("b.csv");
        putFile(other, "120, 35\r\n140, 40\r\n");
        Table t;
        QVERIFY(t.run.openFile(kept));
        t.run.addFirstSensor(300);
        t.run.addPortion("5", {310});
        t.run.addPortion("5", {320});
        const QByteArray keptBytes = "310, 5\r\n320, 10\r\n";
        QCOMPARE(fileBytes(kept), keptBytes);
        QString error; // refused while the run has its sensor
        QVERIFY(!t.run.restore(other, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(t.run.filePath(), kept);
        QCOMPARE(column(t.model, 0), (QStringList{"0", "5", "10"}));
        t.run.deleteSensor(); // the run stops, its file is kept for the next start

        QVERIFY(t.run.restore(other));
        QCOMPARE(t.run.filePath(), other);
        t.edit(1, 1, "150");
        QCOMPARE(fileBytes(other), QByteArray("120, 35\r\n150, 40\r\n"));
        // Starting again goes on in the resumed file.
        t.run.addFirstSensor(160);
        t.run.addPortion("5", {160});
        QCOMPARE(fileBytes(kept), keptBytes);
        QCOMPARE(fileBytes(other), QByteArray("120, 35\r\n150, 40\r\n160, 45\r\n"));
        QVERIFY(t.failures.isEmpty());
    }

    // --- Lines of earlier runs stay --------------------------------------

    void earlierLinesSurviveRemovalAndEdits_data()
    {
        QTest::addColumn<int>("sensors");
        QTest::newRow("one sensor") << 1;
        QTest::newRow("two sensors") << 2;
    }

    void earlierLinesSurviveRemovalAndEdits()
    {
        QFETCH(int, sensors);
        const QString path = m_dir->filePath("run.csv");
        // The engineer picked a file that already holds something.
        const QByteArray before = "notes of the fitter; 7 , x\r\n";
        putFile(path, before);
        Table t;
        QVERIFY(t.run.openFile(path));

        // The first run, stopped by removing its sensor: the file is kept.
        t.run.addFirstSensor(100);
        t.run.addPortion("5", {110});
        t.run.addPortion("5", {120});
        const QByteArray first = before + "110, 5\r\n120, 10\r\n";
        QCOMPARE(fileBytes(path), first);
        t.run.deleteSensor();

        // The next start continues in the same file.
        t.run.addFirstSensor(200);
        if (sensors == 2)
            t.run.addSecondSensor(600);
        QCOMPARE(t.run.sensorCount(), sensors);
        for (int i = 0; i < 3; ++i)
            t.run.addPortion("5", {210 + i, 610 + i});
        const QByteArray second = sensors == 1
            ? QByteArray("210, 5\r\n211, 10\r\n212, 15\r\n")
            : QByteArray("210, 610, 5\r\n211, 611, 10\r\n212, 612, 15\r\n");
        QCOMPARE(fileBytes(path), first + second);

        // Removing a portion takes its own line, nothing else.
        QVERIFY(t.run.deletePortion());
        QCOMPARE(fileBytes(path), first + second.left(second.lastIndexOf("21")));

        // An edit rewrites this run whole, starting row included; the
        // earlier lines stay as they were.
        t.edit(1, 1, "205");
        const QByteArray edited = sensors == 1
            ? QByteArray("200, 0\r\n205, 5\r\n211, 10\r\n")
            : QByteArray("200, 600, 0\r\n205, 610, 5\r\n211, 611, 10\r\n");
        QCOMPARE(fileBytes(path), first + edited);
        QVERIFY(t.run.deletePortion());
        QCOMPARE(fileBytes(path), first + edited.left(edited.lastIndexOf("211")));
        QVERIFY(t.failures.isEmpty());
    }

    // A new run appends to the file picked: a last line without its end is
    // not joined, and a file of two sensors keeps its layout.
    void newRunAppendsToAnEarlierFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no last line end") << QByteArray("300, 0") << QByteArray("300, 0\r\n320, 5\r\n");
        QTest::newRow("two sensors") << QByteArray("200, 600, 5\r\n")
                                     << QByteArray("200, 600, 5\r\n320, , 5\r\n");
    }

    void newRunAppendsToAnEarlierFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString path = m_dir->filePath("run.csv");
        putFile(path, before);
        Table t;
        QVERIFY(t.run.openFile(path));
        t.run.addFirstSensor(310);
        t.run.addPortion("5", {320});
        QCOMPARE(fileBytes(path), after);
    }

    // --- What a resumed run takes from its file --------------------------

    // A resumed file goes on with the sensors its points have; a reading
    // missing on the line, or of a sensor added later, stays empty.
    void resumedRunGoesOnInItsFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("secondSensor"); // added after the start, 0 for none
        QTest::addColumn<QList<int>>("readings");
        QTest::addColumn<QStringList>("volumes");
        QTest::addColumn<QStringList>("second"); // the second sensor's column, if any
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("two sensors")
            << QByteArray("200, 400, 5\r\n210, 410, 10\r\n") << 0 << QList<int>{220, 420}
            << QStringList{" 5", " 10", "15"} << QStringList{" 400", " 410", "420"}
            << QByteArray("200, 400, 5\r\n210, 410, 10\r\n220, 420, 15\r\n");
        QTest::newRow("narrow lines are the first sensor's")
            << QByteArray("300, 10\r\n310, 600, 15\r\n") << 0 << QList<int>{320, 610}
            << QStringList{" 10", " 15", "20"} << QStringList{"", " 600", "610"}
            << QByteArray("300, , 10\r\n310, 600, 15\r\n320, 610, 20\r\n");
        QTest::newRow("second sensor added")
            << QByteArray("120, 35\r\n140, 40\r\n") << 400 << QList<int>{160, 400}
            << QStringList{" 35", " 40", "45"} << QStringList{"", "", "400"}
            << QByteArray("120, , 35\r\n140, , 40\r\n160, 400, 45\r\n");
        QTest::newRow("second sensor not on the line")
            << QByteArray("200, 400, 5\r\n") << 0 << QList<int>{210}
            << QStringList{" 5", "10"} << QStringList{" 400", ""}
            << QByteArray("200, 400, 5\r\n210, , 10\r\n");
        const QStringList volumes{" 35", " 40", "45"};
        const QByteArray written("120, 35\r\n140, 40\r\n160, 45\r\n");
        QTest::newRow("blank last line") << QByteArray("120, 35\r\n140, 40\r\n\r\n") << 0
                                         << QList<int>{160} << volumes << QStringList() << written;
        QTest::newRow("spaces on the last line") << QByteArray("120, 35\r\n140, 40\r\n  \t") << 0
                                                 << QList<int>{160} << volumes << QStringList() << written;
    }

    void resumedRunGoesOnInItsFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, secondSensor);
        QFETCH(QList<int>, readings);
        QFETCH(QStringList, volumes);
        QFETCH(QStringList, second);
        QFETCH(QByteArray, written);
        const QString path = m_dir->filePath("saved.csv");
        putFile(path, content);
        Table t;
        QVERIFY(t.run.restore(path));
        t.run.addFirstSensor(readings.first());
        QVERIFY(t.run.isResumed());
        if (secondSensor)
            t.run.addSecondSensor(secondSensor);
        QCOMPARE(t.run.sensorCount(), second.isEmpty() ? 1 : 2);
        t.run.addPortion("5", readings);
        QCOMPARE(column(t.model, 0), volumes);
        if (!second.isEmpty())
            QCOMPARE(column(t.model, 2), second);
        QCOMPARE(fileBytes(path), written);
        QVERIFY(t.failures.isEmpty());
    }

    void secondSensorOfANewRunReadsItsStartingRow()
    {
        Table t;
        QVERIFY(t.run.openFile(m_dir->filePath("new.csv")));
        t.run.addFirstSensor(200);
        t.run.addSecondSensor(400);
        QCOMPARE(column(t.model, 2), QStringList{"400"});
        t.run.deleteSensor(); // the second column goes first
        QCOMPARE(t.run.sensorCount(), 1);
        QCOMPARE(t.model.columnCount(), 2);
    }

    void badFileIsRefusedWhole()
    {
        const QString kept = m_dir->filePath("a.csv");
        const QString bad = m_dir->filePath("bad.csv");
        const QByteArray badBytes = "120, 35\r\n140, forty\r\n160, 45\r\n";
        putFile(bad, badBytes);
        Table t;
        QVERIFY(t.run.openFile(kept));
        t.run.addFirstSensor(300);
        t.run.addPortion("5", {310});
        t.run.deleteSensor();
        const QByteArray keptBytes = fileBytes(kept);

        QString error;
        QVERIFY(!t.run.restore(bad, &error));
        QVERIFY2(error.contains("2"), qPrintable(error)); // names the line
        QVERIFY2(error.contains("forty"), qPrintable(error));
        QCOMPARE(t.model.rowCount(), 0);
        QCOMPARE(t.run.filePath(), kept);
        QCOMPARE(fileBytes(bad), badBytes);
        QCOMPARE(fileBytes(kept), keptBytes);
        QVERIFY(!t.run.restore(m_dir->filePath("missing.csv"), &error));
        QCOMPARE(t.run.filePath(), kept);
    }

    // --- Volumes ---------------------------------------------------------

    void typedVolumeKeepsItsDecimals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("next");
        QTest::newRow("12.3") << "12.3" << "12.3" << "17.3";
        QTest::newRow("7.25") << "7.25" << "7.25" << "12.25";
        QTest::newRow("two decimals at most") << "7.256" << "7.26" << "12.26";
        QTest::newRow("whole") << "12" << "12" << "17";
        QTest::newRow("trailing point") << "12." << "12" << "17";
    }

    void typedVolumeKeepsItsDecimals()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QFETCH(QString, next);
        const QString path = m_dir->filePath("run.csv");
        Table t;
        QVERIFY(t.run.openFile(path));
        t.run.addFirstSensor(300);
        t.run.addPortion("5", {305});
        t.type(1, 0, typed);
        QCOMPARE(fileBytes(path), ("300, 0\r\n305, " + saved + "\r\n").toUtf8());
        t.run.addPortion("5", {310});
        QCOMPARE(CalibrationRun::cellText(t.model.item(2, 0)), next);
        QCOMPARE(fileBytes(path), ("300, 0\r\n305, " + saved + "\r\n310, " + next + "\r\n").toUtf8());
        QCOMPARE(t.run.rows().at(1).at(0), saved);
    }

    void drainingFromAFractionalVolume()
    {
        const QString path = m_dir->filePath("run.csv");
        Table t;
        t.run.setDraining(true);
        QVERIFY(t.run.openFile(path));
        t.run.addFirstSensor(900);
        t.type(0, 0, "1000.5");
        t.run.addPortion("500", {500});
        QCOMPARE(column(t.model, 0).last(), QString("500.5"));
        t.run.addPortion("500", {100});
        QCOMPARE(column(t.model, 0).last(), QString("0"));
    }

    // --- Every write goes through a temporary copy -----------------------

    void failedWriteLeavesTheFileAsItWas()
    {
#ifdef Q_OS_UNIX
        const QString path = m_dir->filePath("run.csv");
        QByteArray earlier;
        for (int i = 0; i < 100; ++i)
            earlier += QByteArray::number(1000 + i) + ", " + QByteArray::number(i) + "\r\n";
        putFile(path, earlier);
        Table t;
        QVERIFY(t.run.openFile(path));
        t.run.addFirstSensor(300);
        t.run.addPortion("5", {305});
        const QByteArray before = fileBytes(path);

        // A file size limit a few bytes above the present size is a disk that
        // fills up in the middle of the next line (it holds for root too).
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        if (saved.rlim_cur != RLIM_INFINITY && saved.rlim_cur < rlim_t(before.size() + 3))
            QSKIP("file size already limited");
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = rlim_t(before.size() + 3);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        t.run.addPortion("5", {310});
        t.edit(0, 1, "301");
        t.run.deletePortion();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(fileBytes(path), before);
        QCOMPARE(t.failures.size(), 3);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"run.csv"});

        // With room again the next write puts everything in place.
        t.run.addPortion("5", {315});
        QCOMPARE(fileBytes(path), earlier + "301, 0\r\n305, 5\r\n315, 10\r\n");
#else
        QSKIP("needs a file size limit");
#endif
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestCalibrationRun)
#include "tst_calibrationrun.moc"
