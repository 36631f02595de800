#include "portlist.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace {
std::function<QVector<PortList::Port>()> &provider()
{
    static std::function<QVector<PortList::Port>()> p;
    return p;
}
} // namespace

void PortList::setSystemPortsProvider(std::function<QVector<Port>()> p)
{
    provider() = std::move(p);
}

QVector<PortList::Port> PortList::systemPorts()
{
    if (provider())
        return provider()();
    QVector<Port> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        // Opening is the portable test of "in use by another program".
        QSerialPort probe(info);
        const bool opened = probe.open(QIODevice::ReadWrite);
        const bool busy = !opened && probe.error() != QSerialPort::DeviceNotFoundError;
        if (opened)
            probe.close();
        ports.append({info.portName(), busy});
    }
    return ports;
}

QStringList PortList::extraPortsFromEnvironment()
{
    const QString value = qEnvironmentVariable("VOLMAR_EXTRA_PORTS");
    QStringList names;
    for (const QString &name : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = name.trimmed();
        if (!trimmed.isEmpty() && !names.contains(trimmed))
            names << trimmed;
    }
    return names;
}

QString PortList::placeholder()
{
    return QCoreApplication::translate("Configurator", "Подключите\nпреобразователь");
}

QStringList PortList::freeNames(const QVector<Port> &system, const QStringList &extras)
{
    QStringList names;
    for (const Port &port : system) {
        if (!port.busy && !names.contains(port.name))
            names << port.name;
    }
    for (const QString &extra : extras) {
        if (!names.contains(extra))
            names << extra;
    }
    return names;
}

PortList::BoxContents PortList::refresh(const QVector<Port> &system, const QStringList &extras,
                                        const QString &remembered)
{
    BoxContents box;
    const bool onlyBusy = system.size() == 1 && system.first().busy;
    if (extras.isEmpty() && (system.isEmpty() || onlyBusy)) {
        box.items << placeholder();
        box.noConverter = true;
        box.current = box.items.first();
        return box;
    }
    box.items = freeNames(system, extras);
    if (box.items.isEmpty()) {
        box.items << placeholder();
        box.noConverter = true;
    }
    box.current = box.items.contains(remembered) ? remembered : box.items.first();
    return box;
}

PortList::BoxContents PortList::firstFill(const QVector<Port> &system, const QStringList &extras)
{
    BoxContents box;
    const bool firstBusy = !system.isEmpty() && system.first().busy;
    if (extras.isEmpty() && (system.isEmpty() || firstBusy)) {
        box.items << placeholder();
        box.noConverter = true;
        box.current = box.items.first();
        box.warnBusy = firstBusy;
        return box;
    }
    box.items = freeNames(system, extras);
    box.current = extras.isEmpty() ? box.items.value(0) : extras.first();
    return box;
}
