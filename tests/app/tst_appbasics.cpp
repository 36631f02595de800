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
    void everyMessageIsItsOwnLine()
    {
        const QDateTime when(QDate(2026, 3, 1), QTime(9, 15, 0));
        QCOMPARE(EventLog::formatLine(when, QStringLiteral("Device is not responding")),
                 QStringLiteral("2026:03:01-09:15:00 -- Device is not responding\r\n"));
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
    }

    void unopenableLogOnlyDelays()
    {
        QTemporaryDir dir;
        const QString blocked = dir.filePath(QStringLiteral("blocked"));
        QVERIFY(QDir().mkpath(blocked)); // a folder cannot be opened as the log file
        EventLog log(blocked);
        log.append(QStringLiteral("Set full FLS"));
        log.append(QStringLiteral("Set empty FLS"));
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        log.setFileName(path);
        log.flush();
        QVERIFY(log.pending().isEmpty());
        QVERIFY(readAll(path).endsWith(" -- Set full FLSSet empty FLS\r\n"));
        QCOMPARE(readAll(path).count('\n'), 1);
    }

    // ------------------------------------------------ message dialog
    void dialogResults_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<QString>("press"); // a caption, or empty for Escape
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << false << QStringLiteral("OK") << 1;
        QTest::newRow("cancel") << true << QStringLiteral("Отмена") << 0;
        QTest::newRow("escape") << false << QString() << 0;
    }

    void dialogResults()
    {
        QFETCH(bool, withCancel);
        QFETCH(QString, press);
        QFETCH(int, result);
        DynamicQDialog dialog(nullptr, QString(), QStringLiteral("Вы уверены?"), withCancel);
        QCOMPARE(dialog.hasCancel(), withCancel);
        QTimer::singleShot(0, &dialog, [&] {
            if (press.isEmpty())
                QTest::keyClick(&dialog, Qt::Key_Escape);
            for (QPushButton *button : dialog.findChildren<QPushButton *>())
                if (button->text() == press)
                    button->click();
        });
        QCOMPARE(dialog.exec(), result);
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
        QVERIFY(QFile::link(dir.filePath("Language_Eng.qm"), dir.filePath("A_link.qm")));
        QVERIFY(QDir(dir.path()).mkdir("Aaa")); // links and folders do not count
        QCOMPARE(LanguageFile::firstFileName(dir.path()), QStringLiteral("Language_Eng.qm"));
        touch(dir.filePath(".hidden")); // hidden files are listed
        QCOMPARE(LanguageFile::firstFileName(dir.path()), QStringLiteral(".hidden"));
        QVERIFY(LanguageFile::languageFileName(dir.path()).isEmpty()); // first is no translation
    }

    void pictureSetsByExactName()
    {
        using L = LanguageFile::Language;
        const std::pair<const char *, L> names[] = {
            {"Language_Eng.qm", L::English}, {"Language_Port.qm", L::Portuguese},
            {"Language_Esp.qm", L::Spanish}, {"Language_Eng.qm.bak", L::Russian},
            {"language_eng.qm", L::Russian}, {"", L::Russian}};
        for (const auto &name : names)
            QCOMPARE(LanguageFile::languageOf(QLatin1String(name.first)), name.second);
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
