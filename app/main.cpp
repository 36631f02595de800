#include "app/commandline.h"
#include "app/configurator.h"
#include "app/dynamicqdialog.h"
#include "app/languagefile.h"
#include "app/singleinstanceguard.h"

#include <QApplication>
#include <QSplashScreen>
#include <QTimer>
#include <QTranslator>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources); // compiled into the static core library
    auto *translator = new QTranslator;
    auto *app = new QApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Volmar Configurator"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.61"));
    const StartupOptions options = CommandLine::parseOrExit(*app);

    auto *guard = new SingleInstanceGuard;
    if (guard->anotherInstanceRuns()) {
        auto *warning = new DynamicQDialog(
            nullptr, QString(),
            QCoreApplication::translate("Configurator", "Один экземпляр приложения уже запущен"),
            false);
        warning->setAttribute(Qt::WA_DeleteOnClose);
        warning->setStyleSheet(DynamicQDialog::commonStyleSheet());
        warning->resize(300, 170);
        warning->exec();
    }

    if (LanguageFile::load(*translator, LanguageFile::translationsDir()))
        QCoreApplication::installTranslator(translator);

    auto *splash = new QSplashScreen(QPixmap(QStringLiteral(":/images/volmar_logo.ico")));
    splash->show();
    auto *window = new Configurator(options);
    window->show();
    splash->finish(window);
    if (!options.connectDevice.isEmpty()) {
        const QString kind = options.connectDevice;
        QTimer::singleShot(0, window, [window, kind] { window->connectDevice(kind); });
    }
    const int code = QApplication::exec();

    delete window;
    delete splash;
    delete guard;
    delete app;
    delete translator;
    return code;
}
