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
} // namespace

class TestCalibrationFiles : public QObject
{
    Q_OBJECT
private slots:
    // --- CSV lines -------------------------------------------------------

    void lineBytes_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("line");
        // Run file, one sensor: the row is volume, reading.
        QTest::newRow("run file") << QStringList{"35", "120"} << "120, 35\r\n";
        // Run file, two sensors: volume, reading 1, reading 2.
        QTest::newRow("two sensors") << QStringList{"35", "120", "118"} << "120, 118, 35\r\n";
        // Litre/percent table: the row is level, volume.
        QTest::newRow("table row") << QStringList{"10", "5"} << "5, 10\r\n";
        QTest::newRow("edited float") << QStringList{"12.5", "7"} << "7, 12.5\r\n";
        QTest::newRow("empty cell") << QStringList{"", "7"} << "7, \r\n";
        QTest::newRow("single cell") << QStringList{"4"} << "4\r\n";
    }

    void lineBytes()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, line);
        QCOMPARE(CalibrationCsv::line(cells), line);
    }

    void parseLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("cells");
        // The space after the comma stays with the cell that follows it.
        QTest::newRow("run file") << "120, 35" << QStringList{" 35", "120"};
        QTest::newRow("with CRLF") << "120, 35\r\n" << QStringList{" 35", "120"};
        QTest::newRow("with LF") << "120, 35\n" << QStringList{" 35", "120"};
        QTest::newRow("table row") << "5, 10\r\n" << QStringList{" 10", "5"};
        QTest::newRow("no space") << "5,10" << QStringList{"10", "5"};
        QTest::newRow("empty parts kept") << "5,,10" << QStringList{"10", "5", ""};
        // Two sensors: the volume comes back to the front, readings in order.
        QTest::newRow("two sensors") << "200, 400, 5\r\n" << QStringList{" 5", "200", " 400"};
        QTest::newRow("trailing comma") << "5," << QStringList{"", "5"};
        QTest::newRow("one part") << "42" << QStringList{"42"};
    }

    void parseLine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, cells);
        QCOMPARE(CalibrationCsv::parseLine(line), cells);
    }

    // The litre/percent table swaps the first two parts; a run file brings
    // its last part (the volume) to the front. Two parts read the same.
    void parseTableLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QStringList>("run");
        QTest::newRow("two parts") << "5, 10\r\n" << QStringList{" 10", "5"}
                                   << QStringList{" 10", "5"};
        QTest::newRow("three parts") << "5, 10, 7\r\n" << QStringList{" 10", "5", " 7"}
                                     << QStringList{" 7", "5", " 10"};
        QTest::newRow("empty middle") << "5,,10" << QStringList{"", "5", "10"}
                                      << QStringList{"10", "5", ""};
        QTest::newRow("one part") << "42" << QStringList{"42"} << QStringList{"42"};
        QTest::newRow("empty") << "" << QStringList{""} << QStringList{""};
    }

    void parseTableLine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, table);
        QFETCH(QStringList, run);
        QCOMPARE(CalibrationCsv::parseTableLine(line), table);
        QCOMPARE(CalibrationCsv::parseLine(line), run);
    }

    void tableFileKeepsEveryLine()
    {
        // Every line of a table file is a row, as it stands.
        const auto rows = CalibrationCsv::parseTable("5, 10\r\n6, 20, 3\r\n\r\nx\r\n");
        const QList<QStringList> expected = {{" 10", "5"}, {" 20", "6", " 3"}, {""}, {"x"}};
        QCOMPARE(rows, expected);
    }

    void runLine_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<int>("readings");
        QTest::addColumn<QString>("line");
        QTest::newRow("loaded cells") << QStringList{" 35", "120"} << 1 << "120, 35\r\n";
        QTest::newRow("two sensors") << QStringList{" 5", "200", " 400"} << 2 << "200, 400, 5\r\n";
        QTest::newRow("padded") << QStringList{"5", "200"} << 2 << "200, , 5\r\n";
        QTest::newRow("empty reading") << QStringList{"5", "200", ""} << 2 << "200, , 5\r\n";
    }

    void runLine()
    {
        QFETCH(QStringList, cells);
        QFETCH(int, readings);
        QFETCH(QString, line);
        QCOMPARE(CalibrationCsv::runLine(cells, readings), line);
    }

    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 45.0 << "45";
        QTest::newRow("float of 12.3") << double(12.3f) << "12.3";
        QTest::newRow("two decimals") << 12.25 << "12.25";
        QTest::newRow("rounded") << 12.256 << "12.26";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("tiny") << 0.001 << "0";
    }

    void numberText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(CalibrationCsv::numberText(value), text);
    }

    void parseRunFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("sensors");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("empty") << QByteArray() << 0 << QList<QStringList>{};
        QTest::newRow("only blank lines") << QByteArray("\r\n \r\n") << 0 << QList<QStringList>{};
        QTest::newRow("one sensor") << QByteArray("120, 35\r\n130,40") << 1
                                    << QList<QStringList>{{" 35", "120"}, {"40", "130"}};
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
    }

    void parseRunFileRefusesBadLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("one part") << QByteArray("120, 35\r\n42\r\n")
                                  << ru("Строка 2: ожидаются показания одного или двух датчиков и "
                                        "объём через запятую, а не \"42\"");
        QTest::newRow("three readings") << QByteArray("1, 2, 3, 4\r\n")
                                        << ru("Строка 1: ожидаются показания одного или двух "
                                              "датчиков и объём через запятую, а не \"1, 2, 3, 4\"");
        QTest::newRow("semicolons") << QByteArray("120;35\r\n")
                                    << ru("Строка 1: ожидаются показания одного или двух датчиков и "
                                          "объём через запятую, а не \"120;35\"");
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
        QTest::newRow("long line is cut")
            << QByteArray(60, 'x')
            << ru("Строка 1: ожидаются показания одного или двух датчиков и объём через "
                  "запятую, а не \"") + QString(40, 'x') + ru("…\"");
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
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("run.csv");
        putFile(path, "a much longer previous content that must disappear entirely\r\n"
                      "second old line\r\n");

        QString error;
        QVERIFY(CalibrationCsv::writeAll(path, {{"0", "120"}, {"5", "131"}, {"10", "140"}},
                                         &error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray("120, 0\r\n131, 5\r\n140, 10\r\n"));

        const auto rows = CalibrationCsv::readAll(path);
        QVERIFY(rows.has_value());
        const QList<QStringList> expected = {{" 0", "120"}, {" 5", "131"}, {" 10", "140"}};
        QCOMPARE(*rows, expected);

        // Nothing of the temporary copy is left beside the file.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"run.csv"});
    }

    void writeAllEmptyTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("empty.csv");
        putFile(path, "120, 35\r\n");
        QVERIFY(CalibrationCsv::writeAll(path, {}));
        QCOMPARE(fileBytes(path), QByteArray());
        const auto rows = CalibrationCsv::readAll(path);
        QVERIFY(rows.has_value());
        QVERIFY(rows->isEmpty());
    }

    void readAllEdgeCases()
    {
        QTemporaryDir dir;
        QVERIFY(!CalibrationCsv::readAll(dir.filePath("missing.csv")).has_value());

        const QString noFinalEnd = dir.filePath("last.csv");
        putFile(noFinalEnd, "120, 35\r\n130, 40");
        auto rows = CalibrationCsv::readAll(noFinalEnd);
        QVERIFY(rows.has_value());
        const QList<QStringList> expected = {{" 35", "120"}, {" 40", "130"}};
        QCOMPARE(*rows, expected);

        const QString unixEnds = dir.filePath("lf.csv");
        putFile(unixEnds, "120, 35\n130, 40\n");
        rows = CalibrationCsv::readAll(unixEnds);
        QVERIFY(rows.has_value());
        QCOMPARE(*rows, expected);

        // A blank last line is no point.
        const QString blankEnd = dir.filePath("blank.csv");
        putFile(blankEnd, "120, 35\r\n130, 40\r\n\r\n");
        rows = CalibrationCsv::readAll(blankEnd);
        QVERIFY(rows.has_value());
        QCOMPARE(*rows, expected);
    }

    // --- A failed rewrite keeps the previous file ------------------------

    void failedWriteKeepsOldFile_fullDisk()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString path = dir.filePath("run.csv");
        const QByteArray old = "120, 0\r\n131, 5\r\n";
        putFile(path, old);

        // A file size limit behaves like a disk that fills up during the write
        // (it applies to root as well).
        constexpr rlim_t limit = 64 * 1024;
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        if (saved.rlim_cur != RLIM_INFINITY && saved.rlim_cur < limit)
            QSKIP("file size already limited");
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = limit;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool written = CalibrationCsv::writeAll(path, manyRows(20000), &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"run.csv"});

        // Once there is room again the same call succeeds.
        QVERIFY(CalibrationCsv::writeAll(path, manyRows(20000), &error));
        QVERIFY(fileBytes(path).startsWith("1000, 0\r\n1001, 5\r\n"));
#else
        QSKIP("needs a file size limit");
#endif
    }

    void failedWriteKeepsOldFile_diskFullOnFlush()
    {
#ifdef Q_OS_UNIX
        // A content small enough to sit in the write buffer meets the full
        // disk only when it is flushed.
        QTemporaryDir dir;
        const QString path = dir.filePath("run.csv");
        const QByteArray old = "120, 0\r\n131, 5\r\n";
        putFile(path, old);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        if (saved.rlim_cur != RLIM_INFINITY && saved.rlim_cur < 64)
            QSKIP("file size already limited");
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = rlim_t(old.size() + 3);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool written = CalibrationCsv::writeAll(path, {{"0", "120"}, {"5", "131"}, {"10", "140"}},
                                                      &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"run.csv"});
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
        const QString sub = dir.filePath("gone");
        QVERIFY(QDir().mkdir(sub));
        const QString path = sub + "/run.csv";
        QVERIFY(QDir(sub).removeRecursively());

        QString error;
        QVERIFY(!CalibrationCsv::writeAll(path, {{"5", "131"}}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    // --- Table write payload ---------------------------------------------

    void payloadOfFreshTable()
    {
        QString error;
        const auto payload = CalibrationTable::writePayload(column("0"), column("0"), &error);
        QVERIFY(payload.has_value());
        QCOMPARE(*payload, QByteArray(80, '\0'));
    }

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
        QTest::newRow("65536") << "65536" << ru("Строка 5: значение 65536 вне диапазона 0…65535");
        QTest::newRow("70000") << "70000" << ru("Строка 5: значение 70000 вне диапазона 0…65535");
        QTest::newRow("rounds past top")
            << "65535.5" << ru("Строка 5: значение 65535.5 вне диапазона 0…65535");
        QTest::newRow("negative") << "-1" << ru("Строка 5: значение -1 вне диапазона 0…65535");
        QTest::newRow("abc") << "abc" << ru("Строка 5: значение \"abc\" не является числом");
        QTest::newRow("empty") << "" << ru("Строка 5: значение \"\" не является числом");
        QTest::newRow("nan") << "nan" << ru("Строка 5: значение \"nan\" не является числом");
        QTest::newRow("inf") << "inf" << ru("Строка 5: значение \"inf\" не является числом");
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
        levels[0] = "0";
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
    }

    void percentColumnWithoutTop()
    {
        QStringList levels = column("250");
        levels[19] = "0";
        QVERIFY(CalibrationTable::percentColumn(levels).isEmpty());
        levels[19] = "error";
        QVERIFY(CalibrationTable::percentColumn(levels).isEmpty());
        QVERIFY(CalibrationTable::percentColumn(repeated(19, "250")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCalibrationFiles)
#include "tst_calibrationfiles.moc"
