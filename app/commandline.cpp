#include "commandline.h"

#include "link/portlist.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {
void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Configures Volmar fuel level, wireless and angle sensors over a serial converter."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("Adds NAME to the port list and selects it (repeatable)."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("connect"),
                      QStringLiteral("Connects to KIND once the window is shown: fls, ble, aq420 "
                                     "or tag."),
                      QStringLiteral("KIND")});
    parser.addOption({QStringLiteral("demo"),
                      QStringLiteral("Starts an emulated sensor line inside the tool.")});
    parser.addOption({QStringLiteral("demo-device"),
                      QStringLiteral("A sensor, base station, angle sensor or tag reader of "
                                     "the demo line, KIND@ADDRESS[:key=value,...], e.g. "
                                     "kv510@1, ble@1:battery=36, the advertising base "
                                     "'ble@1:fw=230,adv=KV_100001/5;KV_100002/6', "
                                     "aq420@4:angle=35,mode=0x10 or tag@7:mode=1,id=0xFF "
                                     "(repeatable; default kv510@1)."),
                      QStringLiteral("DEVICE")});
}

void fill(const QCommandLineParser &parser, StartupOptions &options)
{
    options.extraPorts = parser.values(QStringLiteral("port"));
    for (const QString &name : PortList::extraPortsFromEnvironment()) {
        if (!options.extraPorts.contains(name))
            options.extraPorts << name;
    }
    options.connectDevice = parser.value(QStringLiteral("connect")).toLower();
    options.demo = parser.isSet(QStringLiteral("demo"));
    options.demoDevices = parser.values(QStringLiteral("demo-device"));
}
} // namespace

QStringList CommandLine::deviceKinds()
{
    return {QStringLiteral("fls"), QStringLiteral("ble"), QStringLiteral("aq420"),
            QStringLiteral("tag")};
}

bool CommandLine::parse(const QStringList &arguments, StartupOptions &options, QString *error)
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments)) {
        if (error)
            *error = parser.errorText();
        return false;
    }
    fill(parser, options);
    if (!options.connectDevice.isEmpty() && !deviceKinds().contains(options.connectDevice)) {
        if (error)
            *error = QStringLiteral("Unknown device kind for --connect: %1 (use fls, ble, aq420 "
                                    "or tag)")
                         .arg(options.connectDevice);
        return false;
    }
    return true;
}

StartupOptions CommandLine::parseOrExit(QCoreApplication &app)
{
    QCommandLineParser parser;
    describe(parser);
    parser.process(app); // prints and exits for --help, --version and unknown options
    StartupOptions options;
    QString error;
    if (!parse(app.arguments(), options, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        std::exit(2);
    }
    return options;
}
