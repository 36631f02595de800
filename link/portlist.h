#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// What the port box offers: the system's serial ports that are free, then
// the extra ports named on the command line or in VOLMAR_EXTRA_PORTS
// (pseudo-terminals and network converters the system's list misses).
class PortList
{
public:
    struct Port {
        QString name;
        bool busy = false;
    };

    struct BoxContents {
        QStringList items;        // names, or the single "connect a converter" item
        bool noConverter = false; // the placeholder stands alone (small style)
        QString current;          // the item to show
        bool warnBusy = false;    // first fill found only a busy port
    };

    // The system's ports; a port counts as busy when it cannot be opened.
    static QVector<Port> systemPorts();
    // Replaces the system's list (tests); an empty function restores it.
    static void setSystemPortsProvider(std::function<QVector<Port>()> provider);
    static QStringList extraPortsFromEnvironment();
    static QString placeholder();

    // Refresh while the mouse enters the box: no port, or a single busy one,
    // leaves the placeholder; the shown text is kept when it still exists.
    static BoxContents refresh(const QVector<Port> &system, const QStringList &extras,
                               const QString &remembered);
    // First fill at start-up: an empty list or a busy first port leaves the
    // placeholder and (busy) asks for another port. Extras are selected.
    static BoxContents firstFill(const QVector<Port> &system, const QStringList &extras);

private:
    static QStringList freeNames(const QVector<Port> &system, const QStringList &extras);
};
