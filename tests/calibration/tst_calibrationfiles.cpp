#include "calibration/calibrationcsv.h"
#include "calibration/calibrationtable.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {
QStringList column(const QString &value)
{
    return repeated(CalibrationTable::kRows, value);
}

// Many rows, so the file is far larger than the small limits below.
QList<QStringList> manyRows(int count)
{
    QList<QStringList> rows;
    for (int i = 0; i < count; ++i)
        rows << QStringList{QString::number(i * 5), QString::number(1000 + i)};
    return rows;
}

QString badShape(int line, const QString &text)
{
    return ru("Строка %1: ожидаются показания одного или двух датчиков и объём через запятую, "
              "а не \"%2\"").arg(line).arg(text);
}
} // namespace

class TestCalibrationFiles : public QObject
{
    Q_OBJECT
private slots:
    // --- CSV lines -------------------------------------------------------

    // The volume (or table level) comes first in the cells, last in the line.
    // Run files are written by the run's tests; these are the table file's.
    void lineBytes()
    {
        QCOMPARE(CalibrationCsv::line({"35", "120", "118"}), QStringLiteral("120, 118, 35\r\n"));
        QCOMPARE(CalibrationCsv::line({"", "7"}), QStringLiteral("7, \r\n"));
        QCOMPARE(CalibrationCsv::line({"4"}), QStringLiteral("4\r\n"));
    }

    // A run file brings its last part (the volume) to the front; the
    // litre/percent table swaps the first two parts. The space after a comma
    // stays with the cell that follows it.
    void parseLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("run");
        QTest::addColumn<QStringList>("table");
        QTest::newRow("CRLF") << "120, 35\r\n" << QStringList{" 35", "120"}
                              << QStringList{" 35", "120"};
        QTest::newRow("LF") << "120, 35\n" << QStringList{" 35", "120"} << QStringList{" 35", "120"};
        QTest::newRow("no space") << "5,10" << QStringList{"10", "5"} << QStringList{"10", "5"};
        QTest::newRow("three parts") << "200, 400, 5\r\n" << QStringList{" 5", "200", " 400"}
                                     << QStringList{" 400", "200", " 5"};
        QTest::newRow("empty middle") << "5,,10" << QStringList{"10", "5", ""}
                                      << QStringList{"", "5", "10"};
        QTest::newRow("trailing comma") << "5," << QStringList{"", "5"} << QStringList{"", "5"};
        QTest::newRow("one part") << "42" << QStringList{"42"} << QStringList{"42"};
        QTest::newRow("empty") << "" << QStringList{""} << QStringList{""};
    }

    void parseLine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, run);
        QFETCH(QStringList, table);
        QCOMPARE(CalibrationCsv::parseLine(line), run);
        QCOMPARE(CalibrationCsv::parseTableLine(line), table);
    }

    void tableFileKeepsEveryLine()
    {
        const auto rows = CalibrationCsv::parseTable("5, 10\r\n6, 20, 3\r\n\r\nx\r\n");
        const QList<QStringList> expected = {{" 10", "5"}, {" 20", "6", " 3"}, {""}, {"x"}};
        QCOMPARE(rows, expected);
    }

    // The bytes parsed, and the same bytes read from a file.
    void parseRunFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("sensors");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("empty") << QByteArray() << 0 << QList<QStringList>{};
        QTest::newRow("only blank lines") << QByteArray("\r\n \r\n") << 0 << QList<QStringList>{};
        QTest::newRow("one sensor, no last end") << QByteArray("120, 35\r\n130,40") << 1
                                    << QList<QStringList>{{" 35", "120"}, {"40", "130"}};
        QTest::newRow("LF") << QByteArray("120, 35\n130, 40\n") << 1
                            << QList<QStringList>{{" 35", "120"}, {" 40", "130"}};
        QTest::newRow("two sensors") << QByteArray("200, 400, 5\r\n") << 2
                                     << QList<QStringList>{{" 5", "200", " 400"}};
        QTest::newRow("empty second reading") << QByteArray("200, , 5\r\n") << 2
                                              << QList<QStringList>{{" 5", "200", " "}};
        QTest::newRow("mixed widths") << QByteArray("300, 10\r\n300, 400, 15\r\n") << 2
                                      << QList<QStringList>{{" 10", "300", ""},
                                                            {" 15", "300", " 400"}};
        QTest::newRow("fractions") << QByteArray("305, 12.3\r\n310.5, 17.30\r\n") << 1
                                   << QList<QStringList>{{" 12.3", "305"}, {" 17.30", "310.5"}};
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "120, 35\r\n") << 1
                                         << QList<QStringList>{{" 35", "120"}};
        QTest::newRow("blank lines") << QByteArray("\r\n120, 35\r\n\r\n\t\r\n") << 1
                                     << QList<QStringList>{{" 35", "120"}};
    }

    void parseRunFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, sensors);
        QFETCH(QList<QStringList>, rows);
        QString error;
        const auto file = CalibrationCsv::parseRunFile(content, &error);
        QVERIFY2(file.has_value(), qPrintable(error));
        QCOMPARE(file->sensors, sensors);
        QCOMPARE(file->rows, rows);
        QTemporaryDir dir;
        putFile(dir.filePath("run.csv"), content);
        const auto read = CalibrationCsv::readAll(dir.filePath("run.csv"));
        QVERIFY(read.has_value());
        QCOMPARE(*read, rows);
    }

    void parseRunFileRefusesBadLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("one part") << QByteArray("120, 35\r\n42\r\n") << badShape(2, "42");
        QTest::newRow("three readings") << QByteArray("1, 2, 3, 4\r\n") << badShape(1, "1, 2, 3, 4");
        QTest::newRow("semicolons") << QByteArray("120;35\r\n") << badShape(1, "120;35");
        QTest::newRow("long line is cut") << QByteArray(60, 'x')
                                          << badShape(1, QString(40, 'x') + ru("…"));
        QTest::newRow("volume not a number") << QByteArray("\r\n120, abc\r\n")
                                             << ru("Строка 2: объём \"abc\" не является числом");
        QTest::newRow("no volume") << QByteArray("120, \r\n")
                                   << ru("Строка 1: объём \"\" не является числом");
        QTest::newRow("negative volume") << QByteArray("120, -5\r\n")
                                         << ru("Строка 1: объём \"-5\" не является числом");
        QTest::newRow("reading not a number") << QByteArray("120, 35\r\n1x0, 40\r\n")
                                              << ru("Строка 2: показание \"1x0\" не является числом");
        QTest::newRow("nan") << QByteArray("nan, 5\r\n")
                             << ru("Строка 1: показание \"nan\" не является числом");
    }

    void parseRunFileRefusesBadLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QString error;
        QVERIFY(!CalibrationCsv::parseRunFile(content, &error).has_value());
        QCOMPARE(error, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.csv");
        putFile(path, content);
        QVERIFY(!CalibrationCsv::readRunFile(path).has_value());
        QVERIFY(!CalibrationCsv::readAll(path).has_value());
        QCOMPARE(fileBytes(path), content);
    }

    // --- Whole files -----------------------------------------------------

    void writeAllThenReadAll()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("run.csv");
        QVERIFY(!CalibrationCsv::readAll(dir.filePath("missing.csv")).has_value());
        putFile(path, "a much longer previous content that must disappear entirely\r\n"
                      "second old line\r\n");
        QString error;
        QVERIFY(CalibrationCsv::writeAll(path, {{"0", "120"}, {"5", "131"}, {"10", "140"}},
                                         &error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray("120, 0\r\n131, 5\r\n140, 10\r\n"));
        const QList<QStringList> expected = {{" 0", "120"}, {" 5", "131"}, {" 10", "140"}};
        QCOMPARE(CalibrationCsv::readAll(path).value_or(QList<QStringList>{}), expected);
        // Nothing of the temporary copy is left beside the file.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"run.csv"});

        QVERIFY(CalibrationCsv::writeAll(path, {})); // an empty table empties the file
        QCOMPARE(fileBytes(path), QByteArray());
        const auto rows = CalibrationCsv::readAll(path);
        QVERIFY(rows.has_value() && rows->isEmpty());
    }

    // --- A failed rewrite keeps the previous file ------------------------

    // A file size limit is a disk that fills up during the write (it holds
    // for root too): with many rows in the middle of writing, with few ones
    // only when the buffer is flushed.
    void failedWriteKeepsOldFile_diskFull_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("limit");
        QTest::newRow("while writing") << 20000 << 64 * 1024;
        QTest::newRow("on flush") << 3 << 16 + 3;
    }

    void failedWriteKeepsOldFile_diskFull()
    {
#ifdef Q_OS_UNIX
        QFETCH(int, rows);
        QFETCH(int, limit);
        QTemporaryDir dir;
        const QString path = dir.filePath("run.csv");
        const QByteArray old = "120, 0\r\n131, 5\r\n";
        putFile(path, old);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        if (saved.rlim_cur != RLIM_INFINITY && saved.rlim_cur < rlim_t(limit))
            QSKIP("file size already limited");
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = rlim_t(limit);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool written = CalibrationCsv::writeAll(path, manyRows(rows), &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"run.csv"});

        // Once there is room again the same call succeeds.
        QVERIFY(CalibrationCsv::writeAll(path, manyRows(rows), &error));
        QVERIFY(fileBytes(path).startsWith("1000, 0\r\n1001, 5\r\n"));
#else
        QSKIP("needs a file size limit");
#endif
    }

    void failedWriteKeepsOldFile_readOnlyFolder()
    {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
#endif
        QTemporaryDir dir;
        const QString sub = dir.filePath("ro");
        QVERIFY(QDir().mkdir(sub));
        const QString path = sub + "/run.csv";
        const QByteArray old = "120, 0\r\n";
        putFile(path, old);
        QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QString error;
        const bool written = CalibrationCsv::writeAll(path, {{"5", "131"}}, &error);
        QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                       | QFileDevice::ExeOwner);
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(path), old);
    }

    void failedWriteFolderGone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("gone/run.csv");
        QString error;
        QVERIFY(!CalibrationCsv::writeAll(path, {{"5", "131"}}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    // --- Table write payload ---------------------------------------------

    void payloadLayout()
    {
        QStringList levels = column("0");
        QStringList volumes = column("0");
        levels[0] = "4000";    // 0x0FA0
        levels[19] = "65535";  // 0xFFFF
        volumes[0] = "258";    // 0x0102
        volumes[19] = " 35";   // loaded from a file: leading space
        const auto payload = CalibrationTable::writePayload(levels, volumes);
        QVERIFY(payload.has_value());
        QCOMPARE(payload->size(), 80);
        QCOMPARE(payload->mid(0, 2), QByteArray("\x0F\xA0", 2));
        QCOMPARE(payload->mid(2, 36), QByteArray(36, '\0'));
        QCOMPARE(payload->mid(38, 2), QByteArray("\xFF\xFF", 2));
        QCOMPARE(payload->mid(40, 2), QByteArray("\x01\x02", 2));
        QCOMPARE(payload->mid(78, 2), QByteArray("\x00\x23", 2));
        // Only the 20 rows of the sensor's table are sent.
        levels << "7";
        volumes << "8";
        QCOMPARE(CalibrationTable::writePayload(levels, volumes)->size(), 80);
    }

    void payloadRoundsFractions_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("value");
        QTest::newRow("12.5") << "12.5" << 13;
        QTest::newRow("12.4") << "12.4" << 12;
        QTest::newRow("0.5") << "0.5" << 1;
        QTest::newRow("trailing point") << "12." << 12;
        QTest::newRow("spaces") << " 10 " << 10;
        QTest::newRow("65535.4") << "65535.4" << 65535;
        QTest::newRow("float text with exponent") << "6e+04" << 60000;
    }

    void payloadRoundsFractions()
    {
        QFETCH(QString, cell);
        QFETCH(int, value);
        for (int col = 0; col < 2; ++col) {
            QStringList cells[2] = {column("0"), column("0")};
            cells[col][7] = cell;
            const auto payload = CalibrationTable::writePayload(cells[0], cells[1]);
            QVERIFY(payload.has_value());
            const int at = col * 40 + 7 * 2;
            QCOMPARE(quint8(payload->at(at)), quint8(value >> 8));
            QCOMPARE(quint8(payload->at(at + 1)), quint8(value & 0xFF));
        }
    }

    void payloadRefusesBadValues_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("message");
        const QString range = ru("Строка 5: значение %1 вне диапазона 0…65535");
        const QString notNumber = ru("Строка 5: значение \"%1\" не является числом");
        for (const char *cell : {"65536", "65535.5", "-1"})
            QTest::newRow(cell) << cell << range.arg(QLatin1String(cell));
        for (const char *cell : {"abc", "", "nan", "inf"})
            QTest::newRow(cell) << cell << notNumber.arg(QLatin1String(cell));
    }

    void payloadRefusesBadValues()
    {
        QFETCH(QString, cell);
        QFETCH(QString, message);
        for (int col = 0; col < 2; ++col) {
            QStringList cells[2] = {column("1"), column("1")};
            cells[col][4] = cell;
            QString error;
            QVERIFY(!CalibrationTable::writePayload(cells[0], cells[1], &error).has_value());
            QCOMPARE(error, message);
        }
    }

    void payloadRefusesShortTable_data()
    {
        QTest::addColumn<QStringList>("levels");
        QTest::addColumn<QStringList>("volumes");
        QStringList missingLevel = column("1");
        missingLevel[19] = "error";
        QStringList missingVolume = column("1");
        missingVolume[0] = "error";
        QTest::newRow("19 levels") << repeated(19, "1") << column("1");
        QTest::newRow("19 volumes") << column("1") << repeated(19, "1");
        QTest::newRow("no rows") << QStringList() << QStringList();
        QTest::newRow("missing level cell") << missingLevel << column("1");
        QTest::newRow("missing volume cell") << column("1") << missingVolume;
    }

    void payloadRefusesShortTable()
    {
        QFETCH(QStringList, levels);
        QFETCH(QStringList, volumes);
        QString error;
        QVERIFY(!CalibrationTable::writePayload(levels, volumes, &error).has_value());
        QCOMPARE(error, ru("В таблице не может быть менее 20 строк"));
    }

    // --- Conversion to percentages ---------------------------------------

    void percentColumn()
    {
        QStringList levels = column("0");
        levels[1] = "1";     // 0.1 % rounds down
        levels[2] = "5";     // 0.5 % rounds up
        levels[3] = "333.3"; // edited as a float
        levels[4] = "250";
        levels[5] = " 667";  // loaded from a file
        levels[6] = "abc";   // not a number counts as 0
        levels[19] = "1000";
        const QStringList percents = CalibrationTable::percentColumn(levels);
        QCOMPARE(percents.size(), 20);
        QCOMPARE(percents.mid(0, 7), (QStringList{"0", "0", "1", "33", "25", "67", "0"}));
        QCOMPARE(percents.at(18), QString("0"));
        QCOMPARE(percents.at(19), QString("100"));
        levels[19] = " 1000";
        QCOMPARE(CalibrationTable::percentColumn(levels), percents);

        // Without a top level there is nothing to convert to.
        levels[19] = "0";
        QVERIFY(CalibrationTable::percentColumn(levels).isEmpty());
        levels[19] = "error";
        QVERIFY(CalibrationTable::percentColumn(levels).isEmpty());
        QVERIFY(CalibrationTable::percentColumn(repeated(19, "250")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCalibrationFiles)
#include "tst_calibrationfiles.moc"
