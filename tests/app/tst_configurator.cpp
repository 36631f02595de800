#include "app/configurator.h"
#include "app/helptexts.h"
#include "devices/tag/wiredtagdevice.h"
#include "dialogrecorder.h"
#include "link/portconnection.h"
#include "link/portlist.h"
#include "link/sharedtimers.h"
#include "pseudoterminal.h"
#include "ui_configurator.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {
QStringList menuTexts(const Configurator &window)
{
    QStringList texts;
    const auto actions = window.serviceMenu()->actions();
    for (const QAction *action : actions)
        texts << action->text();
    return texts;
}

void showActive(QWidget &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void hover(QWidget *widget)
{
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(widget, &enter);
}
} // namespace

class TestConfigurator : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    // A window with no port to use: fixed size, the sensor page, no service
    // action without a sensor, and a device button that connects nothing.
    void windowWithoutAPort()
    {
        DialogRecorder dialogs;
        qunsetenv("VOLMAR_EXTRA_PORTS");
        Configurator window;
        QVERIFY(window.windowTitle().endsWith(QStringLiteral("v1.0.0.61")));
        QCOMPARE(window.size(), QSize(800, 600));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.form()->stackedWidget->currentWidget(), window.form()->DUT);
        QCOMPARE(window.statusLineModel()->text(), QStringLiteral("Подключите датчик"));
        QCOMPARE(window.statusLineModel()->geometry(), QRect(5, 566, 500, 31));
        QComboBox *box = window.form()->comboBox_SerialPort;
        QCOMPARE(box->count(), 1);
        QCOMPARE(box->currentText(), PortList::placeholder());

        for (QAction *action : window.serviceMenu()->actions()) {
            if (action->text() == QStringLiteral("Безопасность"))
                action->trigger();
        }
        QCOMPARE(dialogs.messages(), QStringList{"Подключите датчик"});
        QCOMPARE(dialogs.sizes().first(), QSize(300, 170));

        window.form()->pushButtonDeviceFLS->click();
        QVERIFY(!window.form()->pushButtonDeviceFLS->isChecked());
        QVERIFY(!window.portConnection()->isOpen());
        QVERIFY(!SharedTimers::pollTimer()->isActive());
    }

    void helpModeToggles()
    {
        Configurator window;
        showActive(window);
        QTest::keyClick(&window, Qt::Key_F1);
        QVERIFY(window.isHelpMode());
        QCOMPARE(window.size(), QSize(1080, 600));
        QVERIFY(window.helpLabel());
        QCOMPARE(window.helpLabel()->geometry(), QRect(QPoint(820, 0), QPoint(1074, 589)));

        hover(window.form()->comboBox_ModeDUT);
        QCOMPARE(window.helpLabel()->text(), HelpTexts::textFor("comboBox_ModeDUT"));
        QVERIFY(!window.helpLabel()->text().isEmpty());
        hover(window.form()->label_TempNameDUT);
        QCOMPARE(window.helpLabel()->text(), QStringLiteral("Температура датчика."));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(window.form()->label_TempNameDUT, &leave);
        QVERIFY(window.helpLabel()->text().isEmpty());

        QTest::keyClick(&window, Qt::Key_F1);
        QVERIFY(!window.isHelpMode());
        QCOMPARE(window.size(), QSize(800, 600));
        QVERIFY(!window.helpLabel());

        // The help button opens it too, and says so in the log.
        QFile::remove(QStringLiteral("log.txt"));
        window.form()->pushButton_Help->click();
        QVERIFY(window.isHelpMode());
        QFile log(QStringLiteral("log.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().endsWith(" -- Help called\r\n"));
        window.closeHelp();
    }

    // The menu loses its remote control while a port is open. The converter
    // is lost while a service action waits for its confirmation: the port
    // closes and the entries change, but the menu and the running action
    // stay alive until the action is done.
    void serviceMenuOutlivesALostConverterDuringItsAction()
    {
        PseudoTerminal line;
        StartupOptions options;
        options.extraPorts << line.slavePath();
        Configurator window(options);
        const QString remote = QStringLiteral("Дистанционное управление");
        QCOMPARE(menuTexts(window),
                 (QStringList{"Обновить прошивку", "Отменить несохранённые настройки",
                              "Загрузить заводские настройки", "Инженерное меню", remote,
                              "Безопасность"}));
        window.connectDevice(QStringLiteral("fls"));
        QVERIFY(window.portConnection()->isOpen());
        QCOMPARE(menuTexts(window).size(), 5);
        QVERIFY(!menuTexts(window).contains(remote));
        window.flsDevice()->setDeviceConnected(true);
        QPointer<QMenu> menu = window.serviceMenu();
        QPointer<QAction> running;
        for (QAction *action : menu->actions()) {
            if (action->text() == QStringLiteral("Отменить несохранённые настройки"))
                running = action;
        }
        QVERIFY(running);
        int asked = 0;
        bool aliveWhileAsking = false;
        DynamicQDialog::setResponder([&](DynamicQDialog &) -> int {
            if (asked++ == 0) {
                window.handlerErrorSerial(); // closes the port, rebuilds the menu
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                aliveWhileAsking = menu && running;
            }
            return 0;
        });
        running->trigger();
        DynamicQDialog::setResponder({});
        QVERIFY(aliveWhileAsking);
        QVERIFY(menu && running);
        QCOMPARE(window.serviceMenu(), menu.data());
        QVERIFY(!window.portConnection()->isOpen());
        QVERIFY(menuTexts(window).contains(remote));
    }

    // Every port busy: the box holds only its "connect" line, and pressing a
    // device button says in the log that no port could be opened.
    void noRealPortIsLogged()
    {
        DialogRecorder dialogs;
        PortList::setSystemPortsProvider(
            [] { return QVector<PortList::Port>{{QStringLiteral("ttyUSB0"), true}}; });
        Configurator window;
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
        window.writeLogFileNoParams();
        QFile::remove(QStringLiteral("log.txt"));
        window.connectDevice(QStringLiteral("fls"));
        window.writeLogFileNoParams();
        QFile log(QStringLiteral("log.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(log.readAll()).contains(QStringLiteral(" -- Error open port ")));
        QVERIFY(!window.portConnection()->isOpen());
    }

    void f3AndF4OnlyOnSensorPages()
    {
        DialogRecorder dialogs(0);
        Configurator window;
        showActive(window);
        QTest::keyClick(&window, Qt::Key_F3);
        QCOMPARE(dialogs.messages(),
                 QStringList{"Сейчас будет установлен новый уровень \"Пустой\"\nВы уверены?"});
        dialogs.clear();

        window.setParentForGroupBoxSerPort(window.form()->RemoteControl);
        QTest::keyClick(&window, Qt::Key_F3);
        QTest::keyClick(&window, Qt::Key_F4);
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(window.form()->stackedWidget->currentWidget(), window.form()->RemoteControl);

        window.setParentForGroupBoxSerPort(window.form()->DUT);
        QTest::keyClick(&window, Qt::Key_F4);
        QCOMPARE(window.form()->stackedWidget->currentWidget(), window.form()->Tarirovka);
    }

    void portBoxWithExtraPorts()
    {
        PseudoTerminal first;
        PseudoTerminal second;
        StartupOptions options;
        options.extraPorts << first.slavePath() << second.slavePath();
        Configurator window(options);
        QComboBox *box = window.form()->comboBox_SerialPort;
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->currentText(), first.slavePath());

        // The engineer picks the second; a refresh keeps it shown.
        box->setCurrentIndex(1);
        window.on_comboBox_SerialPort_activated(1);
        hover(box);
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->currentText(), second.slavePath());

        // Connected: hovering must not refresh (which would close the port).
        window.connectDevice(QStringLiteral("fls"));
        QCOMPARE(window.portConnection()->openedName(), second.slavePath());
        QVERIFY(!box->isEnabled());
        hover(box);
        QVERIFY(window.portConnection()->isOpen());
        window.on_pushButtonDeviceFLS_clicked(false);
        QVERIFY(box->isEnabled());
    }

    // A device button opens the port and its page; choosing another kind
    // moves everything over to it; releasing stops every timer.
    void deviceButtonsConnectAndRelease_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("poll");
        QTest::newRow("AK-420") << "pushButtonAQ420" << "AQ420" << "label_DevAQ420" << 1000;
        QTest::newRow("W-TAG") << "pushButtonWiredTag" << "WiredTag" << "label_DevWiredTag" << 500;
    }

    void deviceButtonsConnectAndRelease()
    {
        QFETCH(QString, button);
        QFETCH(QString, page);
        QFETCH(QString, label);
        QFETCH(int, poll);
        PseudoTerminal line;
        StartupOptions options;
        options.extraPorts << line.slavePath();
        Configurator window(options);
        auto *ui = window.form();
        auto *kindButton = window.findChild<QPushButton *>(button);
        auto *kindLabel = window.findChild<QLabel *>(label);
        QVERIFY(kindButton && kindLabel);
        kindButton->click();
        QVERIFY(window.portConnection()->isOpen());
        QCOMPARE(SharedTimers::pollTimer()->interval(), poll);
        QCOMPARE(SharedTimers::parseTimer()->interval(), 50);
        QCOMPARE(ui->stackedWidget->currentWidget()->objectName(), page);
        QCOMPARE(kindLabel->styleSheet(), QStringLiteral("QLabel {color : #E32323;}"));
        QVERIFY(!kindButton->isEnabled()); // locked for three seconds

        window.on_pushButtonDeviceFLS_clicked(true);
        QCOMPARE(SharedTimers::pollTimer()->interval(), 500);
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->DUT);
        QVERIFY(!kindButton->isChecked());
        QCOMPARE(kindLabel->styleSheet(), QStringLiteral("QLabel {color : #B9B9B9;}"));

        window.on_pushButtonDeviceFLS_clicked(false);
        QVERIFY(!window.portConnection()->isOpen());
        for (QTimer *timer : {SharedTimers::pollTimer(), SharedTimers::parseTimer(),
                              SharedTimers::portScanTimer(), SharedTimers::connectTimer()})
            QVERIFY(!timer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButtonDeviceFLS->isEnabled(), 5000);
    }

    void languageFileBesideTheExecutable()
    {
        // A deployment puts the language file into "translations" beside the
        // executable; the service menu's rebuild installs it at start.
        const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
        const QString qm = qEnvironmentVariable("VOLMAR_TEST_BINARY_DIR")
                           + QStringLiteral("/languages/Language_Eng.qm");
        QVERIFY2(QFile::exists(qm), qPrintable(qm));
        QDir().mkpath(dir);
        QVERIFY(QFile::copy(qm, dir + QStringLiteral("/Language_Eng.qm")));
        {
            Configurator window;
            QCOMPARE(window.windowTitle(), QStringLiteral("Volmar Configurator v1.0.0.61"));
            QVERIFY(window.form()->pushButtonService->styleSheet().contains("servicebtn_eng.png"));
            QVERIFY(window.form()->ButtonWriteParamDUT->styleSheet().contains(
                "write_param_eng_click.png"));
            QVERIFY(!menuTexts(window).contains(QStringLiteral("Безопасность")));
        }
        QDir(dir).removeRecursively();
        QTranslator *none = new QTranslator(this); // back to Russian for the other tests
        QCoreApplication::installTranslator(none);
        Configurator russian;
        QVERIFY(russian.windowTitle().startsWith(QStringLiteral("Волмар")));
    }

    void smallScreenShrinksTheWindow()
    {
        qputenv("VOLMAR_SCREEN_HEIGHT", "600");
        Configurator window;
        qputenv("VOLMAR_SCREEN_HEIGHT", "1080");
        QCOMPARE(window.height(), 480);
        QCOMPARE(window.statusLineModel()->y(), 566 - 117);
    }

private:
    QTemporaryDir m_workDir;
};

QTEST_MAIN(TestConfigurator)
#include "tst_configurator.moc"
