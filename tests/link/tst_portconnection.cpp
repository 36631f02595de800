#include "link/portconnection.h"
#include "pseudoterminal.h"

#include <QSignalSpy>
#include <QtTest>

class TestPortConnection : public QObject
{
    Q_OBJECT
private slots:
    void opensAtLineSettingsAndCarriesBytes()
    {
        PseudoTerminal line;
        QVERIFY(line.isOpen());
        PortConnection port;
        QSignalSpy opened(&port, &PortConnection::signalOpenPort);
        QSignalSpy log(&port, &PortConnection::signalWriteLog);
        QByteArray got;
        connect(&port, &PortConnection::dataOut, this, [&got](QByteArray &data) { got += data; });

        port.openSerialPort(line.slavePath());
        QVERIFY(port.isOpen());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.first().first().toBool(), true);
        QCOMPARE(log.first().first().toString(),
                 QStringLiteral("Open port ") + line.slavePath() + QStringLiteral("\r\n"));
        QCOMPARE(port.openedName(), line.slavePath());
        QSerialPort *serial = port.serialPort();
        QCOMPARE(serial->baudRate(), 19200);
        QCOMPARE(serial->dataBits(), QSerialPort::Data8);
        QCOMPARE(serial->parity(), QSerialPort::NoParity);
        QCOMPARE(serial->stopBits(), QSerialPort::OneStop);
        QCOMPARE(serial->flowControl(), QSerialPort::NoFlowControl);

        const QByteArray request = QByteArrayLiteral("\x31\xFF\xDC\x80\x00");
        port.writeData(request);
        QByteArray seen;
        QTRY_VERIFY_WITH_TIMEOUT((seen += line.readAvailable()).size() >= request.size(), 5000);
        QCOMPARE(seen, request);

        const QByteArray reply = QByteArrayLiteral("\x3E\x01\xFC\x00\xFF");
        QVERIFY(line.write(reply));
        QTRY_VERIFY_WITH_TIMEOUT(got.size() >= reply.size(), 5000);
        QCOMPARE(got, reply);

        port.closeSerialPort();
        QVERIFY(!port.isOpen());
        QCOMPARE(opened.last().first().toBool(), false);
        QCOMPARE(log.last().first().toString(), QStringLiteral("Close port\r\n"));
    }

    // A port that does not open only logs; closing or writing to it is harmless.
    void failedOpenOnlyLogs()
    {
        PortConnection port;
        QSignalSpy opened(&port, &PortConnection::signalOpenPort);
        QSignalSpy log(&port, &PortConnection::signalWriteLog);
        const QString name = QStringLiteral("/dev/volmar-no-such-port");
        port.openSerialPort(name);
        QVERIFY(!port.isOpen());
        port.closeSerialPort();
        port.writeData(QByteArrayLiteral("\x31\xFF\xDC"));
        QCOMPARE(opened.count(), 0);
        QCOMPARE(log.count(), 1);
        QCOMPARE(log.first().first().toString(),
                 QStringLiteral("Error open port ") + name + QStringLiteral("\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestPortConnection)
#include "tst_portconnection.moc"
