#pragma once

#include "startupoptions.h"

#include <QString>
#include <QStringList>

class QCoreApplication;

// Parses the tool's command line; --help and --version print and exit.
class CommandLine
{
public:
    static QStringList deviceKinds();
    // Returns false with a message in error when an option is wrong.
    static bool parse(const QStringList &arguments, StartupOptions &options, QString *error);
    // Parses the application's arguments; handles --help and --version.
    static StartupOptions parseOrExit(QCoreApplication &app);
};
