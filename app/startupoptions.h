#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the main window.
struct StartupOptions {
    QStringList extraPorts;  // --port NAME (repeatable) and VOLMAR_EXTRA_PORTS
    QString connectDevice;   // --connect fls|ble|aq420|tag
    bool demo = false;       // --demo: an emulated sensor line inside the tool
    QStringList demoDevices; // --demo-device KIND@ADDRESS[:key=value,...]
};
