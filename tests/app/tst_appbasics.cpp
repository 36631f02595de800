#include "app/commandline.h"
#include "app/dynamicqdialog.h"
#include "app/eventlog.h"
#include "app/languagefile.h"
#include "app/singleinstanceguard.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestAppBasics : public QObject
{
    Q_OBJECT
private slots:
    // ------------------------------------------------ event log
    void logLineFormat()
    {
        const QDateTime when(QDate(2026, 3, 1), QTime(9, 15, 0));
        QCOMPARE(EventLog::formatLine(when, QStringLiteral("Device is not responding")),
                 QStringLiteral("2026:03:01-09:15:00 -- Device is not responding\r\n"));
    }

    void everyMessageIsItsOwnLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        EventLog log(path);
        log.append(QStringLiteral("Help called"));
        log.append(QStringLiteral("Open port /dev/pts/3\r\n"));
        log.flush(); // a tick with nothing pending writes nothing
        const QList<QByteArray> lines = readAll(path).split('\n');
        QCOMPARE(lines.size(), 4); // two lines, the empty one after the port's "\r\n", end
        QVERIFY(lines.at(0).endsWith(" -- Help called\r"));
        QVERIFY(lines.at(1).endsWith(" -- Open port /dev/pts/3\r"));
        QCOMPARE(lines.at(2), QByteArray("\r"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}:\\d\\d:\\d\\d-\\d\\d:\\d\\d:\\d\\d -- "))
                    .match(QString::fromUtf8(lines.at(0)))
                    .hasMatch());
    }

    void unopenableLogOnlyDelays()
    {
        QTemporaryDir dir;
        const QString blocked = dir.filePath(QStringLiteral("blocked"));
        QVERIFY(QDir().mkpath(blocked)); // a folder cannot be opened as the log file
        EventLog log(blocked);
        log.append(QStringLiteral("Set full FLS"));
        log.append(QStringLiteral("Set empty FLS"));
        QCOMPARE(log.pending(), QStringLiteral("Set full FLSSet empty FLS"));
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        log.setFileName(path);
        log.flush();
        QVERIFY(log.pending().isEmpty());
        QVERIFY(readAll(path).endsWith(" -- Set full FLSSet empty FLS\r\n"));
        QCOMPARE(readAll(path).count('\n'), 1);
    }

    // ------------------------------------------------ message dialog
    void dialogResults()
    {
        {
            DynamicQDialog dialog(nullptr, QString(), QStringLiteral("Подключите датчик"), false);
            QVERIFY(!dialog.hasCancel());
            QTimer::singleShot(0, &dialog, [&dialog] {
                dialog.findChild<QPushButton *>()->click();
            });
            QCOMPARE(dialog.exec(), 1);
        }
        {
            DynamicQDialog dialog(nullptr, QString(), QStringLiteral("Вы уверены?"), true);
            QVERIFY(dialog.hasCancel());
            QTimer::singleShot(0, &dialog, [&dialog] {
                for (QPushButton *button : dialog.findChildren<QPushButton *>())
                    if (button->text() == QStringLiteral("Отмена"))
                        button->click();
            });
            QCOMPARE(dialog.exec(), 0);
        }
        {
            DynamicQDialog dialog(nullptr, QString(), QStringLiteral("Escape"), false);
            QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
            QCOMPARE(dialog.exec(), 0);
        }
    }

    void dialogLayoutAndCaptions()
    {
        DynamicQDialog dialog(nullptr, QString(), QStringLiteral("Текст"), true);
        dialog.SetTextBtnOk(QStringLiteral("Да"));
        dialog.SetTextBtnCncl(QStringLiteral("Нет"));
        QStringList captions;
        for (QPushButton *button : dialog.findChildren<QPushButton *>())
            captions << button->text();
        captions.sort();
        QCOMPARE(captions, (QStringList{"Да", "Нет"}));
        QCOMPARE(dialog.message(), QStringLiteral("Текст"));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
        DynamicQDialog plain(nullptr, QString(), QStringLiteral("x"), false);
        plain.SetTextBtnCncl(QStringLiteral("ignored")); // no cancel button: harmless
        QCOMPARE(plain.findChildren<QPushButton *>().size(), 1);
    }

    // ------------------------------------------------ language file
    void firstFileDecidesTheLanguage()
    {
        QTemporaryDir dir;
        QVERIFY(LanguageFile::languageFileName(dir.filePath("missing")).isEmpty());
        QVERIFY(LanguageFile::languageFileName(dir.path()).isEmpty()); // empty folder
        touch(dir.filePath("Language_Esp.qm"));
        touch(dir.filePath("Language_Eng.qm"));
        QCOMPARE(LanguageFile::languageFileName(dir.path()), QStringLiteral("Language_Eng.qm"));
        touch(dir.filePath("a_readme.txt")); // listed first: no translation at all
        QVERIFY(LanguageFile::languageFileName(dir.path()).isEmpty());
    }

    void linksAndFoldersDoNotCount()
    {
        QTemporaryDir dir;
        touch(dir.filePath("Language_Port.qm"));
        QVERIFY(QFile::link(dir.filePath("Language_Port.qm"), dir.filePath("A_link.qm")));
        QVERIFY(QDir(dir.path()).mkdir("Aaa"));
        QCOMPARE(LanguageFile::firstFileName(dir.path()), QStringLiteral("Language_Port.qm"));
        touch(dir.filePath(".hidden")); // hidden files are listed
        QCOMPARE(LanguageFile::firstFileName(dir.path()), QStringLiteral(".hidden"));
    }

    void pictureSetsByExactName()
    {
        using L = LanguageFile::Language;
        QCOMPARE(LanguageFile::languageOf("Language_Eng.qm"), L::English);
        QCOMPARE(LanguageFile::languageOf("Language_Port.qm"), L::Portuguese);
        QCOMPARE(LanguageFile::languageOf("Language_Esp.qm"), L::Spanish);
        QCOMPARE(LanguageFile::languageOf("Language_Eng.qm.bak"), L::Russian);
        QCOMPARE(LanguageFile::languageOf("language_eng.qm"), L::Russian);
        QCOMPARE(LanguageFile::languageOf(QString()), L::Russian);
    }

    // ------------------------------------------------ single instance
    void secondCopyIsNoticed()
    {
        const QString key = QStringLiteral("volmar-test-%1").arg(QCoreApplication::applicationPid());
        SingleInstanceGuard first(key + "-sem", key + "-mem");
        QVERIFY(!first.anotherInstanceRuns());
        SingleInstanceGuard second(key + "-sem", key + "-mem");
        QVERIFY(second.anotherInstanceRuns());
    }

#ifdef Q_OS_UNIX
    // On Unix a segment outlives the copy that made it.
    void crashedCopyDoesNotBlockLaterStarts()
    {
        const QString key = QStringLiteral("volmar-crash-%1").arg(QCoreApplication::applicationPid());
        const pid_t child = fork();
        if (child == 0) {
            // A copy that dies without cleaning up: its segment stays behind.
            QSharedMemory memory(key + "-mem");
            memory.create(1);
            _exit(0);
        }
        QVERIFY(child > 0);
        int status = 0;
        waitpid(child, &status, 0);
        SingleInstanceGuard next(key + "-sem", key + "-mem");
        QVERIFY(!next.anotherInstanceRuns());
    }
#endif

    // ------------------------------------------------ command line
    void commandLineOptions()
    {
        qunsetenv("VOLMAR_EXTRA_PORTS");
        StartupOptions options;
        QString error;
        QVERIFY(CommandLine::parse({"volmar-configurator", "--port", "/dev/pts/3", "--port",
                                    "COM7", "--connect", "FLS"},
                                   options, &error));
        QCOMPARE(options.extraPorts, (QStringList{"/dev/pts/3", "COM7"}));
        QCOMPARE(options.connectDevice, QStringLiteral("fls"));

        qputenv("VOLMAR_EXTRA_PORTS", "COM7;/dev/pts/9");
        StartupOptions withEnv;
        QVERIFY(CommandLine::parse({"volmar-configurator", "--port", "COM7"}, withEnv, &error));
        QCOMPARE(withEnv.extraPorts, (QStringList{"COM7", "/dev/pts/9"}));
        qunsetenv("VOLMAR_EXTRA_PORTS");

        StartupOptions bad;
        QVERIFY(!CommandLine::parse({"volmar-configurator", "--connect", "gps"}, bad, &error));
        QVERIFY(error.contains("gps"));
        QVERIFY(!CommandLine::parse({"volmar-configurator", "--bogus"}, bad, &error));
    }
};

QTEST_MAIN(TestAppBasics)
#include "tst_appbasics.moc"
