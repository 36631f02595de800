// The floor for the polling benchmark: the least a Qt program does to poll
// a sensor — the same three timers (50, 500 and 1000 ms) and the same
// serial port, with nothing decoded or shown.
#include <QCoreApplication>
#include <QSerialPort>
#include <QTimer>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    if (!port.open(QIODevice::ReadWrite))
        return 1;
    port.setBaudRate(19200);
    QByteArray received;
    QObject::connect(&port, &QSerialPort::readyRead, [&] { received += port.readAll(); });
    QTimer parse, poll, log;
    QObject::connect(&parse, &QTimer::timeout, [&] { received.clear(); });
    QObject::connect(&poll, &QTimer::timeout, [&] { port.write(QByteArray::fromHex("3101f0")); });
    QObject::connect(&log, &QTimer::timeout, [] {});
    parse.start(50);
    poll.start(500);
    log.start(1000);
    return QCoreApplication::exec();
}
